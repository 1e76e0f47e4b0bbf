#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using port::mb::IdNo;
using port::mb::IdYes;

constexpr const char* ImpossibleMinute =
    "Choose a date and time that exist and have not passed yet.";
constexpr const char* SettingsKey = "SOFTWARE\\Ostrand\\tvx";

// What the page shows, compared as a whole: ShutDownPlanned, the fields (Enabled, Locked or
// a mix), each arm button's caption, enabled state and glyph, and the status line's last item.
enum class Fields { Enabled, Locked, Mixed };
using Face = std::tuple<bool, Fields, std::string, bool, std::string, std::string, bool,
                        std::string, std::string>;

// The captions the program sets end in "Time", the ones it starts with in "time".
Face Idle(const char* shutDownEnding = "time", const char* hibernateEnding = "time") {
    const std::string shutDown = std::string("Now not ShutDown Computer at this ") + shutDownEnding;
    const std::string hibernate =
        std::string("Now not Hibernate Computer at this ") + hibernateEnding;
    return {false, Fields::Enabled,   shutDown,      true, "NotShutDown.bmp", hibernate,
            true,  "NotShutDown.bmp", "ShutDown=No;"};
}
Face ShutDownArmed() {
    return {true,  Fields::Locked,    "Now ShutDown Computer at this Time",
            true,  "ShutDown.bmp",    "Now not Hibernate Computer at this time",
            false, "NotShutDown.bmp", "ShutDown=Yes;"};
}
Face HibernateArmed() {
    return {true,  Fields::Locked,    "Now not ShutDown Computer at this time",
            false, "NotShutDown.bmp", "Now Hibernate Computer at this Time",
            true,  "ShutDown.bmp",    "ShutDown=Yes;"};
}

struct Schedule {
    fakes::TestProgram t;

    // 6 December 2026, 14:29:58.
    Schedule() {
        t.fake.system.now = {2026, 12, 6, 14, 29, 58, 0, 0};
        t.Start();
    }
    trelvix::TMainForm& F() { return t.Main(); }
    trelvix::Program& P() { return t.P(); }

    Face FaceNow() {
        auto& f = F();
        const tk::Control* fields[] = {&f.Edit1,     &f.SpinButton1, &f.ComboBox1, &f.ComboBox2,
                                       &f.ComboBox3, &f.ComboBox4,   &f.Button2};
        bool allEnabled = true, allDisabled = true;
        for (const tk::Control* c : fields) {
            allEnabled &= c->Enabled();
            allDisabled &= !c->Enabled();
        }
        const std::string& line = f.StatusBar1.SimpleText();
        return {P().ShutDownPlanned,
                allEnabled ? Fields::Enabled : (allDisabled ? Fields::Locked : Fields::Mixed),
                f.BitBtn4.Caption(),
                f.BitBtn4.Enabled(),
                f.BitBtn4.Glyph().name,
                f.BitBtn25.Caption(),
                f.BitBtn25.Enabled(),
                f.BitBtn25.Glyph().name,
                line.substr(line.rfind(' ') + 1)};
    }

    // The user types into the five fields.
    void Choose(const std::string& year, const std::string& month, const std::string& day,
                const std::string& hour, const std::string& minute) {
        F().Edit1.SetText(year);
        F().ComboBox1.TypeText(month);
        F().ComboBox2.TypeText(day);
        F().ComboBox3.TypeText(hour);
        F().ComboBox4.TypeText(minute);
    }
    void ClickAnswering(tk::BitBtn& button, int answer) {
        t.fake.desktop.answers.push_back(answer);
        button.Click();
    }
    // The clock reads this time of the same day, and the five-second check runs.
    void CheckAt(int hour, int minute, int second) {
        t.fake.system.now.hour = hour;
        t.fake.system.now.minute = minute;
        t.fake.system.now.second = second;
        F().Timer2ShutDown.Tick();
    }
};

