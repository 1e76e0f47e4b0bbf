#pragma once

#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// Uptime, drive pickers, the fixed-drive survey and layout, selections, the tray tip; then
// `then`. The surveys' parts follow when the drives have answered.
void RefreshAll(Program& p, tk::Handler then = nullptr);
// The interval timer's work: RefreshAll, unless a fixed-drive survey still waits.
void RefreshOnTimer(Program& p);
// Timer1 fires every `Interval` seconds; 0 or less stops it.
void ApplyRefreshInterval(Program& p);
// The fixed-drive survey and layout, then the selections, then `then`.
void RefreshDrives(Program& p, tk::Handler then = nullptr);
// Re-creates the temporary folder when something removed it, off the window's thread.
void EnsureTempFolder(Program& p);

} // namespace trelvix
