#include "platform/win32/Handle.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Registry.h"
#include "win32/RegCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

namespace {

using port::RegRoot;
using port::RegType;
using win32::Widen;

const std::string Unicode = "Ünïcødé ключ 日本"; // outside any ANSI code page

// A key of its own per test, removed afterwards.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path).c_str()); }
    std::unique_ptr<port::RegistryKey> Open(bool create, bool writable) {
        return registry.Open(RegRoot::CurrentUser, path, create, writable);
    }
    // The type and data as the registry holds them.
    std::pair<DWORD, std::vector<std::uint8_t>> Stored(const std::string& name) const {
        HKEY raw = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_READ, &raw);
        const win32::UniqueKey key(raw);
        const std::wstring wide = Widen(name);
        DWORD type = REG_NONE, size = 0;
        RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, nullptr, &size);
        std::vector<std::uint8_t> data(size + 1); // never empty, so data() is a buffer
        RegQueryValueExW(key.get(), wide.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
        return {type, data};
    }

    win32::Win32Registry registry;
    const std::string path =
        "Software\\TrelvixTests\\" +
        std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(RegistryTest, MissingKeyOpensOnlyWithCreateUnderItsRoot) {
    EXPECT_EQ(Open(false, false), nullptr);
    EXPECT_EQ(Open(false, true), nullptr);
    EXPECT_NE(Open(true, true), nullptr);
    EXPECT_NE(Open(false, false), nullptr);
    // Present in every Windows installation, never under HKCU.
    auto machine = registry.Open(RegRoot::LocalMachine,
                                 "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false, false);
    ASSERT_NE(machine, nullptr);
    EXPECT_TRUE(machine->ValueExists("CurrentVersion"));
}

// What the program writes, and what it may find on a machine, read through another handle.
TEST_F(RegistryTest, EveryValueIsListedAndReadsBackWithItsOwnTypeUntilDeleted) {
    auto key = Open(true, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->WriteDWord(Unicode, 0xFFF00000u));
    ASSERT_TRUE(key->WriteString(Unicode + " text", Unicode));
    ASSERT_TRUE(key->WriteString("", "the default value"));
    ASSERT_TRUE(key->WriteDWord(std::string(300, 'n'), 1));
    ASSERT_TRUE(key->WriteBinary("written binary", {0x03, 0x00, 0xFF}));
    ASSERT_TRUE(key->WriteBinary("written empty", {}));
    const auto raw = [&](const char* name, DWORD type, const auto& data) {
        RegSetKeyValueW(HKEY_CURRENT_USER, Widen(path).c_str(), Widen(name).c_str(), type, &data,
                        sizeof data);
    };
    raw("expand", REG_EXPAND_SZ, L"%TEMP%\\ü");
    raw("multi", REG_MULTI_SZ, L"eins\0zwei ключ\0");
    raw("unterminated", REG_SZ, std::array{L'a', L'b', L'c'});
    raw("odd", REG_SZ, std::array<std::uint8_t, 5>{'A', 0, 'B', 0, 'C'});
    raw("nul", REG_SZ, std::array<std::uint8_t, 8>{'A', 0, 0, 0, 'B', 0, 0, 0});
    raw("binary", REG_BINARY, std::array<std::uint8_t, 4>{0x00, 0x01, 0xFE, 0xFF});
    raw("qword", REG_QWORD, 0x1122334455667788ull);
    raw("bigendian", REG_DWORD_BIG_ENDIAN, std::array<std::uint8_t, 4>{0, 0, 0, 0x2A});
    const std::pair<std::string, port::RegValue> rows[] = {
        {Unicode, {RegType::DWord, 0xFFF00000u, "", {}}},
        {Unicode + " text", {RegType::String, 0, Unicode, {}}},
        {"", {RegType::String, 0, "the default value", {}}},
        {std::string(300, 'n'), {RegType::DWord, 1, "", {}}},
        {"expand", {RegType::ExpandString, 0, "%TEMP%\\ü", {}}},
        {"multi", {RegType::MultiString, 0, std::string("eins\0zwei ключ", 18), {}}},
        {"unterminated", {RegType::String, 0, "abc", {}}},
        {"odd", {RegType::String, 0, "AB", {}}},
        {"nul", {RegType::String, 0, "A", {}}},
        {"binary", {RegType::Binary, 0, "", {0x00, 0x01, 0xFE, 0xFF}}},
        {"qword", {RegType::QWord, 0x1122334455667788ull, "", {}}},
        {"bigendian", {RegType::Other, 0, "", {0, 0, 0, 0x2A}}},
        {"written binary", {RegType::Binary, 0, "", {0x03, 0x00, 0xFF}}},
        {"written empty", {RegType::Binary, 0, "", {}}},
    };
    auto again = Open(false, false);
    ASSERT_NE(again, nullptr);
    std::vector<std::string> names;
    for (const auto& [name, expected] : rows) {
        SCOPED_TRACE(name);
        names.push_back(name);
        EXPECT_TRUE(again->ValueExists(name));
        const auto value = again->ReadValue(name);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, expected.type);
        EXPECT_EQ(value->number, expected.number);
        EXPECT_EQ(value->text, expected.text);
        // The stored data and type come along for every type.
        const auto [type, data] = Stored(name);
        EXPECT_EQ(value->rawType, type);
        EXPECT_EQ(value->bytes, data);
        if (!expected.bytes.empty()) {
            EXPECT_EQ(value->bytes, expected.bytes);
        }
    }
    std::vector<std::string> listed = again->ValueNames();
    std::sort(listed.begin(), listed.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listed, names);
    EXPECT_TRUE(key->DeleteValue(Unicode));
    EXPECT_FALSE(key->DeleteValue(Unicode));
    EXPECT_FALSE(again->ValueExists(Unicode));
    EXPECT_FALSE(again->ReadValue(Unicode).has_value());
}

