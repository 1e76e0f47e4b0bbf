#include "autostart/AutoStartWatch.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using fakes::RegString;
using port::RegRoot;

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* RunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* Run32Key = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* ApprovedKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const char* Baseline = "C:\\Users\\user\\AppData\\Local\\Trelvix\\Programs at logon.txt";
constexpr const char* OwnData = "\"C:\\Program Files\\Trelvix\\trelvix.exe\"";
constexpr int AutoStartPage = 6;
constexpr int F11 = 122;

// A machine whose per-user Run key starts "Old"; the baseline file as the last run left it
// (none: this is the first run).
struct WatchMachine : fakes::TestProgram {
    explicit WatchMachine(const std::optional<std::string>& lastRun = std::nullopt) {
        Put(RegRoot::CurrentUser, RunKey, "Old", "old.exe");
        if (lastRun) {
            std::string reason;
            EXPECT_TRUE(
                fake.files.WriteWholeFile(Baseline, {lastRun->begin(), lastRun->end()}, reason));
        }
    }
    void Put(RegRoot root, const char* key, const std::string& name, const std::string& data) {
        fake.registry.SetString(root, key, name, data);
    }
    std::vector<std::string> Balloons() const {
        std::vector<std::string> shown;
        for (const auto& b : fake.tray.balloons)
            shown.push_back(b.title + " / " + b.text + " / " + b.tag);
        return shown;
    }
    std::vector<std::uint8_t> BaselineFile() { return fake.files.replaced[Baseline]; }
};

const std::string OldLine = "Trelvix programs at logon 1\nrun\tuser\t64\tOld\t\"old.exe\"\n";

