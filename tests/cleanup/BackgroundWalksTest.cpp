#include "cleanup/CleanupMachine.h"
#include "cleanup/DeleteActions.h"
#include "cleanup/OptionalFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using namespace cleanup_test;
using Order = fakes::HeldBackground::Order;

// Held at start beside the five walks: the drive surveys' queries, one per letter the
// system lists; this machine lists none.
constexpr size_t DriveQueries = 0;
// Held after the walks: the read of the AutoStart lists.
constexpr size_t AutoStartRead = 1;

// Everything the main window shows and the values the sizes leave behind, one line each.
std::string Snapshot(trelvix::Program& p) {
    std::ostringstream out;
    for (tk::Component* c : p.MainForm->Components()) {
        if (auto* control = dynamic_cast<tk::Control*>(c))
            out << control->Name() << " '" << control->Caption() << "' " << control->Enabled();
        if (auto* list = dynamic_cast<tk::ItemList*>(c)) {
            out << " #" << list->ItemIndex();
            for (const std::string& item : list->Items())
                out << " |" << item;
        }
        if (auto* button = dynamic_cast<tk::ButtonBase*>(c))
            out << " [" << button->Glyph().name << "]";
        out << "\n";
    }
    const auto& s = p.OptionalFiles;
    out << s.TempSize << " " << s.CacheSize << " " << s.HistorySize << " " << s.CookiesSize << " "
        << s.RecycleSize << " " << s.TotalSize << " " << p.TraySummary << "\n";
    return out.str();
}

// A machine with something in each place, Recycle Bin included.
struct FilledMachine : CleanupMachine {
    fakes::HeldBackground background;
    FilledMachine() {
        files().AddFile(In(Temp, "a.tmp"), 1000);
        files().AddFile(In(Temp, "sub\\b.tmp"), 234);
        files().AddFile(In(Cache, "page.htm"), 70);
        files().AddFile(In(History, "index.dat"), 8);
        files().AddFile(In(Cookies, "c.txt"), 9);
        files().recycleBin = {true, 4000, 3};
        TestProgram::background = &background;
    }
    // Something changed before the user's Refresh of the FreeTemp page.
    void RefreshFreeTempPageAfterChanges() {
        files().AddFile(In(Temp, "c.tmp"), 5);
        files().AddFile(In(Cookies, "d.txt"), 11);
        Main().SelectPage(2);
        Main().ShortCut(116);
    }
};

std::string RunNowSnapshot(bool refreshed) {
    FilledMachine m;
    m.background.runNow = true;
    m.Start();
    if (refreshed)
        m.RefreshFreeTempPageAfterChanges();
    return Snapshot(m.P());
}

TEST(BackgroundWalks, ResultsInAnyOrderEndAsWhenRunAtOnce) {
    const std::string started = RunNowSnapshot(false);
    const std::string refreshed = RunNowSnapshot(true);
    ASSERT_NE(started.find("Total size of all temps: 5 321 bytes"), std::string::npos);
    const std::pair<Order, unsigned> orders[] = {
        {Order::Oldest, 1}, {Order::Newest, 1}, {Order::Random, 7}, {Order::Random, 99}};
    for (auto [order, seed] : orders) {
        SCOPED_TRACE(static_cast<int>(order) * 1000 + static_cast<int>(seed));
        FilledMachine m;
        auto& p = m.Start();
        EXPECT_TRUE(p.MainForm->Visible()) << "the window shows before the walks end";
        EXPECT_EQ(m.background.Held(), 5u + DriveQueries + AutoStartRead);
        m.background.CompleteAll(order, seed);
        EXPECT_EQ(Snapshot(p), started);
        m.RefreshFreeTempPageAfterChanges();
        m.background.CompleteAll(order, seed);
        EXPECT_EQ(Snapshot(p), refreshed);
    }
}

