#pragma once

#include "launch/ProceduresOfQuickLaunch.h"

namespace trelvix {
class Program;
// The Administrative Tools list (ListBox6), in list order.
Catalogue AdministrativeToolsCatalogue();
void LaunchAdministrativeToolsEntry(Program& p);
} // namespace trelvix
