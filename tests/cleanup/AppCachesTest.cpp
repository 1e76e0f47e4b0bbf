#include "cleanup/AppCaches.h"
#include "cleanup/CleanupMachine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace cleanup_test;

const std::string Local = "C:\\Users\\user\\AppData\\Local";
const std::string Roaming = "C:\\Users\\user\\AppData\\Roaming";
const std::string Chrome = Local + "\\Google\\Chrome\\User Data";
const std::string Edge = Local + "\\Microsoft\\Edge\\User Data";
const std::string Opera = Local + "\\Opera Software\\Opera Stable";
const std::string OperaRoaming = Roaming + "\\Opera Software\\Opera Stable";
const std::string Firefox = Local + "\\Mozilla\\Firefox\\Profiles\\abc.default-release";
const std::string FirefoxRoaming = Roaming + "\\Mozilla\\Firefox\\Profiles\\abc.default-release";
const std::string Wer = Local + "\\Microsoft\\Windows\\WER";

// Every cache folder of the tree below, each to be emptied but kept.
const std::vector<std::string> CacheFolders = {
    Chrome + "\\Default\\Cache",
    Chrome + "\\Default\\Code Cache",
    Chrome + "\\Default\\GPUCache",
    Chrome + "\\Profile 2\\Cache",
    Chrome + "\\Profile 10\\Cache",
    Edge + "\\Default\\Cache",
    Opera + "\\Cache",
    Opera + "\\Default\\Cache",
    Firefox + "\\cache2",
    Local + "\\CrashDumps",
    Wer + "\\ReportArchive",
    Wer + "\\ReportQueue",
};

// What lies beside the caches and is never theirs: cookies, history, logins, storage of
// sites, the roaming profiles, a folder that is no profile. Each with its size.
const std::map<std::string, std::int64_t> MustStay = {
    {Chrome + "\\Local State", 5},
    {Chrome + "\\Default\\Preferences", 11},
    {Chrome + "\\Default\\Cookies", 12},
    {Chrome + "\\Default\\History", 13},
    {Chrome + "\\Default\\Login Data", 14},
    {Chrome + "\\Default\\Service Worker\\CacheStorage\\sw.bin", 15},
    {Chrome + "\\Default\\IndexedDB\\site.leveldb\\db.ldb", 16},
    {Chrome + "\\Default\\Extensions\\ext\\manifest.json", 17},
    {Chrome + "\\Profile 2\\Preferences", 18},
    {Chrome + "\\Profile 10\\Preferences", 19},
    {Chrome + "\\NoProfile\\Cache\\Cache_Data\\f_000001", 999},
    {Edge + "\\Default\\Preferences", 21},
    {Edge + "\\Default\\Cookies", 22},
    {OperaRoaming + "\\Default\\Preferences", 23},
    {OperaRoaming + "\\Default\\Cookies", 24},
    {Firefox + "\\startupCache\\scriptCache.bin", 25},
    {FirefoxRoaming + "\\cookies.sqlite", 26},
    {FirefoxRoaming + "\\logins.json", 27},
    {FirefoxRoaming + "\\places.sqlite", 28},
    {FirefoxRoaming + "\\cache2\\entries\\roaming", 29},
};

