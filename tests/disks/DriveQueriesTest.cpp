#include "disks/DriveSurvey.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Order = fakes::HeldBackground::Order;
using port::DriveType;
using Lines = std::vector<std::string>;

constexpr std::int64_t MB = 1048576;

fakes::FakeDrive Drive(DriveType type, const std::string& label, std::int64_t total,
                       std::int64_t free) {
    return {type, {true, label, "NTFS"}, {total, free}};
}

// A machine with a drive in every list, the floppy letters included.
struct DriveMachine : fakes::TestProgram {
    fakes::HeldBackground held;
    DriveMachine() {
        auto& d = fake.drives.drives;
        d['A'] = Drive(DriveType::CdRom, "OLD", 700 * MB, 0);
        d['B'] = {DriveType::Removable, {false, "", ""}, {-1, -1}};
        d['C'] = Drive(DriveType::Fixed, "SYSTEM", 80000 * MB, 12000 * MB);
        d['D'] = {DriveType::CdRom, {false, "", ""}, {-1, -1}};
        d['E'] = Drive(DriveType::Fixed, "DATA", 40000 * MB, 20000 * MB);
        d['G'] = Drive(DriveType::Removable, "STICK", 1024 * MB, 512 * MB);
        d['N'] = Drive(DriveType::Remote, "SHARE", 500 * MB, 100 * MB);
        d['R'] = Drive(DriveType::RamDisk, "RAM", 64 * MB, 32 * MB);
        Store("Interval", 5);
        background = &held;
    }
    // Free space moves and a label changes, then the user refreshes both drive pages.
    void ChangeAndRefresh() {
        auto& d = fake.drives.drives;
        d['C'].space.free -= MB;
        d['R'].space.free += MB;
        d['E'].volume.label = "LATER";
        d['G'].space.free -= 2 * MB;
        Main().ListBox1.SelectItem(1);
        Main().SpeedButton1.Click();
        Main().PageControl1.SelectTab(1);
        Main().SpeedButton1.Click();
        Main().PageControl1.SelectTab(0);
    }
    int QueriesOf(char letter) const {
        return static_cast<int>(
            std::ranges::count(fake.drives.calls, letter, &fakes::DriveCall::letter));
    }
    // Completes every held job except those querying `letter`: they run as far as the
    // drives let them, and their results do not reach the window, as with a worker stuck in
    // the system. Returns how many are held back; they stay first in the queue.
    size_t CompleteAllBut(char letter, size_t heldBack = 0) {
        size_t index = heldBack;
        while (index < held.Held()) {
            const size_t before = fake.drives.calls.size();
            held.RunOnly(index);
            const bool touches =
                std::any_of(fake.drives.calls.begin() + static_cast<std::ptrdiff_t>(before),
                            fake.drives.calls.end(),
                            [letter](const fakes::DriveCall& c) { return c.letter == letter; });
            if (touches)
                ++index;
            else
                held.Complete(index);
        }
        return index;
    }
};

// Every drive list, picker, tray tip and group as the user sees them.
std::string DriveView(trelvix::Program& p) {
    trelvix::TMainForm& f = *p.MainForm;
    std::ostringstream out;
    for (const tk::ListBox* list :
         {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4, &f.ListBox11}) {
        out << list->Name() << " #" << list->ItemIndex();
        for (const std::string& item : list->Items())
            out << " |" << item;
        out << "\n";
    }
    for (const tk::DriveComboBox* picker : {&f.DriveComboBox1, &f.DriveComboBox2}) {
        out << picker->Name() << " " << picker->Drive();
        for (const tk::DriveItem& item : picker->Drives())
            out << " |" << item.text << "/" << item.icon;
        out << "\n";
    }
    for (const tk::GroupBox* group : {&f.GroupBox3, &f.GroupBox4, &f.GroupBox5, &f.GroupBox6})
        out << group->Name() << " " << group->Left() << "," << group->Top() << ","
            << group->Height() << "\n";
    for (const tk::ListBox* list : {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4})
        out << list->Name() << " height " << list->Height() << "\n";
    out << "hint " << f.TrayIcon1.Hint() << "\nsummary " << p.TraySummary << "\nglyph "
        << f.SpeedButton1.Glyph().name << "\n";
    return out.str();
}

