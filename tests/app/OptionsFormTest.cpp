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

TEST(OptionsDialog, CreationAppliesTheStoredPeriod) {
    // Stored Interval and IntervalFlag; then Interval, IntervalFlag, TrackBar1, Label2 and
    // Timer1's interval after start-up.
    const std::tuple<std::uint32_t, std::uint32_t, int, bool, int, const char*, int> cases[] = {
        {0, 0, 0, false, 1, "Stop Refresh", 0},
        {17, 1, 17, true, 17, "17 seconds", 17000},
        // A period that moves the track bar switches refreshing on.
        {30, 0, 30, true, 30, "30 seconds", 30000},
        // Clamped by the track bar; the change handler takes the clamped value.
        {100, 1, 60, true, 60, "60 seconds", 60000},
        {5000000, 1, 60, true, 60, "60 seconds", 60000},
        // Damaged pairs that leave the track bar where it was still end on and in range.
        {1, 0, 1, true, 1, "1 seconds", 1000},
        {static_cast<std::uint32_t>(-5), 1, 1, true, 1, "1 seconds", 1000},
    };
    for (const auto& [interval, flag, memory, on, position, label, timer] : cases) {
        fakes::TestProgram t;
        t.Store("Interval", interval);
        t.Store("IntervalFlag", flag);
        auto& p = t.Start();
        const auto& o = *p.Options;
        EXPECT_EQ(p.Interval, memory) << interval;
        EXPECT_EQ(p.IntervalFlag, on) << interval;
        EXPECT_EQ(o.TrackBar1.Position(), position) << interval;
        EXPECT_EQ(o.Label2.Caption(), label) << interval;
        EXPECT_EQ(p.MainForm->Timer1.Interval(), timer) << interval;
        trelvix::SaveSettings(p);
        EXPECT_EQ(t.Stored("Interval"), memory) << interval;
    }
}

TEST(OptionsDialog, CreationAppliesTheStoredUnitAndPage) {
    // Stored divisor, then divisor in memory, TrackBar2 and whether the change markers
    // start afresh.
    const std::tuple<std::uint32_t, std::int64_t, int, bool> cases[] = {
        {1, 1, 0, false},
        {1024, 1024, 1, true},
        {1048576, 1048576, 2, true},
        {1073741824, 1073741824, 3, true},
        // A damaged divisor counts as the default.
        {7, MB, 2, true},
        {0xFFFFFFFF, MB, 2, true},
        {0, MB, 2, true},
    };
    for (const auto& [stored, divisor, position, reset] : cases) {
        fakes::TestProgram t;
        OneFixedDrive(t.fake);
        t.Store("ChangeOfBytes", stored);
        t.Store("IndexOfTabOptions", 1);
        auto& p = t.Start();
        EXPECT_EQ(p.ChangeOfBytes, divisor) << stored;
        EXPECT_EQ(p.Options->TrackBar2.Position(), position) << stored;
        EXPECT_EQ(p.Options->PageControl1.ActivePageIndex(), 1) << stored;
        EXPECT_EQ(p.DiskMonitor.FixedFreeHistory.primed, !reset) << stored;
        trelvix::SaveSettings(p);
        EXPECT_EQ(t.Stored("ChangeOfBytes"), divisor) << stored;
    }
}

TEST(OptionsDialog, SwitchingRefreshingOnAndOff) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    // Off: the button switches on with 5 seconds, wherever the track bar was.
    InOptions(p, [&](trelvix::TOptions& d) {
        EXPECT_EQ(d.BitBtn1.Caption(), "Now Off");
        EXPECT_EQ(d.Label2.Caption(), "Stop Refresh");
        d.BitBtn1.Click();
        EXPECT_EQ(d.BitBtn1.Caption(), "Now On");
        EXPECT_EQ(d.TrackBar1.Position(), 5);
        EXPECT_EQ(d.Label2.Caption(), "5 seconds");
        EXPECT_EQ(f.Timer1.Interval(), 5000);
        EXPECT_TRUE(
            f.StatusBar1.SimpleText().starts_with("Trelvix; Interval Of Refreshing=5 sec.;"));
    });
    EXPECT_EQ(t.Stored("Interval"), 5);
    EXPECT_EQ(t.Stored("IntervalFlag"), 1);

    // On at 17: the button switches off; the track bar keeps its place.
    InOptions(p, [&](trelvix::TOptions& d) {
        d.TrackBar1.SetPosition(17);
        EXPECT_EQ(f.Timer1.Interval(), 17000);
        d.BitBtn1.Click();
        EXPECT_EQ(d.BitBtn1.Caption(), "Now Off");
        EXPECT_EQ(d.Label2.Caption(), "Stop Refresh");
        EXPECT_FALSE(f.Timer1.Running());
        EXPECT_TRUE(f.StatusBar1.SimpleText().starts_with("Trelvix; Interval Of Refreshing=No;"));
    });
    EXPECT_EQ(t.Stored("Interval"), 0);
    EXPECT_EQ(t.Stored("IntervalFlag"), 0);
    InOptions(p, [&](trelvix::TOptions& d) {
        EXPECT_EQ(d.TrackBar1.Position(), 17);
        EXPECT_EQ(d.BitBtn1.Caption(), "Now Off");
        // Moving the track bar while off switches on with the new period.
        d.TrackBar1.SetPosition(42);
        EXPECT_EQ(d.BitBtn1.Caption(), "Now On");
        EXPECT_EQ(d.Label2.Caption(), "42 seconds");
    });
    EXPECT_EQ(p.Interval, 42);
    EXPECT_EQ(t.Stored("Interval"), 42);
    EXPECT_EQ(t.Stored("IntervalFlag"), 1);
    EXPECT_EQ(f.Timer1.Interval(), 42000);
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
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        fakes::TestProgram t;
        OneFixedDrive(t.fake);
        auto& p = t.Start();
        auto& o = *p.Options;
        EXPECT_EQ(o.BitBtn2.Glyph(), o.BitBtn3.Glyph()) << "shared at every activation";
        EXPECT_EQ(o.BitBtn3.Glyph().name, "close.bmp");
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

} // namespace
