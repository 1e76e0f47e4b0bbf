#pragma once

#include <string>

namespace tk {
class Label;
} // namespace tk

namespace trelvix {

class TMainForm;

// The main window's frame, tool bar, page buttons, pages and timers, and the layout of
// each page.
void DesignMainWindow(TMainForm& f);
// Screen readers name a list, a drive picker or a note after the label made just before it:
// those whose label on the screen is a group's caption get a label of no size with that
// caption. After every page is designed.
void NameFieldsByLabels(TMainForm& f);
// Makes `label` the name of the control made next: `name` without its outer blanks, no size.
void NameByLabel(tk::Label& label, const std::string& name);

} // namespace trelvix
