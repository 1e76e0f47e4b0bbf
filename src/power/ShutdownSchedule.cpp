#include "power/ShutdownSchedule.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "app/StatusLine.h"
#include "toolkit/Errors.h"

#include <charconv>
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

namespace trelvix {

namespace {

constexpr int CheckPeriod = 5000;
constexpr unsigned WarningFlags =
    port::mb::YesNo | port::mb::IconExclamation | port::mb::DefButton2; // 0x134
constexpr const char* WarningCaption = "Warning!";
constexpr const char* ImpossibleMinuteText =
    "Choose a date and time that exist and have not passed yet.";
constexpr const char* MissedMinuteText = "The scheduled time has passed; nothing was done.";
constexpr const char* PowerOffRefusedText = "The system refused to shut down: ";
constexpr const char* HibernationRefusedText = "The system refused to hibernate: ";
constexpr const char* HibernationOffText = "Hibernation is turned off on this computer.";

// What tells the two actions apart on the page.
struct ActionFace {
    tk::BitBtn& button;
    tk::BitBtn& other;
    const char* armedCaption;
    const char* idleCaption;
    const char* question;
};

ActionFace FaceOf(TMainForm& f, PowerAction action) {
    if (action == PowerAction::ShutDown)
        return {f.BitBtn4, f.BitBtn25, "Now ShutDown Computer at this Time",
                "Now not ShutDown Computer at this Time",
                "Do You Really want to ShutDown Computer at this time? \r Press Yes for "
                "Agreement, or No for Cancel"};
    return {f.BitBtn25, f.BitBtn4, "Now Hibernate Computer at this Time",
            "Now not Hibernate Computer at this Time",
            "Do You Really want to Hibernate Computer at this time? \r Press Yes for Agreement, "
            "or No for Cancel"};
}

// The date and time controls, locked while an action is armed.
void EnableFields(TMainForm& f, bool enabled) {
    tk::Control* fields[] = {&f.Edit1,     &f.SpinButton1, &f.ComboBox1, &f.ComboBox2,
                             &f.ComboBox3, &f.ComboBox4,   &f.Button2};
    for (tk::Control* field : fields)
        field->SetEnabled(enabled);
}

// ---- The chosen minute ----

// Digits only, leading zeros allowed ("05" is 5).
std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<LocalMinute> ChosenMinute(const TMainForm& f) {
    const auto year = WholeNumber(f.Edit1.Text()), month = WholeNumber(f.ComboBox1.Text()),
               day = WholeNumber(f.ComboBox2.Text()), hour = WholeNumber(f.ComboBox3.Text()),
               minute = WholeNumber(f.ComboBox4.Text());
    if (!year || !month || !day || !hour || !minute)
        return std::nullopt;
    return LocalMinute{*year, *month, *day, *hour, *minute};
}

LocalMinute MinuteOf(const port::LocalTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute};
}

int DaysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// A date of the calendar the system's clock can hold, and a time of day.
bool OnTheCalendar(const LocalMinute& m) {
    return m.year >= 1601 && m.year <= 30827 && m.month >= 1 && m.month <= 12 && m.day >= 1 &&
           m.day <= DaysInMonth(m.year, m.month) && m.hour >= 0 && m.hour <= 23 && m.minute >= 0 &&
           m.minute <= 59;
}

// The clock shows this minute some day: it is on the calendar and not skipped by a change
// to daylight-saving time (such a time comes back from the system's conversion changed).
bool ClockReaches(port::System& system, const LocalMinute& m) {
    if (!OnTheCalendar(m))
        return false;
    const auto universal = system.LocalToUniversal({m.year, m.month, m.day, m.hour, m.minute});
    if (!universal)
        return false;
    const auto local = system.UniversalToLocal(*universal);
    return local && MinuteOf(*local) == m;
}

// ---- Arming and disarming ----

void ReturnToIdle(Program& p, PowerAction action) {
    TMainForm& f = *p.MainForm;
    const ActionFace face = FaceOf(f, action);
    EnableFields(f, true);
    face.button.SetCaption(face.idleCaption);
    face.other.SetEnabled(true);
    p.ShutDownPlanned = false;
    // Nothing to check for until an action is armed again.
    f.Timer2ShutDown.SetEnabled(false);
    ShowNotArmedGlyphs(p);
}

void Arm(Program& p, PowerAction action, const LocalMinute& target) {
    TMainForm& f = *p.MainForm;
    ShutdownScheduleState& s = p.Schedule;
    s.ScheduledYear = f.Edit1.Text();
    s.ScheduledMonth = f.ComboBox1.Text();
    s.ScheduledDay = f.ComboBox2.Text();
    s.ScheduledHour = f.ComboBox3.Text();
    s.ScheduledMinute = f.ComboBox4.Text();
    s.Target = target;
    p.ShutDownPlanned = true;
    f.Timer2ShutDown.SetEnabled(true);
    const ActionFace face = FaceOf(f, action);
    EnableFields(f, false);
    face.other.SetEnabled(false);
    face.button.SetCaption(face.armedCaption);
    face.button.SetGlyph(LoadResourceGlyph(p, "ShutDown.bmp"));
}

// Arms only a minute that will come: one the clock reaches, not earlier than the current one.
void ArmIfPossible(Program& p, PowerAction action) {
    port::System& system = p.Ports.system;
    const std::optional<LocalMinute> target = ChosenMinute(*p.MainForm);
    if (!target || !ClockReaches(system, *target) || *target < MinuteOf(system.Now())) {
        p.App.ShowNotice(ImpossibleMinuteText);
        return;
    }
    Arm(p, action, *target);
}

// ---- Firing ----

// The page is back to Idle before the box opens: the checks go on under it.
void Refuse(Program& p, PowerAction action, const std::string& text) {
    p.MainForm->Timer2ShutDown.SetInterval(CheckPeriod);
    ReturnToIdle(p, action);
    ComposeStatusLine(p);
    p.App.ShowException(tk::Exception(text));
}

void ShutDownNow(Program& p) {
    std::string reason;
    if (!p.Ports.power.EnableShutdownPrivilege(reason)) {
        Refuse(p, PowerAction::ShutDown, PowerOffRefusedText + reason);
        return;
    }
    p.MainForm->Timer2ShutDown.SetInterval(0);
    // Settings that cannot be written must not keep the machine on: the error is shown
    // once the system has answered.
    std::exception_ptr saveError;
    try {
        SaveSettings(p);
    } catch (...) {
        saveError = std::current_exception();
    }
    if (!p.Ports.power.PowerOff(reason))
        Refuse(p, PowerAction::ShutDown, PowerOffRefusedText + reason);
    if (saveError)
        std::rethrow_exception(saveError);
}

// Hibernation may have been turned off since the action was armed: without it the system
// would put the machine to sleep instead.
void HibernateNow(Program& p) {
    port::Power& power = p.Ports.power;
    if (!power.HibernationAllowed()) {
        Refuse(p, PowerAction::Hibernate, HibernationOffText);
        return;
    }
    p.MainForm->Timer2ShutDown.SetInterval(0);
    ReturnToIdle(p, PowerAction::Hibernate);
    std::string reason;
    if (!power.Hibernate(reason))
        Refuse(p, PowerAction::Hibernate, HibernationRefusedText + reason);
}

// A check that finds the chosen minute over (the program blocked, the machine asleep)
// does not fire late.
void GiveUpMissedMinute(Program& p, PowerAction action) {
    ReturnToIdle(p, action);
    ComposeStatusLine(p);
    p.App.ShowNotice(MissedMinuteText);
}

// StrToInt: an optional sign and decimal digits, within 32 bits.
std::int32_t IntegerOf(const std::string& text) {
    const std::string digits = !text.empty() && text.front() == '+' ? text.substr(1) : text;
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end)
        throw tk::EConvertError(text);
    return value;
}

