#include "app/Settings.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using port::RegRoot;
constexpr const char* Key = "SOFTWARE\\Ostrand\\tvx";

const std::vector<std::string> SaveOrder = {"Interval",
                                            "IntervalFlag",
                                            "ChangeOfBytes",
                                            "TopForm",
                                            "LeftForm",
                                            "WindowStates",
                                            "IndexOfTab",
                                            "IndexOfTabOptions",
                                            "StayOnTop",
                                            "ControlPanelIndex",
                                            "AdministrativeToolsIndex",
                                            "UsefulToolsIndex",
                                            "IndexOfTemp",
                                            "IndexOfRemoveable",
                                            "IndexOfFreeTemp",
                                            "LowSpaceGB",
                                            "WatchAutoStart"};

TEST(Settings, FirstRunWritesTheSeventeenDefaults) {
    fakes::TestProgram t;
    auto& p = t.Start();
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, Key), SaveOrder);
    const std::pair<const char*, std::int64_t> defaults[] = {
        {"Interval", 0},        {"IntervalFlag", 0}, {"ChangeOfBytes", 1048576}, {"TopForm", 30},
        {"LeftForm", 30},       {"WindowStates", 0}, {"IndexOfTab", 0},          {"StayOnTop", 0},
        {"IndexOfFreeTemp", 0}, {"LowSpaceGB", 5},   {"WatchAutoStart", 1}};
    for (auto [name, value] : defaults)
        EXPECT_EQ(t.Stored(name), value) << name;
    EXPECT_EQ(p.MainForm->Top(), 30);
    EXPECT_EQ(p.MainForm->Left(), 30);
    EXPECT_EQ(p.ChangeOfBytes, 1048576);
    EXPECT_EQ(p.LowSpaceGB, 5);
    EXPECT_TRUE(p.WatchAutoStart);
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

TEST(Settings, PartialKeyGetsTheMissingValuesAndKeepsThePresentOnes) {
    fakes::TestProgram t;
    t.Store("IndexOfTab", 3);
    t.Store("TopForm", 120);
    t.Store("ChangeOfBytes", 0); // would divide every capacity by zero
    auto& p = t.Start();
    EXPECT_EQ(p.ChangeOfBytes, 1048576);
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, Key).size(), 17u);
    EXPECT_EQ(p.IndexOfTab, 3);
    EXPECT_EQ(p.TopForm, 120);
    EXPECT_EQ(t.Stored("LeftForm"), 30);
    EXPECT_EQ(p.LeftForm, 30) << "the second load reads the defaults the first one wrote";
    EXPECT_EQ(p.MainForm->Disks.ActivePageIndex(), 3);
}

TEST(Settings, ValueOfTheWrongTypeIsReportedAndReplacedByItsDefault) {
    fakes::TestProgram t;
    t.fake.registry.SetString(RegRoot::CurrentUser, Key, "Interval", "five");
    t.Store("IndexOfTab", 2);
    auto& p = t.Start();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Invalid data type for 'Interval'.");
    EXPECT_EQ(t.fake.desktop.boxes[0].caption, "trelvix");
    EXPECT_EQ(t.Stored("Interval"), 0);
    EXPECT_EQ(p.IndexOfTab, 2) << "the values after the bad one are still read";
    EXPECT_EQ(p.MainForm->StatusBar1.Visible(), true);
}

TEST(Settings, RefusedWriteShowsOneBoxAndStartUpCompletes) {
    fakes::TestProgram t;
    t.fake.registry.refuseCreate.insert(fakes::FakeRegistry::KeyName(RegRoot::CurrentUser, Key));
    auto& p = t.Start();
    ASSERT_FALSE(t.fake.desktop.boxes.empty());
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Failed to set data for 'Interval'.");
    // Later steps of the creation handler still ran.
    EXPECT_EQ(p.MainForm->ListBox11.Items().size(), 1u);
    EXPECT_EQ(p.MainForm->BitBtn6.Glyph().name, "Clock.bmp");
    EXPECT_EQ(p.ChangeOfBytes, 1048576);
}

