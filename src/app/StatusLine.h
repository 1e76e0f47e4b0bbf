#pragma once

#include <string>

namespace trelvix {

class Program;

// The status line summing up the settings, and the date and time on the tool bar.
void ComposeStatusLine(Program& p);

// A passing note in the status bar's second part, such as why an action did nothing: shown
// at once, cleared by StatusNoteTimer five seconds after the last note. Work that reports
// its progress there (WorkProgress) takes the part over from a note.
void ShowStatusNote(Program& p, const std::string& note);
// StatusNoteTimer's work: the bar is one panel again.
void ClearStatusNote(Program& p);

} // namespace trelvix
