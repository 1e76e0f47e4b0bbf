#include "app/WindowModes.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "app/StatusLine.h"
#include "autostart/RunEntries.h"
#include "autostart/StartupApproved.h"
#include "toolkit/RegistryObject.h"

namespace trelvix {

namespace {
constexpr const char* RunValue = "Trelvix";
constexpr const char* StayOnTopOnHint = "Stay On Top is Active. Trelvix is over other Windows.";
constexpr const char* StayOnTopOffHint =
    "Stay On Top is Not Active. Trelvix is under other Windows.";
constexpr const char* AutoRunOnHint = "AutoRun is On. Trelvix Launch when computer is start";
constexpr const char* AutoRunOffHint = "AutoRun is Off. Trelvix dont launch when computer is start";
} // namespace

void SetStayOnTop(Program& p, bool on) {
    TMainForm& f = *p.MainForm;
    p.StayOnTop = on;
    f.SetTopmost(on);
    f.SpeedButton7.SetGlyph(LoadResourceGlyph(p, on ? "StayOnTop.bmp" : "StayOnBack.bmp"));
    f.SpeedButton7.SetHint(on ? StayOnTopOnHint : StayOnTopOffHint);
    f.StayOnTop1.SetChecked(on);
    f.Repaint();
}

void ToggleStayOnTop(Program& p, bool currentlyOn) {
    SetStayOnTop(p, !currentlyOn);
    ComposeStatusLine(p);
    SaveSettings(p);
}

void ShowAutoRun(Program& p) {
    TMainForm& f = *p.MainForm;
    f.AutoRun1.SetChecked(p.AutoRunOn);
    f.SpeedButton8.SetGlyph(LoadResourceGlyph(p, p.AutoRunOn ? "AutoRun.bmp" : "NoAutoRun.bmp"));
    f.SpeedButton8.SetHint(p.AutoRunOn ? AutoRunOnHint : AutoRunOffHint);
    f.Repaint();
}

void SetAutoRun(Program& p, bool on) {
    {
        port::Registry& registry = p.Ports.registry;
        tk::RegistryObject reg(registry, port::RegRoot::CurrentUser);
        tk::RegistryObject approved(registry, port::RegRoot::CurrentUser, port::RegView::Bits64);
        reg.OpenKey(RunKey, true);
        const std::string approvedKey =
            StartupApprovedKey(port::RegRoot::CurrentUser, port::RegView::Bits64);
        if (on) {
            // Quoted: Windows runs an unquoted path with blanks as its first word.
            reg.WriteString(RunValue, '"' + p.Ports.system.ExecutablePath() + '"');
            // A record left disabled by Windows' startup manager would keep Windows from
            // starting the program; without the record the value is taken back.
            try {
                approved.OpenKey(approvedKey, true);
                approved.WriteBinaryData(RunValue, EnabledRecord());
            } catch (...) {
                (void)reg.DeleteValue(RunValue);
                throw;
            }
        } else {
            (void)reg.DeleteValue(RunValue);
            if (approved.OpenKey(approvedKey, false))
                (void)approved.DeleteValue(RunValue);
        }
    }
    // Only after the key took the change: a refused write raises above and leaves the
    // mode, glyph, hint and check mark as they were.
    p.AutoRunOn = on;
    ShowAutoRun(p);
}

void ToggleAutoRun(Program& p) {
    SetAutoRun(p, !p.AutoRunOn);
    SaveSettings(p);
}

} // namespace trelvix
