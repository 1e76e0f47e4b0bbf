#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Task.h"

namespace trelvix {

class Program;

// Uptime, drive pickers, the fixed-drive survey and layout, selections, the tray tip. The
// surveys' parts follow when the drives have answered; awaiting the task waits for them.
tk::Task RefreshAll(Program& p);
// The interval timer's work: RefreshAll, unless a fixed-drive survey still waits.
void RefreshOnTimer(Program& p);
// Timer1 fires every `Interval` seconds; 0 or less stops it.
void ApplyRefreshInterval(Program& p);
// The fixed-drive survey and layout, then the selections.
tk::Task RefreshDrives(Program& p);
// Re-creates the temporary folder when something removed it, off the window's thread.
void EnsureTempFolder(Program& p);

} // namespace trelvix