TEST(ShutdownSchedule, StartsIdleWithTheCurrentMinuteAndUpdateTakesTheClockAgain) {
    Schedule s;
    auto& f = s.F();
    EXPECT_EQ(s.FaceNow(), Idle());
    EXPECT_EQ(std::tuple(f.Edit1.Text(), f.ComboBox1.Text(), f.ComboBox2.Text(), f.ComboBox3.Text(),
                         f.ComboBox4.Text()),
              std::tuple("2026", "12", "6", "14", "29"));

    s.t.fake.system.now = {2027, 1, 2, 3, 4, 5, 0, 6};
    f.Button2.Click();
    EXPECT_EQ(std::tuple(s.P().Schedule.ScheduledYear, f.ComboBox1.Text(), f.ComboBox2.Text(),
                         f.ComboBox3.Text(), f.ComboBox4.Text()),
              std::tuple("2027", "1", "2", "3", "4"));
}

// The settings are saved before the machine goes off; settings that cannot be written are
// reported once the system has answered, and do not keep the machine on.
TEST(ShutdownSchedule, ShutdownFiresInItsMinuteAfterTheSettingsAreSaved) {
    for (bool writable : {true, false}) {
        SCOPED_TRACE(writable);
        Schedule s;
        auto& f = s.F();
        s.Choose("2026", "12", "06", "14", "030"); // leading zeros mean the same numbers
        s.ClickAnswering(f.BitBtn4, IdYes);
        ASSERT_EQ(s.t.fake.desktop.boxes.size(), 1u);
        EXPECT_EQ(s.t.fake.desktop.boxes[0].flags, 0x134u) << "No is the default answer";
        EXPECT_EQ(s.FaceNow(), ShutDownArmed());

        s.CheckAt(14, 29, 59);
        EXPECT_TRUE(s.t.fake.power.calls.empty());

        s.t.fake.registry.At(port::RegRoot::CurrentUser, SettingsKey).refuseWrites = !writable;
        const int writesBefore = s.t.fake.registry.writes;
        bool timerStopped = false, saved = false;
        std::size_t boxes = 0;
        s.t.fake.power.whileAsked = [&](const std::string& call) {
            if (call != "power off")
                return;
            timerStopped = f.Timer2ShutDown.Interval() == 0;
            saved = s.t.fake.registry.writes > writesBefore;
            boxes = s.t.fake.desktop.boxes.size();
        };
        s.CheckAt(14, 30, 3);
        EXPECT_EQ(s.t.fake.power.calls, (std::vector<std::string>{"privilege", "power off"}));
        EXPECT_EQ(std::tuple(timerStopped, saved, boxes), std::tuple(true, writable, 1u));
        // Shutting down: the page stays as armed until the machine goes off.
        EXPECT_EQ(s.FaceNow(), ShutDownArmed());
        const auto texts = s.t.fake.desktop.Texts();
        ASSERT_EQ(texts.size(), writable ? 1u : 2u);
        EXPECT_EQ(texts.back().find("Failed to set data") != std::string::npos, !writable);
    }
}

