#include "autostart/RunEntries.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Ports.h"
#include "toolkit/Errors.h"
#include "win32/RegCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>

namespace {

namespace fs = std::filesystem;
using port::RegRoot;
using port::RegView;
using trelvix::RunEntry;
using trelvix::RunEntryChange;
using win32::Widen;
using Bytes = std::vector<std::uint8_t>;

constexpr const wchar_t* RunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* ApprovedRun =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr const wchar_t* ApprovedRun32 =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";

HKEY Root(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM ViewFlag(RegView view) {
    return view == RegView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

struct Stored {
    DWORD type = REG_NONE;
    Bytes data;
    bool operator==(const Stored&) const = default;
    friend void PrintTo(const Stored& s, std::ostream* out) {
        *out << "type " << s.type << ":";
        for (std::uint8_t b : s.data)
            *out << ' ' << static_cast<int>(b);
    }
};

// A value as the registry holds it, read through the API in one view; nullopt when missing.
std::optional<Stored> Read(RegRoot root, RegView view, const wchar_t* key,
                           const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(Root(root), key, 0, KEY_READ | ViewFlag(view), &raw) != ERROR_SUCCESS)
        return std::nullopt;
    const win32::UniqueKey open(raw);
    const std::wstring wide = Widen(name);
    Stored stored;
    DWORD size = 0;
    if (RegQueryValueExW(raw, wide.c_str(), nullptr, &stored.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    stored.data.resize(size + 1); // never empty, so data() is a buffer
    RegQueryValueExW(raw, wide.c_str(), nullptr, &stored.type, stored.data.data(), &size);
    stored.data.resize(size);
    return stored;
}

void Write(RegRoot root, RegView view, const wchar_t* key, const std::string& name,
           const Stored& value) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(Root(root), key, 0, nullptr, 0, KEY_WRITE | ViewFlag(view), nullptr,
                              &raw, nullptr),
              ERROR_SUCCESS);
    const win32::UniqueKey open(raw);
    ASSERT_EQ(RegSetValueExW(raw, Widen(name).c_str(), 0, value.type, value.data.data(),
                             static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
}

void Remove(RegRoot root, RegView view, const wchar_t* key, const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(Root(root), key, 0, KEY_WRITE | ViewFlag(view), &raw) == ERROR_SUCCESS) {
        RegDeleteValueW(raw, Widen(name).c_str());
        RegCloseKey(raw);
    }
}

Stored Text(DWORD type, const std::wstring& text) {
    Stored stored{type,
                  Bytes(reinterpret_cast<const std::uint8_t*>(text.c_str()),
                        reinterpret_cast<const std::uint8_t*>(text.c_str() + text.size() + 1))};
    return stored;
}

std::uint64_t FileTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

const RunEntry* Find(const std::vector<RunEntry>& entries, const std::string& name, RegView view) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const RunEntry& e) { return e.name == name && e.view == view; });
    return it == entries.end() ? nullptr : &*it;
}

// The program's AutoStart operations over the real ports, in the test prefix's registry (a
// 64-bit prefix has both views) and its user's local application data.
class StartupEntriesTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override {
        fs::remove_all(folder);
        for (const auto& [root, view, key, name] : made)
            Remove(root, view, key, name);
    }
    void Put(RegRoot root, RegView view, const wchar_t* key, const std::string& name,
             const Stored& value) {
        made.push_back({root, view, key, name});
        Write(root, view, key, name, value);
    }

    win32::Win32Ports real;
    port::Ports& ports = real.Ports();
    const fs::path folder =
        fs::path(Widen(ports.files.KnownFolderPath(port::KnownFolder::LocalAppData))) / "Trelvix";
    const fs::path file = folder / "Deleted startup entries.reg";
    struct Made {
        RegRoot root;
        RegView view;
        const wchar_t* key;
        std::string name;
    };
    std::vector<Made> made;
};

