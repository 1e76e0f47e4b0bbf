#include "app/StatusLine.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using fakes::RegBinary;
using fakes::RegRaw;
using fakes::RegString;
using port::RegRoot;
using port::RegType;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* Run32Key = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* Approved =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const char* Approved32 =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
constexpr const char* BackupFile =
    "C:\\Users\\user\\AppData\\Local\\Trelvix\\Deleted startup entries.reg";
const Bytes DisabledMark = {3, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
const Bytes EnabledMark = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct ParsedValue {
    std::string key, name;
    std::uint32_t type = 0;
    Bytes data;
    bool operator==(const ParsedValue&) const = default;
};

// The values of a .reg file as an importer reads them (key and value names in ASCII). The
// file must start with the byte-order mark and the format line, once.
std::vector<ParsedValue> ParseRegFile(const Bytes& file) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < file.size(); i += 2)
        text += static_cast<char16_t>(file[i] | (file[i + 1] << 8));
    const std::u16string header = u"\xFEFFWindows Registry Editor Version 5.00\r\n";
    EXPECT_EQ(text.rfind(header, 0), 0u);
    EXPECT_EQ(text.find(u"Registry Editor", header.size()), std::u16string::npos);
    for (std::size_t at; (at = text.find(u"\\\r\n  ")) != std::u16string::npos;)
        text.erase(at, 5); // a continued line
    const auto ascii = [](std::u16string_view s) { return std::string(s.begin(), s.end()); };
    std::vector<ParsedValue> values;
    std::string key;
    for (std::size_t start = header.size(), end; start < text.size(); start = end + 2) {
        end = text.find(u"\r\n", start);
        const std::u16string line = text.substr(start, end - start);
        if (line.empty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            key = ascii(line.substr(1, line.size() - 2));
            continue;
        }
        ParsedValue v{key, "", 0, {}};
        std::size_t at = line[0] == u'@' ? 1 : 0;
        std::u16string quoted; // a name, or string data
        const auto unquote = [&] {
            quoted.clear();
            for (++at; line[at] != u'"'; ++at)
                quoted += line[at] == u'\\' ? line[++at] : line[at];
            ++at;
        };
        if (at == 0) {
            unquote();
            v.name = ascii(quoted);
        }
        const std::u16string data = line.substr(++at);
        const std::size_t colon = data.find(u':');
        if (data[0] == u'"') {
            unquote();
            v.type = 1;
            for (char16_t c : quoted + u'\0')
                v.data.insert(v.data.end(),
                              {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)});
        } else if (data.rfind(u"dword:", 0) == 0) {
            const auto number = std::stoul(ascii(data.substr(6)), nullptr, 16);
            for (int shift = 0; shift < 32; shift += 8)
                v.data.push_back(static_cast<std::uint8_t>(number >> shift));
            v.type = 4;
        } else {
            v.type =
                data[3] == u':' ? 3 : std::stoul(ascii(data.substr(4, colon - 5)), nullptr, 16);
            for (std::size_t i = colon + 1; i + 1 < data.size(); i += 3)
                v.data.push_back(
                    static_cast<std::uint8_t>(std::stoul(ascii(data.substr(i, 2)), nullptr, 16)));
        }
        values.push_back(v);
    }
    return values;
}

