#pragma once

namespace trelvix {

class Program;

// Stay-on-top: the stored mode, the window's z-order, the tool button's glyph and hint
// and the menu item's check mark, all set to `on`.
void SetStayOnTop(Program& p, bool on);
// Switches stay-on-top away from `currentlyOn` (the menu passes its check mark, the
// tool button the stored mode), then shows the status line and saves.
void ToggleStayOnTop(Program& p, bool currentlyOn);

// Start with Windows: shows AutoRunOn on the tool button and the menu item.
void ShowAutoRun(Program& p);
// Writes (with the executable's quoted path and an enabled StartupApproved record) or deletes
// (with its record) the program's own Run value, then sets and shows the mode. A refused
// write raises "Failed to set data for 'Trelvix'" and changes nothing.
void SetAutoRun(Program& p, bool on);
// Switches start-with-Windows (the menu item and the tool button alike) and saves.
void ToggleAutoRun(Program& p);

} // namespace trelvix
