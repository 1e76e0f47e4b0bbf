#include "cleanup/CleanupMachine.h"
#include "cleanup/OptionalFiles.h"
#include "cleanup/PlaceChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <tuple>

namespace {

using namespace cleanup_test;
using port::attr::Hidden;
using port::attr::System;
using Items = std::vector<std::string>;

TEST(FormatGrouped, GroupsThreeDigitsFromTheRight) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1 000"},
        {1234567, "1 234 567"},
        {std::numeric_limits<std::int64_t>::max(), "9 223 372 036 854 775 807"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(trelvix::FormatGrouped(n), text);
}

TEST(NormalFolderPath, OneSpellingOrNoneForAPathThatIsNotAbsolute) {
    const std::pair<const char*, const char*> cases[] = {
        {"c:/Users//user/./Temp/", "C:\\Users\\user\\Temp"},
        {"C:\\a\\b\\..\\..\\..\\c", "C:\\c"},
        {"C:\\Windows. \\Temp ", "C:\\Windows\\Temp"},
        {"C:\\..", "C:\\"},
        {"\\\\?\\C:\\Temp. ", "C:\\Temp. "},
        {"\\\\?\\UNC\\server\\share\\x", "\\\\server\\share\\x"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\?\\C:\\a\\..\\b", ""},
        {"C:", ""},
        {"C:Temp", ""},
        {"\\Temp", ""},
        {"Temp", ""},
        {"\\\\server", ""},
        {"\\\\?\\Volume{0e9d1a2b}\\", ""},
    };
    for (const auto& [path, normal] : cases)
        EXPECT_EQ(trelvix::NormalFolderPath(path), normal) << path;
}

TEST(FreeTempPage, EveryPlaceShowsItsTopLevelAndTheBytesOfEverythingUnderIt) {
    CleanupMachine t;
    auto& fs = t.files();
    fs.AddFile(In(Temp, "a.tmp"), 100);
    fs.AddFile(In(Temp, "hidden.tmp"), 10, Hidden);
    fs.AddFile(In(Temp, "sub\\system.tmp"), 20, System | Hidden);
    fs.AddFile(In(Temp, "sub\\deeper\\b.tmp"), 7);
    fs.AddFile(In(Temp, ".cache\\c.tmp"), 3);
    fs.AddFile(In(Cache, "x.dat"), 1000);
    fs.AddFile(In(History, "h\\index.dat"), 1);
    t.fake.files.recycleBin = {true, 1234567, 12};
    auto& f = t.Start().MainForm.operator*();

    // Title, list, size label, line on the Total sub-tab.
    const std::tuple<tk::Label*, tk::ListBox*, tk::Label*, tk::Label*, std::string, Items,
                     std::string, std::string>
        places[] = {
            {&f.Label1, &f.ListBox8, &f.Label2, &f.Label33,
             "Temporary Directory is: \r" + Temp + "\\",
             Items{"a.tmp", "hidden.tmp", "sub", ".cache"}, "140 Bytes \rin Temporary Files!",
             "Temporary Files: 140 bytes"},
            {&f.Label22, &f.ListBox12, &f.Label26, &f.Label34,
             "Temporary Internet Directory is: \r" + Cache, Items{"x.dat"},
             "1 000 Bytes \rin Temporary Internet Files!", "Temporary Internet Files: 1 000 bytes"},
            {&f.Label24, &f.ListBox13, &f.Label27, &f.Label35,
             "Internet History Directory is: \r" + History, Items{"h"},
             "1 Bytes \rin Internet History Files!", "Internet History Files: 1 bytes"},
            {&f.Label25, &f.ListBox14, &f.Label28, &f.Label36, "Cookies Directory is: \r" + Cookies,
             Items{}, "0 Bytes \rin Cookies Files!", "Cookies Files: 0 bytes"},
        };
    for (const auto& [title, list, size, line, titleText, items, sizeText, lineText] : places) {
        EXPECT_EQ(title->Caption(), titleText);
        EXPECT_EQ(list->Items(), items) << titleText;
        EXPECT_EQ(size->Caption(), sizeText);
        EXPECT_EQ(line->Caption(), lineText);
    }
    EXPECT_EQ(f.Label29.Caption(), "Number of Files in Recycle Bin: 12");
    EXPECT_EQ(f.Label30.Caption(), "1 234 567 Bytes \rin Recycle Bin");
    EXPECT_EQ(f.Label37.Caption(), "Recycle Bin: 1 234 567 bytes");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 1 235 708 bytes");
}

TEST(FreeTempPage, ShellFolderValuesThatAreMissingOrDamaged) {
    CleanupMachine t;
    t.files().AddFile(In(Cache, "x.dat"), 1000);
    t.fake.files.recycleBin.ok = false; // a failed query shows as an empty bin
    t.fake.files.recycleBin.items = 3;
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.Label29.Caption(), "Number of Files in Recycle Bin: 0");

    // The key does not open: the path read before stays.
    auto key = t.fake.registry.keys.extract(
        fakes::FakeRegistry::KeyName(port::RegRoot::CurrentUser, ShellFolders));
    f.BitBtn11.OnClick();
    EXPECT_EQ(f.Label22.Caption(), "Temporary Internet Directory is: \r" + Cache);
    EXPECT_EQ(f.Label26.Caption(), "1 000 Bytes \rin Temporary Internet Files!");

    // The value is missing: the path is empty, and nothing is listed or sized.
    t.fake.registry.keys.insert(std::move(key));
    ASSERT_TRUE(t.fake.registry.Open(port::RegRoot::CurrentUser, ShellFolders, false, true)
                    ->DeleteValue("Cache"));
    f.BitBtn11.OnClick();
    EXPECT_EQ(f.Label22.Caption(), "Temporary Internet Directory is: \r");
    EXPECT_TRUE(f.ListBox12.Items().empty());
    EXPECT_EQ(f.Label26.Caption(), "0 Bytes \rin Temporary Internet Files!");
    EXPECT_EQ(f.Label34.Caption(), "Temporary Internet Files: 0 bytes");
    EXPECT_TRUE(t.fake.desktop.boxes.empty());

    // A value of another type is reported and counts as missing.
    t.fake.registry.SetDWord(port::RegRoot::CurrentUser, ShellFolders, "History", 7);
    f.BitBtn14.OnClick();
    EXPECT_EQ(f.Label24.Caption(), "Internet History Directory is: \r");
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Invalid data type for 'History'.");
}

TEST(FreeTempPage, OnePlaceRefreshedAloneLeavesTheTotalLineAsItWas) {
    CleanupMachine t;
    auto& f = *t.Start().MainForm;
    t.files().AddFile(In(Cache, "new.dat"), 2000);
    t.files().AddFile(In(Temp, "new.tmp"), 30);
    f.BitBtn13.Click(); // browse: the place is read again first
    f.BitBtn7.OnClick();
    EXPECT_EQ(f.Label34.Caption(), "Temporary Internet Files: 2 000 bytes");
    EXPECT_EQ(f.Label33.Caption(), "Temporary Files: 30 bytes");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 0 bytes");
    f.BitBtn22.OnClick();
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 2 030 bytes");

    f.BitBtn2.Click();
    const auto& lines = t.fake.shell.commandLines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].line, "Explorer " + Cache + "\\");
    EXPECT_EQ(lines[1].line, "Explorer " + Temp + "\\");
    EXPECT_EQ(lines[1].show, port::ShowMode::Shown);
}