TEST_F(StartupEntriesTest, BothViewsAreListedAndDisablingWritesTheTwelveByteRecord) {
    Put(RegRoot::LocalMachine, RegView::Bits64, RunKey, "Tool 64",
        Text(REG_SZ, L"C:\\Program Files\\tool.exe"));
    Put(RegRoot::LocalMachine, RegView::Bits32, RunKey, "Tool 32",
        Text(REG_EXPAND_SZ, L"%ProgramFiles(x86)%\\tool.exe"));
    std::vector<RunEntry> entries = trelvix::ReadRunEntries(ports.registry, RegRoot::LocalMachine);
    const RunEntry* own = Find(entries, "Tool 64", RegView::Bits64);
    const RunEntry* other = Find(entries, "Tool 32", RegView::Bits32);
    ASSERT_NE(own, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_LT(own, other) << "the 64-bit view's lines come first";
    EXPECT_EQ(Find(entries, "Tool 32", RegView::Bits64), nullptr);
    EXPECT_EQ(trelvix::RunEntryLine(*own), "Tool 64 | Path is: \"C:\\Program Files\\tool.exe\"");
    EXPECT_EQ(trelvix::RunEntryLine(*other),
              "Tool 32 | Path is: \"%ProgramFiles(x86)%\\tool.exe\" (32-bit)");

    made.push_back({RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32"});
    RunEntry entry = *other;
    const std::uint64_t before = FileTimeNow();
    ASSERT_EQ(trelvix::SetRunEntryDisabled(ports, entry, true), RunEntryChange::Done);
    const std::uint64_t after = FileTimeNow();
    // In the 64-bit view's Run32, never under WOW6432Node.
    const auto record = Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32");
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(record->data.size(), 12u);
    EXPECT_EQ(Bytes(record->data.begin(), record->data.begin() + 4), (Bytes{3, 0, 0, 0}));
    std::uint64_t stamp = 0;
    for (int i = 11; i >= 4; --i)
        stamp = (stamp << 8) | record->data[static_cast<std::size_t>(i)];
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    EXPECT_FALSE(Read(RegRoot::LocalMachine, RegView::Bits32, ApprovedRun32, "Tool 32"));
    EXPECT_FALSE(Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun, "Tool 32"));
    entries = trelvix::ReadRunEntries(ports.registry, RegRoot::LocalMachine);
    EXPECT_TRUE(Find(entries, "Tool 32", RegView::Bits32)->disabled);
    EXPECT_FALSE(Find(entries, "Tool 64", RegView::Bits64)->disabled);

    ASSERT_EQ(trelvix::SetRunEntryDisabled(ports, entry, false), RunEntryChange::Done);
    EXPECT_EQ(Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32")->data,
              (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// Deleted values of every type, and a record, come back byte for byte when the file is
// imported with reg import; later deletions append to the same file. (String data stored
// without its terminator is the one exception: importers add the terminator.)
TEST_F(StartupEntriesTest, RegImportOfTheFileRestoresDeletedValuesByteForByte) {
    const std::string unicode = "Ünïcødé ключ 日本";
    struct Value {
        RegRoot root;
        RegView view;
        std::string name;
        Stored stored;
    };
    const std::vector<Value> values = {
        {RegRoot::CurrentUser, RegView::Bits64, "Plain " + unicode,
         Text(REG_SZ, L"C:\\Program Files\\\"x\".exe /q \u043a\u043b\u044e\u0447")},
        {RegRoot::CurrentUser, RegView::Bits64, "Quote \" and \\", Text(REG_SZ, L"")},
        {RegRoot::CurrentUser,
         RegView::Bits64,
         "Nul inside",
         {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Line break", Text(REG_SZ, L"a\r\nb")},
        {RegRoot::CurrentUser, RegView::Bits64, "Expand", Text(REG_EXPAND_SZ, L"%TEMP%\\\u00fc")},
        {RegRoot::CurrentUser,
         RegView::Bits64,
         "Multi",
         {REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Dword", {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Short dword", {REG_DWORD, {1, 2, 3}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {RegRoot::CurrentUser,
         RegView::Bits64,
         "Big-endian",
         {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 42}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Binary", {REG_BINARY, {0x0A, 0xFF, 0x10}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Empty binary", {REG_BINARY, {}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Large", {REG_BINARY, Bytes(5000, 0xEE)}},
        {RegRoot::CurrentUser, RegView::Bits64, "None", {REG_NONE, {7}}},
        {RegRoot::CurrentUser, RegView::Bits64, "Own type", {0x1234, {1, 2}}},
        {RegRoot::LocalMachine, RegView::Bits32, "Tool 32", Text(REG_SZ, L"C:\\x86\\tool.exe")},
    };
    for (const Value& v : values)
        Put(v.root, v.view, RunKey, v.name, v.stored);
    const Stored disabled{REG_BINARY, {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}};
    Put(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32", disabled);

    for (const Value& v : values) {
        SCOPED_TRACE(v.name);
        const auto entries = trelvix::ReadRunEntries(ports.registry, v.root);
        const RunEntry* entry = Find(entries, v.name, v.view);
        ASSERT_NE(entry, nullptr);
        ASSERT_EQ(trelvix::DeleteRunValue(ports, *entry), RunEntryChange::Done);
        EXPECT_FALSE(Read(v.root, v.view, RunKey, v.name).has_value());
    }
    EXPECT_FALSE(Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32"));

    const win32::RegRun imported = win32::RunReg(L"import \"" + file.wstring() + L"\"");
    ASSERT_EQ(imported.exitCode, 0u) << imported.output;
    for (const Value& v : values) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(Read(v.root, v.view, RunKey, v.name), v.stored);
    }
    EXPECT_EQ(Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32"), disabled);
    EXPECT_FALSE(Read(RegRoot::LocalMachine, RegView::Bits64, RunKey, "Tool 32"))
        << "the 32-bit value came back to its own view only";
}

// A file that cannot be written keeps the value where it is, and the error says why.
TEST_F(StartupEntriesTest, AValueIsNotDeletedWhenTheFileCannotBeWritten) {
    Put(RegRoot::CurrentUser, RegView::Bits64, RunKey, "Kept", Text(REG_SZ, L"kept.exe"));
    fs::create_directories(file); // a folder where the file should be
    const auto entries = trelvix::ReadRunEntries(ports.registry, RegRoot::CurrentUser);
    const RunEntry* entry = Find(entries, "Kept", RegView::Bits64);
    ASSERT_NE(entry, nullptr);
    try {
        (void)trelvix::DeleteRunValue(ports, *entry);
        ADD_FAILURE() << "no error";
    } catch (const tk::Exception& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(win32::Narrow(file.wstring()) + "\", cannot be written. "),
                  std::string::npos)
            << message;
        EXPECT_GT(message.size(), message.find("written. ") + 10) << "the system's reason";
    }
    EXPECT_TRUE(Read(RegRoot::CurrentUser, RegView::Bits64, RunKey, "Kept").has_value());
}

} // namespace