TEST(ShutdownSchedule, ArmsOnlyAMinuteThatWillCome) {
    // Year, month, day, hour, minute, armed. The clock reads 6 December 2026, 14:29:58; on
    // 28 March 2027 the clocks skip from 2:00 to 3:00.
    const std::tuple<const char*, const char*, const char*, const char*, const char*, bool>
        cases[] = {
            {"2026", "12", "6", "14", "29", true}, // the current minute
            {"2026", "12", "6", "14", "28", false}, {"2025", "12", "6", "14", "30", false},
            {"2027", "13", "1", "0", "0", false},   {"2027", "4", "31", "0", "0", false},
            {"2027", "2", "29", "0", "0", false},   {"2028", "2", "29", "0", "0", true},
            {"2027", "3", "28", "2", "30", false},  {"2027", "3", "28", "3", "30", true},
            {"2027", "3", "29", "2", "30", true},   {"2027", "1", "1", "24", "0", false},
            {"2027", "1", "1", "0", "60", false},   {"2027", "01", "01", "00", "05", true},
            {"", "1", "1", "0", "0", false},        {"2027", "1", "1", "0", "", false},
            {"2027", "1", "1", "x", "0", false},    {"2027", "1", "1", "-1", "0", false},
            {"2027", "1", "1", " 5", "0", false},
        };
    for (const auto& [year, month, day, hour, minute, armed] : cases) {
        SCOPED_TRACE(std::string(year) + "-" + month + "-" + day + " " + hour + ":" + minute);
        Schedule s;
        s.t.fake.system.skippedHour = port::LocalTime{2027, 3, 28, 2};
        s.Choose(year, month, day, hour, minute);
        s.ClickAnswering(s.F().BitBtn25, IdYes);
        EXPECT_EQ(s.FaceNow(), armed ? HibernateArmed() : Idle());
        ASSERT_EQ(s.t.fake.desktop.Texts().size(), armed ? 1u : 2u);
        EXPECT_EQ(s.t.fake.desktop.Texts().back() == ImpossibleMinute, !armed);
    }
}

// No leaves the choice open; an armed button disarms without a question and locks the other.
TEST(ShutdownSchedule, EveryClickSetsTheModeAndTheArmedButtonDisarmsWithoutAQuestion) {
    Schedule s;
    auto& f = s.F();
    s.Choose("2026", "12", "6", "16", "0");
    Face hibernateArmed = HibernateArmed();
    std::get<2>(hibernateArmed) = "Now not ShutDown Computer at this Time";
    // Button clicked, the answer to its question (0: none asked), the mode and page after;
    // the fourth and seventh clicks are on the locked button.
    const std::tuple<tk::BitBtn*, int, int, Face> steps[] = {
        {&f.BitBtn25, IdNo, 2, Idle()},          {&f.BitBtn4, IdNo, 1, Idle()},
        {&f.BitBtn4, IdYes, 1, ShutDownArmed()}, {&f.BitBtn25, 0, 1, ShutDownArmed()},
        {&f.BitBtn4, 0, 1, Idle("Time")},        {&f.BitBtn25, IdYes, 2, hibernateArmed},
        {&f.BitBtn4, 0, 2, hibernateArmed},      {&f.BitBtn25, 0, 2, Idle("Time", "Time")}};
    for (int step = 0; const auto& [button, answer, mode, face] : steps) {
        SCOPED_TRACE(step++);
        if (answer != 0)
            s.t.fake.desktop.answers.push_back(answer);
        button->Click();
        EXPECT_EQ(s.P().Schedule.PowerActionMode, mode);
        EXPECT_EQ(s.FaceNow(), face);
    }
    EXPECT_EQ(s.t.fake.desktop.Texts().size(), 4u) << "only the four questions";
    s.CheckAt(16, 0, 1);
    EXPECT_TRUE(s.t.fake.power.calls.empty());
    EXPECT_TRUE(s.t.fake.shell.opens.empty());
}

TEST(ShutdownSchedule, HibernationReturnsToIdleBeforeTheMachineHibernates) {
    Schedule s;
    auto& f = s.F();
    s.Choose("2026", "12", "6", "14", "30");
    s.ClickAnswering(f.BitBtn25, IdYes);
    Face whenAsked;
    s.t.fake.power.whileAsked = [&](const std::string&) { whenAsked = s.FaceNow(); };
    s.CheckAt(14, 30, 4);
    EXPECT_EQ(s.t.fake.power.calls, std::vector<std::string>{"hibernate"});
    EXPECT_TRUE(s.t.fake.shell.opens.empty() && s.t.fake.shell.commandLines.empty());
    // The status line catches up at the control timer's next second.
    Face idle = Idle("time", "Time");
    std::get<8>(idle) = "ShutDown=Yes;";
    EXPECT_EQ(whenAsked, idle);
    EXPECT_EQ(f.Timer2ShutDown.Interval(), 0);
    EXPECT_EQ(s.t.fake.desktop.Texts().size(), 1u) << "only the question";

    // The next click starts the checks again.
    s.ClickAnswering(f.BitBtn25, IdNo);
    EXPECT_EQ(f.Timer2ShutDown.Interval(), 5000);
}

