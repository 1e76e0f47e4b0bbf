#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <tuple>

namespace {

// Every control has its own fixed ID; the tray tip is the title until the first survey.
TEST(MainWindow, StartsWithUniqueIdsAndTheTraysTip) {
    fakes::TestProgram t;
    auto& f = *t.Start().MainForm;
    std::set<int> seen;
    for (auto* c : f.Components())
        EXPECT_TRUE(seen.insert(c->Id()).second) << c->Name();
    ASSERT_FALSE(t.fake.tray.added.empty());
    EXPECT_EQ(t.fake.tray.added[0].tip, "trelvix") << "the tip is the title before any survey";
    EXPECT_EQ(t.fake.tray.current.tip, "\"Trelvix\"") << "then the drive summary";
}

// Back and Forward follow the stored page. An unknown one shows the first page; Back from
// it counts down through the missing pages, staying put, to the last.
TEST(MainWindow, BackAndForwardFollowTheStoredPage) {
    // Stored page, then Back enabled, Forward enabled, page shown.
    const std::tuple<std::uint32_t, bool, bool, int> cases[] = {
        {0, false, true, 0}, {3, true, true, 3}, {6, true, false, 6}, {9, true, true, 0}};
    for (const auto& [stored, back, forward, shown] : cases) {
        fakes::TestProgram t;
        t.Store("IndexOfTab", stored);
        auto& f = *t.Start().MainForm;
        EXPECT_EQ(std::tuple(f.SpeedButton2.Enabled(), f.SpeedButton3.Enabled(),
                             f.Disks.ActivePageIndex()),
                  std::tuple(back, forward, shown))
            << stored;
    }
    fakes::TestProgram t;
    t.Store("IndexOfTab", 9);
    auto& f = *t.Start().MainForm;
    f.SpeedButton2.Click(); // page 8 does not exist
    EXPECT_EQ(f.Disks.ActivePageIndex(), 0);
    EXPECT_EQ(t.P().IndexOfTab, 8);
    f.SpeedButton2.Click(); // page 7 neither
    f.SpeedButton2.Click(); // page 6 does
    EXPECT_EQ(f.Disks.ActivePageIndex(), 6);
    EXPECT_FALSE(f.SpeedButton3.Enabled());
}

TEST(MainWindow, EveryRouteToAPageStoresIt) {
    struct Route {
        const char* name;
        std::function<void(trelvix::TMainForm&)> go;
        int page;
    };
    const Route routes[] = {
        {"tab", [](auto& f) { f.Disks.SelectTab(4); }, 4},
        {"page button", [](auto& f) { f.SpeedButton19.Click(); }, 6},
        {"page button", [](auto& f) { f.SpeedButton14.Click(); }, 1},
        {"tray item", [](auto& f) { f.Reminder1.Click(); }, 5},
        {"forward", [](auto& f) { f.SpeedButton3.Click(); }, 3},
        {"back", [](auto& f) { f.SpeedButton2.Click(); }, 1},
    };
    for (const Route& r : routes) {
        fakes::TestProgram t;
        t.Store("IndexOfTab", 2);
        auto& f = *t.Start().MainForm;
        r.go(f);
        EXPECT_EQ(f.Disks.ActivePageIndex(), r.page) << r.name;
        EXPECT_EQ(t.P().IndexOfTab, r.page) << r.name;
        EXPECT_EQ(t.Stored("IndexOfTab"), r.page) << r.name;
        EXPECT_EQ(f.SpeedButton2.Enabled(), r.page != 0) << r.name;
        EXPECT_EQ(f.SpeedButton3.Enabled(), r.page != 6) << r.name;
    }
}

TEST(MainWindow, InnerPagesAreStoredOnlyWhenTheUserChangesThem) {
    fakes::TestProgram t;
    t.Store("IndexOfRemoveable", 1);
    t.Store("IndexOfFreeTemp", 4);
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.PageControl1.ActivePageIndex(), 1);
    EXPECT_EQ(f.PageControl2.ActivePageIndex(), 4);
    f.PageControl1.SelectTab(0);
    f.PageControl2.SelectTab(2);
    EXPECT_EQ(t.Stored("IndexOfRemoveable"), 0);
    EXPECT_EQ(t.Stored("IndexOfFreeTemp"), 2);
}

