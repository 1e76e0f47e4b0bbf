#include "app/StatusLine.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using fakes::RegBinary;
using fakes::RegDWord;
using fakes::RegRaw;
using fakes::RegString;
using port::RegRoot;
using port::RegType;
using port::RegView;
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
constexpr const char* AdminNote = "Administrator rights are needed to change this entry.";

const Bytes DisabledMark = {3, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
const Bytes EnabledMark = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// ---- Reading a .reg file back, as an importer does ----

struct ParsedValue {
    std::string key, name;
    std::uint32_t type = 0;
    Bytes data;
    bool operator==(const ParsedValue&) const = default;
};

std::u16string Decode(const Bytes& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A quoted text from `at` (on its opening quote); `at` ends after the closing quote.
std::u16string Unquote(const std::u16string& line, std::size_t& at) {
    std::u16string text;
    for (++at; at < line.size() && line[at] != u'"'; ++at) {
        if (line[at] == u'\\')
            ++at;
        text += line[at];
    }
    ++at;
    return text;
}

Bytes HexBytes(const std::u16string& digits) {
    Bytes bytes;
    std::string pair;
    for (char16_t c : digits) {
        if (c == u',' || c == u' ' || c == u'\\' || c == u'\r' || c == u'\n')
            continue;
        pair += static_cast<char>(c);
        if (pair.size() == 2) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
            pair.clear();
        }
    }
    return bytes;
}

// The values of a .reg file, in its order. The file must open with the byte-order mark and
// the format line, once.
std::vector<ParsedValue> ParseRegFile(const Bytes& file) {
    std::u16string text = Decode(file);
    const std::u16string header = u"\xFEFFWindows Registry Editor Version 5.00\r\n";
    EXPECT_EQ(text.compare(0, header.size(), header), 0);
    EXPECT_EQ(text.find(u"Windows Registry Editor", header.size()), std::u16string::npos);
    // Continued lines become one.
    for (std::size_t at; (at = text.find(u"\\\r\n  ")) != std::u16string::npos;)
        text.erase(at, 5);
    std::vector<ParsedValue> values;
    std::string key;
    std::size_t start = header.size();
    while (start < text.size()) {
        std::size_t end = text.find(u"\r\n", start);
        EXPECT_NE(end, std::u16string::npos) << "every line ends in CR LF";
        if (end == std::u16string::npos)
            break;
        const std::u16string line = text.substr(start, end - start);
        start = end + 2;
        if (line.empty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            key = Narrow(line.substr(1, line.size() - 2));
            continue;
        }
        ParsedValue v{key, "", 0, {}};
        std::size_t at = 0;
        if (line[0] == u'@')
            at = 1;
        else
            v.name = Narrow(Unquote(line, at));
        EXPECT_EQ(line[at], u'=');
        const std::u16string data = line.substr(at + 1);
        if (data[0] == u'"') {
            std::size_t q = 0;
            for (char16_t c : Unquote(data, q) + u'\0') {
                v.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
                v.data.push_back(static_cast<std::uint8_t>(c >> 8));
            }
            v.type = 1;
        } else if (data.rfind(u"dword:", 0) == 0) {
            const auto number = std::stoul(Narrow(data.substr(6)), nullptr, 16);
            for (int shift = 0; shift < 32; shift += 8)
                v.data.push_back(static_cast<std::uint8_t>(number >> shift));
            v.type = 4;
        } else if (data.rfind(u"hex:", 0) == 0) {
            v.type = 3;
            v.data = HexBytes(data.substr(4));
        } else if (data.rfind(u"hex(", 0) == 0) {
            const std::size_t close = data.find(u"):");
            v.type = static_cast<std::uint32_t>(
                std::stoul(Narrow(data.substr(4, close - 4)), nullptr, 16));
            v.data = HexBytes(data.substr(close + 2));
        } else {
            ADD_FAILURE() << "unknown data form: " << Narrow(data);
        }
        values.push_back(v);
    }
    return values;
}

// ---- The machine ----

// Both views of the per-machine key and the per-user key, with records of every kind.
struct StartupMachine : fakes::TestProgram {
    StartupMachine() {
        auto& r = fake.registry;
        r.Put(RegRoot::LocalMachine, RunKey, "Audio", RegString("C:\\Audio\\tray.exe"));
        r.Put(RegRoot::LocalMachine, RunKey, "Shared", RegDWord(1));
        r.Put(RegRoot::LocalMachine, Run32Key, "Shared", RegString("C:\\x86\\shared.exe"));
        r.Put(RegRoot::LocalMachine, Run32Key, "Updater", RegString("C:\\x86\\update.exe"));
        // A 64-bit record does not apply to the 32-bit value of the same name, nor back.
        r.Put(RegRoot::LocalMachine, Approved, "Shared", RegBinary(DisabledMark));
        r.Put(RegRoot::LocalMachine, Approved32, "Updater", RegBinary(DisabledMark));
        r.Put(RegRoot::LocalMachine, Approved32, "Audio", RegBinary(DisabledMark));
        r.Put(RegRoot::CurrentUser, RunKey, "Off", RegString("off.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "On", RegString("on.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "Six", RegString("six.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "Short", RegString("short.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "Text", RegString("text.exe"));
        r.Put(RegRoot::CurrentUser, RunKey, "One", RegString("one.exe"));
        r.Put(RegRoot::CurrentUser, Approved, "OFF", RegBinary(DisabledMark)); // any case
        r.Put(RegRoot::CurrentUser, Approved, "On", RegBinary(EnabledMark));
        r.Put(RegRoot::CurrentUser, Approved, "Six",
              RegBinary({6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        r.Put(RegRoot::CurrentUser, Approved, "Short",
              RegBinary({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        r.Put(RegRoot::CurrentUser, Approved, "Text", RegString("333333333333"));
        r.Put(RegRoot::CurrentUser, Approved, "One",
              RegBinary({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}));
    }
    std::optional<port::RegValue> Get(RegRoot root, const char* key,
                                      const std::string& name) const {
        return fake.registry.Get(root, key, name);
    }
    Lines Names(RegRoot root, const char* key) const { return fake.registry.Names(root, key); }
    // Without administrator rights: per-machine keys open for reading only, none is made.
    void WithoutAdministratorRights() {
        auto& r = fake.registry;
        for (const char* key : {RunKey, Run32Key, Approved, Approved32})
            r.At(RegRoot::LocalMachine, key).readOnly = true;
    }
};

TEST(StartupEntries, BothViewsAreListedWithTheirSuffixesAndEachRecordsMarker) {
    StartupMachine t;
    auto& f = t.Start().MainForm;
    EXPECT_EQ(f->ListBox9.Items(),
              (Lines{"Audio | Path is: \"C:\\Audio\\tray.exe\"", "Shared | Path is: 1 (disabled)",
                     "Shared | Path is: \"C:\\x86\\shared.exe\" (32-bit)",
                     "Updater | Path is: \"C:\\x86\\update.exe\" (32-bit) (disabled)"}));
    EXPECT_EQ(f->ListBox10.Items(),
              (Lines{"Off | Path is: \"off.exe\" (disabled)", "On | Path is: \"on.exe\"",
                     "Six | Path is: \"six.exe\"", "Short | Path is: \"short.exe\"",
                     "Text | Path is: \"text.exe\"", "One | Path is: \"one.exe\" (disabled)"}));
    // A malformed record stays as it is until the user acts.
    EXPECT_EQ(t.Get(RegRoot::CurrentUser, Approved, "Short")->bytes.size(), 11u);
    EXPECT_EQ(f->PopupMenu6.Items(),
              (std::vector<tk::MenuItem*>{&f->DeleteThisKeyFrom1, &f->Disable1, &f->Enable1}));
    EXPECT_EQ(f->Disable2.Caption(), "Disable");
    EXPECT_EQ(f->Enable2.Caption(), "Enable");
}

// Each action acts on the value of its line's view and root, and its record in the 64-bit
// view's Run or Run32; the line shows the new state at once.
TEST(StartupEntries, DisableAndEnableWriteTheRecordOfTheLinesViewAndRoot) {
    StartupMachine t;
    t.fake.registry.At(RegRoot::LocalMachine, Approved32).values.clear();
    t.fake.system.fileTime = 0x01DA'0102'0304'0506ull;
    auto& f = *t.Start().MainForm;
    struct Step {
        tk::ListBox& list;
        int line;
        tk::MenuItem& item;
        RegRoot root;
        const char* key;
        std::string name;
        Bytes record;
        std::string shown;
    };
    const Bytes disabledNow = {3, 0, 0, 0, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0xDA, 0x01};
    const Step steps[] = {
        {f.ListBox9, 3, f.Disable1, RegRoot::LocalMachine, Approved32, "Updater", disabledNow,
         "Updater | Path is: \"C:\\x86\\update.exe\" (32-bit) (disabled)"},
        {f.ListBox9, 2, f.Disable1, RegRoot::LocalMachine, Approved32, "Shared", disabledNow,
         "Shared | Path is: \"C:\\x86\\shared.exe\" (32-bit) (disabled)"},
        {f.ListBox9, 1, f.Enable1, RegRoot::LocalMachine, Approved, "Shared", EnabledMark,
         "Shared | Path is: 1"},
        {f.ListBox10, 3, f.Enable2, RegRoot::CurrentUser, Approved, "Short", EnabledMark,
         "Short | Path is: \"short.exe\""},
        {f.ListBox10, 1, f.Disable2, RegRoot::CurrentUser, Approved, "On", disabledNow,
         "On | Path is: \"on.exe\" (disabled)"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.shown);
        s.list.SelectItem(s.line);
        s.item.Click();
        const auto record = t.Get(s.root, s.key, s.name);
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->type, RegType::Binary);
        EXPECT_EQ(record->bytes, s.record);
        EXPECT_EQ(s.list.Item(s.line), s.shown);
        EXPECT_EQ(s.list.ItemIndex(), s.line);
    }
    EXPECT_FALSE(t.fake.registry.HasKey(RegRoot::LocalMachine,
                                        "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion"
                                        "\\Explorer\\StartupApproved\\Run32"));
    // The values themselves are untouched; the 64-bit "Shared" is enabled, the 32-bit one not.
    EXPECT_EQ(t.Names(RegRoot::LocalMachine, Run32Key), (Lines{"Shared", "Updater"}));
    EXPECT_EQ(t.Get(RegRoot::LocalMachine, Approved32, "Shared")->bytes, disabledNow);
    f.ShortCut(116); // F5 reads the same states back
    EXPECT_EQ(f.ListBox9.Item(1), "Shared | Path is: 1");
    EXPECT_EQ(f.ListBox9.Item(2), "Shared | Path is: \"C:\\x86\\shared.exe\" (32-bit) (disabled)");
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Without administrator rights a per-machine action does nothing and the status bar's second
// part says why for five seconds; a refused change of the user's own key is an error.
TEST(StartupEntries, RefusedChangesLeaveEverythingAndSayWhy) {
    StartupMachine t;
    t.WithoutAdministratorRights();
    auto& f = *t.Start().MainForm;
    const Lines lines = f.ListBox9.Items();
    for (tk::MenuItem* item : {&f.Disable1, &f.Enable1, &f.DeleteThisKeyFrom1}) {
        SCOPED_TRACE(item->Name());
        ClearStatusNote(t.P());
        f.ListBox9.SelectItem(2);
        item->Click();
        EXPECT_EQ(f.StatusBar1.SecondPartText(), AdminNote);
        EXPECT_TRUE(f.StatusNoteTimer.Running());
        EXPECT_EQ(f.StatusNoteTimer.Interval(), 5000);
        EXPECT_EQ(f.ListBox9.Items(), lines);
    }
    EXPECT_EQ(t.Names(RegRoot::LocalMachine, Run32Key), (Lines{"Shared", "Updater"}));
    EXPECT_FALSE(t.Get(RegRoot::LocalMachine, Approved32, "Shared").has_value());
    EXPECT_TRUE(t.fake.files.appended.empty()) << "nothing was backed up";
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    f.TimerControl.Tick(); // the status line goes on beside the note
    EXPECT_EQ(f.StatusBar1.SecondPartText(), AdminNote);
    f.StatusNoteTimer.Tick();
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "");
    EXPECT_FALSE(f.StatusNoteTimer.Running());

    // The user's own key: no note, the toolkit's error.
    t.fake.registry.At(RegRoot::CurrentUser, Approved).refuseWrites = true;
    f.ListBox10.SelectItem(1);
    f.Disable2.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Failed to set data for 'On'.");
    EXPECT_EQ(f.ListBox10.Item(1), "On | Path is: \"on.exe\"");
    EXPECT_EQ(f.StatusBar1.SecondPartText(), "");
}

TEST(StartupEntries, ActionsOnAValueThatIsGoneOrWithoutASelectionChangeNothing) {
    StartupMachine t;
    auto& f = *t.Start().MainForm;
    t.fake.registry.At(RegRoot::CurrentUser, RunKey).values.clear();
    f.ListBox10.SelectItem(1);
    for (tk::MenuItem* item : {&f.Disable2, &f.Enable2, &f.DeleteThisKeyFromHKEYLOCALMACHINE1})
        item->Click();
    EXPECT_EQ(t.Get(RegRoot::CurrentUser, Approved, "On")->bytes, EnabledMark);
    EXPECT_EQ(f.ListBox10.Item(1), "On | Path is: \"on.exe\"");
    EXPECT_TRUE(t.fake.files.appended.empty());
    f.ListBox9.SelectItem(-1);
    f.Disable1.Click();
    f.Enable1.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 2u);
    EXPECT_EQ(t.fake.desktop.boxes[1].text, "Please choose a key!");
    EXPECT_TRUE(t.Get(RegRoot::LocalMachine, Approved32, "Audio").has_value());
}

// The program's own entry changed from the list: the mode shows what Windows will do.
TEST(StartupEntries, TheProgramsOwnEntryChangedFromTheListSetsTheMode) {
    fakes::TestProgram t;
    t.fake.registry.Put(RegRoot::CurrentUser, RunKey, "Trelvix", RegString("\"C:\\t.exe\""));
    auto& f = *t.Start().MainForm;
    const auto mode = [&] {
        EXPECT_EQ(f.AutoRun1.Checked(), t.P().AutoRunOn);
        return t.P().AutoRunOn;
    };
    EXPECT_TRUE(mode());
    f.ListBox10.SelectItem(0);
    f.Disable2.Click();
    EXPECT_FALSE(mode());
    EXPECT_EQ(f.SpeedButton8.Glyph().name, "NoAutoRun.bmp");
    f.Enable2.Click();
    EXPECT_TRUE(mode());
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
    EXPECT_FALSE(mode());
    f.TimerControl.Tick();
    EXPECT_NE(f.StatusBar1.SimpleText().find("AutoRun=No;"), std::string::npos);
}

// Every type of value, deleted from the page, is in the file as it was stored: reading the
// file back gives the same key, name, type and bytes. A record goes with its value.
TEST(StartupEntries, DeletedValuesOfEveryTypeAreKeptByteForByte) {
    const std::pair<std::string, port::RegValue> values[] = {
        {"Plain", RegString("C:\\Program Files\\\"x\".exe /q ключ 日本 😀")},
        {"", RegString("the default value")},
        {"Name \"quoted\" \\ ü", RegString("")},
        {"Nul inside", RegString(std::string("a\0b", 3))},
        {"Line break", RegString("a\r\nb")},
        {"Odd", RegRaw(RegType::String, 1, {'A', 0, 'B', 0, 'C'})},
        {"Unterminated", RegRaw(RegType::String, 1, {'A', 0, 'B', 0})},
        {"No data", RegRaw(RegType::String, 1, {})},
        {"Expand", RegString("%ProgramFiles%\\x.exe", RegType::ExpandString)},
        {"Multi", RegRaw(RegType::MultiString, 7, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
        {"Dword", RegDWord(0xFFFFFFFFu)},
        {"Short dword", RegRaw(RegType::DWord, 4, {1, 2, 3})},
        {"Big-endian", RegRaw(RegType::Other, 5, {0, 0, 0, 42})},
        {"Qword", RegRaw(RegType::QWord, 11, {1, 2, 3, 4, 5, 6, 7, 8})},
        {"Binary", RegBinary({0x0A, 0xFF, 0x10})},
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
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::CurrentUser, RunKey).empty());
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::CurrentUser, Approved).empty());
    EXPECT_TRUE(t.fake.registry.Names(RegRoot::LocalMachine, Run32Key).empty());

    const std::string user = "HKEY_CURRENT_USER\\" + std::string(RunKey);
    std::vector<ParsedValue> expected;
    for (const auto& [name, value] : values) {
        expected.push_back({user, name, value.rawType, value.bytes});
        if (name == "Dword")
            expected.push_back(
                {"HKEY_CURRENT_USER\\" + std::string(Approved), "Dword", 3, DisabledMark});
    }
    expected.push_back(
        {"HKEY_LOCAL_MACHINE\\" + std::string(Run32Key), "Old", 1, RegString("old.exe").bytes});
    const std::vector<ParsedValue> parsed = ParseRegFile(t.fake.files.appended[BackupFile]);
    ASSERT_EQ(parsed.size(), expected.size());
    for (std::size_t i = 0; i < parsed.size(); ++i)
        EXPECT_EQ(parsed[i], expected[i]) << expected[i].name;
}

// When the file cannot be written nothing is deleted, and the box says why.
TEST(StartupEntries, AValueThatCannotBeKeptIsNotDeleted) {
    const std::tuple<const char*, std::function<void(fakes::TestProgram&)>, std::string> cases[] = {
        {"write refused", [](auto& t) { t.fake.files.appendRefusal = "Access is denied."; },
         "The entry was not deleted: the file that keeps deleted entries, \"" +
             std::string(BackupFile) + "\", cannot be written. Access is denied."},
        {"no folder",
         [](auto& t) { t.fake.files.knownFolders.erase(port::KnownFolder::LocalAppData); },
         "The entry was not deleted: the system names no folder for the local data of programs, "
         "where deleted entries are kept."},
        {"line break in its name",
         [](auto& t) {
             t.fake.registry.At(RegRoot::CurrentUser, RunKey).values[0].first = "Two\r\nlines";
         },
         "The value \"Two\r\nlines\" has a line break in its name, which a registry file cannot "
         "hold."},
    };
    for (const auto& [what, arrange, message] : cases) {
        SCOPED_TRACE(what);
        StartupMachine t;
        arrange(t);
        auto& f = *t.Start().MainForm;
        const Lines before = t.Names(RegRoot::CurrentUser, RunKey);
        f.ListBox10.SelectItem(0);
        f.DeleteThisKeyFromHKEYLOCALMACHINE1.Click();
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
        EXPECT_EQ(t.fake.desktop.boxes[0].text, message);
        EXPECT_EQ(t.Names(RegRoot::CurrentUser, RunKey), before);
        EXPECT_TRUE(t.Get(RegRoot::CurrentUser, Approved, "OFF").has_value());
        EXPECT_TRUE(t.fake.files.appended[BackupFile].empty());
    }
}

} // namespace
