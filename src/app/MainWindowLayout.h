#pragma once

namespace trelvix {

class TMainForm;

// The main window's frame, tool bar, page buttons, pages and timers, and the layout of
// each page.
void DesignMainWindow(TMainForm& f);

} // namespace trelvix