TEST(Settings, RoundTripOfEveryValue) {
    fakes::TestProgram t;
    auto& p = t.Start();
    p.Interval = 17;
    p.IntervalFlag = true;
    p.ChangeOfBytes = 0x100000000LL | 1024; // only the low 32 bits are stored
    p.WindowStates = 1;
    p.IndexOfTab = 6;
    p.IndexOfTabOptions = 1;
    p.StayOnTop = true;
    p.ControlPanelIndex = 4;
    p.AdministrativeToolsIndex = 3;
    p.UsefulToolsIndex = 20;
    p.IndexOfTemp = true;
    p.IndexOfRemoveable = 1;
    p.IndexOfFreeTemp = 6; // the caches' sub-tab, the last
    p.LowSpaceGB = 250;
    p.WatchAutoStart = false;
    p.MainForm->SetBounds(200, 150, p.MainForm->Width(), p.MainForm->Height());
    trelvix::SaveSettings(p);
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, Key), SaveOrder);

    fakes::TestProgram again;
    again.fake.registry = t.fake.registry;
    auto& q = again.Start();
    EXPECT_EQ(q.Interval, 17);
    EXPECT_TRUE(q.IntervalFlag);
    EXPECT_EQ(q.ChangeOfBytes, 1024);
    EXPECT_EQ(q.TopForm, 150);
    EXPECT_EQ(q.LeftForm, 200);
    EXPECT_EQ(q.WindowStates, 1);
    EXPECT_EQ(q.IndexOfTab, 6);
    EXPECT_EQ(q.IndexOfTabOptions, 1);
    EXPECT_TRUE(q.StayOnTop);
    EXPECT_EQ(q.ControlPanelIndex, 4);
    EXPECT_EQ(q.AdministrativeToolsIndex, 3);
    EXPECT_EQ(q.UsefulToolsIndex, 20);
    EXPECT_TRUE(q.IndexOfTemp);
    EXPECT_EQ(q.IndexOfRemoveable, 1);
    EXPECT_EQ(q.IndexOfFreeTemp, 6);
    EXPECT_EQ(q.LowSpaceGB, 250);
    EXPECT_FALSE(q.WatchAutoStart);
}

// The low-space threshold is the one value read with a range: 0..100000 gigabytes.
TEST(Settings, LowSpaceThresholdOutOfRangeReadsAsTheDefault) {
    struct Case {
        std::optional<std::uint32_t> stored; // none: a REG_SZ "ten"
        std::int32_t read;
        std::int64_t storedAfter;
        const char* box; // "" for none
    };
    const Case cases[] = {
        {0, 0, 0, ""},
        {1, 1, 1, ""},
        {100000, 100000, 100000, ""},
        {100001, 5, 5, ""},
        {0x80000000, 5, 5, ""}, // reads negative
        {std::nullopt, 5, 5, "Invalid data type for 'LowSpaceGB'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "string");
        fakes::TestProgram t;
        t.Store("IndexOfTab", 2);
        if (c.stored)
            t.Store("LowSpaceGB", *c.stored);
        else
            t.fake.registry.SetString(RegRoot::CurrentUser, Key, "LowSpaceGB", "ten");
        auto& p = t.Start();
        EXPECT_EQ(p.LowSpaceGB, c.read);
        EXPECT_EQ(t.Stored("LowSpaceGB"), c.storedAfter) << "written back at once";
        const std::vector<std::string> boxes = [&] {
            std::vector<std::string> texts;
            for (const auto& box : t.fake.desktop.boxes)
                texts.push_back(box.text);
            return texts;
        }();
        EXPECT_EQ(boxes, *c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(p.MainForm->LowSpaceTimer.Interval(), c.read > 0 ? 60000 : 0);
    }
}

// Refreshing on with a period of 0 cannot run: the pair reads as off and is stored so.
// Its neighbours keep their meaning (a period out of range is the options dialog's to clamp).
TEST(Settings, APeriodOfZeroStoredAsOnLoadsAsOff) {
    struct Case {
        std::int32_t interval, flag;  // stored
        std::int64_t storedFlagAfter; // at once, before any save
        const char* label;            // the options dialog's period
        int timer;                    // Timer1's interval; 0: stopped
        const char* status;           // the status line's period item
    };
    const Case cases[] = {
        {0, 1, 0, "Stop Refresh", 0, "Interval Of Refreshing=No;"},
        {0, 0, 0, "Stop Refresh", 0, "Interval Of Refreshing=No;"},
        {1, 1, 1, "1 seconds", 1000, "Interval Of Refreshing=1 sec.;"},
        {-5, 1, 1, "1 seconds", 1000, "Interval Of Refreshing=1 sec.;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.interval) + "/" + std::to_string(c.flag));
        fakes::TestProgram t;
        t.Store("Interval", static_cast<std::uint32_t>(c.interval));
        t.Store("IntervalFlag", static_cast<std::uint32_t>(c.flag));
        auto& p = t.Start();
        EXPECT_EQ(t.Stored("IntervalFlag"), c.storedFlagAfter);
        EXPECT_EQ(p.Options->Label2.Caption(), c.label);
        EXPECT_EQ(p.MainForm->Timer1.Running() ? p.MainForm->Timer1.Interval() : 0, c.timer);
        p.MainForm->TimerControl.Tick();
        EXPECT_NE(p.MainForm->StatusBar1.SimpleText().find(c.status), std::string::npos)
            << p.MainForm->StatusBar1.SimpleText();
        p.App.ModalScript = [&](tk::Form&) {
            EXPECT_EQ(p.Options->BitBtn1.Caption(), c.timer ? "Now On" : "Now Off");
        };
        p.MainForm->ShortCut(122); // F11
    }
}

} // namespace