TEST(MainWindow, ActivationReturnsToTheStoredPosition) {
    fakes::TestProgram t;
    t.Store("TopForm", 100);
    t.Store("LeftForm", 250);
    auto& p = t.Start();
    auto& f = *p.MainForm;
    EXPECT_EQ(f.Top(), 100);
    EXPECT_EQ(f.Left(), 250);
    f.BoundsChangedByUser(400, 300, f.Width(), f.Height());
    f.About1.Click(); // the About box closes: the window goes back
    EXPECT_EQ(f.Left(), 250);
    EXPECT_EQ(f.Top(), 100);
    f.BoundsChangedByUser(400, 300, f.Width(), f.Height());
    f.Exit1.Click();
    EXPECT_EQ(t.Stored("LeftForm"), 400) << "closing stores the position the user chose";
    EXPECT_TRUE(p.App.Terminated());
}

TEST(MainWindow, TrayExitSavesAndCloses) {
    fakes::TestProgram t;
    auto& p = t.Start();
    int writesBefore = t.fake.registry.writes;
    p.MainForm->Blank1.Click(); // "Close this popup-menu" does nothing
    EXPECT_EQ(t.fake.registry.writes, writesBefore);
    p.MainForm->Exit2.Click();
    EXPECT_TRUE(p.App.Terminated());
    EXPECT_EQ(t.fake.registry.writes - writesBefore, 34) << "saved before closing and on close";
}

TEST(MainWindow, MissingPicturesAreReportedOnceAndStartUpCompletes) {
    fakes::TestProgram t;
    t.fake.bitmaps.missing = {"Clock.bmp", "Off.bmp"};
    auto& p = t.Start();
    const auto texts = t.fake.desktop.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Cannot open file \"C:\\Program Files\\Trelvix\\.\\Resource\\Off.bmp\". "
                        "The system cannot find the file specified.");
    EXPECT_NE(texts[1].find("Clock.bmp"), std::string::npos);
    // Later refreshes fail silently.
    p.MainForm->SpeedButton1.Click();
    EXPECT_EQ(t.fake.desktop.boxes.size(), 2u);
    EXPECT_EQ(p.MainForm->StopWatchTimer2.Interval(), 0) << "the steps after it still ran";
}

// A picture that fails while another error's box is open is reported once that box closes,
// and from then on counts as reported.
TEST(MainWindow, MissingPictureUnderAnOpenBoxIsReportedAfterIt) {
    fakes::TestProgram t;
    auto& p = t.Start();
    t.fake.bitmaps.missing = {"On.bmp"};
    t.fake.desktop.whileBoxOpen = [&] {
        if (t.fake.desktop.boxes.size() == 1)
            p.MainForm->SpeedButton1.Click(); // a refresh under the box
    };
    p.App.Guard([] { throw std::runtime_error("Access denied"); });
    EXPECT_EQ(t.fake.desktop.Texts(),
              (std::vector<std::string>{
                  "Access denied.",
                  "Cannot open file \"C:\\Program Files\\Trelvix\\.\\Resource\\On.bmp\". "
                  "The system cannot find the file specified."}));
    p.MainForm->SpeedButton1.Click();
    EXPECT_EQ(t.fake.desktop.boxes.size(), 2u) << "reported once";
}

// F11 opens the options in their own tests.
TEST(MainWindow, ShortcutsReachTheirCommands) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = *p.MainForm;
    EXPECT_TRUE(f.ShortCut(16451)); // Ctrl+C toggles stay-on-top, never copies
    EXPECT_TRUE(p.StayOnTop);
    EXPECT_TRUE(f.ShortCut(16472)); // Ctrl+X
    EXPECT_TRUE(p.App.Terminated());
}

} // namespace
