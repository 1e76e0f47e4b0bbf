#pragma once

namespace trelvix {

class Program;

// The interval timer's work: uptime, drive pickers, the fixed-drive survey and layout
// under the busy glyph, selections, the tray tip.
void RefreshAll(Program& p);
// Timer1 fires every `Interval` seconds; 0 or less stops it.
void ApplyRefreshInterval(Program& p);
// The fixed-drive survey and layout under the busy glyph, then the selections.
void RefreshDrives(Program& p);
// Re-creates the temporary folder when something removed it.
void EnsureTempFolder(Program& p);

} // namespace trelvix
