#include "cleanup/CleanupMachine.h"
#include "cleanup/PlaceChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using namespace cleanup_test;
using trelvix::TMainForm;

// The fake system folder is that of today's Windows, without dfrg.msc.
const std::string Defragmenter = "C:\\WINDOWS\\system32\\dfrgui.exe";

// Each place holds a file and a folder with a file, and the bin holds something.
void FillPlaces(CleanupMachine& t) {
    for (const std::string* place : {&Temp, &Cache, &History, &Cookies}) {
        t.files().AddFile(In(*place, "file.dat"), 10);
        t.files().AddFile(In(*place, "folder\\inner.dat"), 20);
    }
    t.fake.files.recycleBin = {true, 4000, 2};
}

struct Button {
    const char* name;
    tk::BitBtn TMainForm::*button; // nullptr: the tool bar's SpeedButton12
    std::vector<std::string> emptied;
    bool emptiesBin;
    bool defragments;
};

const Button Buttons[] = {
    {"BitBtn1", &TMainForm::BitBtn1, {Temp}, false, false},
    {"BitBtn12", &TMainForm::BitBtn12, {Cache}, false, false},
    {"BitBtn15", &TMainForm::BitBtn15, {History}, false, false},
    {"BitBtn18", &TMainForm::BitBtn18, {Cookies}, false, false},
    {"BitBtn20", &TMainForm::BitBtn20, {}, true, false},
    {"BitBtn26", &TMainForm::BitBtn26, {}, false, false},
    {"BitBtn23", &TMainForm::BitBtn23, {Temp, Cache, History, Cookies}, true, false},
    {"SpeedButton12", nullptr, {Temp, Cache, History, Cookies}, true, false},
    {"BitBtn24", &TMainForm::BitBtn24, {Temp, Cache, History, Cookies}, true, true},
};

void Press(TMainForm& f, const Button& b) {
    if (b.button == nullptr)
        f.SpeedButton12.Click();
    else
        (f.*b.button).Click();
}

// No deletes nothing and the next action asks again; Yes deletes and is never asked again.
TEST(DeleteActions, EachActionWarnsUntilTheFirstYesThenNeverAgain) {
    for (const Button& b : Buttons) {
        SCOPED_TRACE(b.name);
        CleanupMachine t;
        FillPlaces(t);
        auto& f = *t.Start().MainForm;
        Press(f, b);
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u) << "one answer per action";
        EXPECT_EQ(t.fake.desktop.boxes[0].flags, 0x134u) << "No is the default answer";
        EXPECT_TRUE(t.fake.files.changes.empty());
        EXPECT_EQ(t.fake.files.recycleBinEmptied, 0);
        EXPECT_TRUE(t.fake.shell.opens.empty());

        t.AnswerYes();
        Press(f, b);
        EXPECT_EQ(t.fake.desktop.boxes.size(), 2u);
        for (const std::string* place : {&Temp, &Cache, &History, &Cookies}) {
            SCOPED_TRACE(*place);
            const bool emptied = std::ranges::find(b.emptied, *place) != b.emptied.end();
            EXPECT_EQ(t.files().Names(*place).empty(), emptied);
        }
        EXPECT_EQ(t.fake.files.recycleBinEmptied, b.emptiesBin ? 1 : 0);
        ASSERT_EQ(t.fake.shell.opens.size(), b.defragments ? 1u : 0u);
        if (b.defragments) {
            EXPECT_EQ(t.fake.shell.opens[0].file, Defragmenter);
        }
        // The Recycle Bin's button does not save; the answer is stored by the next save.
        EXPECT_EQ(t.Stored("IndexOfTemp"), b.emptiesBin && b.emptied.empty() ? 0 : 1);
        t.files().AddFile(In(Temp, "again.tmp"), 1);
        f.BitBtn1.Click();
        f.Close();
        t.Start().MainForm->SpeedButton12.Click();
        EXPECT_EQ(t.fake.desktop.boxes.size(), 2u) << "never asked again";
        EXPECT_FALSE(t.files().Exists(In(Temp, "again.tmp")));
    }
}

TEST(DeleteActions, TheTotalShowsWhatIsLeftAfterEachAction) {
    CleanupMachine t;
    FillPlaces(t);
    t.AcceptedBefore();
    t.files().Lock(In(Cache, "file.dat"));
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 4 120 bytes");
    f.BitBtn23.Click();
    EXPECT_EQ(f.Label26.Caption(), "10 Bytes \rin Temporary Internet Files!");
    EXPECT_EQ(f.Label29.Caption(), "Number of Files in Recycle Bin: 0");
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 10 bytes");
    EXPECT_EQ(f.ListBox12.Items(), std::vector<std::string>{"file.dat"});
}

