#include "autostart/RunEntries.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using fakes::RegBinary;
using fakes::RegDWord;
using fakes::RegRaw;
using fakes::RegString;
using port::RegRoot;
using port::RegType;
using Lines = std::vector<std::string>;

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int F5 = 116;
constexpr int AutoStartPage = 6;

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(RunEntries, EachTypeOfDataIsRenderedAsTheListShowsIt) {
    const std::size_t limit = trelvix::MaxBinaryShown;
    const std::tuple<const char*, port::RegValue, std::string> cases[] = {
        {"string cut at its NUL", RegString(std::string("C:\\a.exe\0 /hidden", 17)),
         "\"C:\\a.exe\""},
        {"reference unexpanded", RegString("%ProgramFiles%\\x.exe", RegType::ExpandString),
         "\"%ProgramFiles%\\x.exe\""},
        {"empty string", RegString(""), "\"\""},
        {"DWORD signed", RegDWord(4294967295u), "-1"},
        {"DWORD lowest", RegDWord(2147483648u), "-2147483648"},
        {"DWORD", RegDWord(17), "17"},
        {"DWORD of 3 bytes", RegRaw(RegType::DWord, 4, {1, 0, 0}), "Unknown"},
        {"binary padded with blanks", RegBinary({0x0A, 0xFF, 0x10}), " AFF10"},
        {"binary zero", RegBinary({0x01, 0xAB, 0x00}), " 1AB 0"},
        {"binary empty", RegBinary({}), ""},
        {"binary at the limit", RegBinary(std::vector<std::uint8_t>(limit, 0xC3)),
         Repeat("C3", limit)},
        {"binary beyond it", RegBinary(std::vector<std::uint8_t>(limit + 1, 0x07)),
         Repeat(" 7", limit) + "..."},
        {"multi-string", RegRaw(RegType::MultiString, 7, {'a', 0, 0, 0, 0, 0}), "Unknown"},
        {"QWORD", RegRaw(RegType::QWord, 11, {1, 0, 0, 0, 0, 0, 0, 0}), "Unknown"},
        {"none", RegRaw(RegType::None, 0, {}), "Unknown"},
        {"big-endian DWORD", RegRaw(RegType::Other, 5, {0, 0, 0, 1}), "Unknown"},
    };
    for (const auto& [what, value, text] : cases)
        EXPECT_EQ(trelvix::RenderRunValue(value), text) << what;
}

// Both keys on one machine; the per-machine key opens for reading only, as it does for a
// user without administrator rights.
struct AutoStartMachine : fakes::TestProgram {
    explicit AutoStartMachine(port::Background* jobs = nullptr) {
        background = jobs;
        auto& r = fake.registry;
        r.Put(RegRoot::LocalMachine, RunKey, "Audio", RegString("C:\\Audio\\tray.exe"));
        r.Put(RegRoot::LocalMachine, RunKey, "Shared", RegDWord(1));
        r.At(RegRoot::LocalMachine, RunKey).readOnly = true;
        r.Put(RegRoot::CurrentUser, RunKey, "", RegString("default.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "A", RegString("a.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "A | Path is: B",
              RegBinary(std::vector<std::uint8_t>(3000, 0xEE)));
        r.Put(RegRoot::CurrentUser, RunKey, "Shared", RegDWord(2));
        Start();
    }
    Lines Names(RegRoot root) const { return fake.registry.Names(root, RunKey); }
};

// Each menu deletes exactly the value of the selected line, by its real name and from the
// root its caption names; the line stays until the next refresh.
TEST(AutoStartPage, EachMenuDeletesTheSelectedLinesOwnValue) {
    AutoStartMachine t;
    auto& f = t.Main();
    f.ListBox10.SelectItem(2); // the value named "A | Path is: B", thousands of characters long
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_EQ(t.Names(RegRoot::CurrentUser), (Lines{"", "A", "Shared"}));
    EXPECT_EQ(f.ListBox10.Count(), 4) << "no refill after a delete";

    f.ListBox10.SelectItem(3);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_EQ(t.Names(RegRoot::CurrentUser), (Lines{"", "A"}));
    EXPECT_EQ(t.Names(RegRoot::LocalMachine), (Lines{"Audio", "Shared"}));

    t.fake.registry.At(RegRoot::LocalMachine, RunKey).readOnly = false;
    f.ListBox9.SelectItem(1);
    f.DeleteThisKeyFrom1.Click();
    EXPECT_EQ(t.Names(RegRoot::LocalMachine), (Lines{"Audio"}));
    EXPECT_EQ(t.Names(RegRoot::CurrentUser), (Lines{"", "A"}));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());

