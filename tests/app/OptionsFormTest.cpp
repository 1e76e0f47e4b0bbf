#include "app/Settings.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
constexpr int F11 = 122;
constexpr std::int64_t MB = 1048576;

// One fixed drive, C: with 2 GB of 8 GB free.
void OneFixedDrive(fakes::FakePorts& fake) {
    fake.drives.drives['C'] = {
        port::DriveType::Fixed, {true, "SYS", "NTFS"}, {8192 * MB, 2048 * MB}};
}

// Opens the dialog with F11 and lets `user` act in it; the dialog closes afterwards
// unless `user` closed it.
void InOptions(trelvix::Program& p, const std::function<void(trelvix::TOptions&)>& user) {
    p.App.ModalScript = [&](tk::Form&) { user(*p.Options); };
    p.MainForm->ShortCut(F11);
    p.App.ModalScript = nullptr;
}

TEST(OptionsDialog, CreationAppliesTheStoredPeriodUnitAndPage) {
    struct Case {
        std::uint32_t interval, flag, divisor; // stored
        int period, position;                  // Interval and TrackBar1 after start-up
        const char* label;                     // Label2; "Stop Refresh": Timer1 stopped
        std::int64_t unit;                     // ChangeOfBytes after start-up
        int unitPosition;                      // TrackBar2
        bool reset;                            // the change markers start afresh
    };
    const Case cases[] = {
        {0, 0, 1, 0, 1, "Stop Refresh", 1, 0, false},
        {17, 1, 1024, 17, 17, "17 seconds", 1024, 1, true},
        // A period that moves the track bar switches refreshing on.
        {30, 0, 1048576, 30, 30, "30 seconds", MB, 2, true},
        // Clamped by the track bar; the change handler takes the clamped value.
        {100, 1, 1073741824, 60, 60, "60 seconds", 1073741824, 3, true},
        // Damaged values: a divisor that is none of the units counts as the default; pairs
        // that leave the track bar where it was still end on and in range.
        {5000000, 1, 7, 60, 60, "60 seconds", MB, 2, true},
        {1, 0, 0xFFFFFFFF, 1, 1, "1 seconds", MB, 2, true},
        {static_cast<std::uint32_t>(-5), 1, 0, 1, 1, "1 seconds", MB, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.interval << " " << c.flag << " " << c.divisor);
        fakes::TestProgram t;
        OneFixedDrive(t.fake);
        t.Store("Interval", c.interval);
        t.Store("IntervalFlag", c.flag);
        t.Store("ChangeOfBytes", c.divisor);
        t.Store("IndexOfTabOptions", 1);
        auto& p = t.Start();
        const auto& o = *p.Options;
        const bool on = std::string(c.label) != "Stop Refresh";
        EXPECT_EQ(p.Interval, c.period);
        EXPECT_EQ(p.IntervalFlag, on);
        EXPECT_EQ(o.TrackBar1.Position(), c.position);
        EXPECT_EQ(o.Label2.Caption(), c.label);
        EXPECT_EQ(p.MainForm->Timer1.Interval(), on ? c.period * 1000 : 0);
        EXPECT_EQ(p.ChangeOfBytes, c.unit);
        EXPECT_EQ(o.TrackBar2.Position(), c.unitPosition);
        EXPECT_EQ(o.PageControl1.ActivePageIndex(), 1);
        EXPECT_EQ(p.DiskMonitor.FixedFreeHistory.primed, !c.reset);
        trelvix::SaveSettings(p);
        EXPECT_EQ(t.Stored("Interval"), c.period);
        EXPECT_EQ(t.Stored("ChangeOfBytes"), c.unit);
    }
}