// Names holding a NUL beside the names they would be cut to: the listing gives every name
// whole, and every method given such a name refuses it, leaving all four values as they were.
TEST_F(RegistryTest, ANameHoldingANulIsListedWholeAndRefusedByEveryMethod) {
    auto key = Open(true, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->WriteString("Keep", "keep.exe"));
    ASSERT_TRUE(key->WriteString("", "default.exe"));
    const std::string keepHidden("Keep\0Hidden", 11), hidden("\0Hidden", 7);
    ASSERT_TRUE(win32::SetValueWithCountedName(HKEY_CURRENT_USER, Widen(path),
                                               std::wstring(L"Keep\0Hidden", 11), L"hidden.exe"));
    ASSERT_TRUE(win32::SetValueWithCountedName(HKEY_CURRENT_USER, Widen(path),
                                               std::wstring(L"\0Hidden", 7), L"nameless.exe"));

    const auto listing = [&] {
        std::vector<std::pair<std::string, std::string>> values;
        for (const port::NamedValue& v : key->Values())
            values.emplace_back(v.name, v.value.text);
        std::sort(values.begin(), values.end());
        return values;
    };
    const std::vector<std::pair<std::string, std::string>> all = {{"", "default.exe"},
                                                                  {hidden, "nameless.exe"},
                                                                  {"Keep", "keep.exe"},
                                                                  {keepHidden, "hidden.exe"}};
    ASSERT_EQ(listing(), all);
    std::vector<std::string> names = key->ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", hidden, "Keep", keepHidden}));

    using Method = std::function<bool(port::RegistryKey&, const std::string&)>;
    const std::pair<const char*, Method> methods[] = {
        {"ValueExists", [](auto& k, auto& n) { return k.ValueExists(n); }},
        {"ReadValue", [](auto& k, auto& n) { return k.ReadValue(n).has_value(); }},
        {"WriteDWord", [](auto& k, auto& n) { return k.WriteDWord(n, 7); }},
        {"WriteString", [](auto& k, auto& n) { return k.WriteString(n, "x.exe"); }},
        {"WriteBinary",
         [](auto& k, auto& n) {
             return k.WriteBinary(n, {1, 2});
         }},
        {"DeleteValue", [](auto& k, auto& n) { return k.DeleteValue(n); }},
    };
    for (const std::string& name : {keepHidden, hidden})
        for (const auto& [what, method] : methods)
            EXPECT_FALSE(method(*key, name)) << what << " of a name of " << name.size();
    EXPECT_EQ(listing(), all) << "nothing changed, nothing cut at its NUL";
    // The names beside them are still served.
    EXPECT_TRUE(key->ValueExists("Keep"));
    EXPECT_TRUE(key->DeleteValue("Keep"));
    EXPECT_EQ(key->Values().size(), 3u);
}

TEST_F(RegistryTest, KeyOpenedReadOnlyRefusesEveryWrite) {
    ASSERT_TRUE(Open(true, true)->WriteDWord("kept", 5));
    auto key = Open(false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->WriteDWord("kept", 6));
    EXPECT_FALSE(key->WriteString("new", "x"));
    EXPECT_FALSE(key->WriteBinary("new", {1}));
    EXPECT_FALSE(key->DeleteValue("kept"));
    EXPECT_EQ(key->ReadValue("kept")->number, 5u);
    EXPECT_FALSE(key->ValueExists("new"));
    // Created without write access: the key is made, but refuses writes all the same.
    auto created = registry.Open(RegRoot::CurrentUser, path + "\\sub", true, false);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(created->WriteDWord("x", 1));
}

// Each view keeps its own HKLM\SOFTWARE; the program's own view is the 64-bit one.
TEST_F(RegistryTest, ViewsOpenTheirOwnPerMachineKeys) {
    const std::string tests = "SOFTWARE\\TrelvixTests", shared = tests + "\\Views";
    const auto remove = [&] {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(tests).c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\TrelvixTests");
    };
    remove();
    using port::RegView;
    auto bits32 = registry.Open(RegRoot::LocalMachine, shared, true, true, RegView::Bits32);
    ASSERT_NE(bits32, nullptr);
    ASSERT_TRUE(bits32->WriteDWord("view", 32));
    EXPECT_EQ(registry.Open(RegRoot::LocalMachine, shared, false, false, RegView::Bits64), nullptr);
    EXPECT_EQ(registry.Open(RegRoot::LocalMachine, shared, false, false), nullptr);
    auto seen = registry.Open(RegRoot::LocalMachine, "SOFTWARE\\WOW6432Node\\TrelvixTests\\Views",
                              false, false, RegView::Bits64);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->ReadValue("view")->number, 32u);
    EXPECT_TRUE(registry.Open(RegRoot::LocalMachine, shared, false, true, RegView::Bits32)
                    ->DeleteValue("view"));
    remove();
}

} // namespace