// Explorer given no folder opens the root of the current drive: a place without a folder
// says so instead, from its path or its last walk's verdict.
TEST(FreeTempPage, BrowsingAPlaceWithoutAFolderSaysSo) {
    struct Case {
        const char* what;
        tk::BitBtn trelvix::TMainForm::*button;
        std::function<void(CleanupMachine&)> arrange;
        std::string seen; // the command line started, or the box
    };
    using F = trelvix::TMainForm;
    const auto deleteValue = [](const char* name) {
        return [name](CleanupMachine& t) {
            t.fake.registry.Open(port::RegRoot::CurrentUser, ShellFolders, false, true)
                ->DeleteValue(name);
        };
    };
    const Case cases[] = {
        {"a cache folder", &F::BitBtn13, nullptr, "Explorer " + Cache + "\\"},
        {"no cache value", &F::BitBtn13, deleteValue("Cache"),
         "Temporary Internet Files has no folder on this computer."},
        {"an empty history value", &F::BitBtn16,
         [](CleanupMachine& t) { t.SetShellFolder("History", ""); },
         "Internet History Files has no folder on this computer."},
        {"a cookies folder that is gone", &F::BitBtn19,
         [](CleanupMachine& t) { t.SetShellFolder("Cookies", In(Cookies, "gone")); },
         "Cookies files has no folder on this computer."},
        {"a temporary folder", &F::BitBtn2, nullptr, "Explorer " + Temp + "\\"},
        {"no temporary folder", &F::BitBtn2, [](CleanupMachine& t) { t.fake.files.tempPath = ""; },
         "Temporary Files has no folder on this computer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CleanupMachine t;
        t.files().AddFolder(Temp);
        if (c.arrange)
            c.arrange(t);
        auto& f = *t.Start().MainForm;
        (f.*c.button).Click();
        const auto& lines = t.fake.shell.commandLines;
        const auto texts = t.fake.desktop.Texts();
        EXPECT_EQ(lines.size() + texts.size(), 1u);
        EXPECT_EQ(lines.empty() ? texts.at(0) : lines[0].line, c.seen);
    }
}

TEST(FreeTempPage, TheChosenTemporaryFileIsChosenAgainAfterARefill) {
    CleanupMachine t;
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp", "4.tmp"})
        t.files().AddFile(In(Temp, name), 1);
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox8.ItemIndex(), 0) << "the first item at start";
    f.ListBox8.SelectItem(2);
    t.files().Erase(In(Temp, "1.tmp"));
    f.BitBtn7.OnClick();
    EXPECT_EQ(f.ListBox8.ItemIndex(), 2);
    t.files().Erase(In(Temp, "2.tmp"));
    f.BitBtn7.OnClick();
    EXPECT_EQ(f.ListBox8.ItemIndex(), -1) << "two items left: nothing chosen";
}

