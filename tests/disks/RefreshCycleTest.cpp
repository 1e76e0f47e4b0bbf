#include "app/ProceduresOfOthers.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
constexpr std::int64_t MB = 1048576;

void TwoDrives(fakes::FakeDrives& d) {
    d.drives['C'] = {port::DriveType::Fixed, {true, "SYSTEM", "NTFS"}, {100 * MB, 50 * MB}};
    d.drives['G'] = {port::DriveType::Removable, {true, "STICK", "FAT"}, {8 * MB, 4 * MB}};
}

TEST(StatusLine, BothExamplesCharacterForCharacter) {
    struct Case {
        int interval;
        const char* line;
    };
    const Case cases[] = {
        {5, "Trelvix; Interval Of Refreshing=5 sec.; Capacity= Mbytes; AutoRun=No; "
            "StayOnTop=Yes; ShutDown=No;"},
        {0, "Trelvix; Interval Of Refreshing=No; Capacity= Mbytes; AutoRun=No; "
            "StayOnTop=Yes; ShutDown=No;"},
    };
    for (const Case& c : cases) {
        fakes::TestProgram t;
        auto& p = t.Start();
        p.Interval = c.interval;
        p.StayOnTop = true;
        p.AutoRunOn = false;
        p.ShutDownPlanned = false;
        t.Main().TimerControl.Tick();
        EXPECT_EQ(t.Main().StatusBar1.SimpleText(), c.line);
    }
}

TEST(StatusLine, FollowsTheStateAndShowsTheClock) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.StatusBar1.SimpleText(), "Trelvix; Interval Of Refreshing=No; Capacity= Mbytes; "
                                         "AutoRun=No; StayOnTop=No; ShutDown=No;");
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:07");
    p.Interval = 3600;
    p.AutoRunOn = p.ShutDownPlanned = true;
    p.UnitSuffix = " Gbytes";
    t.fake.system.now.second = 8;
    f.TimerControl.Tick();
    EXPECT_EQ(f.StatusBar1.SimpleText(), "Trelvix; Interval Of Refreshing=3600 sec.; Capacity= "
                                         "Gbytes; AutoRun=Yes; StayOnTop=No; ShutDown=Yes;");
    EXPECT_EQ(f.SpeedButton11.Caption(), "6.12.2026 9:05:08");
}

TEST(RefreshCycle, TimerRefreshesAllAndSetsTheTrayTip) {
    fakes::TestProgram t;
    TwoDrives(t.fake.drives);
    t.Store("Interval", 5);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.Timer1.Interval(), 5000);
    t.fake.drives.drives['E'] = {port::DriveType::Fixed, {true, "", "NTFS"}, {10 * MB, MB}};
    t.fake.bitmaps.loads.clear();
    f.Timer1.Tick();
    EXPECT_EQ(f.ListBox1.Count(), 4);
    EXPECT_EQ(p.TraySummary, "C:T100;F50\rE:T10;F1\r\"Trelvix\"");
    EXPECT_EQ(f.TrayIcon1.Hint(), p.TraySummary);
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
    // Busy first, idle last; the removable list waits for the user.
    ASSERT_FALSE(t.fake.bitmaps.loads.empty());
    EXPECT_TRUE(t.fake.bitmaps.loads.front().ends_with("\\.\\Resource\\On.bmp"));
    EXPECT_TRUE(t.fake.bitmaps.loads.back().ends_with("\\.\\Resource\\Off.bmp"));
    EXPECT_EQ(f.ListBox11.Items(), Lines{"Press Refresh or F5 for Access to disks"});
}

TEST(RefreshCommand, RemovablePageSurveysOnlyTheRemovableList) {
    fakes::TestProgram t;
    TwoDrives(t.fake.drives);
    t.Start();
    auto& f = t.Main();
    f.SpeedButton13.Click();
    f.PageControl1.SelectTab(1);
    const Lines fixedBefore = f.ListBox1.Items();
    t.fake.drives.drives['C'].space.free -= MB;
    t.fake.drives.drives['D'] = {port::DriveType::CdRom, {false, "", ""}, {-1, -1}};
    t.fake.drives.calls.clear();
    f.ShortCut(116);
    EXPECT_EQ(f.ListBox11.Items(), Lines{"G: [STICK] (FAT) Total: 8 Mbytes; Free: 4 Mbytes; ==="});
    EXPECT_EQ(f.ListBox1.Items(), fixedBefore);
    EXPECT_TRUE(f.ListBox2.Items().empty());
    EXPECT_EQ(t.fake.drives.Count("FreeSpace", 'C'), 0);
    // The pickers follow the drives present.
    EXPECT_EQ(f.DriveComboBox2.Drives().size(), 3u);
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
}

TEST(RefreshCommand, FixedPageRefreshesAll) {
    fakes::TestProgram t;
    TwoDrives(t.fake.drives);
    t.Start();
    auto& f = t.Main();
    f.SpeedButton13.Click();
    f.PageControl1.SelectTab(0);
    t.fake.drives.drives['C'].space.free += MB;
    f.SpeedButton1.Click();
    EXPECT_EQ(f.ListBox1.Item(0), "C: [SYSTEM] (NTFS) Total: 100 Mbytes; Free: 51 Mbytes; >>>");
}

TEST(RefreshCommand, OtherPagesDoNothing) {
    for (int page : {1, 3, 4, 5}) {
        fakes::TestProgram t;
        TwoDrives(t.fake.drives);
        t.Start();
        auto& f = t.Main();
        f.SelectPage(page);
        t.fake.drives.drives['C'].space.free += MB;
        const Lines fixedBefore = f.ListBox1.Items();
        t.fake.drives.calls.clear();
        t.fake.bitmaps.loads.clear();
        f.ShortCut(116);
        EXPECT_TRUE(t.fake.drives.calls.empty()) << page;
        EXPECT_TRUE(t.fake.bitmaps.loads.empty()) << page;
        EXPECT_EQ(f.ListBox1.Items(), fixedBefore) << page;
        EXPECT_EQ(f.ListBox11.Count(), 1) << page;
    }
}

} // namespace