TEST(DeleteActions, EachActionSavesTheSettingsOnceWhateverItDeletes) {
    CleanupMachine t;
    t.AcceptedBefore();
    for (int i = 0; i < 40; ++i)
        t.files().AddFile(In(Cache, "f" + std::to_string(i) + "\\g\\h.dat"), 1);
    auto& f = *t.Start().MainForm;
    const std::tuple<tk::Control*, int> cases[] = {
        {&f.BitBtn12, 17}, {&f.BitBtn23, 17}, {&f.BitBtn20, 0}, {&f.BitBtn1, 17}};
    for (const auto& [button, writes] : cases) {
        const int before = t.fake.registry.writes;
        button->Click();
        EXPECT_EQ(t.fake.registry.writes - before, writes) << button->Name();
    }
}

TEST(DeleteActions, WhatStaysBehindAndWhatGoes) {
    CleanupMachine t;
    t.AcceptedBefore();
    auto& fs = t.files();
    fs.AddFile(In(Cache, "readonly.dat"), 1, port::attr::ReadOnly);
    fs.AddFile(In(Cache, "busy\\locked.dat"), 1);
    fs.Lock(In(Cache, "busy\\locked.dat"));
    fs.AddFile(In(Cache, "busy\\free.dat"), 1);
    fs.AddFile(In(Cache, "keep\\.dotfile"), 1);
    fs.AddFile(In(Cache, ".git\\config"), 1);
    fs.AddFile(In(Cache, "label"), 1, port::attr::VolumeLabel);
    fs.AddFolder(In(Cache, "empty\\deeper"));
    constexpr std::uint32_t Protective =
        port::attr::ReadOnly | port::attr::Hidden | port::attr::System;
    fs.AddFile(In(Cache, "busy\\locked hidden.dat"), 1, Protective);
    fs.Lock(In(Cache, "busy\\locked hidden.dat"));
    fs.AddFile(In(Cache, "Content.Outlook\\ABC123\\Offer.docx"), 40);
    fs.AddFile(In(History, "a\\b\\c.dat"), 1, port::attr::ReadOnly | port::attr::Hidden);
    fs.AddFile(In(Temp, "sub\\x.tmp"), 1);
    auto& f = *t.Start().MainForm;
    // Outlook's attachments are shown and counted like the rest of the cache.
    EXPECT_EQ(f.Label26.Caption(), "47 Bytes \rin Temporary Internet Files!");
    f.BitBtn12.Click();
    EXPECT_EQ(fs.Names(Cache),
              (std::vector<std::string>{"busy", "keep", ".git", "label", "Content.Outlook"}));
    EXPECT_EQ(fs.Names(In(Cache, "busy")),
              (std::vector<std::string>{"locked.dat", "locked hidden.dat"}));
    EXPECT_EQ(fs.AttributesOf(In(Cache, "busy\\locked hidden.dat")), Protective)
        << "a file that stays gets its attributes back";
    EXPECT_EQ(fs.Names(In(Cache, ".git")), std::vector<std::string>{"config"});
    EXPECT_TRUE(fs.Exists(In(Cache, "Content.Outlook\\ABC123\\Offer.docx")));
    f.BitBtn15.Click();
    f.BitBtn1.Click();
    for (const std::string* place : {&History, &Temp}) {
        EXPECT_TRUE(fs.Names(*place).empty());
        EXPECT_EQ(std::ranges::count(t.fake.files.changes, "RemoveFolder " + *place), 0)
            << "emptied, never removed";
    }
    EXPECT_TRUE(t.fake.files.created.empty()) << "nothing to make again";
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// The temporary folder counts only when it is one; a place of the user's own files never.
TEST(DeleteActions, ARefusedTemporaryFolderIsNeitherListedSizedNorDeleted) {
    const std::string desktop = "C:\\Users\\user\\Desktop\\";
    const std::pair<std::string, std::string> cases[] = {
        {desktop, desktop + " is not cleaned: it is a drive, system or user folder."},
        {"D:\\Photos\\", "D:\\Photos\\ is not cleaned: it is not a temporary folder."},
        {"D:\\", "D:\\ is not cleaned: it is a drive, system or user folder."},
    };
    for (const auto& [temp, refusal] : cases) {
        CleanupMachine t;
        t.AcceptedBefore();
        t.files().AddFile(temp + "holiday.jpg", 300);
        t.fake.files.tempPath = temp;
        auto& f = *t.Start().MainForm;
        EXPECT_TRUE(f.ListBox8.Items().empty()) << temp;
        EXPECT_EQ(f.Label2.Caption(), "0 Bytes \rin Temporary Files!");
        EXPECT_EQ(f.Label1.Caption(), "Temporary Directory is: \r" + temp) << "shown as it is";
        f.BitBtn1.Click();
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u) << temp;
        EXPECT_EQ(t.fake.desktop.boxes[0].text, refusal);
        EXPECT_TRUE(t.files().Exists(temp + "holiday.jpg"));
        EXPECT_TRUE(t.fake.files.changes.empty()) << temp;
    }
}