TEST(BackgroundWalks, SizesReadCountingUntilTheirFirstResultThenKeepTheirText) {
    FilledMachine m;
    auto& p = m.Start();
    auto& f = *p.MainForm;
    for (tk::Label* label : {&f.Label2, &f.Label26, &f.Label27, &f.Label28, &f.Label30, &f.Label33,
                             &f.Label34, &f.Label35, &f.Label36, &f.Label37, &f.Label38})
        EXPECT_EQ(label->Caption(), "Counting...") << label->Name();
    m.background.CompleteAll();
    m.RefreshFreeTempPageAfterChanges();
    EXPECT_EQ(f.Label2.Caption(), "1 234 Bytes \rin Temporary Files!") << "the previous result";
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 5 321 bytes");
    m.background.CompleteAll();
    EXPECT_EQ(f.Label2.Caption(), "1 239 Bytes \rin Temporary Files!");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 5 337 bytes");
}

TEST(BackgroundWalks, BusyGlyphFromTheFirstJobToTheLastResult) {
    FilledMachine m;
    auto& p = m.Start();
    auto& glyph = p.MainForm->SpeedButton1;
    // The caches' walk starts when the places' walks end: the glyph stays on through it.
    while (m.background.Held() > 0) {
        EXPECT_EQ(glyph.Glyph().name, "On.bmp");
        m.background.Complete(0);
    }
    EXPECT_EQ(glyph.Glyph().name, "Off.bmp");
}

TEST(BackgroundWalks, RefreshDuringAWalkMakesOneMoreWalkOnly) {
    FilledMachine m;
    auto& p = m.Start();
    m.background.CompleteAll();
    const int before = m.background.started;
    p.MainForm->SelectPage(2);
    p.MainForm->ShortCut(116);
    EXPECT_EQ(m.background.started - before, 5);
    m.files().AddFile(In(Cache, "late.htm"), 30);
    p.MainForm->ShortCut(116);
    p.MainForm->ShortCut(116);
    EXPECT_EQ(m.background.started - before, 5) << "no second walk beside a running one";
    m.background.Complete(1); // the Cache walk that began before late.htm came
    EXPECT_EQ(m.background.started - before, 6) << "one more walk of that place follows";
    m.background.CompleteAll(Order::Newest);
    EXPECT_EQ(m.background.started - before, 11) << "each place once more, the caches once";
    EXPECT_EQ(p.MainForm->Label26.Caption(), "100 Bytes \rin Temporary Internet Files!");
    EXPECT_EQ(p.MainForm->Label38.Caption(), "Total size of all temps: 5 351 bytes");
}

TEST(BackgroundWalks, TimersTickWhileWalksAreHeld) {
    FilledMachine m;
    auto& p = m.Start();
    auto& f = *p.MainForm;
    f.SelectPage(5); // where the uptime shows
    m.fake.system.tickCount = 3723000;
    f.Check1000.Tick();
    EXPECT_EQ(f.Label23.Caption(), "1:02:03");
    p.StayOnTop = true;
    f.TimerControl.Tick();
    EXPECT_NE(f.StatusBar1.SimpleText().find("StayOnTop=Yes"), std::string::npos);
    EXPECT_EQ(m.background.Held(), 5u + DriveQueries + AutoStartRead + 1)
        << "and the temporary folder's check";
    EXPECT_EQ(f.Label2.Caption(), "Counting...");
}

// A wake the window's thread never gets (its message queue full) loses no result: each
// Check1000 tick delivers what waits, and the program ends as when every wake arrives.
TEST(BackgroundWalks, ResultsWhoseWakeFailedArriveAtTheNextTick) {
    FilledMachine m;
    auto& p = m.Start();
    auto& f = *p.MainForm;
    m.background.refuseWakes = true;
    m.background.CompleteAll();
    EXPECT_EQ(f.Label2.Caption(), "Counting...") << "not delivered without a wake";
    EXPECT_GT(m.background.wakes, 0);
    for (int tick = 0; tick < 4; ++tick) {
        f.Check1000.Tick();
        m.background.CompleteAll();
    }
    EXPECT_EQ(Snapshot(p), RunNowSnapshot(false));
}

