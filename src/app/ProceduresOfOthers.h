#pragma once

#include "toolkit/Controls.h"

#include <string>

namespace trelvix {

class Program;

// Reads executable directory + ".\Resource\" + `file`. A file that cannot be read
// is reported with the standard error box once per run and yields no picture.
tk::Bitmap LoadResourceGlyph(Program& p, const std::string& file);
// The path LoadResourceGlyph reads.
std::string ResourcePath(Program& p, const std::string& file);

// The busy glyph of the Refresh button, painted at once.
void ShowBusy(Program& p);
void ShowIdle(Program& p);

void RefreshAll(Program& p);
void RefreshDrives(Program& p);
void ComposeStatusLine(Program& p);
void EnsureTempFolder(Program& p);
void ShowWindowsUptime(Program& p);

// The main window's z-order.
void SetTopmost(Program& p);
void SetNotTopmost(Program& p);
// Re-asserts the z-order from StayOnTop.
void SetZOrderFromStayOnTop(Program& p);

// Start-up: shows the stored stay-on-top state and the detected start-with-Windows
// state on their menu items and tool buttons.
void ApplyStayOnTop(Program& p);
void ApplyAutoRun(Program& p);

// The window modes, switched from the menu (deciding from the item's check mark)
// or from the tool buttons (deciding from the stored state).
void ToggleStayOnTopFromMenu(Program& p);
void ToggleStayOnTopFromButton(Program& p);
void ToggleAutoRunFromMenu(Program& p);
void ToggleAutoRunFromButton(Program& p);

} // namespace trelvix