// A local application data tree with two Chrome profiles and a third in numeric order, an
// Edge profile, Opera both without a profile and with one, a Firefox profile, crash dumps
// and error reports; no shader cache.
struct CacheMachine : CleanupMachine {
    CacheMachine() {
        for (const auto& [path, size] : MustStay)
            files().AddFile(path, size);
        files().AddFile(Chrome + "\\lockfile", 0);
        files().AddFile(Chrome + "\\Default\\Cache\\Cache_Data\\data_0", 100);
        files().AddFile(Chrome + "\\Default\\Code Cache\\js\\index", 20);
        files().AddFile(Chrome + "\\Default\\GPUCache\\data_1", 3);
        files().AddFile(Chrome + "\\Profile 2\\Cache\\Cache_Data\\f_000002", 200);
        files().AddFile(Chrome + "\\Profile 10\\Cache\\Cache_Data\\f_000003", 1000);
        files().AddFile(Edge + "\\Default\\Cache\\Cache_Data\\data_0", 300);
        files().AddFile(Opera + "\\Cache\\Cache_Data\\data_0", 500);
        files().AddFile(Opera + "\\Default\\Cache\\Cache_Data\\data_0", 600);
        files().AddFile(Firefox + "\\cache2\\entries\\ABCDEF", 400);
        files().AddFile(FirefoxRoaming + "\\parent.lock", 0);
        files().AddFile(Local + "\\CrashDumps\\app.exe.1234.dmp", 700);
        files().AddFile(Wer + "\\ReportArchive\\AppCrash_1\\Report.wer", 80);
        files().AddFile(Wer + "\\ReportQueue\\AppCrash_2\\Report.wer", 90);
    }
    [[nodiscard]] bool NothingOfTheUsersChanged() const {
        for (const auto& [path, size] : MustStay)
            if (!fake.files.Exists(path) || fake.files.BytesUnder(path) != size)
                return false;
        return OutsideIntact();
    }
};

const std::vector<std::string> AllLines = {
    "Chrome (Default): 123 bytes",
    "Chrome (Profile 2): 200 bytes",
    "Chrome (Profile 10): 1 000 bytes",
    "Edge (Default): 300 bytes",
    "Opera: 500 bytes",
    "Opera (Default): 600 bytes",
    "Firefox (abc.default-release): 400 bytes",
    "Crash dumps: 700 bytes",
    "Error reports: 170 bytes",
    "Total: 3 993 bytes",
};

TEST(AppCaches, OneLinePerCacheFoundInOrderAndTheTotalsTakeThemIn) {
    CacheMachine t;
    t.files().AddFile(In(Temp, "a.tmp"), 7);
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.PageControl2.Pages().at(6)->Caption(), "Browser and App Caches");
    EXPECT_EQ(f.ListBox15.Items(), AllLines);
    EXPECT_EQ(f.Label39.Caption(), "Browser and App Caches: 3 993 bytes");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 4 000 bytes");
    EXPECT_EQ(f.Label39.Hint(), "Click here to goto Browser and App Caches");
    EXPECT_TRUE(f.Label39.HandCursor());
    // The line sits between the Recycle Bin's and the total, inside the ruled table.
    EXPECT_GT(f.Label39.Top(), f.Label37.Top());
    EXPECT_LT(f.Label39.Top(), f.Label38.Top());
    EXPECT_LT(f.Label38.Top() + f.Label38.Height(), f.Panel19.Top());
    EXPECT_LT(f.Panel19.Top() + f.Panel19.Height(), f.BitBtn23.Top());
}

TEST(AppCaches, OnlyWhatExistsIsListed) {
    CleanupMachine t;
    t.files().AddFile(Local + "\\D3DSCache\\shader.idx", 64);
    t.files().AddFolder(Chrome + "\\Default");             // a profile folder without Preferences
    t.files().AddFile(Edge + "\\Default\\Preferences", 1); // a profile without caches
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox15.Items(),
              (std::vector<std::string>{"DirectX shader cache: 64 bytes", "Total: 64 bytes"}));
}

TEST(AppCaches, DeletingEmptiesExactlyTheCachesAndKeepsTheirFolders) {
    using F = trelvix::TMainForm;
    const std::pair<const char*, void (*)(F&)> buttons[] = {
        {"BitBtn26", [](F& f) { f.BitBtn26.Click(); }},
        {"BitBtn23", [](F& f) { f.BitBtn23.Click(); }},
        {"SpeedButton12", [](F& f) { f.SpeedButton12.Click(); }},
    };
    for (const auto& [name, press] : buttons) {
        SCOPED_TRACE(name);
        CacheMachine t;
        t.AcceptedBefore();
        auto& f = *t.Start().MainForm;
        press(f);
        for (const std::string& folder : CacheFolders) {
            EXPECT_TRUE(t.files().Exists(folder)) << folder;
            EXPECT_TRUE(t.files().Names(folder).empty()) << folder;
        }
        EXPECT_TRUE(t.NothingOfTheUsersChanged());
        EXPECT_EQ(f.ListBox15.Items().back(), "Total: 0 bytes");
        EXPECT_EQ(f.Label39.Caption(), "Browser and App Caches: 0 bytes");
        EXPECT_EQ(f.StatusBar1.SecondPartText(), "");
    }
}