TEST(FreeTempPage, ALocationLineOpensItsSubTabAndTheNextStartOpensThere) {
    using F = trelvix::TMainForm;
    tk::Label F::*const lines[] = {&F::Label33, &F::Label34, &F::Label35,
                                   &F::Label36, &F::Label37, &F::Label39}; // sub-tabs 1 to 6
    for (int page = 1; page <= 6; ++page) {
        CleanupMachine t;
        auto& f = *t.Start().MainForm;
        (f.*lines[page - 1]).Click();
        EXPECT_EQ(f.PageControl2.ActivePageIndex(), page);
        EXPECT_EQ(t.Stored("IndexOfFreeTemp"), page);
        EXPECT_EQ(t.Start().MainForm->PageControl2.ActivePageIndex(), page);
    }
}

TEST(FreeTempPage, RefreshCommandRefreshesThePlacesOfThePageShown) {
    CleanupMachine t;
    auto& f = *t.Start().MainForm;
    t.files().AddFile(In(Temp, "new.tmp"), 5);
    t.files().AddFile(In(Cookies, "c.txt"), 9);
    f.SelectPage(0); // Disks, its first inner page: the temporary folder too
    f.ShortCut(116);
    EXPECT_EQ(f.Label2.Caption(), "5 Bytes \rin Temporary Files!");
    EXPECT_EQ(f.Label28.Caption(), "0 Bytes \rin Cookies Files!");
    f.SelectPage(2);
    f.ShortCut(116);
    EXPECT_EQ(f.Label28.Caption(), "9 Bytes \rin Cookies Files!");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 14 bytes");
}

} // namespace