TEST(DriveQueries, StartUpAndRefreshInAnyOrderEndAsWhenRunAtOnce) {
    std::string started, refreshed;
    {
        DriveMachine m;
        m.held.runNow = true;
        m.Start();
        started = DriveView(m.P());
        m.Main().SpeedButton1.Click(); // the survey the markers compare with
        m.ChangeAndRefresh();
        refreshed = DriveView(m.P());
    }
    ASSERT_NE(started.find("|N: [SHARE]"), std::string::npos) << started;
    ASSERT_NE(refreshed.find("|e: [later]/4"), std::string::npos) << refreshed;
    ASSERT_NE(refreshed.find("Free: 11 999 Mbytes; <<<"), std::string::npos) << refreshed;
    const std::pair<Order, unsigned> orders[] = {
        {Order::Oldest, 1}, {Order::Newest, 1}, {Order::Random, 7}, {Order::Random, 1234}};
    for (auto [order, seed] : orders) {
        SCOPED_TRACE(static_cast<int>(order) * 10000 + static_cast<int>(seed));
        DriveMachine m;
        auto& p = m.Start();
        EXPECT_EQ(p.MainForm->SpeedButton1.Glyph().name, "On.bmp");
        m.held.CompleteAll(order, seed);
        EXPECT_EQ(DriveView(p), started);
        p.MainForm->SpeedButton1.Click();
        m.held.CompleteAll(order, seed);
        m.ChangeAndRefresh();
        m.held.CompleteAll(order, seed);
        EXPECT_EQ(DriveView(p), refreshed);
        EXPECT_FALSE(p.MainForm->DriveQueryTimer.Running());
    }
}