TEST(OptionsDialog, SwitchingRefreshingOnAndOff) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    // The switch's caption, the period's text and the refresh timer's period (0: stopped).
    const auto state = [&f](trelvix::TOptions& d) {
        return d.BitBtn1.Caption() + " / " + d.Label2.Caption() + " / " +
               std::to_string(f.Timer1.Running() ? f.Timer1.Interval() : 0);
    };
    using Pair = std::pair<std::int64_t, std::int64_t>; // stored Interval and IntervalFlag
    const auto stored = [&t] {
        return Pair(t.Stored("Interval").value_or(-1), t.Stored("IntervalFlag").value_or(-1));
    };
    // Off: the button switches on with 5 seconds, wherever the track bar was.
    InOptions(p, [&](trelvix::TOptions& d) {
        EXPECT_EQ(state(d), "Now Off / Stop Refresh / 0");
        d.BitBtn1.Click();
        EXPECT_EQ(state(d), "Now On / 5 seconds / 5000");
        EXPECT_EQ(d.TrackBar1.Position(), 5);
        EXPECT_TRUE(
            f.StatusBar1.SimpleText().starts_with("Trelvix; Interval Of Refreshing=5 sec.;"));
    });
    EXPECT_EQ(stored(), Pair(5, 1));

    // On at 17: the button switches off; the track bar keeps its place.
    InOptions(p, [&](trelvix::TOptions& d) {
        d.TrackBar1.SetPosition(17);
        EXPECT_EQ(state(d), "Now On / 17 seconds / 17000");
        d.BitBtn1.Click();
        EXPECT_EQ(state(d), "Now Off / Stop Refresh / 0");
        EXPECT_TRUE(f.StatusBar1.SimpleText().starts_with("Trelvix; Interval Of Refreshing=No;"));
    });
    EXPECT_EQ(stored(), Pair(0, 0));
    // Moving the track bar while off switches on with the new period.
    InOptions(p, [&](trelvix::TOptions& d) {
        EXPECT_EQ(d.TrackBar1.Position(), 17);
        d.TrackBar1.SetPosition(42);
        EXPECT_EQ(state(d), "Now On / 42 seconds / 42000");
    });
    EXPECT_EQ(stored(), Pair(42, 1));
}

TEST(OptionsDialog, NewUnitRefreshesEveryListWithFreshMarkers) {
    fakes::TestProgram t;
    OneFixedDrive(t.fake);
    auto& p = t.Start();
    auto& f = t.Main();
    // A second survey with a megabyte freed would show ">>>" without the reset.
    t.fake.drives.drives['C'].space.free += MB;
    InOptions(p, [&](trelvix::TOptions& d) {
        d.PageControl1.SelectTab(1);
        d.TrackBar2.SetPosition(1); // "KBytes"
        EXPECT_EQ(p.ChangeOfBytes, 1024);
    });
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{"C: [SYS] (NTFS) Total: 8 388 608 Kbytes; Free: 2 098 176 Kbytes; ===",
                     std::string(139, '-'),
                     "General: Total: 8 388 608 Kbytes; Free: 2 098 176 Kbytes; ==="}));
    EXPECT_EQ(t.Stored("ChangeOfBytes"), 1024);
    EXPECT_EQ(t.Stored("IndexOfTabOptions"), 1);
}

TEST(OptionsDialog, EveryWayOutClosesSavesAndRefreshes) {
    const std::vector<std::function<void(trelvix::TOptions&)>> ways = {
        [](trelvix::TOptions& d) { d.KeyPress(27); },
        [](trelvix::TOptions& d) { d.BitBtn3.Click(); },
        [](trelvix::TOptions& d) {
            d.PageControl1.SelectTab(1);
            d.BitBtn2.Click();
        },
        [](trelvix::TOptions& d) {
            d.PageControl1.SelectTab(2);
            d.BitBtn4.Click();
        },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        fakes::TestProgram t;
        OneFixedDrive(t.fake);
        auto& p = t.Start();
        InOptions(p, [&](trelvix::TOptions& d) {
            p.MainForm->SetBounds(90, 80, p.MainForm->Width(), p.MainForm->Height());
            t.fake.drives.calls.clear();
            ways[way](d);
            EXPECT_FALSE(d.Modal()) << way;
            EXPECT_GT(t.fake.drives.Count("FreeSpace", 'C'), 0) << way;
        });
        EXPECT_EQ(t.Stored("TopForm"), 80) << way;
        EXPECT_EQ(p.MainForm->Top(), 80) << "saved before the main window came back";
    }
}

