#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

constexpr int SystemPage = 5;

// Writes down which control was told of a change: a native control would be touched.
struct TouchCounter : tk::Peer {
    TouchCounter(std::map<std::string, int>& touched, std::string name)
        : touched(touched), name(std::move(name)) {}
    void Changed(tk::Prop) override { ++touched[name]; }
    void Repaint() override { ++touched[name]; }
    std::map<std::string, int>& touched;
    std::string name;
};

void CountTouches(tk::Form& form, std::map<std::string, int>& touched) {
    form.AttachPeer(std::make_unique<TouchCounter>(touched, form.Name()));
    for (tk::Component* c : form.Components())
        c->AttachPeer(std::make_unique<TouchCounter>(touched, c->Name()));
}

// One second of the machine: every figure the window could show has moved on, and each
// timer of the window that runs fires (one that does not run would send no message).
void PassSecond(fakes::TestProgram& t, int second) {
    auto& system = t.fake.system;
    system.now.second = second;
    system.tickCount += 1000;
    system.memory.memoryLoad = static_cast<std::uint32_t>(10 + second);
    for (tk::Component* c : t.Main().Components())
        if (c->GetKind() == tk::Kind::Timer)
            static_cast<tk::Timer*>(c)->Tick();
}

struct Way {
    const char* name;
    std::function<void(fakes::TestProgram&)> act;
};

const Way Hides[] = {
    {"Escape", [](fakes::TestProgram& t) { t.Main().KeyPress(27); }},
    {"the minimise box", [](fakes::TestProgram& t) { t.P().App.Minimize(); }},
};

const Way Shows[] = {
    {"a click on the tray icon",
     [](fakes::TestProgram& t) {
         t.fake.tray.Send(port::TrayEvent::Kind::ButtonDown);
         t.fake.tray.Send(port::TrayEvent::Kind::ButtonUp);
     }},
    {"the tray menu's System item", [](fakes::TestProgram& t) { t.Main().Reminder1.Click(); }},
    {"a restore of the program", [](fakes::TestProgram& t) { t.P().App.Restore(); }},
};

// Started on the System page: every figure of the window has a place on screen.
void StartOnSystemPage(fakes::TestProgram& t, bool storedHidden) {
    t.Store("IndexOfTab", SystemPage);
    if (storedHidden)
        t.Store("WindowStates", 1);
    t.Start();
}

TEST(ShownFigures, AWindowAwayTouchesNoControlAndItsSecondsStop) {
    struct Row {
        const char* away;
        bool storedHidden;
        const Way* hide;
    };
    const Row rows[] = {{"Escape", false, &Hides[0]},
                        {"the minimise box", false, &Hides[1]},
                        {"stored as hidden in the tray", true, nullptr}};
    for (const Row& row : rows) {
        fakes::TestProgram t;
        StartOnSystemPage(t, row.storedHidden);
        if (row.hide != nullptr)
            row.hide->act(t);
        ASSERT_FALSE(t.Main().OnScreen()) << row.away;
        std::map<std::string, int> touched;
        CountTouches(t.Main(), touched);
        t.P().AutoRunOn = !t.P().AutoRunOn;
        for (int second = 1; second <= 5; ++second)
            PassSecond(t, second);
        EXPECT_TRUE(touched.empty()) << row.away << ": " << touched.begin()->first;
        EXPECT_FALSE(t.Main().TimerControl.Running()) << row.away;
        EXPECT_FALSE(t.Main().Timer2ShutDown.Running()) << row.away << ": nothing is armed";
    }
}

TEST(ShownFigures, ShownAgainEveryFigureIsCurrentAtOnce) {
    for (bool storedHidden : {false, true})
        for (const Way& show : Shows) {
            fakes::TestProgram t;
            StartOnSystemPage(t, storedHidden);
            if (!storedHidden)
                Hides[0].act(t);
            t.P().AutoRunOn = true;
            PassSecond(t, 1);
            PassSecond(t, 2);
            t.fake.system.tickCount = 93787000;
            show.act(t);
            // No tick in between: what the user sees first is already current.
            auto& f = t.Main();
            const std::string where = show.name + std::string(storedHidden ? ", stored" : "");
            ASSERT_TRUE(f.OnScreen()) << where;
            EXPECT_NE(f.StatusBar1.SimpleText().find("AutoRun=Yes;"), std::string::npos) << where;
            EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:02") << where;
            EXPECT_EQ(f.Label10.Caption(), "Memory Load - 12%") << where;
            EXPECT_EQ(f.Label23.Caption(), "26:03:07") << where;
            EXPECT_TRUE(f.TimerControl.Running()) << where;
        }
}

// While the window shows, its seconds go on; the System page's figures follow the clock while
// that page is the one shown, and are current the moment it is chosen.
TEST(ShownFigures, OnScreenTheFiguresOnViewFollowTheClock) {
    fakes::TestProgram t;
    t.Start();
    auto& f = t.Main();
    const std::string memoryAtStart = f.Label10.Caption();
    PassSecond(t, 1);
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:01");
    EXPECT_EQ(f.Label10.Caption(), memoryAtStart) << "its page is not shown";
    const std::pair<const char*, std::function<void()>> choices[] = {
        {"page button", [&] { f.SpeedButton18.Click(); }},
        {"tab", [&] { f.Disks.SelectTab(SystemPage); }},
        {"Forward from the Stopwatch",
         [&] {
             f.SelectPage(SystemPage - 1);
             f.SpeedButton3.Click();
         }},
        {"Back from AutoStart",
         [&] {
             f.SelectPage(SystemPage + 1);
             f.SpeedButton2.Click();
         }},
    };
    int second = 2;
    for (const auto& [name, choose] : choices) {
        f.SelectPage(0);
        t.fake.system.memory.memoryLoad = static_cast<std::uint32_t>(40 + second);
        t.fake.system.tickCount = static_cast<std::uint64_t>(second) * 1000;
        choose();
        EXPECT_EQ(f.Label10.Caption(), "Memory Load - " + std::to_string(40 + second) + "%")
            << name;
        EXPECT_EQ(f.Label23.Caption(), "0:00:0" + std::to_string(second)) << name;
        ++second;
    }
    PassSecond(t, 7);
    EXPECT_EQ(f.Label10.Caption(), "Memory Load - 17%");
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:07");
}

// Away in the tray, the work that is not for the window's eyes goes on: the timed refresh
// that feeds the tray's tip, the temporary folder put back, the stopwatch's count.
TEST(ShownFigures, AwayTheWorkBeyondTheWindowGoesOn) {
    fakes::TestProgram t;
    constexpr std::int64_t MB = 1048576;
    t.fake.drives.drives['C'] = {
        port::DriveType::Fixed, {true, "SYS", "NTFS"}, {8192 * MB, 2048 * MB}};
    t.Store("Interval", 1);
    auto& p = t.Start();
    auto& f = t.Main();
    f.BitBtn6.Click(); // the stopwatch starts
    f.KeyPress(27);
    ASSERT_FALSE(f.OnScreen());
    const std::string tipBefore = f.TrayIcon1.Hint();
    t.fake.drives.drives['C'].space.free -= 1024 * MB;
    const auto made = t.fake.files.created.size();
    for (int second = 1; second <= 3; ++second)
        PassSecond(t, second);
    EXPECT_NE(f.TrayIcon1.Hint(), tipBefore) << "the tip follows the drives";
    EXPECT_EQ(t.fake.files.created.size() - made, 3u) << "the folder each second";
    EXPECT_EQ(p.StopWatch.StopWatchSeconds, 3);
}

} // namespace