TEST(AppCaches, TheCachesComeAfterCookiesAndBeforeTheRecycleBin) {
    CacheMachine t;
    t.AcceptedBefore();
    t.files().AddFile(In(Cookies, "c.txt"), 9);
    t.files().recycleBin = {true, 10, 1};
    auto& f = *t.Start().MainForm;
    t.files().changes.clear();
    // The bin is emptied last: each change before it, and the caches after Cookies.
    bool cachesSeen = false;
    t.files().afterListing = [&](const std::string& folder) {
        if (folder.rfind(Chrome, 0) == 0)
            cachesSeen = true;
        if (folder == Cookies) {
            EXPECT_FALSE(cachesSeen) << "Cookies before the caches";
        }
        EXPECT_EQ(t.files().recycleBinEmptied, 0) << folder;
    };
    f.BitBtn23.Click();
    EXPECT_TRUE(cachesSeen);
    EXPECT_EQ(t.files().recycleBinEmptied, 1);
}

// A browser that holds its profile lock keeps its caches, which still show their sizes but
// count for nothing; the note after the action names it.
TEST(AppCaches, ARunningBrowserIsLeftAloneAndNamedOnce) {
    struct Case {
        std::vector<std::string> held;
        std::string note;
        std::int64_t deletable;
        std::vector<std::string> keptWhole;
    };
    const std::string chromeLock = Chrome + "\\lockfile";
    const std::string firefoxLock = FirefoxRoaming + "\\parent.lock";
    const Case cases[] = {
        {{}, "", 3993, {}},
        {{chromeLock},
         "Close Chrome to clean its caches.",
         3993 - 1323,
         {Chrome + "\\Default\\Cache", Chrome + "\\Profile 10\\Cache"}},
        {{chromeLock, firefoxLock},
         "Close Chrome and Firefox to clean their caches.",
         3993 - 1323 - 400,
         {Chrome + "\\Profile 2\\Cache", Firefox + "\\cache2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        CacheMachine t;
        t.AcceptedBefore();
        for (const std::string& lock : c.held)
            t.files().HoldOpen(lock);
        auto& f = *t.Start().MainForm;
        EXPECT_EQ(f.ListBox15.Items().at(2), "Chrome (Profile 10): 1 000 bytes");
        EXPECT_EQ(f.ListBox15.Items().back(),
                  "Total: " + trelvix::FormatGrouped(c.deletable) + " bytes");
        EXPECT_EQ(f.Label39.Caption(),
                  "Browser and App Caches: " + trelvix::FormatGrouped(c.deletable) + " bytes");
        f.BitBtn26.Click();
        EXPECT_EQ(f.StatusBar1.SecondPartText(), c.note);
        for (const std::string& folder : c.keptWhole)
            EXPECT_FALSE(t.files().Names(folder).empty()) << folder;
        EXPECT_TRUE(t.files().Names(Local + "\\CrashDumps").empty());
        EXPECT_TRUE(t.NothingOfTheUsersChanged());
        if (!c.note.empty()) {
            f.StatusNoteTimer.Tick();
            EXPECT_EQ(f.StatusBar1.SecondPartText(), "") << "gone after five seconds";
        }
    }
}

// A browser started after the last walk is found by the deletion itself.
TEST(AppCaches, ALockTakenAfterTheWalkStillKeepsTheCaches) {
    CacheMachine t;
    t.AcceptedBefore();
    auto& f = *t.Start().MainForm;
    t.files().HoldOpen(Chrome + "\\lockfile");
    f.BitBtn26.Click();
    EXPECT_FALSE(t.files().Names(Chrome + "\\Default\\Cache").empty());
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "Close Chrome to clean its caches.");
}

TEST(AppCaches, LinksAreNeverFollowedAndACacheThatIsALinkIsRefused) {
    CacheMachine t;
    t.AcceptedBefore();
    // Inside a cache: removed as a link, what it leads to stays.
    t.files().AddLink(Chrome + "\\Default\\Cache\\Cache_Data\\elsewhere", Outside);
    // A cache folder, and a whole profile, that lead elsewhere.
    t.files().Erase(Edge + "\\Default\\Cache");
    t.files().AddLink(Edge + "\\Default\\Cache", Outside);
    t.files().AddFile("C:\\Elsewhere\\Preferences", 1);
    t.files().AddFile("C:\\Elsewhere\\Cache\\kept.bin", 50);
    t.files().AddLink(Chrome + "\\Profile 3", "C:\\Elsewhere");
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox15.Items().at(0), "Chrome (Default): 123 bytes") << "the link counts 0";
    EXPECT_EQ(f.ListBox15.Items().at(3), "Opera: 500 bytes") << "no Edge, no Profile 3";
    f.BitBtn26.Click();
    EXPECT_TRUE(t.OutsideIntact());
    EXPECT_EQ(t.files().BytesUnder("C:\\Elsewhere"), 51);
    EXPECT_TRUE(t.files().Names(Chrome + "\\Default\\Cache").empty());
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    const std::string& text = t.fake.desktop.boxes[0].text;
    EXPECT_NE(text.find(Edge + "\\Default\\Cache is not cleaned: a link leads it elsewhere."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Chrome + "\\Profile 3\\Cache is not cleaned"), std::string::npos) << text;
}