// The "Notices" page: what the user does to the threshold, what the field shows when the
// dialog closes, and the threshold kept (LowSpaceGB, stored and driving the minute check).
TEST(OptionsDialog, NoticesPageSetsTheLowSpaceThresholdAndRevertsBadText) {
    struct Case {
        const char* what;
        std::uint32_t stored;
        std::function<void(trelvix::TOptions&)> user;
        const char* shownAtClose;
        std::int64_t kept;
    };
    const Case cases[] = {
        {"typed", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("12"); }, "12", 12},
        {"zero turns it off", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("0"); }, "0", 0},
        {"the largest", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("100000"); }, "100000",
         100000},
        {"too large", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("100001"); }, "5", 5},
        {"not a number", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("ten"); }, "5", 5},
        {"signed", 5, [](trelvix::TOptions& d) { d.Edit1.SetText("-3"); }, "5", 5},
        {"emptied", 7, [](trelvix::TOptions& d) { d.Edit1.SetText(""); }, "7", 7},
        {"up", 5, [](trelvix::TOptions& d) { d.UpDown1.UpClick(); }, "6", 6},
        {"down", 5, [](trelvix::TOptions& d) { d.UpDown1.DownClick(); }, "4", 4},
        {"down at 0", 0, [](trelvix::TOptions& d) { d.UpDown1.DownClick(); }, "0", 0},
        {"up at the top", 100000, [](trelvix::TOptions& d) { d.UpDown1.UpClick(); }, "100000",
         100000},
        {"up from bad text: from the last valid value", 5,
         [](trelvix::TOptions& d) {
             d.Edit1.SetText("x");
             d.UpDown1.UpClick();
         },
         "6", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::TestProgram t;
        OneFixedDrive(t.fake);
        t.Store("LowSpaceGB", c.stored);
        t.Store("IndexOfTabOptions", 2);
        auto& p = t.Start();
        InOptions(p, [&](trelvix::TOptions& d) {
            EXPECT_EQ(d.PageControl1.ActivePageIndex(), 2);
            EXPECT_EQ(d.Edit1.Text(), std::to_string(c.stored));
            c.user(d);
        });
        EXPECT_EQ(p.Options->Edit1.Text(), c.shownAtClose);
        EXPECT_EQ(p.LowSpaceGB, c.kept);
        EXPECT_EQ(t.Stored("LowSpaceGB"), c.kept);
        EXPECT_EQ(p.MainForm->LowSpaceTimer.Interval(), c.kept > 0 ? 60000 : 0);
    }
}

// Below the threshold's lines: the switch of the notice about new programs at logon.
TEST(OptionsDialog, NoticesPageSwitchesTheAutoStartNotice) {
    const std::pair<std::uint32_t, bool> cases[] = {{1, false}, {0, true}, {7, false}};
    for (const auto& [stored, after] : cases) {
        SCOPED_TRACE(stored);
        fakes::TestProgram t;
        t.Store("WatchAutoStart", stored);
        auto& p = t.Start();
        InOptions(p, [&](trelvix::TOptions& d) {
            EXPECT_EQ(d.CheckBox1.Checked(), stored != 0);
            EXPECT_GT(d.CheckBox1.Top(), d.Label11.Top());
            d.PageControl1.SelectTab(2);
            d.CheckBox1.Click();
        });
        EXPECT_EQ(p.WatchAutoStart, after);
        EXPECT_EQ(t.Stored("WatchAutoStart"), after ? 1 : 0);
    }
}

TEST(OptionsDialog, BadThresholdTextRevertsWhenThePageChanges) {
    fakes::TestProgram t;
    auto& p = t.Start();
    InOptions(p, [&](trelvix::TOptions& d) {
        d.PageControl1.SelectTab(2);
        d.Edit1.SetText("5 GB");
        d.PageControl1.SelectTab(0);
        EXPECT_EQ(d.Edit1.Text(), "5");
        EXPECT_EQ(t.Stored("IndexOfTabOptions"), 0);
    });
    EXPECT_EQ(p.Options->Notices.Caption(), "Notices");
    EXPECT_EQ(p.Options->Notices.PageIndex(), 2);
}

} // namespace