// Without a system folder the rules need, no place is listed, sized or deleted, and one box
// says why; the Recycle Bin is no folder of the rules and is emptied.
TEST(DeleteActions, AMissingSystemFolderStopsEveryPlaceWithOneBox) {
    CleanupMachine t;
    FillPlaces(t);
    t.AcceptedBefore();
    t.fake.files.knownFolders.erase(port::KnownFolder::LocalAppDataLow);
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.Label38.Caption(), "Total size of all temps: 4 000 bytes");
    EXPECT_TRUE(f.ListBox8.Items().empty());
    f.SpeedButton12.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text,
              "Nothing is cleaned: this computer's LocalLow folder could not be found.");
    EXPECT_TRUE(t.fake.files.changes.empty());
    EXPECT_EQ(t.fake.files.recycleBinEmptied, 1);
}

// The rules are asked of the system once for a whole refresh or action, not once per place.
TEST(DeleteActions, ThePlaceRulesAreReadOncePerRefreshAndPerAction) {
    fakes::FakePorts alone;
    static_cast<void>(trelvix::ReadPlaceRules(alone.ports));
    const int once = alone.files.knownFolderQueries;
    ASSERT_GT(once, 0);
    CleanupMachine t;
    FillPlaces(t);
    t.AcceptedBefore();
    auto& f = *t.Start().MainForm;
    f.SelectPage(2);
    for (tk::Control* start :
         {static_cast<tk::Control*>(nullptr), static_cast<tk::Control*>(&f.BitBtn23)}) {
        t.fake.files.knownFolderQueries = 0;
        if (start == nullptr)
            f.ShortCut(116);
        else
            start->Click();
        EXPECT_EQ(t.fake.files.knownFolderQueries, once) << (start ? "Delete All" : "Refresh");
    }
}

// A walk that followed links would count and delete what lies outside the place.
TEST(DeleteActions, LinksInsideAPlaceAreNeverFollowed) {
    for (bool portGuards : {true, false}) {
        for (const Button* b : {&Buttons[0], &Buttons[6]}) { // Temp's button, Delete All
            SCOPED_TRACE(std::string(b->name) + (portGuards ? ", the port guards" : ""));
            CleanupMachine t;
            t.AcceptedBefore();
            t.fake.files.guardsLinks = portGuards;
            auto& fs = t.files();
            fs.AddFile(In(Temp, "real.tmp"), 10);
            fs.AddLink(In(Temp, "folderlink"), Outside);
            fs.AddLink(In(Temp, "filelink"), In(Outside, "keep.txt"), true, 3);
            fs.AddLink(In(Temp, "sub\\deeplink"), In(Outside, "deep"));
            fs.AddLink(In(Temp, "sub\\loop"), Temp);
            auto& f = *t.Start().MainForm;
            EXPECT_EQ(f.Label2.Caption(), "13 Bytes \rin Temporary Files!");
            Press(f, *b);
            EXPECT_TRUE(t.OutsideIntact());
            EXPECT_TRUE(t.ChangesOnlyInThePlaces());
            EXPECT_TRUE(fs.Names(Temp).empty()) << "the links themselves went";
        }
    }
}

TEST(DeleteActions, AFolderSwappedForALinkAfterItWasListedIsNotEntered) {
    CleanupMachine t;
    t.AcceptedBefore();
    t.files().AddFile(In(Temp, "sub\\a.tmp"), 1);
    auto& f = *t.Start().MainForm;
    auto swapAfterListingTemp = [&t](const std::string& folder) {
        if (folder != Temp || t.files().AttributesOf(In(Temp, "sub")) & port::attr::ReparsePoint)
            return;
        t.files().Erase(In(Temp, "sub"));
        t.files().AddLink(In(Temp, "sub"), Outside);
    };
    t.fake.files.afterListing = swapAfterListingTemp;
    f.BitBtn7.OnClick();
    EXPECT_EQ(f.Label2.Caption(), "0 Bytes \rin Temporary Files!");
    t.files().Erase(In(Temp, "sub"));
    t.files().AddFile(In(Temp, "sub\\a.tmp"), 1);
    f.BitBtn1.Click();
    EXPECT_TRUE(t.OutsideIntact());
    EXPECT_TRUE(t.ChangesOnlyInThePlaces());
}