// The program ends with jobs out and the idle glyph's file missing: it is taken apart without
// a box (whose message loop would deliver results into it), and results that come after its
// end are dropped, never run.
TEST(BackgroundWalks, TheProgramsEndOpensNoBoxAndRunsNoResult) {
    FilledMachine m;
    m.fake.bitmaps.missing.push_back("On.bmp"); // a failure reported at the start
    m.Start();
    m.background.Complete(0);
    ASSERT_GT(m.background.Held(), 0u);
    ASSERT_EQ(m.fake.desktop.boxes.size(), 1u);
    m.fake.desktop.boxes.clear();
    m.fake.bitmaps.missing.push_back("Off.bmp");
    int delivered = 0;
    m.fake.desktop.whileBoxOpen = [&] { ++delivered; };
    m.program.reset();
    EXPECT_TRUE(m.fake.desktop.boxes.empty());
    const auto changes = m.files().changes;
    m.background.CompleteAll();
    EXPECT_TRUE(m.fake.desktop.boxes.empty());
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(m.files().changes, changes);
}

// The temporary folder is looked for and made again off the window's thread (a folder on a
// share that does not answer would hold the window up each second): one check at a time,
// not shown as work.
TEST(BackgroundWalks, TheTemporaryFolderIsCheckedAsideOneCheckAtATime) {
    FilledMachine m;
    auto& p = m.Start();
    auto& f = *p.MainForm;
    m.background.CompleteAll();
    m.files().Erase(Temp);
    for (int tick = 0; tick < 3; ++tick)
        f.Check1000.Tick();
    EXPECT_EQ(m.background.Held(), 1u) << "one check outstanding";
    EXPECT_FALSE(m.files().Exists(Temp)) << "nothing made on the window's thread";
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
    EXPECT_TRUE(p.Work.empty());
    m.background.CompleteAll();
    EXPECT_TRUE(m.files().Exists(Temp));
    f.Check1000.Tick();
    EXPECT_EQ(m.background.Held(), 1u) << "the next tick checks again";
    m.background.CompleteAll();
    EXPECT_EQ(m.files().created.size(), 2u);
}

TEST(BackgroundWalks, AWalkThatFailsShowsItsErrorAndTheNextWalkRuns) {
    FilledMachine m;
    auto& p = m.Start();
    m.background.CompleteAll();
    m.files().afterListing = [](const std::string&) { throw std::runtime_error("Device lost"); };
    p.MainForm->SelectPage(2);
    p.MainForm->ShortCut(116);
    m.background.CompleteAll();
    EXPECT_EQ(m.fake.desktop.boxes.size(), 5u) << "each of the four folder walks, the caches'";
    EXPECT_EQ(m.fake.desktop.boxes.at(0).text, "Device lost.");
    m.files().afterListing = nullptr;
    m.files().AddFile(In(Temp, "c.tmp"), 5);
    p.MainForm->ShortCut(116);
    m.background.CompleteAll();
    EXPECT_EQ(p.MainForm->Label2.Caption(), "1 239 Bytes \rin Temporary Files!");
    EXPECT_EQ(p.MainForm->SpeedButton1.Glyph().name, "Off.bmp");
}

// ---- Deletions ----

bool DeleteButtonsEnabled(trelvix::TMainForm& f) {
    tk::Control* buttons[] = {&f.BitBtn1,  &f.BitBtn12, &f.BitBtn15, &f.BitBtn18,     &f.BitBtn20,
                              &f.BitBtn23, &f.BitBtn24, &f.BitBtn26, &f.SpeedButton12};
    for (tk::Control* button : buttons)
        if (!button->Enabled())
            return false;
    return true;
}

