#pragma once

namespace trelvix {
class Program;
void LaunchAdministrativeToolsEntry(Program& p);
} // namespace trelvix
