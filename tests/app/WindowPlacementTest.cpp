#include "app/WindowPlacement.h"

#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using trelvix::ReachablePosition;

// A primary monitor with its taskbar below, and a second one to its left and higher up.
const std::vector<port::Rect> TwoMonitors{{0, 0, 1920, 1040}, {-1280, -200, 0, 824}};

TEST(WindowPlacement, OnlyAWindowWhoseTitleBarIsOffEveryMonitorMoves) {
    struct Case {
        const char* what;
        port::Rect window;
        std::optional<port::Point> moved;
    };
    const Case cases[] = {
        {"on the primary monitor", {30, 30, 714, 520}, std::nullopt},
        {"half off the right edge", {1600, 100, 2284, 590}, std::nullopt},
        {"title bar just below the top edge", {100, -20, 784, 470}, std::nullopt},
        {"on the monitor left of and above the primary", {-1200, -150, -516, 340}, std::nullopt},
        {"far right and above (a damaged setting)",
         {999999, -100000, 1000683, -99510},
         port::Point{1236, 0}},
        {"below the taskbar: title bar under the work area",
         {100, 1050, 784, 1540},
         port::Point{100, 550}},
        {"title bar above every monitor, body on screen",
         {100, -40, 784, 450},
         port::Point{100, 0}},
        {"beyond the left monitor", {-3000, 300, -2316, 790}, port::Point{-1280, 300}},
        {"larger than the work area it lands on", {5000, 5000, 7000, 7000}, port::Point{0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReachablePosition(c.window, 30, TwoMonitors), c.moved) << c.what;
}

TEST(WindowPlacement, NoMonitorReportedLeavesTheWindowAlone) {
    EXPECT_EQ(ReachablePosition({999999, 0, 1000683, 490}, 30, {}), std::nullopt);
}

TEST(WindowPlacement, AStoredPositionOffScreenIsCorrectedAndSavedAtTheNextSave) {
    fakes::TestProgram t;
    t.Store("LeftForm", 999999);
    t.Store("TopForm", static_cast<std::uint32_t>(-100000));
    auto& f = *t.Start().MainForm;
    f.Activate();
    EXPECT_GE(f.Left(), 0);
    EXPECT_LE(f.Left() + f.Width(), 1920);
    EXPECT_EQ(f.Top(), 0);

    f.Disks.SetActivePageIndex(2);
    f.Disks.OnChange();
    EXPECT_EQ(t.Stored("LeftForm"), f.Left());
    EXPECT_EQ(t.Stored("TopForm"), 0);
}

} // namespace