TEST(BackgroundDeletions, OneAtATimeWithTheButtonsDisabledAndOneSaveAtTheEnd) {
    for (tk::BitBtn trelvix::TMainForm::*button :
         {&trelvix::TMainForm::BitBtn1, &trelvix::TMainForm::BitBtn20,
          &trelvix::TMainForm::BitBtn23}) {
        FilledMachine m;
        auto& f = *m.Start().MainForm;
        m.background.CompleteAll();
        m.AnswerYes();
        const int writes = m.fake.registry.writes;
        (f.*button).Click();
        ASSERT_EQ(m.fake.desktop.boxes.size(), 1u) << "the warning before the job";
        EXPECT_TRUE(m.P().IndexOfTemp);
        EXPECT_FALSE(DeleteButtonsEnabled(f));
        EXPECT_EQ(m.fake.registry.writes, writes) << "saved at the end, not before";
        const int started = m.background.started;
        f.BitBtn12.Click();                          // disabled: nothing happens
        trelvix::DeleteAllOptionalFilesClick(m.P()); // the tool bar's way in, by program
        EXPECT_EQ(m.background.started, started) << "no second deletion beside the first";
        m.background.CompleteAll(Order::Random, 3);
        EXPECT_TRUE(DeleteButtonsEnabled(f));
        EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
        EXPECT_EQ(m.fake.desktop.boxes.size(), 1u);
        EXPECT_TRUE(m.OutsideIntact());
    }
}

TEST(BackgroundDeletions, AllEndsAsWhenRunAtOnce) {
    auto run = [](bool runNow) {
        FilledMachine m;
        m.background.runNow = runNow;
        auto& f = *m.Start().MainForm;
        m.background.CompleteAll();
        m.AcceptedBefore();
        m.P().IndexOfTemp = true;
        f.BitBtn24.Click();
        m.background.CompleteAll(Order::Newest);
        return Snapshot(m.P()) + std::to_string(m.fake.shell.commandLines.size()) +
               std::to_string(m.fake.registry.writes);
    };
    EXPECT_EQ(run(false), run(true));
}

// Twenty files more in the Cache place, deleting allowed in an earlier run, and "Delete Files
// from Temporary Internet" pressed: the walk before and the deletion are held.
trelvix::TMainForm& StartDeletingTheCache(FilledMachine& m) {
    m.AcceptedBefore();
    for (int i = 0; i < 20; ++i)
        m.files().AddFile(In(Cache, "f" + std::to_string(i) + ".dat"), 1);
    auto& f = *m.Start().MainForm;
    m.background.CompleteAll();
    f.BitBtn12.Click();
    return f;
}

TEST(BackgroundDeletions, LeavingStopsADeletionBetweenTwoFiles) {
    FilledMachine m;
    auto& f = StartDeletingTheCache(m);
    ASSERT_EQ(m.background.Held(), 2u) << "the walk before, the deletion";
    // The user leaves while the deletion is under way.
    m.files().afterListing = [&](const std::string&) { f.Close(); };
    m.background.Complete(1);
    EXPECT_EQ(m.files().Names(Cache).size(), 20u) << "one file went, whole, then it stopped";
    EXPECT_EQ(m.Stored("IndexOfTemp"), 1);
}

// The program ends while a deletion is out: the action's end runs without saving or painting
// (a paint would report the missing glyph in a box), and the deletion's worker, finishing its
// step afterwards, stops after the file it was at.
TEST(BackgroundDeletions, TheProgramsEndEndsAnActionOutWithoutSavingOrPainting) {
    FilledMachine m;
    StartDeletingTheCache(m);
    ASSERT_EQ(m.background.Held(), 2u) << "the walk before, the deletion";
    m.fake.bitmaps.missing.push_back("Off.bmp");
    const int writes = m.fake.registry.writes;
    m.program.reset();
    EXPECT_EQ(m.fake.registry.writes, writes) << "nothing saved";
    EXPECT_TRUE(m.fake.desktop.boxes.empty());
    m.background.CompleteAll();
    EXPECT_EQ(m.files().Names(Cache).size(), 20u) << "one file went, then it stopped";
    EXPECT_EQ(m.fake.registry.writes, writes);
    EXPECT_TRUE(m.fake.desktop.boxes.empty());
}