    // The key removed meanwhile: deleting a line of it does not make it again.
    t.fake.registry.keys.erase(fakes::FakeRegistry::KeyName(RegRoot::LocalMachine, RunKey));
    f.ListBox9.SelectItem(0);
    f.DeleteThisKeyFrom1.Click();
    EXPECT_FALSE(t.fake.registry.HasKey(RegRoot::LocalMachine, RunKey));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// The lists are read off the window's thread and keep their lines until the read is back.
// Refreshes asked for while one reads make one more read, so the lists end with what is
// there last; the program's end while a read is out leaves nothing behind.
TEST(AutoStartPage, TheListsAreReadOffTheWindowsThreadOneReadAtATime) {
    fakes::HeldBackground jobs;
    AutoStartMachine t(&jobs);
    auto& f = t.Main();
    ASSERT_TRUE(f.ListBox10.Items().empty()) << "the first read is still out";
    jobs.CompleteAll();
    ASSERT_EQ(f.ListBox10.Count(), 4);
    f.SelectPage(AutoStartPage);
    f.ListBox10.SelectItem(1);
    t.fake.registry.Put(RegRoot::CurrentUser, RunKey, "B", RegString("b.exe"));
    f.ShortCut(F5);
    f.ShortCut(F5);
    f.ShortCut(F5);
    EXPECT_EQ(jobs.Held(), 1u) << "one read at a time";
    EXPECT_EQ(f.ListBox10.Count(), 4) << "the lines stay while it reads";
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "On.bmp");
    jobs.Complete(0);
    EXPECT_EQ(f.ListBox10.Items().back(), "B | Path is: \"b.exe\"");
    EXPECT_EQ(jobs.Held(), 1u) << "the refreshes asked for meanwhile read once more";
    t.fake.registry.Put(RegRoot::CurrentUser, RunKey, "C", RegString("c.exe"));
    jobs.Complete(0);
    EXPECT_EQ(f.ListBox10.Items().back(), "C | Path is: \"c.exe\"");
    EXPECT_EQ(f.ListBox10.ItemIndex(), 1) << "the selected entry stays selected";
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
    EXPECT_EQ(jobs.Held(), 0u);

    f.ShortCut(F5);
    ASSERT_EQ(jobs.Held(), 1u);
    t.program.reset();
    jobs.CompleteAll(); // the read comes back to a program that is gone: nothing happens
}

TEST(AutoStartPage, ListsBothKeysInTheirOrderAndRefreshSelectsTheRememberedPositionAgain) {
    AutoStartMachine t;
    auto& f = t.Main();
    const std::string longLine = "A | Path is: B | Path is: " + Repeat("EE", 3000);
    EXPECT_EQ(f.ListBox9.Items(),
              (Lines{"Audio | Path is: \"C:\\Audio\\tray.exe\"", "Shared | Path is: 1"}));
    EXPECT_EQ(f.ListBox10.Items(), (Lines{" | Path is: \"default.exe\"", "A | Path is: \"a.exe\"",
                                          longLine, "Shared | Path is: 2"}));
    EXPECT_EQ(std::pair(f.ListBox9.ItemIndex(), f.ListBox10.ItemIndex()), std::pair(0, 0));
    f.SelectPage(AutoStartPage);
    f.ListBox10.SelectItem(1);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_EQ(f.ListBox10.Item(1), "A | Path is: \"a.exe\"");
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox10.ItemIndex(), 1);
    EXPECT_EQ(f.ListBox10.Item(1), longLine) << "the deleted entry's line";
}

// A refill selects the remembered line's entry wherever it now stands, told apart from a
// value of the same name in another key.
TEST(AutoStartPage, RefreshKeepsTheSelectedEntryWhenLinesBeforeItGo) {
    AutoStartMachine t;
    constexpr const char* RunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    t.fake.registry.Put(RegRoot::CurrentUser, RunOnceKey, "Shared", RegString("once.exe"));
    auto& f = t.Main();
    f.SelectPage(AutoStartPage);
    f.ShortCut(F5);
    ASSERT_EQ(f.ListBox10.Item(4), "Shared | Path is: \"once.exe\" (once)");
    f.ListBox10.SelectItem(4);
    t.fake.registry.At(RegRoot::CurrentUser, RunKey)
        .values.erase(t.fake.registry.At(RegRoot::CurrentUser, RunKey).values.begin() +
                      1); // "A", by another program
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox10.ItemIndex(), 3);
    EXPECT_EQ(f.ListBox10.Item(3), "Shared | Path is: \"once.exe\" (once)");
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox10.ItemIndex(), 3) << "the entry stays selected";
}

