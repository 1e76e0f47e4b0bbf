#include "disks/LowSpaceWarning.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Kind = port::TrayEvent::Kind;
using port::DriveType;

constexpr std::int64_t MB = 1048576;
constexpr std::int64_t GB = 1024 * MB;
constexpr char Advice[] = "Open FreeTemp to see what can be deleted.";

fakes::FakeDrive Fixed(std::int64_t total, std::int64_t free) {
    return {DriveType::Fixed, {true, "", "NTFS"}, {total, free}};
}

struct LowSpace : ::testing::Test {
    // C: 100 GB and D: 200 GB, both with plenty free; the threshold is the default 5 GB.
    void SetUp() override {
        t.fake.drives.drives['C'] = Fixed(100 * GB, 10 * GB);
        t.fake.drives.drives['D'] = Fixed(200 * GB, 100 * GB);
        t.Start();
    }
    void Free(char letter, std::int64_t free) { t.fake.drives.drives[letter].space.free = free; }
    // The titles of the balloons shown since the last call.
    std::vector<std::string> NewTitles() {
        std::vector<std::string> titles;
        const auto& shown = t.fake.tray.balloons;
        for (std::size_t i = seen; i < shown.size(); ++i)
            titles.push_back(shown[i].title);
        seen = shown.size();
        return titles;
    }
    fakes::FakeTray::Balloon Last() const { return t.fake.tray.balloons.back(); }
    trelvix::TMainForm& F() { return t.Main(); }

    fakes::TestProgram t;
    std::size_t seen = 0;
};

// One check after another, each with the drives' figures of its moment; the program keeps
// what it warned about between the rows.
TEST_F(LowSpace, EachDriveWarnsOncePerLevelAndIsReArmedWellAboveTheThreshold) {
    struct Row {
        const char* what;
        std::int64_t c, d;                 // free bytes of C: and D:; -1: the query failed
        std::optional<int> threshold;      // LowSpaceGB set before the check
        std::vector<std::string> balloons; // titles shown by this check
    };
    const std::string c = "Drive C: is running out of space";
    const std::string d = "Drive D: is running out of space";
    const std::string both = "Drives C: and D: are running out of space";
    const Row rows[] = {
        {"above", 10 * GB, 100 * GB, {}, {}},
        {"crossing below", 4 * GB + 512 * MB, 100 * GB, {}, {c}},
        {"staying below", 4 * GB, 100 * GB, {}, {}},
        {"below a fifth", 900 * MB, 100 * GB, {}, {c}},
        {"further down", 100 * MB, 100 * GB, {}, {}},
        {"just under 1.1 x", 5 * GB + 500 * MB, 100 * GB, {}, {}},
        {"below again, not re-armed", 4 * GB, 100 * GB, {}, {}},
        {"above 1.1 x", 5 * GB + 600 * MB, 100 * GB, {}, {}},
        {"falling again", 4 * GB, 100 * GB, {}, {c}},
        {"two drives at once", 512 * MB, 3 * GB, {}, {both}},
        {"threshold 0", 100 * MB, 100 * MB, 0, {}},
        // D: at 3 GB is no longer below the threshold: re-armed, though not above 1.1 x.
        // C: stays warned.
        {"threshold lowered", 512 * MB, 3 * GB, 3, {}},
        {"threshold raised", 512 * MB, 3 * GB, 4, {d}},
        {"a failed query", 512 * MB, -1, {}, {}},
        {"back from the failure: still warned", 512 * MB, 3 * GB, {}, {}},
        {"a smaller drive than the threshold", 512 * MB, 3 * GB, 300, {}},
    };
    EXPECT_EQ(F().Timer1.Interval(), 0) << "the automatic refresh is off";
    EXPECT_EQ(F().LowSpaceTimer.Interval(), 60000);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Free('C', row.c);
        Free('D', row.d);
        t.fake.drives.drives['D'].space.total = row.d < 0 ? -1 : 200 * GB;
        if (row.threshold)
            t.P().LowSpaceGB = *row.threshold;
        F().LowSpaceTimer.Tick();
        EXPECT_EQ(NewTitles(), row.balloons);
    }
}

TEST_F(LowSpace, TheBalloonsTextsGiveTheFiguresInTheDisksPagesUnit) {
    struct Row {
        std::int64_t c, d;
        std::int64_t unit;
        std::string text;
    };
    const Row rows[] = {
        {4 * GB + 512 * MB, 100 * GB, MB,
         std::string("4 608 Mbytes free of 102 400 Mbytes. ") + Advice},
        {512 * MB, 3 * GB + 256 * MB, 1073741824,
         std::string("C: 0,5 Gbytes free of 100 Gbytes\nD: 3,2 Gbytes free of 200 Gbytes\n") +
             Advice},
    };
    for (const Row& row : rows) {
        Free('C', 10 * GB);
        Free('D', 100 * GB);
        F().LowSpaceTimer.Tick(); // re-arms both
        t.P().ChangeOfBytes = row.unit;
        Free('C', row.c);
        Free('D', row.d);
        F().LowSpaceTimer.Tick();
        EXPECT_EQ(Last().text, row.text);
        EXPECT_EQ(Last().icon, port::BalloonIcon::Warning);
        EXPECT_EQ(Last().tag, trelvix::LowSpaceBalloonTag);
    }
}

