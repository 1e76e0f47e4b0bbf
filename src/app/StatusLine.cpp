#include "app/StatusLine.h"

#include "app/Program.h"

namespace trelvix {

void ComposeStatusLine(Program& p) {
    auto yesNo = [](bool on) { return std::string(on ? "Yes" : "No"); };
    const std::string autoRunText = yesNo(p.AutoRunOn);
    const std::string stayOnTopText = yesNo(p.StayOnTop);
    const std::string shutDownText = yesNo(p.ShutDownPlanned);
    // The unit suffix brings its own leading blank: "Capacity= Mbytes".
    std::string line = p.Interval != 0
                           ? "Trelvix; Interval Of Refreshing=" + std::to_string(p.Interval) +
                                 " sec.;" + " Capacity=" + p.UnitSuffix + ";"
                           : "Trelvix; Interval Of Refreshing=No; Capacity=" + p.UnitSuffix + ";";
    line += " AutoRun=" + autoRunText + "; StayOnTop=" + stayOnTopText +
            "; ShutDown=" + shutDownText + ";";
    TMainForm& f = *p.MainForm;
    f.StatusBar1.SetSimpleText(line);
    port::System& system = p.Ports.system;
    const port::LocalTime now = system.Now();
    f.SpeedButton11.SetCaption(system.FormatShortDate(now) + " " + system.FormatLongTime(now));
}

void ShowStatusNote(Program& p, const std::string& note) {
    TMainForm& f = *p.MainForm;
    f.StatusBar1.SetSecondPartText(note);
    // Off and on again: the five seconds count from this note.
    f.StatusNoteTimer.SetEnabled(false);
    f.StatusNoteTimer.SetEnabled(true);
}

void ClearStatusNote(Program& p) {
    TMainForm& f = *p.MainForm;
    f.StatusNoteTimer.SetEnabled(false);
    // The part shows the progress of work now; the work's end clears it.
    if (!p.ProgressShown)
        f.StatusBar1.SetSecondPartText("");
}

} // namespace trelvix