// Each row: the baseline the last run left, what changes while the program runs (before the
// watcher's notice), and the balloons the user sees.
TEST(AutoStartWatch, TellsOfNewAndChangedEntriesOnce) {
    using Change = std::function<void(WatchMachine&)>;
    const Change nothing = [](WatchMachine&) {};
    struct Row {
        const char* what;
        std::optional<std::string> lastRun;
        Change atStart, whileRunning;
        std::vector<std::string> balloons;
    };
    const Row rows[] = {
        {"first run: the baseline only",
         std::nullopt,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe"); },
         nothing,
         {}},
        {"nothing new", OldLine, nothing, nothing, {}},
        {"a new entry",
         OldLine,
         nothing,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe"); },
         {"New program at logon / Spy will start with Windows: \"spy.exe\" / autostart"}},
        {"changed data",
         OldLine,
         nothing,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Old", "new.exe"); },
         {"Changed program at logon / Old now starts \"new.exe\" / autostart"}},
        {"removed",
         OldLine,
         nothing,
         [](WatchMachine& t) { t.fake.registry.At(RegRoot::CurrentUser, RunKey).values.clear(); },
         {}},
        {"only its disable record written",
         OldLine,
         nothing,
         [](WatchMachine& t) {
             t.fake.registry.Put(RegRoot::CurrentUser, ApprovedKey, "Old",
                                 fakes::RegBinary({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
         },
         {}},
        {"the program's own value",
         OldLine,
         nothing,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Trelvix", OwnData); },
         {}},
        {"another program under the program's name",
         OldLine,
         nothing,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Trelvix", "evil.exe"); },
         {"New program at logon / Trelvix will start with Windows: \"evil.exe\" / autostart"}},
        {"a burst: one balloon",
         OldLine,
         nothing,
         [](WatchMachine& t) {
             t.Put(RegRoot::LocalMachine, Run32Key, "A", "a.exe");
             t.Put(RegRoot::LocalMachine, RunOnceKey, "B", "b.exe");
             t.Put(RegRoot::CurrentUser, RunKey, "C", "c.exe");
         },
         {"New programs at logon / 3 programs were added to the programs that start with "
          "Windows: A, B, C / autostart"}},
        {"new and changed in a burst",
         OldLine,
         nothing,
         [](WatchMachine& t) {
             t.Put(RegRoot::CurrentUser, RunKey, "Old", "new.exe");
             t.Put(RegRoot::CurrentUser, RunOnceKey, "B", "b.exe");
         },
         {"Changed programs at logon / 2 programs were added to or changed in the programs "
          "that start with Windows: Old, B / autostart"}},
        {"added while not running",
         OldLine,
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe"); },
         nothing,
         {"New program at logon / Spy will start with Windows since Trelvix last ran: "
          "\"spy.exe\" / autostart"}},
        {"a damaged baseline counts as none",
         std::string("garbage\n"),
         [](WatchMachine& t) { t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe"); },
         nothing,
         {}},
        {"a NUL inside a name is shown",
         OldLine,
         nothing,
         [](WatchMachine& t) {
             t.fake.registry.Put(RegRoot::CurrentUser, RunKey, std::string("Up\0date", 7),
                                 RegString("u.exe"));
         },
         {"New program at logon / Up\\0date will start with Windows: \"u.exe\" / autostart"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WatchMachine t(row.lastRun);
        row.atStart(t);
        t.Start();
        row.whileRunning(t);
        t.fake.keyWatch.Change();
        EXPECT_EQ(t.Balloons(), row.balloons);
        // Told once: the next notice finds nothing new.
        t.fake.keyWatch.Change();
        EXPECT_EQ(t.Balloons(), row.balloons);
    }
}

TEST(AutoStartWatch, WatchesEveryKeyTheListsRead) {
    WatchMachine t;
    t.Start();
    ASSERT_TRUE(t.fake.keyWatch.Watching());
    std::vector<std::string> keys;
    for (const port::WatchedKey& k : t.fake.keyWatch.keys)
        keys.push_back((k.root == RegRoot::LocalMachine ? "HKLM" : "HKCU") +
                       std::string(k.view == port::RegView::Bits32 ? "32 " : " ") + k.path);
    const std::string cv = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
    EXPECT_EQ(keys, (std::vector<std::string>{"HKLM " + cv + "Run", "HKLM32 " + cv + "Run",
                                              "HKCU " + cv + "Run", "HKLM " + cv + "RunOnce",
                                              "HKLM32 " + cv + "RunOnce", "HKCU " + cv + "RunOnce",
                                              "HKLM " + cv + "Policies\\Explorer\\Run",
                                              "HKCU " + cv + "Policies\\Explorer\\Run"}));
}

// What the program deletes is no news; the same entry quietly put back is.
TEST(AutoStartWatch, AnEntryDeletedFromTheListAndPutBackIsTold) {
    WatchMachine t(OldLine);
    auto& f = t.Start().MainForm;
    f->ListBox10.SelectItem(0);
    f->DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    t.fake.keyWatch.Change();
    EXPECT_TRUE(t.Balloons().empty());
    t.Put(RegRoot::CurrentUser, RunKey, "Old", "old.exe");
    t.fake.keyWatch.Change();
    EXPECT_EQ(t.Balloons(),
              (std::vector<std::string>{
                  "New program at logon / Old will start with Windows: \"old.exe\" / autostart"}));
}

TEST(AutoStartWatch, TheBaselineKeepsOddNamesAndDataExactly) {
    std::vector<trelvix::RunEntry> entries = {
        {trelvix::RunSource::Policy,
         RegRoot::LocalMachine,
         port::RegView::Bits32,
         std::string("a\0\tb\\n\r\n", 9),
         "\"x\\y\t\"",
         false,
         {}},
        {trelvix::RunSource::Run, RegRoot::CurrentUser, port::RegView::Bits64, "", "", false, {}},
        {trelvix::RunSource::StartupFolder,
         RegRoot::CurrentUser,
         port::RegView::Bits64,
         "Tool.lnk",
         "\"C:\\t.exe /x\"",
         false,
         {}},
    };
    const auto back = trelvix::ParseBaseline(trelvix::BaselineBytes(entries));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ((*back)[i].source, entries[i].source);
        EXPECT_EQ((*back)[i].root, entries[i].root);
        EXPECT_EQ((*back)[i].view, entries[i].view);
        EXPECT_EQ((*back)[i].name, entries[i].name);
        EXPECT_EQ((*back)[i].data, entries[i].data);
    }
    const std::string noHeader = "run\tuser\t64\tOld\t\"old.exe\"\n";
    EXPECT_FALSE(trelvix::ParseBaseline({noHeader.begin(), noHeader.end()}));
}

TEST(AutoStartWatch, TheFirstRunWritesTheBaselineAndTheNextStartReadsIt) {
    std::vector<std::uint8_t> kept;
    {
        WatchMachine t(std::nullopt);
        t.Start();
        kept = t.BaselineFile();
        EXPECT_TRUE(t.Balloons().empty());
    }
    WatchMachine t(std::string(kept.begin(), kept.end()));
    t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe");
    t.Start();
    EXPECT_EQ(t.Balloons().size(), 1U);
}

TEST(AutoStartWatch, BalloonTextsAreCutAtTheirLimits) {
    WatchMachine t(OldLine);
    t.Start();
    t.Put(RegRoot::CurrentUser, RunKey, std::string(300, 'n'), "n.exe");
    t.fake.keyWatch.Change();
    ASSERT_EQ(t.fake.tray.balloons.size(), 1U);
    EXPECT_EQ(t.fake.tray.balloons[0].text, std::string(255, 'n'));
    EXPECT_EQ(t.fake.tray.balloons[0].title, "New program at logon");
}

// Without a taskbar the notice waits for the icon; nothing is lost.
TEST(AutoStartWatch, ANoticeTheTrayCouldNotShowComesWithTheIcon) {
    WatchMachine t(OldLine);
    t.Start();
    t.fake.tray.balloonSucceeds = false;
    t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe");
    t.fake.keyWatch.Change();
    t.Put(RegRoot::CurrentUser, RunKey, "Spy2", "spy2.exe");
    t.fake.keyWatch.Change();
    EXPECT_TRUE(t.Balloons().empty());
    t.fake.tray.balloonSucceeds = true;
    t.fake.tray.Send(port::TrayEvent::Kind::TaskbarCreated);
    EXPECT_EQ(t.Balloons(),
              (std::vector<std::string>{"New programs at logon / 2 programs were added to the "
                                        "programs that start with Windows: Spy, Spy2 / "
                                        "autostart"}));
    // Shown is told: the next balloon is about the next entry alone.
    t.Put(RegRoot::CurrentUser, RunKey, "Spy3", "spy3.exe");
    t.fake.keyWatch.Change();
    ASSERT_EQ(t.Balloons().size(), 2U);
    EXPECT_EQ(t.Balloons()[1],
              "New program at logon / Spy3 will start with Windows: \"spy3.exe\" / autostart");
}

// The line is selected once the lists are read again, whether the read runs at once or
// comes back later from off the window's thread.
TEST(AutoStartWatch, AClickShowsTheAutoStartPageWithTheLineSelected) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "read held" : "read at once");
        fakes::HeldBackground jobs;
        WatchMachine t(OldLine);
        t.background = held ? &jobs : nullptr;
        auto& f = *t.Start().MainForm;
        jobs.CompleteAll();
        f.SelectPage(0);
        t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe");
        t.fake.keyWatch.Change();
        EXPECT_EQ(f.ListBox10.Items().size(), 1U); // not refilled while another page shows
        port::TrayEvent click{port::TrayEvent::Kind::BalloonClicked};
        click.tag = "autostart";
        t.fake.tray.Send(click);
        EXPECT_EQ(f.Disks.ActivePageIndex(), AutoStartPage);
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(jobs.Held(), held ? 1U : 0U);
        jobs.CompleteAll();
        ASSERT_EQ(f.ListBox10.Items().size(), 2U);
        ASSERT_GE(f.ListBox10.ItemIndex(), 0);
        EXPECT_EQ(f.ListBox10.Items()[static_cast<std::size_t>(f.ListBox10.ItemIndex())],
                  "Spy | Path is: \"spy.exe\"");
    }
}

TEST(AutoStartWatch, TheListsRefillWhenThePageIsShownAfterAChange) {
    WatchMachine t(OldLine);
    auto& f = *t.Start().MainForm;
    const auto userLines = [&f] { return f.ListBox10.Items(); };
    // Shown: at once.
    f.SelectPage(AutoStartPage);
    t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe");
    t.fake.keyWatch.Change();
    EXPECT_EQ(userLines().size(), 2U);
    // Not shown: when it is shown next; a removal is no news, but the lists are out of date.
    f.SelectPage(0);
    t.fake.registry.At(RegRoot::CurrentUser, RunKey).values.clear();
    t.fake.keyWatch.Change();
    EXPECT_EQ(userLines().size(), 2U);
    t.Put(RegRoot::CurrentUser, RunKey, "Quiet", "q.exe");
    f.SelectPage(AutoStartPage);
    EXPECT_EQ(userLines(), (std::vector<std::string>{"Quiet | Path is: \"q.exe\""}));
    // Shown again with nothing noticed: the lists stay as they are.
    t.fake.registry.At(RegRoot::CurrentUser, RunKey).values.clear();
    f.SelectPage(0);
    f.SelectPage(AutoStartPage);
    EXPECT_EQ(userLines().size(), 1U);
}

TEST(AutoStartWatch, TheSwitchStartsAndStopsTheWatcher) {
    WatchMachine t(OldLine);
    t.Store("WatchAutoStart", 0);
    auto& p = t.Start();
    EXPECT_FALSE(t.fake.keyWatch.Watching());
    // The check box on the Options dialog's Notices page, clicked as the user does.
    const auto clickCheckBox = [&p] {
        p.App.ModalScript = [&p](tk::Form&) {
            p.Options->PageControl1.SelectTab(2);
            p.Options->CheckBox1.Click();
        };
        p.MainForm->ShortCut(F11);
        p.App.ModalScript = nullptr;
    };
    clickCheckBox();
    EXPECT_TRUE(t.fake.keyWatch.Watching());
    clickCheckBox();
    EXPECT_FALSE(t.fake.keyWatch.Watching());
    // What came while it was off is told when it is switched on again.
    t.Put(RegRoot::CurrentUser, RunKey, "Spy", "spy.exe");
    clickCheckBox();
    EXPECT_EQ(t.Balloons(),
              (std::vector<std::string>{
                  "New program at logon / Spy will start with Windows: \"spy.exe\" / autostart"}));
    EXPECT_EQ(t.fake.keyWatch.starts, 2);
}

TEST(AutoStartWatch, ABaselineThatCannotBeKeptIsSaid) {
    WatchMachine t(OldLine);
    t.fake.files.appendRefusal = "Access is denied.";
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.StatusBar1.SecondPartText(),
              "New programs at logon are told only while Trelvix runs: \"" + std::string(Baseline) +
                  "\" cannot be written. Access is denied.");
}

} // namespace
