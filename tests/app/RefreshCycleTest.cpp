#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(StatusLine, FollowsTheSettingsEverySecond) {
    // Interval, stay on top, auto-run, shut-down planned, unit suffix, and the line.
    const std::tuple<int, bool, bool, bool, const char*, const char*> cases[] = {
        {5, true, false, false, " Mbytes",
         "Trelvix; Interval Of Refreshing=5 sec.; Capacity= Mbytes; AutoRun=No; StayOnTop=Yes; "
         "ShutDown=No;"},
        {0, true, false, false, " Mbytes",
         "Trelvix; Interval Of Refreshing=No; Capacity= Mbytes; AutoRun=No; StayOnTop=Yes; "
         "ShutDown=No;"},
        {3600, false, true, true, " Gbytes",
         "Trelvix; Interval Of Refreshing=3600 sec.; Capacity= Gbytes; AutoRun=Yes; "
         "StayOnTop=No; ShutDown=Yes;"},
    };
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    for (const auto& [interval, onTop, autoRun, shutDown, suffix, line] : cases) {
        std::tie(p.Interval, p.StayOnTop, p.AutoRunOn, p.ShutDownPlanned) =
            std::tuple(interval, onTop, autoRun, shutDown);
        p.UnitSuffix = suffix;
        f.TimerControl.Tick();
        EXPECT_EQ(f.StatusBar1.SimpleText(), line);
    }
    t.fake.system.now.second = 8;
    f.TimerControl.Tick();
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:08");
}

// F5 refreshes only the page shown; these pages have nothing to refresh.
TEST(RefreshCommand, OtherPagesDoNothing) {
    fakes::TestProgram t;
    t.Start();
    for (int page : {1, 3, 4, 5}) {
        t.Main().SelectPage(page);
        t.fake.drives.calls.clear();
        t.fake.bitmaps.loads.clear();
        t.Main().ShortCut(116);
        // No drive queried, and the busy glyph never shown.
        EXPECT_TRUE(t.fake.drives.calls.empty() && t.fake.bitmaps.loads.empty()) << page;
    }
}

} // namespace