// Where each character of UTF-8 `text` begins.
std::vector<size_t> CharacterStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    return starts;
}

} // namespace

void FillDateTimeNow(Program& p) {
    const port::LocalTime now = p.Ports.system.Now();
    ShutdownScheduleState& s = p.Schedule;
    s.ScheduledYear = std::to_string(now.year);
    s.ScheduledMonth = std::to_string(now.month);
    s.ScheduledDay = std::to_string(now.day);
    s.ScheduledHour = std::to_string(now.hour);
    s.ScheduledMinute = std::to_string(now.minute);
    TMainForm& f = *p.MainForm;
    f.Edit1.SetText(s.ScheduledYear);
    f.ComboBox1.SetText(s.ScheduledMonth);
    f.ComboBox2.SetText(s.ScheduledDay);
    f.ComboBox3.SetText(s.ScheduledHour);
    f.ComboBox4.SetText(s.ScheduledMinute);
}

void ShowNotArmedGlyphs(Program& p) {
    const tk::Bitmap glyph = LoadResourceGlyph(p, "NotShutDown.bmp");
    p.MainForm->BitBtn4.SetGlyph(glyph);
    p.MainForm->BitBtn25.SetGlyph(glyph);
}

void CheckScheduledPowerAction(Program& p) {
    if (!p.ShutDownPlanned)
        return;
    const LocalMinute now = MinuteOf(p.Ports.system.Now());
    const LocalMinute target = p.Schedule.Target;
    if (now < target)
        return;
    const auto action = p.Schedule.PowerActionMode == static_cast<int>(PowerAction::ShutDown)
                            ? PowerAction::ShutDown
                            : PowerAction::Hibernate;
    if (target < now)
        GiveUpMissedMinute(p, action);
    else if (action == PowerAction::ShutDown)
        ShutDownNow(p);
    else
        HibernateNow(p);
}

void FilterYearKey(char& key) {
    if (key < '0' || key > '9')
        key = 0;
}

void YearChanged(Program& p) {
    TMainForm& f = *p.MainForm;
    std::string year = f.Edit1.Text();
    // Removing the fourth character raises the change again, until four remain: what is
    // left is the first three and the last. Done in one go, so a long paste cannot
    // recurse deeply.
    const std::vector<size_t> starts = CharacterStarts(year);
    if (starts.size() > 4)
        year = year.substr(0, starts[3]) + year.substr(starts.back());
    p.Schedule.ScheduledYear = year;
    f.Edit1.SetText(year);
}

void StepYear(Program& p, int step) {
    const std::int32_t year = IntegerOf(p.Schedule.ScheduledYear) + step;
    p.Schedule.ScheduledYear = std::to_string(year);
    p.MainForm->Edit1.SetText(p.Schedule.ScheduledYear);
}

void ArmButtonClick(Program& p, PowerAction action) {
    TMainForm& f = *p.MainForm;
    f.Timer2ShutDown.SetInterval(CheckPeriod);
    p.Schedule.PowerActionMode = static_cast<int>(action);
    if (p.ShutDownPlanned)
        ReturnToIdle(p, action);
    else if (action == PowerAction::Hibernate && !p.Ports.power.HibernationAllowed())
        p.App.ShowNotice(HibernationOffText);
    else if (p.App.MessageBox(FaceOf(f, action).question, WarningCaption, WarningFlags) ==
             port::mb::IdYes)
        ArmIfPossible(p, action);
    ComposeStatusLine(p);
}

} // namespace trelvix
