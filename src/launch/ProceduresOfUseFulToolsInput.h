#pragma once

#include "launch/ProceduresOfQuickLaunch.h"

namespace trelvix {
class Program;
// The Useful Tools list (ListBox7), in list order.
Catalogue UsefulToolsCatalogue();
void LaunchUsefulToolsEntry(Program& p);
} // namespace trelvix
