#pragma once

namespace trelvix {
class Program;
void LaunchControlPanelEntry(Program& p);
} // namespace trelvix
