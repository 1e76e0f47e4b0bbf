#include "app/StatusLine.h"
#include "autostart/StartupFolders.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// The files of the two Startup folders on the AutoStart page: listed after the registry's
// entries, disabled through the records Windows reads, and kept before they are deleted.
namespace {

using fakes::RegBinary;
using fakes::RegString;
using port::RegRoot;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* Records =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
const std::string UserFolder =
    "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
const std::string CommonFolder =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
const std::string Kept = "C:\\Users\\user\\AppData\\Local\\Trelvix\\Deleted startup files";
const Bytes DisabledMark = {3, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
const Bytes EnabledMark = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// A Run value in each list, then files of every kind in both folders.
struct FolderMachine : fakes::TestProgram {
    FolderMachine() {
        fake.registry.Put(RegRoot::LocalMachine, RunKey, "Audio", RegString("a.exe"));
        fake.registry.Put(RegRoot::CurrentUser, RunKey, "Chat", RegString("chat.exe"));
        fake.files.AddFolder(UserFolder + "\\Old things"); // a folder is never listed
        Shortcut(UserFolder, "Notes.lnk", "C:\\Notes\\notes.exe", "/tray --quiet");
        File(UserFolder, "desktop.ini");
        File(UserFolder, "sync.bat");
        File(UserFolder, "Broken.LNK"); // no shortcut to read: the file's own path
        Shortcut(CommonFolder, "Agent.lnk", "C:\\Agent\\agent.exe", "");
        File(CommonFolder, "DESKTOP.INI");
        fake.registry.Put(RegRoot::CurrentUser, Records, "sync.bat", RegBinary(DisabledMark));
        // A Run value's record of the same name belongs to the Run value only.
        fake.registry.Put(RegRoot::LocalMachine,
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                          "StartupApproved\\Run",
                          "Agent.lnk", RegBinary(DisabledMark));
    }
    void File(const std::string& folder, const std::string& name) {
        fake.files.AddFile(folder + "\\" + name, 100);
    }
    void Shortcut(const std::string& folder, const std::string& name, const std::string& target,
                  const std::string& arguments) {
        File(folder, name);
        fake.shell.shortcuts[folder + "\\" + name] = {target, arguments};
    }
    std::optional<port::RegValue> Record(RegRoot root, const std::string& name) {
        return fake.registry.Get(root, Records, name);
    }
};

TEST(StartupFolders, EveryFileButDesktopIniIsListedAfterTheKeysWithItsTarget) {
    FolderMachine t;
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox9.Items(),
              (Lines{"Audio | Path is: \"a.exe\"",
                     "Agent.lnk | Path is: \"C:\\Agent\\agent.exe\" (Startup folder)"}));
    EXPECT_EQ(
        f.ListBox10.Items(),
        (Lines{"Chat | Path is: \"chat.exe\"",
               "Notes.lnk | Path is: \"C:\\Notes\\notes.exe /tray --quiet\" (Startup folder)",
               "sync.bat | Path is: \"" + UserFolder + "\\sync.bat\" (Startup folder) (disabled)",
               "Broken.LNK | Path is: \"" + UserFolder + "\\Broken.LNK\" (Startup folder)"}));
}

TEST(StartupFolders, AMissingFolderListsNothingAndWatchingAsksForBothFolders) {
    fakes::TestProgram t;
    auto& f = *t.Start().MainForm;
    EXPECT_TRUE(f.ListBox9.Items().empty());
    EXPECT_TRUE(f.ListBox10.Items().empty());
    EXPECT_EQ(t.fake.keyWatch.folders, (Lines{CommonFolder, UserFolder}));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Disable and Enable write the record of the line's root, named by the file, in the Run
// records' layout; the line shows the new state at once.
TEST(StartupFolders, DisableAndEnableWriteTheFilesRecordInItsRoot) {
    FolderMachine t;
    t.fake.system.fileTime = 0x01DA'0102'0304'0506ull;
    auto& f = *t.Start().MainForm;
    const Bytes disabledNow = {3, 0, 0, 0, 6, 5, 4, 3, 2, 1, 0xDA, 0x01};
    struct Step {
        tk::ListBox& list;
        int line;
        tk::MenuItem& item;
        RegRoot root;
        std::string name;
        Bytes record;
        std::string shown;
    };
    const Step steps[] = {
        {f.ListBox9, 1, f.Disable1, RegRoot::LocalMachine, "Agent.lnk", disabledNow,
         "Agent.lnk | Path is: \"C:\\Agent\\agent.exe\" (Startup folder) (disabled)"},
        {f.ListBox10, 2, f.Enable2, RegRoot::CurrentUser, "sync.bat", EnabledMark,
         "sync.bat | Path is: \"" + UserFolder + "\\sync.bat\" (Startup folder)"},
        {f.ListBox10, 1, f.Disable2, RegRoot::CurrentUser, "Notes.lnk", disabledNow,
         "Notes.lnk | Path is: \"C:\\Notes\\notes.exe /tray --quiet\" (Startup folder) "
         "(disabled)"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.shown);
        s.list.SelectItem(s.line);
        EXPECT_TRUE(s.item.Enabled());
        s.item.Click();
        ASSERT_TRUE(t.Record(s.root, s.name));
        EXPECT_EQ(t.Record(s.root, s.name)->type, port::RegType::Binary);
        EXPECT_EQ(t.Record(s.root, s.name)->bytes, s.record);
        EXPECT_EQ(s.list.Item(s.line), s.shown);
    }
    // A record is never written for a file no longer there.
    t.fake.files.Erase(UserFolder + "\\Broken.LNK");
    f.ListBox10.SelectItem(3);
    f.Disable2.Click();
    EXPECT_FALSE(t.Record(RegRoot::CurrentUser, "Broken.LNK"));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Delete keeps the file and its record beside each other, then recycles the file and removes
// the record; older copies of the same name are never overwritten.
TEST(StartupFolders, DeleteKeepsTheFileAndItsRecordThenRecyclesIt) {
    FolderMachine t;
    t.fake.files.AddFile(Kept + "\\sync.bat", 7);         // an older copy
    t.fake.files.AddFile(Kept + "\\sync (2).bat.reg", 9); // and an older record
    auto& f = *t.Start().MainForm;
    f.ListBox10.SelectItem(2);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    EXPECT_EQ(t.fake.files.recycled, Lines{UserFolder + "\\sync.bat"});
    EXPECT_FALSE(t.fake.files.Exists(UserFolder + "\\sync.bat"));
    EXPECT_FALSE(t.Record(RegRoot::CurrentUser, "sync.bat"));
    EXPECT_EQ(t.fake.files.Names(Kept),
              (Lines{"sync.bat", "sync (2).bat.reg", "sync (3).bat", "sync (3).bat.reg"}));
    const Bytes reg = t.fake.files.appended[Kept + "\\sync (3).bat.reg"];
    // The older copies are as they were.
    EXPECT_EQ(t.fake.files.BytesUnder(Kept), static_cast<std::int64_t>(7 + 9 + 100 + reg.size()));
    const std::u16string text(reinterpret_cast<const char16_t*>(reg.data()), reg.size() / 2);
    EXPECT_EQ(text.rfind(u"\xFEFFWindows Registry Editor Version 5.00\r\n", 0), 0U);
    EXPECT_NE(text.find(u"[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                        u"Explorer\\StartupApproved\\StartupFolder]\r\n\"sync.bat\"=hex:03,00,"
                        u"00,00,11,22,33,44,55,66,77,88\r\n"),
              std::u16string::npos);

    // A file without a record leaves no .reg; the common folder's file needs rights.
    f.ListBox10.SelectItem(1);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_TRUE(t.fake.files.Exists(Kept + "\\Notes.lnk"));
    EXPECT_FALSE(t.fake.files.Exists(Kept + "\\Notes.lnk.reg"));
    EXPECT_FALSE(t.fake.files.Exists(UserFolder + "\\Notes.lnk"));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Whatever stops the copy stops the delete: the file, its record and every older copy stay.
TEST(StartupFolders, ACopyThatFailsStopsTheDelete) {
    const std::string notDeleted = "\"sync.bat\" was not deleted: ";
    struct Case {
        const char* what;
        std::function<void(FolderMachine&)> arrange;
        std::string message;
        bool recycleTried;
    };
    const Case cases[] = {
        {"the copy refused",
         [](FolderMachine& t) {
             t.fake.files.copyRefusal = "There is not enough space on the disk.";
         },
         notDeleted + "it cannot be copied to \"" + Kept +
             "\\sync.bat\". There is not enough space on the disk.",
         false},
        {"the record refused",
         [](FolderMachine& t) { t.fake.files.appendRefusal = "Access is denied."; },
         notDeleted + "its record cannot be kept in \"" + Kept +
             "\\sync.bat.reg\". Access is denied.",
         false},
        {"no folder for local data",
         [](FolderMachine& t) { t.fake.files.knownFolders.erase(port::KnownFolder::LocalAppData); },
         notDeleted + "the system names no folder for the local data of programs, where deleted "
                      "entries are kept.",
         false},
        {"the file in use", [](FolderMachine& t) { t.fake.files.Lock(UserFolder + "\\sync.bat"); },
         notDeleted +
             "The process cannot access the file because it is being used by another process. "
             "Its copy is kept in \"" +
             Kept + "\\sync.bat\".",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FolderMachine t;
        t.fake.files.AddFolder(Kept);
        c.arrange(t);
        auto& f = *t.Start().MainForm;
        f.ListBox10.SelectItem(2);
        f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
        EXPECT_EQ(t.fake.desktop.Texts(), Lines{c.message});
        EXPECT_TRUE(t.fake.files.Exists(UserFolder + "\\sync.bat"));
        EXPECT_EQ(t.Record(RegRoot::CurrentUser, "sync.bat")->bytes, DisabledMark);
        EXPECT_TRUE(t.fake.files.recycled.empty());
        const auto tried = std::ranges::count(t.fake.files.changes,
                                              "MoveToRecycleBin " + UserFolder + "\\sync.bat");
        EXPECT_EQ(tried, c.recycleTried ? 1 : 0);
    }
}

// Without rights to the common folder the file stays, and the status bar says why.
TEST(StartupFolders, ACommonFileTheUserMayNotDeleteStaysAndTheStatusBarSaysWhy) {
    FolderMachine t;
    t.fake.files.Lock(CommonFolder + "\\Agent.lnk");
    t.fake.registry.At(RegRoot::LocalMachine, Records).readOnly = true;
    auto& f = *t.Start().MainForm;
    for (tk::MenuItem* item : {&f.DeleteThisKeyFrom1, &f.Disable1}) {
        SCOPED_TRACE(item->Name());
        trelvix::ClearStatusNote(t.P());
        f.ListBox9.SelectItem(1);
        item->Click();
        EXPECT_EQ(f.StatusBar1.SecondPartText(),
                  "Administrator rights are needed to change this entry.");
    }
    EXPECT_TRUE(t.fake.files.Exists(CommonFolder + "\\Agent.lnk"));
    EXPECT_FALSE(t.Record(RegRoot::LocalMachine, "Agent.lnk"));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

TEST(StartupFolders, ACopysNumberGoesBeforeTheExtension) {
    const std::tuple<std::string, int, std::string> rows[] = {
        {"app.lnk", 1, "app.lnk"}, {"app.lnk", 2, "app (2).lnk"}, {"a.b.lnk", 3, "a.b (3).lnk"},
        {"noext", 2, "noext (2)"}, {".hidden", 2, ".hidden (2)"},
    };
    for (const auto& [name, attempt, numbered] : rows)
        EXPECT_EQ(trelvix::NumberedName(name, attempt), numbered) << name << " " << attempt;
}

// A file put into the Startup folder while the program runs is told like a Run value.
TEST(StartupFolders, AFileAddedWhileRunningIsTold) {
    FolderMachine t;
    t.Start();
    t.Shortcut(UserFolder, "Spy.lnk", "C:\\Spy\\spy.exe", "-hide");
    t.fake.keyWatch.Change();
    ASSERT_EQ(t.fake.tray.balloons.size(), 1U);
    EXPECT_EQ(t.fake.tray.balloons[0].text,
              "Spy.lnk will start with Windows: \"C:\\Spy\\spy.exe -hide\"");
}

} // namespace
