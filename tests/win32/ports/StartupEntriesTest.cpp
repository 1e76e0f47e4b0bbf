#include "autostart/RunEntries.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Ports.h"
#include "win32/RegCommand.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

// The program's AutoStart operations over the real ports, in the test prefix's registry (a
// 64-bit prefix has both views) and its user's local application data. The prefix is thrown
// away afterwards: each test uses names of its own.
namespace {

using port::RegRoot;
using port::RegView;
using trelvix::RunEntry;
using trelvix::RunEntryChange;
using Bytes = std::vector<std::uint8_t>;

constexpr const wchar_t* RunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* ApprovedRun32 =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";

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

Stored Text(DWORD type, const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    return {type, Bytes(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

// Opens a key of `root` in `view` through the API, not through the program's port.
win32::UniqueKey Key(RegRoot root, RegView view, const wchar_t* key) {
    HKEY raw = nullptr;
    RegCreateKeyExW(root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key, 0,
                    nullptr, 0,
                    KEY_ALL_ACCESS | (view == RegView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY),
                    nullptr, &raw, nullptr);
    return win32::UniqueKey(raw);
}

std::optional<Stored> Read(RegRoot root, RegView view, const wchar_t* key,
                           const std::string& name) {
    const win32::UniqueKey open = Key(root, view, key);
    const std::wstring wide = win32::Widen(name);
    Stored stored;
    DWORD size = 0;
    if (RegQueryValueExW(open.get(), wide.c_str(), nullptr, &stored.type, nullptr, &size) != 0)
        return std::nullopt;
    stored.data.resize(size + 1); // never empty, so data() is a buffer
    RegQueryValueExW(open.get(), wide.c_str(), nullptr, &stored.type, stored.data.data(), &size);
    stored.data.resize(size);
    return stored;
}

void Write(RegRoot root, RegView view, const wchar_t* key, const std::string& name,
           const Stored& value) {
    ASSERT_EQ(RegSetValueExW(Key(root, view, key).get(), win32::Widen(name).c_str(), 0, value.type,
                             value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
}

// The entry of this name and view as the AutoStart page reads it.
std::optional<RunEntry> Entry(port::Ports& ports, RegRoot root, const std::string& name,
                              RegView view) {
    for (const RunEntry& e : trelvix::ReadRunEntries(ports, root))
        if (e.name == name && e.view == view)
            return e;
    return std::nullopt;
}

class StartupEntriesTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::remove_all(file.parent_path()); }

    win32::Win32Ports real;
    port::Ports& ports = real.Ports();
    const std::filesystem::path file =
        std::filesystem::path(
            win32::Widen(ports.files.KnownFolderPath(port::KnownFolder::LocalAppData))) /
        "Trelvix" / "Deleted startup entries.reg";
};

TEST_F(StartupEntriesTest, BothViewsAreListedAndDisablingWritesTheTwelveByteRecord) {
    Write(RegRoot::LocalMachine, RegView::Bits64, RunKey, "Tool 64", Text(REG_SZ, L"C:\\t.exe"));
    Write(RegRoot::LocalMachine, RegView::Bits32, RunKey, "Tool 32",
          Text(REG_EXPAND_SZ, L"%ProgramFiles(x86)%\\t.exe"));
    const auto entries = trelvix::ReadRunEntries(ports, RegRoot::LocalMachine);
    std::vector<std::string> lines;
    for (const RunEntry& e : entries)
        if (e.name.starts_with("Tool "))
            lines.push_back(trelvix::RunEntryLine(e));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Tool 64 | Path is: \"C:\\t.exe\"",
                         "Tool 32 | Path is: \"%ProgramFiles(x86)%\\t.exe\" (32-bit)"}));

    RunEntry entry = *Entry(ports, RegRoot::LocalMachine, "Tool 32", RegView::Bits32);
    FILETIME before{}, after{};
    GetSystemTimeAsFileTime(&before);
    ASSERT_EQ(trelvix::SetRunEntryDisabled(ports, entry, true), RunEntryChange::Done);
    GetSystemTimeAsFileTime(&after);
    // In the 64-bit view's Run32, never under WOW6432Node.
    const auto record = Read(RegRoot::LocalMachine, RegView::Bits64, ApprovedRun32, "Tool 32");
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->data.size(), 12u);
    EXPECT_EQ(record->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Bytes(record->data.begin(), record->data.begin() + 4), (Bytes{3, 0, 0, 0}));
    FILETIME stamp{};
    std::copy(record->data.begin() + 4, record->data.end(),
              reinterpret_cast<std::uint8_t*>(&stamp));
    EXPECT_GE(CompareFileTime(&stamp, &before), 0);
    EXPECT_LE(CompareFileTime(&stamp, &after), 0);
    EXPECT_FALSE(Read(RegRoot::LocalMachine, RegView::Bits32, ApprovedRun32, "Tool 32"));
    EXPECT_TRUE(Entry(ports, RegRoot::LocalMachine, "Tool 32", RegView::Bits32)->disabled);
    EXPECT_FALSE(Entry(ports, RegRoot::LocalMachine, "Tool 64", RegView::Bits64)->disabled);
}