// A drive that does not answer: its failure line when the deadline passes, no second query
// of it while it hangs, and its normal line once it has answered.
TEST(DriveQueries, AQueryPastItsDeadlineGivesItsFailureLineAndNoSecondQuery) {
    struct Case {
        const char* what;
        DriveType type;
        bool surveyedBefore; // else it hangs from the start
        const char* hangsAt;
        tk::ListBox trelvix::TMainForm::*list;
        const char* line; // nullptr: in no list
    };
    using F = trelvix::TMainForm;
    const Case cases[] = {
        {"a dead share, seen at once", DriveType::Remote, false, "Volume", &F::ListBox3,
         "N: Access Denied"},
        {"a dead share, known from before", DriveType::Remote, true, "Type", &F::ListBox3,
         "N: Access Denied"},
        {"a CD drive", DriveType::CdRom, true, "Volume", &F::ListBox2, "N: Cd-rom"},
        {"a fixed disk", DriveType::Fixed, true, "Volume", &F::ListBox1, "N: Access Denied"},
        {"a drive never classified", DriveType::Fixed, false, "Type", &F::ListBox1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DriveMachine m;
        m.fake.drives.drives['N'] = Drive(c.type, "SHARE", 500 * MB, 100 * MB);
        m.held.runNow = c.surveyedBefore;
        m.Start();
        m.held.runNow = false;
        auto& f = m.Main();
        const std::string hangsAt = c.hangsAt;
        m.fake.drives.whileQuerying = [hangsAt](const fakes::DriveCall& call) {
            if (call.letter == 'N' && call.what == hangsAt)
                throw std::runtime_error("still waiting");
        };
        const Lines before = (f.*c.list).Items();
        if (c.surveyedBefore)
            f.SpeedButton1.Click();
        const size_t stuck = m.CompleteAllBut('N');
        ASSERT_GE(stuck, 1u);
        EXPECT_EQ((f.*c.list).Items(), before) << "the lists wait for the drive";
        ASSERT_EQ(f.DriveQueryTimer.Interval(), 2000);
        m.fake.system.tickCount += 1999;
        f.DriveQueryTimer.Tick();
        EXPECT_EQ((f.*c.list).Items(), before) << "a drive has two seconds";
        ASSERT_EQ(f.DriveQueryTimer.Interval(), 1);

        m.fake.system.tickCount += 1;
        f.DriveQueryTimer.Tick();
        const Lines& lines = (f.*c.list).Items();
        const bool listed =
            std::ranges::find(lines, std::string(c.line ? c.line : "")) != lines.end();
        EXPECT_EQ(listed, c.line != nullptr);
        for (const std::string& line : lines)
            EXPECT_TRUE(c.line != nullptr || !line.starts_with("N:")) << line;
        EXPECT_EQ(f.GroupBox3.Left(), 5) << "the fixed disks still show";
        EXPECT_NE(f.TrayIcon1.Hint().find("C:T80 000;F12 000\r"), std::string::npos);
        EXPECT_FALSE(f.DriveQueryTimer.Running());
        EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp") << "the survey is over";

        // While it hangs, surveys give it its line at once and ask it nothing.
        const int asked = m.QueriesOf('N');
        f.SpeedButton1.Click();
        EXPECT_EQ(m.CompleteAllBut('N', stuck), stuck);
        EXPECT_EQ(m.QueriesOf('N'), asked);
        EXPECT_FALSE(f.DriveQueryTimer.Running());
        EXPECT_EQ(std::ranges::count((f.*c.list).Items(), std::string(c.line ? c.line : "")),
                  c.line ? 1 : 0);

        // It answers at last: the next survey shows it as it is.
        m.fake.drives.whileQuerying = nullptr;
        while (m.held.Held() > 0)
            m.held.Complete(0);
        m.fake.desktop.boxes.clear(); // the stand-in for a hang ends as an error
        f.SpeedButton1.Click();
        m.held.CompleteAll();
        EXPECT_GT(m.QueriesOf('N'), asked);
        const Lines& after = (f.*c.list).Items();
        EXPECT_TRUE(std::ranges::any_of(after, [](const std::string& line) {
            return line.starts_with("N: [SHARE]") || line == "N: Cd-rom";
        })) << (after.empty() ? "" : after.front());
    }
}

TEST(DriveQueries, TimerTicksDuringASurveyStartNoneAndRefreshesCoalesce) {
    DriveMachine m;
    m.Start();
    auto& f = m.Main();
    m.held.CompleteAll();
    // Each fixed-lists survey asks C: for its size twice: for the floppy letters and its line.
    const auto surveys = [&m] { return m.fake.drives.Count("FreeSpace", 'C') / 2; };
    m.fake.drives.calls.clear();
    f.SpeedButton1.Click();
    f.Timer1.Tick();
    f.Timer1.Tick();
    m.held.CompleteAll(Order::Newest);
    EXPECT_EQ(surveys(), 1) << "ticks under a running survey start none, not even later";
    f.SpeedButton1.Click();
    f.SpeedButton1.Click();
    f.Refresh1.Click();
    m.held.CompleteAll(Order::Newest);
    EXPECT_EQ(surveys(), 3) << "the one running and one more after it";
    f.Timer1.Tick();
    m.held.CompleteAll();
    EXPECT_EQ(surveys(), 4) << "an idle tick surveys";
}

// A drive hangs past the deadline under every timed refresh: each survey ends with its
// failure line like any other, and each later tick surveys again and shows the other drives
// as they are now (a survey that never ended would stop the timed refresh for good).
TEST(DriveQueries, ASurveyPastItsDeadlineNeverStopsTheTimedRefresh) {
    for (const char* hangsAt : {"Type", "Volume"}) {
        SCOPED_TRACE(hangsAt);
        DriveMachine m;
        m.held.runNow = true;
        auto& p = m.Start();
        m.held.runNow = false;
        auto& f = m.Main();
        const std::string at = hangsAt;
        m.fake.drives.whileQuerying = [at](const fakes::DriveCall& call) {
            if (call.letter == 'N' && call.what == at)
                throw std::runtime_error("still waiting");
        };
        size_t stuck = 0;
        for (int tick = 1; tick <= 3; ++tick) {
            SCOPED_TRACE(tick);
            m.fake.drives.drives['C'].space.free -= MB;
            const int surveysBefore = m.fake.drives.Count("FreeSpace", 'C');
            f.Timer1.Tick();
            stuck = m.CompleteAllBut('N', stuck);
            EXPECT_GT(m.fake.drives.Count("FreeSpace", 'C'), surveysBefore) << "the tick surveyed";
            ASSERT_EQ(stuck, 1u) << "one query of N out, and only one";
            if (tick == 1) {
                EXPECT_TRUE(trelvix::FixedSurveyRunning(p));
                m.fake.system.tickCount += trelvix::DriveQueryDeadline;
                f.DriveQueryTimer.Tick();
            }
            EXPECT_FALSE(trelvix::FixedSurveyRunning(p));
            EXPECT_TRUE(f.ListBox1.Item(0).starts_with(
                "C: [SYSTEM] (NTFS) Total: 80 000 Mbytes; Free: 11 99" + std::to_string(10 - tick)))
                << f.ListBox1.Item(0);
            EXPECT_EQ(f.ListBox3.Items(), Lines{"N: Access Denied"});
            EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
            EXPECT_FALSE(f.DriveQueryTimer.Running());
        }
        m.fake.drives.whileQuerying = nullptr;
    }
}

// Surveys of all three kinds ask the same letters at once: a letter never has two queries
// out, the later ones wait for the one out, and every list ends as when run at once.
TEST(DriveQueries, EachLetterHasOneQueryOutAtATime) {
    const auto refreshBothPages = [](fakes::TestProgram& t) {
        t.Main().SpeedButton1.Click();
        t.Main().PageControl1.SelectTab(1);
        t.Main().SpeedButton1.Click();
        t.Main().PageControl1.SelectTab(0);
    };
    std::string atOnce;
    {
        DriveMachine m;
        m.held.runNow = true;
        m.Start();
        refreshBothPages(m);
        atOnce = DriveView(m.P());
    }
    DriveMachine m;
    m.Start();
    refreshBothPages(m);
    std::vector<char> out; // the letter of each held job, in the held order ('-': no drive)
    size_t queries = 0;
    while (m.held.Held() > 0) {
        while (out.size() < m.held.Held()) {
            const size_t before = m.fake.drives.calls.size();
            m.held.RunOnly(out.size());
            const bool asksADrive = m.fake.drives.calls.size() > before;
            out.push_back(asksADrive ? m.fake.drives.calls[before].letter : '-');
            queries += asksADrive ? 1 : 0;
        }
        std::vector<char> sorted = out;
        std::erase(sorted, '-');
        std::ranges::sort(sorted);
        EXPECT_EQ(std::ranges::adjacent_find(sorted), sorted.end()) << "two queries of a letter";
        m.held.Complete(0);
        out.erase(out.begin());
    }
    EXPECT_GT(queries, 26u) << "letters were asked by several surveys";
    EXPECT_EQ(DriveView(m.P()), atOnce);
}

// Only the letters the system lists are asked; A: and B: go by their rule (the fixed lists
// after C: has a size, the removable list always).
TEST(DriveQueries, SurveysAskOnlyTheLettersThatExist) {
    using P = trelvix::Program;
    struct Case {
        const char* what;
        bool systemDriveHasSize;
        std::function<void(P&)> survey;
        std::string asked;
    };
    const Case cases[] = {
        {"fixed lists", true, [](P& p) { trelvix::SurveyFixedDrives(p); }, "ABCDZ"},
        {"fixed lists, C: without a size", false, [](P& p) { trelvix::SurveyFixedDrives(p); },
         "CDZ"},
        {"removable list", true, [](P& p) { trelvix::SurveyRemovableDrives(p); }, "ABCDZ"},
        {"drive pickers", true, [](P& p) { trelvix::RefreshDrivePickers(p); }, "CDZ"},
        {"low-space check", true,
         [](P& p) {
             p.LowSpaceGB = 1;
             trelvix::CheckLowSpaceNow(p);
         },
         "CDZ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::TestProgram t;
        auto& d = t.fake.drives.drives;
        d['C'] = Drive(DriveType::Fixed, "SYSTEM", c.systemDriveHasSize ? 80000 * MB : 0, 0);
        d['D'] = Drive(DriveType::CdRom, "DISC", 700 * MB, 0);
        d['Z'] = Drive(DriveType::Fixed, "", 90000 * MB, 9000 * MB);
        auto& p = t.Start();
        t.fake.drives.calls.clear();
        c.survey(p);
        std::string asked;
        for (const fakes::DriveCall& call : t.fake.drives.calls)
            if (call.what == "Type")
                asked += call.letter;
        std::ranges::sort(asked);
        EXPECT_EQ(asked, c.asked);
    }
}

// One timed refresh asks each present letter once: the pickers take the fixed-lists
// survey's answers (a CD's label, which the survey reads, never shows in a picker) and
// everything ends as when each query answers at once.
TEST(DriveQueries, PickersAndSurveyOfOneRefreshShareEachLettersAnswer) {
    const auto labelTheCd = [](DriveMachine& m) {
        m.fake.drives.drives['D'] = Drive(DriveType::CdRom, "DISC", 700 * MB, 0);
    };
    std::string atOnce;
    {
        DriveMachine m;
        labelTheCd(m);
        m.held.runNow = true;
        m.Start();
        m.Main().Timer1.Tick();
        atOnce = DriveView(m.P());
    }
    ASSERT_NE(atOnce.find("|d:/"), std::string::npos) << atOnce;
    DriveMachine m;
    labelTheCd(m);
    m.Start();
    m.held.CompleteAll();
    m.fake.drives.calls.clear();
    m.Main().Timer1.Tick();
    m.held.CompleteAll(Order::Newest);
    for (char letter : std::string("CDEGNR"))
        EXPECT_EQ(m.fake.drives.Count("Type", letter), 1) << letter;
    EXPECT_EQ(DriveView(m.P()), atOnce);

    // Pickers refreshed alone still ask for themselves.
    m.fake.drives.calls.clear();
    trelvix::RefreshDrivePickers(m.P());
    m.held.CompleteAll();
    EXPECT_EQ(m.fake.drives.Count("Type", 'D'), 1);
    EXPECT_EQ(m.fake.drives.Count("Volume", 'D'), 0) << "a CD's volume waits for its medium";
    EXPECT_EQ(DriveView(m.P()), atOnce);
}

// The door and disconnect commands wait in the system: they run off the window's thread, and
// what follows them (the question, the refresh, the box) on it, in the same order as ever.
TEST(DriveQueries, DriveCommandsRunAsideAndTheirBoxesFollowTheRefresh) {
    struct Case {
        const char* what;
        tk::MenuItem trelvix::TMainForm::*item;
        std::deque<int> cancelResults;
        int answer;
        Lines boxes; // the list's first line as each box opened
    };
    using F = trelvix::TMainForm;
    const std::string net = "N: [SHARE] (NTFS) Total: 500 Mbytes; Free: 100 Mbytes; ===";
    const Case cases[] = {
        {"eject refused", &F::EjectInputCdrom1, {}, 0, {net}},
        {"disconnect refused", &F::Disc1, {1222}, 0, {"N: Access Denied"}},
        {"open files, forced", &F::Disc1, {2401, 0}, port::mb::IdYes, {net}},
        {"open files, forced and refused",
         &F::Disc1,
         {2401, 5},
         port::mb::IdYes,
         {net, "N: Access Denied"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DriveMachine m;
        m.Start();
        auto& f = m.Main();
        m.held.CompleteAll();
        f.ListBox3.SelectItem(0);
        m.fake.media.commandResult = 263;
        m.fake.media.cancelResults = c.cancelResults;
        m.fake.desktop.answers = {c.answer};
        // The disconnection's survey finds the share unreadable: a box shows behind it.
        m.fake.drives.drives['N'].volume.ok = false;
        Lines seen;
        m.fake.desktop.whileBoxOpen = [&] { seen.push_back(f.ListBox3.Item(0)); };
        (f.*c.item).Click();
        EXPECT_TRUE(m.fake.media.commands.empty() && m.fake.media.cancels.empty())
            << "nothing waits on the window's thread";
        EXPECT_TRUE(m.fake.desktop.boxes.empty());
        m.held.CompleteAll(Order::Newest);
        EXPECT_EQ(seen, c.boxes);
        EXPECT_EQ(m.fake.media.cancels.size(), c.cancelResults.size());
        EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
    }
}

// The three change-marker stores, whole.
std::string MarkerStores(const trelvix::Program& p) {
    std::ostringstream out;
    const trelvix::DiskMonitorState& d = p.DiskMonitor;
    for (const trelvix::FreeHistory* h :
         {&d.FixedFreeHistory, &d.RemovableFreeHistory, &d.GeneralFreeHistory}) {
        out << (h->primed ? "primed" : "unprimed");
        for (double value : h->previous)
            out << " " << value;
        out << "\n";
    }
    return out.str();
}

// The unit moves from Mbytes to Kbytes while both drive surveys are out, free space having
// grown on C: and G:; their answers arrive before the move, after it or after the dialog
// closed, in either order. However they arrive, the program ends as the one whose surveys
// answer at once: every line of the first survey in the new unit shows "===", the next
// ones compare in it, and figures of the old unit never prime a store.
TEST(DriveQueries, AChangeOfUnitWhileSurveysAreOutEndsAsWhenTheyAnswerAtOnce) {
    enum class Answers { AtOnce, BeforeTheMove, AfterTheMove, AfterTheDialog };
    struct End {
        std::string view, stores, compared;
    };
    const auto run = [](Answers answers, Order order) {
        DriveMachine m;
        m.held.runNow = answers == Answers::AtOnce;
        auto& p = m.Start();
        auto& f = m.Main();
        const auto settle = [&] { m.held.CompleteAll(order); };
        const auto refreshBothPages = [&] {
            f.SpeedButton1.Click();
            f.PageControl1.SelectTab(1);
            f.SpeedButton1.Click();
            f.PageControl1.SelectTab(0);
        };
        refreshBothPages();
        settle();
        auto& d = m.fake.drives.drives;
        d['C'].space.free += MB;
        d['G'].space.free += MB;
        refreshBothPages();
        if (answers == Answers::BeforeTheMove)
            settle();
        p.App.ModalScript = [&](tk::Form&) {
            p.Options->PageControl1.SelectTab(1);
            p.Options->TrackBar2.SetPosition(1); // "KBytes"
            if (answers == Answers::AfterTheMove)
                settle();
        };
        f.ShortCut(122); // F11
        p.App.ModalScript = nullptr;
        settle();
        End end{DriveView(p), MarkerStores(p), ""};
        d['C'].space.free += 1024;
        d['G'].space.free -= 1024;
        refreshBothPages();
        settle();
        end.compared = DriveView(p);
        return end;
    };
    const End atOnce = run(Answers::AtOnce, Order::Oldest);
    // The removable list was not surveyed since: it shows its last survey, in Mbytes.
    for (const char* line : {"|C: [SYSTEM] (NTFS) Total: 81 920 000 Kbytes; Free: 12 289 024 "
                             "Kbytes; ===",
                             "|G: [STICK] (NTFS) Total: 1 024 Mbytes; Free: 513 Mbytes; >>>"})
        EXPECT_NE(atOnce.view.find(line), std::string::npos) << atOnce.view;
    // Fixed, removable, General: the removable store waits for a survey in the new unit.
    EXPECT_EQ(atOnce.stores.substr(0, 7) + atOnce.stores.substr(atOnce.stores.find('\n'), 10),
              "primed \nunprimed ")
        << atOnce.stores;
    EXPECT_NE(atOnce.compared.find("Free: 12 289 025 Kbytes; >>>"), std::string::npos);
    EXPECT_NE(atOnce.compared.find("Free: 525 311 Kbytes; ==="), std::string::npos);
    for (Answers answers : {Answers::BeforeTheMove, Answers::AfterTheMove, Answers::AfterTheDialog})
        for (Order order : {Order::Oldest, Order::Newest}) {
            SCOPED_TRACE(static_cast<int>(answers) * 10 + static_cast<int>(order));
            const End end = run(answers, order);
            EXPECT_EQ(end.view, atOnce.view);
            EXPECT_EQ(end.stores, atOnce.stores);
            EXPECT_EQ(end.compared, atOnce.compared);
        }
}

// The options dialog, made at start-up, sets the unit of a stored divisor other than bytes
// while the first survey is out: that survey's answers must not prime the stores, so the
// first timer refresh shows "===" on every line in any unit but bytes.
TEST(DriveQueries, FirstTimerRefreshAfterStartUpComparesOnlyInBytes) {
    const std::pair<std::uint32_t, const char*> units[] = {
        {1, "; >>>"}, {1024, "; ==="}, {1048576, "; ==="}, {1073741824, "; ==="}};
    for (const auto& [divisor, marker] : units)
        for (bool atOnce : {true, false}) {
            SCOPED_TRACE(std::to_string(divisor) + (atOnce ? " at once" : " held"));
            DriveMachine m;
            m.Store("ChangeOfBytes", divisor);
            m.held.runNow = atOnce;
            m.Start();
            m.held.CompleteAll();
            auto& f = m.Main();
            ASSERT_TRUE(f.ListBox1.Item(0).ends_with("; ===")) << f.ListBox1.Item(0);
            m.fake.drives.drives['C'].space.free += 1;
            m.fake.drives.drives['E'].space.free += 1;
            f.Timer1.Tick();
            m.held.CompleteAll();
            for (int line : {0, 1, 3})
                EXPECT_TRUE(f.ListBox1.Item(line).ends_with(marker)) << f.ListBox1.Item(line);
            m.fake.drives.drives['C'].space.free += 1;
            f.Timer1.Tick();
            m.held.CompleteAll();
            EXPECT_TRUE(f.ListBox1.Item(0).ends_with("; >>>")) << f.ListBox1.Item(0);
        }
}

} // namespace