// Whichever step of an action fails, its end runs once: one settings save, the buttons back,
// the idle glyph, the error in one box, and the next action starts as usual.
TEST(BackgroundDeletions, AnActionEndsOnceWhateverStepFails) {
    enum class Failing { Warning, Deletion, RefusalNotice };
    struct Case {
        const char* name;
        Failing failing;
        tk::BitBtn trelvix::TMainForm::*button;
        const char* error;
    };
    using F = trelvix::TMainForm;
    const Case cases[] = {
        {"the warning of one place", Failing::Warning, &F::BitBtn12, "Box lost."},
        {"the warning of all places", Failing::Warning, &F::BitBtn23, "Box lost."},
        {"the deletion of one place", Failing::Deletion, &F::BitBtn12, "Device lost."},
        {"the deletion of all places", Failing::Deletion, &F::BitBtn24, "Device lost."},
        {"the notice of a refused place", Failing::RefusalNotice, &F::BitBtn12, "Box lost."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilledMachine m;
        if (c.failing != Failing::Warning)
            m.AcceptedBefore();
        if (c.failing == Failing::RefusalNotice)
            m.SetShellFolder("Cache", "C:\\Users\\user\\Documents");
        auto& f = *m.Start().MainForm;
        m.background.CompleteAll();
        m.fake.desktop.boxes.clear();
        int failures = 1;
        if (c.failing == Failing::Deletion)
            m.files().afterListing = [&](const std::string&) {
                if (failures > 0 && failures-- > 0)
                    throw std::runtime_error("Device lost");
            };
        else
            m.fake.desktop.whileBoxOpen = [&] {
                if (failures > 0 && failures-- > 0)
                    throw std::runtime_error("Box lost");
            };
        const int writes = m.fake.registry.writes;
        (f.*c.button).Click();
        // The walks before the deletion complete first: the failing listing is the deletion's.
        while (m.background.Held() > 0)
            m.background.Complete(m.background.Held() - 1);
        EXPECT_EQ(m.fake.registry.writes - writes, 17) << "one save: every setting once";
        EXPECT_TRUE(DeleteButtonsEnabled(f));
        EXPECT_FALSE(m.P().OptionalFiles.Deleting);
        EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
        ASSERT_FALSE(m.fake.desktop.boxes.empty());
        EXPECT_EQ(m.fake.desktop.boxes.back().text, c.error);
        EXPECT_EQ(failures, 0);
        const int started = m.background.started;
        m.AnswerYes();
        f.BitBtn20.Click();
        EXPECT_GT(m.background.started, started) << "the next action runs";
        m.background.CompleteAll();
        EXPECT_TRUE(m.OutsideIntact());
    }
}

// ---- Progress in the status bar ----

namespace progress {

struct Seen {
    std::string part;
    bool bar;
    int position, max;
    tk::TaskbarProgress taskbar;
};

// What ProgressTimer shows when it ticks now.
Seen Tick(trelvix::TMainForm& f) {
    f.ProgressTimer.Tick();
    return {f.StatusBar1.SecondPartText(), f.ProgressBar1.Visible(), f.ProgressBar1.Position(),
            f.ProgressBar1.Max(), f.TaskbarProgress()};
}

bool Plain(trelvix::TMainForm& f) {
    return f.StatusBar1.SecondPartText().empty() && !f.ProgressBar1.Visible() &&
           !f.ProgressTimer.Enabled() && f.TaskbarProgress() == tk::TaskbarProgress{};
}

using State = tk::TaskbarProgress::State;

TEST(WorkProgress, WalksShowTheirCountFromHalfASecondOnAndTheBarIsPlainAfterwards) {
    FilledMachine m;
    auto& f = *m.Start().MainForm;
    for (size_t query = 0; query < DriveQueries; ++query)
        m.background.Complete(0); // the drive survey's, started before the walks
    EXPECT_TRUE(f.ProgressTimer.Enabled());
    EXPECT_EQ(f.ProgressTimer.Interval(), 500);
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "") << "nothing before half a second";
    Seen first = Tick(f);
    EXPECT_EQ(first.part, "Counting Temporary Files: 0 files") << "the oldest walk";
    EXPECT_FALSE(first.bar);
    EXPECT_EQ(first.taskbar.state, State::Indeterminate);
    // Each listing inside the Cache walk is a moment the timer may tick at.
    std::vector<std::string> during;
    m.files().afterListing = [&](const std::string&) { during.push_back(Tick(f).part); };
    m.background.Complete(0); // the temporary folder
    EXPECT_EQ(Tick(f).part, "Counting Temporary Internet Files: 0 files");
    ASSERT_FALSE(during.empty());
    EXPECT_EQ(during.back(), "Counting Temporary Files: 1 files") << "a.tmp counted, then sub";
    m.files().afterListing = nullptr;
    for (int left = 3; left > 0; --left)
        m.background.Complete(0);
    EXPECT_EQ(Tick(f).part, "Counting Recycle Bin") << "one system call: no count";
    m.background.Complete(0);
    EXPECT_EQ(Tick(f).part, "Counting Browser and App Caches: 0 files") << "after the rest";
    m.background.Complete(0); // the AutoStart lists, read before the caches' walk began
    m.background.Complete(0);
    EXPECT_TRUE(Plain(f));
    EXPECT_EQ(m.P().OptionalFiles.FilesFound[0], 2);
}

TEST(WorkProgress, ADeletionCountsAgainstItsLastSizingWalkWithTheBarAndTheTaskbar) {
    FilledMachine m;
    m.AcceptedBefore();
    for (int i = 0; i < 9; ++i)
        m.files().AddFile(In(Cache, "sub\\f" + std::to_string(i) + ".dat"), 1);
    auto& f = *m.Start().MainForm;
    m.background.CompleteAll();
    ASSERT_EQ(m.P().OptionalFiles.FilesFound[1], 10);
    f.BitBtn12.Click();
    ASSERT_EQ(m.background.Held(), 2u) << "the walk before, the deletion";
    std::vector<Seen> during;
    m.files().afterListing = [&](const std::string&) { during.push_back(Tick(f)); };
    m.background.Complete(1);
    m.files().afterListing = nullptr;
    ASSERT_GE(during.size(), 2u);
    for (const Seen& seen : during) {
        SCOPED_TRACE(seen.part);
        EXPECT_TRUE(seen.part.starts_with("Deleting Temporary Internet Files: "));
        EXPECT_TRUE(seen.part.ends_with(" of 10 files"));
        EXPECT_TRUE(seen.bar);
        EXPECT_EQ(seen.max, 10);
        EXPECT_EQ(seen.taskbar.state, State::Normal);
        EXPECT_EQ(seen.taskbar.total, 10);
        EXPECT_EQ(seen.taskbar.done, seen.position);
    }
    EXPECT_GT(during.back().position, during.front().position) << "files went meanwhile";
    EXPECT_EQ(Tick(f).part, "Counting Temporary Internet Files: 0 files") << "the walk after";
    EXPECT_FALSE(f.ProgressBar1.Visible());
    m.background.CompleteAll();
    EXPECT_TRUE(Plain(f));
}

TEST(WorkProgress, TheRecycleBinDeletesWithoutCountsAndANoteWaitsForTheWork) {
    FilledMachine m;
    m.AcceptedBefore();
    auto& f = *m.Start().MainForm;
    m.background.CompleteAll();
    f.BitBtn20.Click();
    const Seen seen = Tick(f);
    EXPECT_EQ(seen.part, "Deleting Recycle Bin");
    EXPECT_FALSE(seen.bar);
    EXPECT_EQ(seen.taskbar.state, State::Indeterminate);
    // A passing note's timer does not blank the work's progress.
    f.StatusNoteTimer.SetEnabled(true);
    f.StatusNoteTimer.Tick();
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "Deleting Recycle Bin");
    m.background.CompleteAll();
    EXPECT_TRUE(Plain(f));
}

} // namespace progress

} // namespace