// A NUL inside a name is part of it: such a value is listed apart from the one its name
// would be cut to, shown with "\\0", and every change on its line is refused, leaving both
// values; the value beside it is still changed as usual.
TEST(AutoStartPage, ANameHoldingANulIsListedWholeAndNeverChanged) {
    const std::string keepHidden("Keep\0Hidden", 11);
    const std::string hidden("\0Hidden", 7);
    const std::string own("Trelvix\0Old", 11);
    fakes::TestProgram t;
    auto& r = t.fake.registry;
    r.Put(RegRoot::CurrentUser, RunKey, "", RegString("default.exe"));
    r.Put(RegRoot::CurrentUser, RunKey, "Keep", RegString("keep.exe"));
    r.Put(RegRoot::CurrentUser, RunKey, keepHidden, RegString("hidden.exe"));
    r.Put(RegRoot::CurrentUser, RunKey, hidden, RegString("nameless.exe"));
    r.Put(RegRoot::CurrentUser, RunKey, own, RegString("old.exe"));
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(
        f.ListBox10.Items(),
        (Lines{" | Path is: \"default.exe\"", "Keep | Path is: \"keep.exe\"",
               "Keep\\0Hidden | Path is: \"hidden.exe\"", "\\0Hidden | Path is: \"nameless.exe\"",
               "Trelvix\\0Old | Path is: \"old.exe\""}));
    EXPECT_FALSE(t.P().AutoRunOn) << "a name cut at its NUL is not the program's own";
    const Lines names = t.fake.registry.Names(RegRoot::CurrentUser, RunKey);
    const std::pair<int, const char*> lines[] = {
        {2, "Keep\\0Hidden"}, {3, "\\0Hidden"}, {4, "Trelvix\\0Old"}};
    for (const auto& [line, shown] : lines) {
        for (tk::MenuItem* item :
             {&f.DeleteThisKeyFromHKEYLOCALMACHINE1, &f.Disable2, &f.Enable2}) {
            SCOPED_TRACE(std::string(shown) + " " + item->Name());
            t.fake.desktop.boxes.clear();
            f.ListBox10.SelectItem(line);
            item->Click();
            ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
            EXPECT_EQ(t.fake.desktop.boxes[0].text,
                      std::string(shown) + " cannot be changed here: its name holds a NUL "
                                           "character, which no backup file can hold.");
        }
    }
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, RunKey), names);
    EXPECT_TRUE(t.fake.files.appended.empty()) << "nothing was kept, nothing was deleted";
    f.ListBox10.SelectItem(1);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, RunKey),
              (Lines{"", keepHidden, hidden, own}));
}

// A refresh selects again the value that was selected, by root, view and name, wherever the
// values added meanwhile put it; when it is gone, the same line.
TEST(AutoStartPage, ARefreshSelectsTheSameValueWhereverItNowStands) {
    AutoStartMachine t;
    auto& f = t.Main();
    f.SelectPage(AutoStartPage);
    f.ListBox10.SelectItem(1); // "A"
    f.ListBox9.SelectItem(1);  // "Shared" of the per-machine key
    auto& r = t.fake.registry;
    auto& user = r.At(RegRoot::CurrentUser, RunKey).values;
    user.insert(user.begin(), {"First", RegString("first.exe")});
    auto& machine = r.At(RegRoot::LocalMachine, RunKey).values;
    machine.insert(machine.begin(), {"Before", RegString("before.exe")});
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox10.ItemIndex(), 2);
    EXPECT_EQ(f.ListBox10.Item(2), "A | Path is: \"a.exe\"");
    EXPECT_EQ(f.ListBox9.ItemIndex(), 2);
    EXPECT_EQ(f.ListBox9.Item(2), "Shared | Path is: 1");
    machine.erase(machine.begin() + 2);
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox9.ItemIndex(), -1) << "the same line, now past the end";
    f.ListBox10.SelectItem(4); // "Shared" of the per-user key
    user.erase(user.begin() + 4);
    user.push_back({"Shared", RegDWord(2)});
    user.insert(user.begin(), {"Zero", RegString("zero.exe")});
    f.ShortCut(F5);
    EXPECT_EQ(f.ListBox10.ItemIndex(), 5);
    EXPECT_EQ(f.ListBox10.Item(5), "Shared | Path is: 2");
}

TEST(AutoStartPage, WithoutASelectionTheMenusOnlyAskForOne) {
    fakes::TestProgram t;
    t.fake.registry.Put(RegRoot::CurrentUser, RunKey, "Only", RegString("x.exe"));
    auto& f = t.Start().MainForm;
    f->ListBox10.SelectItem(-1);
    f->DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    f->DeleteThisKeyFrom1.Click(); // the per-machine key is missing: an empty list
    EXPECT_EQ(t.fake.desktop.Texts(), Lines(2, "Please choose a key!"));
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, RunKey), Lines{"Only"});
    EXPECT_FALSE(t.fake.registry.HasKey(RegRoot::LocalMachine, RunKey));
}

} // namespace