TEST(DeleteActions, APlaceMovedByALinkIsEmptiedWhereItIsAndBothStay) {
    CleanupMachine t;
    t.AcceptedBefore();
    t.files().AddFile("D:\\CacheStore\\x.dat", 70);
    t.files().Erase(Cache);
    t.files().AddLink(Cache, "D:\\CacheStore");
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.Label26.Caption(), "70 Bytes \rin Temporary Internet Files!");
    EXPECT_EQ(f.ListBox12.Items(), std::vector<std::string>{"x.dat"});
    f.BitBtn12.Click();
    EXPECT_TRUE(t.files().Exists(Cache));
    EXPECT_TRUE(t.files().Exists("D:\\CacheStore"));
    EXPECT_TRUE(t.files().Names("D:\\CacheStore").empty());
}

TEST(DeleteActions, RefusedPlacesAreNeitherListedSizedNorDeleted) {
    const char* notFull = " is not cleaned: it is not a full path.";
    const char* kept = " is not cleaned: it is a drive, system or user folder.";
    const std::pair<const char*, const char*> values[] = {
        {"Temp", notFull},
        {"C:Temp", notFull},
        {"\\Users\\user\\Temp", notFull},
        {"C:\\", kept},
        {"C:", notFull},
        {"\\\\server\\share\\", kept},
        {"C:\\WINDOWS\\..\\Windows", kept},
        {"c:\\wINDOWS", kept},
        {"C:\\PROGRA~1", kept},
        {"C:\\Users", kept},
        {"C:\\Users\\user\\AppData\\..", kept},
        {"C:\\Users\\user\\Windows", kept}, // a link to the Windows folder
        {"\\\\?\\C:\\WINDOWS\\system32", kept},
    };
    for (const auto& [value, reason] : values) {
        CleanupMachine t;
        t.AcceptedBefore();
        t.files().AddFile("C:\\Program Files\\app.exe", 300);
        t.files().SetShortName("C:\\Program Files", "PROGRA~1");
        t.files().AddLink("C:\\Users\\user\\Windows", "C:\\WINDOWS");
        t.SetShellFolder("Cache", value);
        auto& f = *t.Start().MainForm;
        EXPECT_TRUE(f.ListBox12.Items().empty()) << value;
        EXPECT_EQ(f.Label26.Caption(), "0 Bytes \rin Temporary Internet Files!") << value;
        f.BitBtn12.Click();
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u) << value;
        EXPECT_EQ(t.fake.desktop.boxes[0].text, value + std::string(reason));
        EXPECT_TRUE(t.fake.files.changes.empty()) << value;
    }
}

TEST(DeleteActions, DeleteAllSkipsRefusedPlacesAndNamesThemInOneBoxAtItsEnd) {
    CleanupMachine t;
    FillPlaces(t);
    t.AcceptedBefore();
    t.SetShellFolder("Cache", "C:\\");
    t.SetShellFolder("Cookies", "Cookies");
    auto& f = *t.Start().MainForm;
    f.SpeedButton12.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text,
              "C:\\ is not cleaned: it is a drive, system or user folder.\rCookies is not "
              "cleaned: it is not a full path.");
    EXPECT_TRUE(t.files().Names(Temp).empty());
    EXPECT_TRUE(t.files().Names(History).empty());
    EXPECT_EQ(t.files().Names(Cache).size(), 2u);
    EXPECT_EQ(t.files().Names(Cookies).size(), 2u);
    EXPECT_EQ(t.fake.files.recycleBinEmptied, 1);
}

TEST(DeleteActions, WithoutTheCookiesValueDeleteFromCookiesDeletesNothingAnywhere) {
    CleanupMachine t;
    FillPlaces(t);
    t.AcceptedBefore();
    ASSERT_TRUE(t.fake.registry.Open(port::RegRoot::CurrentUser, ShellFolders, false, true)
                    ->DeleteValue("Cookies"));
    auto& f = *t.Start().MainForm;
    f.BitBtn18.Click();
    EXPECT_TRUE(t.fake.files.changes.empty());
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    EXPECT_EQ(f.Label25.Caption(), "Cookies Directory is: \r");
}

} // namespace