// The 60-second check only asks: the lists, their markers and the tray tip stay as the last
// survey left them. A survey (F5) checks with its own figures.
TEST_F(LowSpace, TheMinuteCheckLeavesTheListsAloneAndASurveyChecksToo) {
    const std::vector<std::string> lists = F().ListBox1.Items();
    const std::string tip = F().TrayIcon1.Hint();
    Free('C', 1 * GB);
    F().LowSpaceTimer.Tick();
    EXPECT_EQ(NewTitles(), std::vector<std::string>{"Drive C: is running out of space"});
    EXPECT_EQ(F().ListBox1.Items(), lists);
    EXPECT_EQ(F().TrayIcon1.Hint(), tip);

    Free('D', 2 * GB);
    F().ShortCut(116); // F5
    EXPECT_EQ(NewTitles(), std::vector<std::string>{"Drive D: is running out of space"});
    EXPECT_NE(F().ListBox1.Items(), lists);
}

TEST_F(LowSpace, SmallDrivesAndFailedQueriesAreNeverWarnedAbout) {
    t.fake.drives.drives['E'] = Fixed(4 * GB, 100 * MB); // a recovery partition
    t.fake.drives.drives['F'] = Fixed(-1, -1);
    t.fake.drives.drives['G'] = {DriveType::Removable, {true, "", "FAT"}, {64 * GB, 1 * MB}};
    F().LowSpaceTimer.Tick();
    F().ShortCut(116);
    EXPECT_TRUE(NewTitles().empty());
    t.fake.drives.drives['E'] = Fixed(5 * GB, 100 * MB); // exactly the threshold's size
    F().LowSpaceTimer.Tick();
    EXPECT_EQ(NewTitles(), std::vector<std::string>{"Drive E: is running out of space"});
}

// A balloon the tray refused is not a warning given: the next check, or the taskbar's return,
// shows it, and once shown it is not repeated.
TEST_F(LowSpace, ARefusedBalloonIsShownWhenTheTaskbarReturns) {
    t.fake.tray.balloonSucceeds = false;
    Free('C', 1 * GB);
    F().LowSpaceTimer.Tick();
    F().LowSpaceTimer.Tick();
    EXPECT_TRUE(NewTitles().empty());
    EXPECT_EQ(t.fake.tray.Count("balloon"), 2) << "asked again at the next check";

    t.fake.tray.shown = false; // the taskbar went, and comes back
    t.fake.tray.balloonSucceeds = true;
    t.fake.tray.Send(Kind::TaskbarCreated);
    EXPECT_EQ(NewTitles(), std::vector<std::string>{"Drive C: is running out of space"});
    F().LowSpaceTimer.Tick();
    t.fake.tray.Send(Kind::TaskbarCreated);
    EXPECT_TRUE(NewTitles().empty());
}

TEST_F(LowSpace, ManyDrivesMakeOneBalloonCutToTheShellsFields) {
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        t.fake.drives.drives[letter] = Fixed(1000 * GB, 1 * GB);
    F().LowSpaceTimer.Tick();
    ASSERT_EQ(t.fake.tray.balloons.size(), 1u);
    EXPECT_EQ(Last().title, "Drives C:, D:, E:, F:, G:, H:, I:, J:, K:, L:, M:, N:, O:, P:, ");
    EXPECT_EQ(Last().title.size(), 63u);
    EXPECT_EQ(Last().text.size(), 255u);
    EXPECT_EQ(Last().text.substr(0, 39), "C: 1 024 Mbytes free of 1 024 000 Mbyte");
}

TEST_F(LowSpace, AClickOnTheBalloonShowsTheFreeTempTotals) {
    F().PageControl2.SelectTab(3);
    F().KeyPress(27); // Escape: into the tray
    ASSERT_FALSE(F().Visible());
    port::TrayEvent click{Kind::BalloonClicked};
    click.tag = "something else";
    t.fake.tray.Send(click);
    EXPECT_FALSE(F().Visible());

    click.tag = trelvix::LowSpaceBalloonTag;
    t.fake.tray.Send(click);
    EXPECT_TRUE(F().Visible());
    EXPECT_EQ(F().Disks.ActivePageIndex(), 2);
    EXPECT_EQ(F().PageControl2.ActivePageIndex(), 0);
    EXPECT_EQ(t.Stored("IndexOfTab"), 2);
    EXPECT_EQ(t.Stored("IndexOfFreeTemp"), 0);
}

} // namespace