// The five-second check wakes the program only while an action is armed.
TEST(ShutdownSchedule, TheCheckRunsOnlyWhileAnActionIsArmed) {
    Schedule s;
    auto& f = s.F();
    s.Choose("2026", "12", "6", "14", "30");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"started", [] {}},
        {"question answered No", [&] { s.ClickAnswering(f.BitBtn4, IdNo); }},
        {"shutdown armed", [&] { s.ClickAnswering(f.BitBtn4, IdYes); }},
        {"shutdown disarmed", [&] { f.BitBtn4.Click(); }},
        {"hibernation armed", [&] { s.ClickAnswering(f.BitBtn25, IdYes); }},
        {"hibernation fired", [&] { s.CheckAt(14, 30, 2); }},
        {"shutdown armed again",
         [&] {
             s.Choose("2026", "12", "6", "14", "31");
             s.ClickAnswering(f.BitBtn4, IdYes);
         }},
        {"its minute missed", [&] { s.CheckAt(14, 33, 0); }},
    };
    const bool running[] = {false, false, true, false, true, false, true, false};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].second();
        EXPECT_EQ(f.Timer2ShutDown.Running(), running[i]) << steps[i].first;
        EXPECT_EQ(f.Timer2ShutDown.Running(), s.P().ShutDownPlanned) << steps[i].first;
    }
}

// With hibernation turned off the system would put the machine to sleep instead: nothing
// is armed, and no question asked; a shutdown is armed as ever beside it.
TEST(ShutdownSchedule, HibernationTurnedOffArmsNothing) {
    const std::tuple<bool, bool, std::vector<std::string>, bool> cases[] = {
        // hibernation allowed, the hibernate button (else shutdown), boxes, armed
        {false, true, {"Hibernation is turned off on this computer."}, false},
        {true, true, {"question"}, true},
        {false, false, {"question"}, true},
    };
    for (const auto& [allowed, hibernate, boxes, armed] : cases) {
        SCOPED_TRACE(std::to_string(allowed) + std::to_string(hibernate));
        Schedule s;
        s.t.fake.power.hibernationAllowed = allowed;
        s.Choose("2026", "12", "6", "14", "30");
        s.ClickAnswering(hibernate ? s.F().BitBtn25 : s.F().BitBtn4, IdYes);
        std::vector<std::string> texts = s.t.fake.desktop.Texts();
        for (std::string& text : texts)
            if (text.starts_with("Do You Really want to"))
                text = "question";
        EXPECT_EQ(texts, boxes);
        EXPECT_EQ(s.FaceNow(), !armed ? Idle() : hibernate ? HibernateArmed() : ShutDownArmed());
        EXPECT_TRUE(s.t.fake.power.calls.empty());
    }
}

