#pragma once

namespace trelvix {
class Program;
void LaunchUsefulToolsEntry(Program& p);
} // namespace trelvix
