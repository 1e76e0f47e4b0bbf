#include "app/ProceduresOfOthers.h"

#include "app/ProceduresOfReestr.h"
#include "app/ProceduresWhatRazdelisAvailable.h"
#include "app/Program.h"
#include "autostart/ProceduresOfAutoStart.h"
#include "disks/ProceduresOfDisks.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

namespace trelvix {

namespace {
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* RunValue = "Trelvix";
constexpr const char* StayOnTopOnHint = "Stay On Top is Active. Trelvix is over other Windows.";
constexpr const char* StayOnTopOffHint =
    "Stay On Top is Not Active. Trelvix is under other Windows.";
constexpr const char* AutoRunOnHint = "AutoRun is On. Trelvix Launch when computer is start";
constexpr const char* AutoRunOffHint = "AutoRun is Off. Trelvix dont launch when computer is start";
} // namespace

// ---- Pictures from .\Resource\ ----

std::string ResourcePath(Program& p, const std::string& file) {
    std::string exe = p.Ports.system.ExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1) + ".\\Resource\\" + file;
}

tk::Bitmap LoadResourceGlyph(Program& p, const std::string& file) {
    std::string path = ResourcePath(p, file);
    std::string reason;
    auto image = p.Ports.bitmaps.LoadFile(path, reason);
    // A missing picture is reported once; the work that wanted it goes on without it.
    if (image == nullptr && p.ReportedGlyphFailures.insert(file).second)
        p.App.ShowException(tk::EFOpenError(path, reason));
    return tk::Bitmap{file, image};
}

void ShowBusy(Program& p) {
    p.MainForm->SpeedButton1.SetGlyph(LoadResourceGlyph(p, "On.bmp"));
    p.MainForm->SpeedButton1.Repaint();
}

void ShowIdle(Program& p) {
    p.MainForm->SpeedButton1.SetGlyph(LoadResourceGlyph(p, "Off.bmp"));
    p.MainForm->SpeedButton1.Repaint();
}

// ---- Refresh cycle ----

void RefreshAll(Program& p) {
    ShowWindowsUptime(p);
    RefreshDrivePickers(p);
    p.TraySummary.clear();
    ShowBusy(p);
    RefreshDrives(p);
    ShowIdle(p);
    p.MainForm->TrayIcon1.SetHint(p.TraySummary);
}

void RefreshDrives(Program& p) {
    ShowBusy(p);
    SurveyFixedDrives(p);
    LayOutDriveGroups(p);
    ShowIdle(p);
    ReselectDriveLists(p);
}

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

void EnsureTempFolder(Program& p) {
    std::string temp = p.Ports.files.TempPath();
    if (!temp.empty())
        p.Ports.files.CreateDirectory(temp);
}

void ShowWindowsUptime(Program& p) {
    // The 64-bit tick count: the text keeps counting past 49.7 days instead of
    // starting again from 0:00:00. Hours are not wrapped into days.
    const std::uint64_t seconds = p.Ports.system.TickCount() / 1000;
    auto twoDigits = [](std::uint64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    p.MainForm->Label23.SetCaption(std::to_string(seconds / 3600) + ":" +
                                   twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60));
}

// ---- Window modes ----

void SetTopmost(Program& p) {
    p.MainForm->SetTopmost(true);
}

void SetNotTopmost(Program& p) {
    p.MainForm->SetTopmost(false);
}

void SetZOrderFromStayOnTop(Program& p) {
    if (p.StayOnTop)
        SetTopmost(p);
    else
        SetNotTopmost(p);
}

void ApplyStayOnTop(Program& p) {
    TMainForm& f = *p.MainForm;
    if (p.StayOnTop) {
        f.SpeedButton7.SetGlyph(LoadResourceGlyph(p, "StayOnTop.bmp"));
        f.Repaint();
        SetTopmost(p);
        f.StayOnTop1.SetChecked(true);
        f.SpeedButton7.SetHint(StayOnTopOnHint);
    } else {
        SetNotTopmost(p);
        f.StayOnTop1.SetChecked(false);
        f.SpeedButton7.SetGlyph(LoadResourceGlyph(p, "StayOnBack.bmp"));
        f.Repaint();
        f.SpeedButton7.SetHint(StayOnTopOffHint);
    }
}

void ApplyAutoRun(Program& p) {
    TMainForm& f = *p.MainForm;
    f.AutoRun1.SetChecked(p.AutoRunOn);
    f.SpeedButton8.SetGlyph(LoadResourceGlyph(p, p.AutoRunOn ? "AutoRun.bmp" : "NoAutoRun.bmp"));
    f.SpeedButton8.SetHint(p.AutoRunOn ? AutoRunOnHint : AutoRunOffHint);
    f.Repaint();
}

namespace {
void SwitchStayOnTop(Program& p, bool on) {
    TMainForm& f = *p.MainForm;
    if (on)
        SetTopmost(p);
    else
        SetNotTopmost(p);
    p.StayOnTop = on;
    f.SpeedButton7.SetGlyph(LoadResourceGlyph(p, on ? "StayOnTop.bmp" : "StayOnBack.bmp"));
    f.SpeedButton7.SetHint(on ? StayOnTopOnHint : StayOnTopOffHint);
    f.StayOnTop1.SetChecked(on);
}

// Writes or deletes the program's own Run value; the glyph, hint and mark follow.
void SwitchAutoRun(Program& p, bool on) {
    TMainForm& f = *p.MainForm;
    p.AutoRunOn = on;
    {
        tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
        reg.OpenKey(RunKey, true);
        if (on)
            reg.WriteString(RunValue, p.Ports.system.ExecutablePath());
        else
            (void)reg.DeleteValue(RunValue);
    }
    f.SpeedButton8.SetGlyph(LoadResourceGlyph(p, on ? "AutoRun.bmp" : "NoAutoRun.bmp"));
    f.SpeedButton8.SetHint(on ? AutoRunOnHint : AutoRunOffHint);
    f.AutoRun1.SetChecked(on);
}
} // namespace

void ToggleStayOnTopFromMenu(Program& p) {
    SwitchStayOnTop(p, !p.MainForm->StayOnTop1.Checked());
    ComposeStatusLine(p);
    SaveSettings(p);
}

void ToggleStayOnTopFromButton(Program& p) {
    SwitchStayOnTop(p, !p.StayOnTop);
    p.MainForm->Repaint();
    ComposeStatusLine(p);
    SaveSettings(p);
}

void ToggleAutoRunFromMenu(Program& p) {
    // The menu item flips its own mark first; a refused write leaves it flipped.
    p.MainForm->AutoRun1.SetChecked(!p.MainForm->AutoRun1.Checked());
    SwitchAutoRun(p, !p.AutoRunOn);
    SaveSettings(p);
}

void ToggleAutoRunFromButton(Program& p) {
    SwitchAutoRun(p, !p.AutoRunOn);
    p.MainForm->Repaint();
    SaveSettings(p);
}

} // namespace trelvix