// A refusal, or a check that finds the minute over (the program was blocked through it),
// returns to Idle, says why once, and the checks go on.
TEST(ShutdownSchedule, ARefusalOrAMissedMinuteIsShownAndReturnsToIdle) {
    enum class Case { Privilege, PowerOff, Hibernation, HibernationTurnedOff, Missed };
    const char* reason = "A required privilege is not held by the client.";
    const std::string shutDownRefused = std::string("The system refused to shut down: ") + reason;
    const unsigned error = port::mb::Ok | port::mb::IconError;
    const std::tuple<Case, std::string, unsigned, std::vector<std::string>> cases[] = {
        {Case::Privilege, shutDownRefused, error, {"privilege"}},
        {Case::PowerOff, shutDownRefused, error, {"privilege", "power off"}},
        {Case::Hibernation,
         std::string("The system refused to hibernate: ") + reason,
         error,
         {"hibernate"}},
        // Turned off after the action was armed.
        {Case::HibernationTurnedOff, "Hibernation is turned off on this computer.", error, {}},
        {Case::Missed, "The scheduled time has passed; nothing was done.", port::mb::Ok, {}},
    };
    for (const auto& [what, text, flags, calls] : cases) {
        SCOPED_TRACE(text);
        Schedule s;
        if (what == Case::Privilege)
            s.t.fake.power.privilegeRefusal = reason;
        if (what == Case::PowerOff)
            s.t.fake.power.powerOffRefusal = reason;
        if (what == Case::Hibernation)
            s.t.fake.power.hibernateRefusal = reason;
        s.Choose("2026", "12", "6", "14", "30");
        const bool hibernate = what == Case::Hibernation || what == Case::HibernationTurnedOff;
        s.ClickAnswering(hibernate ? s.F().BitBtn25 : s.F().BitBtn4, IdYes);
        s.t.fake.power.hibernationAllowed = what != Case::HibernationTurnedOff;
        s.CheckAt(what == Case::Missed ? 15 : 14, 30, 1);
        EXPECT_EQ(s.t.fake.power.calls, calls);
        ASSERT_EQ(s.t.fake.desktop.Texts().size(), 2u);
        EXPECT_EQ(s.t.fake.desktop.Texts()[1], text);
        EXPECT_EQ(s.t.fake.desktop.boxes[1].flags, flags);
        EXPECT_EQ(s.FaceNow(), hibernate ? Idle("time", "Time") : Idle("Time"));
        EXPECT_EQ(s.F().Timer2ShutDown.Interval(), 5000);
        s.CheckAt(15, 30, 7);
        EXPECT_EQ(s.t.fake.desktop.Texts().size(), 2u) << "said once";
    }
}

TEST(ShutdownSchedule, YearFieldTakesDigitsKeepsFourCharactersAndStepsWithoutBounds) {
    Schedule s;
    auto& f = s.F();
    const std::tuple<char, char> keys[] = {{'5', '5'}, {'0', '0'}, {'a', 0}, {'\b', 0}, {' ', 0}};
    for (const auto& [typed, taken] : keys)
        EXPECT_EQ(f.Edit1.KeyPress(typed), taken) << typed;

    const std::tuple<const char*, const char*> texts[] = {
        {"20245", "2025"},
        {"123456789", "1239"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9xy", "\xC3\xA9\xC3\xA9\xC3\xA9y"},
        {"99", "99"}};
    for (const auto& [typed, shown] : texts) {
        f.Edit1.SetText(typed);
        EXPECT_EQ(std::tuple(f.Edit1.Text(), s.P().Schedule.ScheduledYear),
                  std::tuple(shown, shown));
    }

    // Year text, click up, then the field's text, or the error box's text; 10000 loses its
    // fourth character.
    const std::tuple<const char*, bool, const char*> steps[] = {
        {"2026", true, "2027"},
        {"2026", false, "2025"},
        {"0", false, "-1"},
        {"9999", true, "1000"},
        {"", true, "'' is not a valid integer value."},
        {"20x6", false, "'20x6' is not a valid integer value."}};
    for (const auto& [year, up, result] : steps) {
        const std::size_t boxes = s.t.fake.desktop.boxes.size();
        f.Edit1.SetText(year);
        up ? f.SpinButton1.UpClick() : f.SpinButton1.DownClick();
        const auto texts = s.t.fake.desktop.Texts();
        EXPECT_EQ(texts.size() == boxes ? f.Edit1.Text() : texts.back(), result) << year;
    }
}

} // namespace
