#pragma once

#include "launch/ProceduresOfQuickLaunch.h"

namespace trelvix {
class Program;
// The Control Panel list (ListBox5), in list order.
Catalogue ControlPanelCatalogue();
void LaunchControlPanelEntry(Program& p);
} // namespace trelvix