// Deleted values of every type, and a record, come back byte for byte when the file is
// imported with reg import. (String data stored without its terminator is the one exception:
// importers add the terminator.)
TEST_F(StartupEntriesTest, RegImportOfTheFileRestoresDeletedValuesByteForByte) {
    struct Value {
        RegRoot root;
        RegView view;
        std::string name;
        Stored stored;
    };
    const RegRoot user = RegRoot::CurrentUser;
    const RegView own = RegView::Bits64;
    const std::vector<Value> values = {
        {user, own, "Plain Ünïcødé ключ 日本",
         Text(REG_SZ, L"C:\\\"x\".exe \u043a\u043b\u044e\u0447")},
        {user, own, "Quote \" and \\", Text(REG_SZ, L"")},
        {user, own, "Nul inside", {REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}}},
        {user, own, "Line break", Text(REG_SZ, L"a\r\nb")},
        {user, own, "Expand", Text(REG_EXPAND_SZ, L"%TEMP%\\\u00fc")},
        {user, own, "Multi", {REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}},
        {user, own, "Dword", {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}},
        {user, own, "Short dword", {REG_DWORD, {1, 2, 3}}},
        {user, own, "Qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {user, own, "Big-endian", {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 42}}},
        {user, own, "Empty binary", {REG_BINARY, {}}},
        {user, own, "Large", {REG_BINARY, Bytes(5000, 0xEE)}},
        {user, own, "None", {REG_NONE, {7}}},
        {user, own, "Own type", {0x1234, {1, 2}}},
        {RegRoot::LocalMachine, RegView::Bits32, "Old 32", Text(REG_SZ, L"C:\\x86\\old.exe")},
    };
    for (const Value& v : values)
        Write(v.root, v.view, RunKey, v.name, v.stored);
    const Stored disabled{REG_BINARY, {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}};
    Write(RegRoot::LocalMachine, own, ApprovedRun32, "Old 32", disabled);

    for (const Value& v : values) {
        SCOPED_TRACE(v.name);
        const auto entry = Entry(ports, v.root, v.name, v.view);
        ASSERT_TRUE(entry.has_value());
        ASSERT_EQ(trelvix::DeleteRunValue(ports, *entry), RunEntryChange::Done);
        EXPECT_FALSE(Read(v.root, v.view, RunKey, v.name).has_value());
    }
    EXPECT_FALSE(Read(RegRoot::LocalMachine, own, ApprovedRun32, "Old 32"));

    const win32::RegRun imported = win32::RunReg(L"import \"" + file.wstring() + L"\"");
    ASSERT_EQ(imported.exitCode, 0u) << imported.output;
    for (const Value& v : values)
        EXPECT_EQ(Read(v.root, v.view, RunKey, v.name), v.stored) << v.name;
    EXPECT_EQ(Read(RegRoot::LocalMachine, own, ApprovedRun32, "Old 32"), disabled);
    EXPECT_FALSE(Read(RegRoot::LocalMachine, own, RunKey, "Old 32")) << "in its own view only";
}

// A shortcut made as Windows makes one, in the prefix's own Startup folder.
void MakeShortcut(const std::wstring& path, const wchar_t* target, const wchar_t* arguments) {
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))));
    const win32::UniqueCom<IShellLinkW> shellLink(link);
    ASSERT_TRUE(SUCCEEDED(shellLink->SetPath(target)));
    ASSERT_TRUE(SUCCEEDED(shellLink->SetArguments(arguments)));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(shellLink->QueryInterface(IID_PPV_ARGS(&file))));
    const win32::UniqueCom<IPersistFile> persist(file);
    ASSERT_TRUE(SUCCEEDED(persist->Save(path.c_str(), TRUE)));
}

