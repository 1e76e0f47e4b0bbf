#pragma once

namespace trelvix {

class Program;

// The figures that only the window shows (the status line and the clock, the memory figures
// and the uptime of the System page) are composed while a user can see them and not
// otherwise: the window away in the tray sets no text and wakes no timer for them, and what
// comes into view is current at once.

// The window came back on screen or went away.
void MainWindowScreenChanged(Program& p);
// The page shown in `Disks` changed: the System page's figures are current at once.
void PageShownChanged(Program& p);
// TimerControl's second: the status line and clock, and the memory figures on view.
void ShowSecondFigures(Program& p);
// The uptime, when the System page is on view.
void ShowUptimeOnView(Program& p);

} // namespace trelvix