// Both views of the per-machine key and the per-user key, with records of every kind.
struct StartupMachine : fakes::TestProgram {
    StartupMachine() {
        auto& r = fake.registry;
        r.Put(RegRoot::LocalMachine, RunKey, "Audio", RegString("C:\\Audio\\tray.exe"));
        r.Put(RegRoot::LocalMachine, RunKey, "Shared", fakes::RegDWord(1));
        r.Put(RegRoot::LocalMachine, Run32Key, "Shared", RegString("C:\\x86\\shared.exe"));
        r.Put(RegRoot::LocalMachine, Run32Key, "Updater", RegString("C:\\x86\\update.exe"));
        // A 64-bit record does not apply to the 32-bit value of the same name, nor back.
        r.Put(RegRoot::LocalMachine, Approved, "Shared", RegBinary(DisabledMark));
        r.Put(RegRoot::LocalMachine, Approved32, "Updater", RegBinary(DisabledMark));
        r.Put(RegRoot::LocalMachine, Approved32, "Audio", RegBinary(DisabledMark));
        const std::pair<const char*, port::RegValue> records[] = {
            {"OFF", RegBinary(DisabledMark)},
            {"On", RegBinary(EnabledMark)},
            {"Six", RegBinary({6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
            {"Short", RegBinary({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
            {"Text", RegString("333333333333")},
        };
        for (const auto& [name, record] : records) {
            r.Put(RegRoot::CurrentUser, RunKey, name, RegString("x.exe"));
            r.Put(RegRoot::CurrentUser, Approved, name, record);
        }
    }
    std::optional<port::RegValue> Get(RegRoot root, const char* key, const std::string& name) {
        return fake.registry.Get(root, key, name);
    }
    Lines Names(RegRoot root, const char* key) const { return fake.registry.Names(root, key); }
};

TEST(StartupEntries, BothViewsAreListedWithTheirSuffixesAndEachRecordsMarker) {
    StartupMachine t;
    auto& f = t.Start().MainForm;
    EXPECT_EQ(f->ListBox9.Items(),
              (Lines{"Audio | Path is: \"C:\\Audio\\tray.exe\"", "Shared | Path is: 1 (disabled)",
                     "Shared | Path is: \"C:\\x86\\shared.exe\" (32-bit)",
                     "Updater | Path is: \"C:\\x86\\update.exe\" (32-bit) (disabled)"}));
    EXPECT_EQ(f->ListBox10.Items(),
              (Lines{"OFF | Path is: \"x.exe\" (disabled)", "On | Path is: \"x.exe\"",
                     "Six | Path is: \"x.exe\"", "Short | Path is: \"x.exe\"",
                     "Text | Path is: \"x.exe\""}));
}

// Each action writes the record of its line's root and view, in the 64-bit view's Run or
// Run32, and the line shows the new state at once.
TEST(StartupEntries, DisableAndEnableWriteTheRecordOfTheLinesViewAndRoot) {
    StartupMachine t;
    t.fake.system.fileTime = 0x01DA'0102'0304'0506ull;
    auto& f = *t.Start().MainForm;
    const Bytes disabledNow = {3, 0, 0, 0, 6, 5, 4, 3, 2, 1, 0xDA, 0x01};
    const std::tuple<tk::ListBox&, int, tk::MenuItem&, RegRoot, const char*, Bytes, std::string>
        steps[] = {
            {f.ListBox9, 2, f.Disable1, RegRoot::LocalMachine, Approved32, disabledNow,
             "Shared | Path is: \"C:\\x86\\shared.exe\" (32-bit) (disabled)"},
            {f.ListBox9, 1, f.Enable1, RegRoot::LocalMachine, Approved, EnabledMark,
             "Shared | Path is: 1"},
            {f.ListBox10, 3, f.Enable2, RegRoot::CurrentUser, Approved, EnabledMark,
             "Short | Path is: \"x.exe\""}, // a malformed record is rewritten
            {f.ListBox10, 1, f.Disable2, RegRoot::CurrentUser, Approved, disabledNow,
             "On | Path is: \"x.exe\" (disabled)"},
        };
    for (const auto& [list, line, item, root, key, record, shown] : steps) {
        SCOPED_TRACE(shown);
        list.SelectItem(line);
        item.Click();
        const std::string name = shown.substr(0, shown.find(' '));
        EXPECT_EQ(t.Get(root, key, name)->bytes, record);
        EXPECT_EQ(t.Get(root, key, name)->type, RegType::Binary);
        EXPECT_EQ(list.Item(line), shown);
    }
    EXPECT_EQ(t.Get(RegRoot::LocalMachine, Approved32, "Updater")->bytes, DisabledMark);
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Without administrator rights a per-machine action does nothing and the status bar's second
// part says why for five seconds.
TEST(StartupEntries, RefusedChangesLeaveEverythingAndSayWhy) {
    StartupMachine t;
    for (const char* key : {RunKey, Run32Key, Approved, Approved32})
        t.fake.registry.At(RegRoot::LocalMachine, key).readOnly = true;
    auto& f = *t.Start().MainForm;
    const Lines lines = f.ListBox9.Items();
    for (tk::MenuItem* item : {&f.Disable1, &f.Enable1, &f.DeleteThisKeyFrom1}) {
        SCOPED_TRACE(item->Name());
        ClearStatusNote(t.P());
        f.ListBox9.SelectItem(2);
        item->Click();
        EXPECT_EQ(f.StatusBar1.SecondPartText(),
                  "Administrator rights are needed to change this entry.");
        EXPECT_TRUE(f.StatusNoteTimer.Running());
    }
    EXPECT_EQ(f.ListBox9.Items(), lines);
    EXPECT_EQ(t.Names(RegRoot::LocalMachine, Run32Key), (Lines{"Shared", "Updater"}));
    EXPECT_FALSE(t.Get(RegRoot::LocalMachine, Approved32, "Shared").has_value());
    EXPECT_TRUE(t.fake.files.appended.empty()) << "nothing was kept";
    EXPECT_EQ(f.StatusNoteTimer.Interval(), 5000);
    f.StatusNoteTimer.Tick();
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "");
    EXPECT_FALSE(f.StatusNoteTimer.Running());
}

// The program's own entry changed from the list: the mode shows what Windows will do.
TEST(StartupEntries, TheProgramsOwnEntryChangedFromTheListSetsTheMode) {
    fakes::TestProgram t;
    t.fake.registry.Put(RegRoot::CurrentUser, RunKey, "Trelvix", RegString("\"C:\\t.exe\""));
    auto& f = *t.Start().MainForm;
    EXPECT_TRUE(f.AutoRun1.Checked());
    f.ListBox10.SelectItem(0);
    const std::pair<tk::MenuItem*, bool> steps[] = {
        {&f.Disable2, false}, {&f.Enable2, true}, {&f.DeleteThisKeyFromHKEYLOCALMACHINE1, false}};
    for (const auto& [item, on] : steps) {
        item->Click();
        EXPECT_EQ(t.P().AutoRunOn, on) << item->Name();
        EXPECT_EQ(f.AutoRun1.Checked(), on);
    }
}

// Every type of value deleted from the page is in the file as it was stored: read back, it
// gives the same key, name, type and bytes. A record goes with its value.
TEST(StartupEntries, DeletedValuesOfEveryTypeAreKeptByteForByte) {
    const std::pair<std::string, port::RegValue> values[] = {
        {"Plain", RegString("C:\\Program Files\\\"x\".exe /q \xD0\xBA\xD0\xBB \xF0\x9F\x98\x80")},
        {"", RegString("the default value")},
        {"Name \"quoted\" \\", RegString("")},
        {"Nul inside", RegString(std::string("a\0b", 3))},
        {"Line break", RegString("a\r\nb")},
        {"Odd", RegRaw(RegType::String, 1, {'A', 0, 'B', 0, 'C'})},
        {"Unterminated", RegRaw(RegType::String, 1, {'A', 0, 'B', 0})},
        {"Expand", RegString("%ProgramFiles%\\x.exe", RegType::ExpandString)},
        {"Multi", RegRaw(RegType::MultiString, 7, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
        {"Dword", fakes::RegDWord(0xFFFFFFFEu)},
        {"Short dword", RegRaw(RegType::DWord, 4, {1, 2, 3})},
        {"Qword", RegRaw(RegType::QWord, 11, {1, 2, 3, 4, 5, 6, 7, 8})},
        {"Empty binary", RegBinary({})},
        {"Large", RegBinary(Bytes(5000, 0xEE))},
        {"None", RegRaw(RegType::None, 0, {7})},
        {"Own type", RegRaw(RegType::Other, 0x12345678u, {1, 2})},
    };
    fakes::TestProgram t;
    for (const auto& [name, value] : values)
        t.fake.registry.Put(RegRoot::CurrentUser, RunKey, name, value);
    t.fake.registry.Put(RegRoot::CurrentUser, Approved, "Dword", RegBinary(DisabledMark));
    t.fake.registry.Put(RegRoot::LocalMachine, Run32Key, "Old", RegString("old.exe"));
    auto& f = *t.Start().MainForm;
    for (int line = 0; line < f.ListBox10.Count(); ++line) {
        f.ListBox10.SelectItem(line);
        f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    }
    f.ListBox9.SelectItem(0);
    f.DeleteThisKeyFrom1.Click();
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    for (const char* key : {RunKey, Approved})
        EXPECT_TRUE(t.fake.registry.Names(RegRoot::CurrentUser, key).empty());
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::LocalMachine, Run32Key).empty());

    std::vector<ParsedValue> expected;
    for (const auto& [name, value] : values) {
        expected.push_back(
            {"HKEY_CURRENT_USER\\" + std::string(RunKey), name, value.rawType, value.bytes});
        if (name == "Dword")
            expected.push_back(
                {"HKEY_CURRENT_USER\\" + std::string(Approved), name, 3, DisabledMark});
    }
    expected.push_back(
        {"HKEY_LOCAL_MACHINE\\" + std::string(Run32Key), "Old", 1, RegString("old.exe").bytes});
    EXPECT_EQ(ParseRegFile(t.fake.files.appended[BackupFile]), expected);
}

// When the file cannot be written, or not all of it and through to the disk, it is cut back
// to what it held and nothing is deleted; the box says why, and when even the cut failed,
// that the file may be damaged.
TEST(StartupEntries, AValueThatCannotBeKeptIsNotDeleted) {
    const std::string refused = "The entry was not deleted: the file that keeps deleted "
                                "entries, \"" +
                                std::string(BackupFile) + "\", cannot be written. ";
    const std::string full = "There is not enough space on the disk.";
    const Bytes earlier = {0xFF, 0xFE, 'W', 0, 'i', 0, 'n', 0};
    struct Case {
        const char* what;
        std::function<void(fakes::TestProgram&)> arrange;
        std::string message;
        Bytes held; // the file before, and after
    };
    const Case cases[] = {
        {"refused",
         [](auto& t) { t.fake.files.appendRefusal = "Access is denied."; },
         refused + "Access is denied.",
         {}},
        {"a name no file can hold",
         [](auto& t) {
             t.fake.registry.At(RegRoot::CurrentUser, RunKey).values[0].first = "Two\r\nlines";
         },
         "The value \"Two\r\nlines\" has a line break in its name, which a registry file cannot "
         "hold.",
         {}},
        {"the disk full within the header",
         [](auto& t) { t.fake.files.appendRoom = 10; },
         refused + full,
         {}},
        {"the disk full within the entry", [](auto& t) { t.fake.files.appendRoom = 3; },
         refused + full, earlier},
        {"not flushed", [](auto& t) { t.fake.files.refuseFlush = true; },
         refused + "The request could not be performed because of an I/O device error.", earlier},
        {"not cut back either",
         [](auto& t) {
             t.fake.files.appendRoom = 100;
             t.fake.files.refuseTruncate = true;
         },
         refused + full +
             " The file may be damaged: what was written of this entry could not be taken back.",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartupMachine t;
        c.arrange(t);
        if (!c.held.empty())
            t.fake.files.appended[BackupFile] = c.held;
        auto& f = *t.Start().MainForm;
        const Lines before = t.Names(RegRoot::CurrentUser, RunKey);
        f.ListBox10.SelectItem(0);
        f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
        EXPECT_EQ(t.fake.desktop.boxes[0].text, c.message);
        EXPECT_EQ(t.Names(RegRoot::CurrentUser, RunKey), before);
        EXPECT_TRUE(t.Get(RegRoot::CurrentUser, Approved, "OFF").has_value());
        if (!t.fake.files.refuseTruncate) {
            EXPECT_EQ(t.fake.files.appended[BackupFile], c.held);
        }
    }
    // Beside them, the same deletion with room enough: the file is flushed, the value goes.
    StartupMachine t;
    t.fake.files.appendRoom = 100000;
    auto& f = *t.Start().MainForm;
    f.ListBox10.SelectItem(0);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    EXPECT_TRUE(t.fake.files.flushed[BackupFile]);
    EXPECT_FALSE(t.Get(RegRoot::CurrentUser, RunKey, "OFF").has_value());
}

// The RunOnce keys (both views of the per-machine one) and the policy Run keys, after the Run
// keys and marked by their suffix. Windows keeps no disable records for them: Disable and
// Enable are greyed on their lines, and a Run value's record of the same name is neither
// shown on them nor deleted with them. Delete keeps the value in the file as for Run.
TEST(StartupEntries, RunOnceAndPolicyEntriesAreListedAndDeletedButNeverDisabled) {
    constexpr const char* OnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    constexpr const char* Once32Key =
        "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    constexpr const char* PolicyKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
    fakes::TestProgram t;
    auto& r = t.fake.registry;
    r.Put(RegRoot::LocalMachine, RunKey, "Audio", RegString("a.exe"));
    r.Put(RegRoot::LocalMachine, OnceKey, "Setup", RegString("s.exe"));
    r.Put(RegRoot::LocalMachine, Once32Key, "Setup", RegString("s32.exe"));
    r.Put(RegRoot::LocalMachine, PolicyKey, "Agent", RegString("agent.exe"));
    r.Put(RegRoot::CurrentUser, RunKey, "Same", RegString("run.exe"));
    r.Put(RegRoot::CurrentUser, Approved, "Same", RegBinary(DisabledMark));
    r.Put(RegRoot::CurrentUser, OnceKey, "Same", RegString("once.exe"));
    r.Put(RegRoot::CurrentUser, PolicyKey, "Forced", RegString("forced.exe"));
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox9.Items(),
              (Lines{"Audio | Path is: \"a.exe\"", "Setup | Path is: \"s.exe\" (once)",
                     "Setup | Path is: \"s32.exe\" (32-bit) (once)",
                     "Agent | Path is: \"agent.exe\" (policy)"}));
    EXPECT_EQ(f.ListBox10.Items(), (Lines{"Same | Path is: \"run.exe\" (disabled)",
                                          "Same | Path is: \"once.exe\" (once)",
                                          "Forced | Path is: \"forced.exe\" (policy)"}));

    const std::tuple<tk::ListBox&, int, tk::MenuItem&, tk::MenuItem&, bool> greyed[] = {
        {f.ListBox9, 0, f.Disable1, f.Enable1, true},
        {f.ListBox9, 2, f.Disable1, f.Enable1, false},
        {f.ListBox9, 3, f.Disable1, f.Enable1, false},
        {f.ListBox10, 1, f.Disable2, f.Enable2, false},
        {f.ListBox10, 0, f.Disable2, f.Enable2, true},
        {f.ListBox10, 2, f.Disable2, f.Enable2, false},
    };
    for (const auto& [list, line, disable, enable, can] : greyed) {
        SCOPED_TRACE(list.Name() + " " + std::to_string(line));
        list.SelectItem(line);
        EXPECT_EQ(disable.Enabled(), can);
        EXPECT_EQ(enable.Enabled(), can);
        if (!can)
            disable.Click(); // greyed: nothing happens
        EXPECT_FALSE(t.fake.registry.Get(RegRoot::LocalMachine, Approved, "Setup").has_value());
        EXPECT_FALSE(t.fake.registry.Get(RegRoot::LocalMachine, Approved32, "Setup"));
    }

    f.ListBox10.SelectItem(1);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    f.ListBox10.SelectItem(2);
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    f.ListBox9.SelectItem(2);
    f.DeleteThisKeyFrom1.Click();
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::CurrentUser, OnceKey).empty());
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::CurrentUser, PolicyKey).empty());
    EXPECT_EQ(t.fake.registry.Names(RegRoot::CurrentUser, RunKey), Lines{"Same"});
    EXPECT_EQ(t.fake.registry.Get(RegRoot::CurrentUser, Approved, "Same")->bytes, DisabledMark);
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::LocalMachine, Once32Key).empty());
    EXPECT_EQ(t.fake.registry.Names(RegRoot::LocalMachine, OnceKey), Lines{"Setup"});
    const std::string user = "HKEY_CURRENT_USER\\", machine = "HKEY_LOCAL_MACHINE\\";
    EXPECT_EQ(
        ParseRegFile(t.fake.files.appended[BackupFile]),
        (std::vector<ParsedValue>{{user + OnceKey, "Same", 1, RegString("once.exe").bytes},
                                  {user + PolicyKey, "Forced", 1, RegString("forced.exe").bytes},
                                  {machine + Once32Key, "Setup", 1, RegString("s32.exe").bytes}}));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

} // namespace