// The shortcut is listed with its target, never resolved (the target does not exist); its
// record is written as Windows writes it; Delete leaves a copy in the program's folder and the
// shortcut in the prefix's Recycle Bin (the Trash of its own XDG_DATA_HOME).
TEST_F(StartupEntriesTest, AShortcutInTheStartupFolderIsListedDisabledAndRecycled) {
    const win32::ComApartment com(COINIT_APARTMENTTHREADED);
    const std::filesystem::path folder =
        win32::Widen(ports.files.KnownFolderPath(port::KnownFolder::Startup));
    std::filesystem::create_directories(folder);
    const std::filesystem::path link = folder / L"Trelvix test tool.lnk";
    MakeShortcut(link.wstring(), L"C:\\Trelvix missing\\tool.exe", L"/tray --quiet");
    const std::string name = "Trelvix test tool.lnk";
    const auto listed = Entry(ports, RegRoot::CurrentUser, name, RegView::Bits64);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(trelvix::RunEntryLine(*listed),
              name +
                  " | Path is: \"C:\\Trelvix missing\\tool.exe /tray --quiet\" (Startup folder)");

    constexpr const wchar_t* Records =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
    RunEntry entry = *listed;
    ASSERT_EQ(trelvix::SetRunEntryDisabled(ports, entry, true), RunEntryChange::Done);
    const auto record = Read(RegRoot::CurrentUser, RegView::Bits64, Records, name);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(record->data.size(), 12U);
    EXPECT_EQ(Bytes(record->data.begin(), record->data.begin() + 4), (Bytes{3, 0, 0, 0}));
    EXPECT_TRUE(Entry(ports, RegRoot::CurrentUser, name, RegView::Bits64)->disabled);

    const auto size = std::filesystem::file_size(link);
    ASSERT_EQ(trelvix::DeleteRunValue(ports, entry), RunEntryChange::Done);
    EXPECT_FALSE(std::filesystem::exists(link));
    EXPECT_FALSE(Read(RegRoot::CurrentUser, RegView::Bits64, Records, name));
    const std::filesystem::path kept = file.parent_path() / L"Deleted startup files";
    EXPECT_EQ(std::filesystem::file_size(kept / link.filename()), size);
    EXPECT_TRUE(std::filesystem::exists(kept / (link.filename().wstring() + L".reg")));
    wchar_t data[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableW(L"XDG_DATA_HOME", data, MAX_PATH));
    std::wstring trash = L"Z:" + std::wstring(data) + L"/Trash/files/" + link.filename().wstring();
    std::replace(trash.begin(), trash.end(), L'/', L'\\');
    EXPECT_TRUE(std::filesystem::exists(trash)) << win32::Narrow(trash);

    // The same name deleted again: a numbered copy beside the first, which stays as it was.
    MakeShortcut(link.wstring(), L"C:\\Trelvix missing\\other.exe", L"");
    const auto again = Entry(ports, RegRoot::CurrentUser, name, RegView::Bits64);
    ASSERT_TRUE(again.has_value());
    ASSERT_EQ(trelvix::DeleteRunValue(ports, *again), RunEntryChange::Done);
    EXPECT_EQ(std::filesystem::file_size(kept / link.filename()), size);
    EXPECT_TRUE(std::filesystem::exists(kept / L"Trelvix test tool (2).lnk"));
    std::string reason;
    EXPECT_FALSE(
        ports.files.CopyFileNew(win32::Narrow((kept / L"Trelvix test tool (2).lnk").wstring()),
                                win32::Narrow((kept / link.filename()).wstring()), reason));
    EXPECT_EQ(std::filesystem::file_size(kept / link.filename()), size) << "never overwritten";

    // Imported, the kept record is back as it was.
    const win32::RegRun imported = win32::RunReg(
        L"import \"" + (kept / (link.filename().wstring() + L".reg")).wstring() + L"\"");
    ASSERT_EQ(imported.exitCode, 0U) << imported.output;
    EXPECT_EQ(Read(RegRoot::CurrentUser, RegView::Bits64, Records, name), record);
}

} // namespace
