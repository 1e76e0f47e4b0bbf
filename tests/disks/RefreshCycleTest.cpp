#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StatusLine, FollowsTheSettingsEverySecond) {
    struct Case {
        int interval;
        bool stayOnTop, autoRun, shutDown;
        const char* suffix;
        const char* line;
    };
    const Case cases[] = {
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
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:07");
    for (const Case& c : cases) {
        p.Interval = c.interval;
        p.StayOnTop = c.stayOnTop;
        p.AutoRunOn = c.autoRun;
        p.ShutDownPlanned = c.shutDown;
        p.UnitSuffix = c.suffix;
        f.TimerControl.Tick();
        EXPECT_EQ(f.StatusBar1.SimpleText(), c.line);
    }
    t.fake.system.now.second = 8;
    f.TimerControl.Tick();
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:08");
}

// F5 refreshes only the page shown; these pages have nothing to refresh.
TEST(RefreshCommand, OtherPagesDoNothing) {
    for (int page : {1, 3, 4, 5}) {
        fakes::TestProgram t;
        t.Start();
        auto& f = t.Main();
        f.SelectPage(page);
        t.fake.drives.calls.clear();
        t.fake.bitmaps.loads.clear();
        f.ShortCut(116);
        // No drive queried, and the busy glyph never shown.
        EXPECT_TRUE(t.fake.drives.calls.empty()) << page;
        EXPECT_TRUE(t.fake.bitmaps.loads.empty()) << page;
    }
}

} // namespace