TEST(AppCaches, NothingIsTouchedWhenARequiredFolderIsMissing) {
    CacheMachine t;
    t.AcceptedBefore();
    t.files().knownFolders.erase(port::KnownFolder::LocalAppDataLow);
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox15.Items(), std::vector<std::string>{"Total: 0 bytes"});
    f.BitBtn26.Click();
    for (const std::string& folder : CacheFolders)
        EXPECT_FALSE(t.files().Names(folder).empty()) << folder;
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text,
              "Nothing is cleaned: this computer's LocalLow folder could not be found.");
}

TEST(AppCaches, TheSubTabReadsCountingUntilItsWalkThatFollowsThePlaces) {
    CacheMachine t;
    fakes::HeldBackground background;
    t.background = &background;
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox15.Items(), std::vector<std::string>{"Counting..."});
    EXPECT_EQ(f.Label39.Caption(), "Counting...");
    const int startedBefore = background.started;
    // Every walk but the caches' is out: completing all of them starts the caches' last.
    std::vector<std::string> seen;
    while (background.Held() > 0) {
        background.Complete(0);
        seen.push_back(f.Label39.Caption());
    }
    EXPECT_EQ(background.started, startedBefore + 1) << "one walk of the caches, after the rest";
    EXPECT_EQ(seen.at(seen.size() - 2), "Counting...");
    EXPECT_EQ(f.Label39.Caption(), "Browser and App Caches: 3 993 bytes");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 3 993 bytes");
}

TEST(AppCaches, ProfilesInNumericOrder) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Default", "Profile 1", true},     {"Profile 2", "Profile 10", true},
        {"Profile 10", "Profile 2", false}, {"profile 3", "Profile 4", true},
        {"Profile 02", "Profile 3", true},  {"Profile 1", "Profile 1", false},
        {"Profile", "Profile 1", true},     {"a9", "a10b", true},
    };
    for (const auto& [a, b, less] : cases)
        EXPECT_EQ(trelvix::NumericLess(a, b), less) << a << " < " << b;
}

TEST(AppCaches, TheNoteNamesEveryBrowserLeftAlone) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, ""},
        {{"Edge"}, "Close Edge to clean its caches."},
        {{"Chrome", "Firefox"}, "Close Chrome and Firefox to clean their caches."},
        {{"Chrome", "Edge", "Firefox"}, "Close Chrome, Edge and Firefox to clean their caches."},
    };
    for (const auto& [browsers, note] : cases)
        EXPECT_EQ(trelvix::RunningBrowsersNote(browsers), note);
}

} // namespace
