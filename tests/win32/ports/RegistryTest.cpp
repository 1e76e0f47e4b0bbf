#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using port::RegRoot;
using port::RegType;
using win32::Widen;

const std::string Unicode = "Ünïcødé ключ 日本";

// A key of its own per test, removed afterwards.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = std::string("Software\\TrelvixTests\\") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path).c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path).c_str()); }

    std::unique_ptr<port::RegistryKey> Create() {
        return registry.Open(RegRoot::CurrentUser, path, true, true);
    }
    // Writes a value as it may be found on a machine, with the raw API.
    void WriteRaw(const std::string& name, DWORD type, const void* data, size_t size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(path).c_str(), Widen(name).c_str(), type,
                                  data, static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    }

    win32::Win32Registry registry;
    std::string path;
};

TEST_F(RegistryTest, MissingKeyIsOpenedOnlyWithCreate) {
    EXPECT_EQ(registry.Open(RegRoot::CurrentUser, path, false, false), nullptr);
    EXPECT_EQ(registry.Open(RegRoot::CurrentUser, path, false, true), nullptr);
    EXPECT_NE(registry.Open(RegRoot::CurrentUser, path, true, true), nullptr);
    EXPECT_NE(registry.Open(RegRoot::CurrentUser, path, false, false), nullptr);
}

TEST_F(RegistryTest, LocalMachineIsTheMachineRoot) {
    // Present in every Windows installation, never under HKCU.
    const std::string machineOnly = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    auto key = registry.Open(RegRoot::LocalMachine, machineOnly, false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->ValueExists("CurrentVersion"));
}

TEST_F(RegistryTest, WrittenValuesReadBackWithTheirType) {
    auto key = Create();
    ASSERT_NE(key, nullptr);
    struct Row {
        std::string name;
        std::optional<std::uint32_t> number;
        std::string text;
    };
    const Row rows[] = {
        {"ChangeOfBytes", 0xFFF00000u, ""},
        {Unicode, 7u, ""},
        {"Text", std::nullopt, "C:\\Programme\\Trelvix"},
        {Unicode + " text", std::nullopt, Unicode},
        {"Empty", std::nullopt, ""},
        {"", std::nullopt, "the default value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.number)
            ASSERT_TRUE(key->WriteDWord(row.name, *row.number));
        else
            ASSERT_TRUE(key->WriteString(row.name, row.text));
    }
    // Through a second handle, so nothing is remembered by the first.
    auto again = registry.Open(RegRoot::CurrentUser, path, false, false);
    ASSERT_NE(again, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(again->ValueExists(row.name));
        auto value = again->ReadValue(row.name);
        ASSERT_TRUE(value.has_value());
        if (row.number) {
            EXPECT_EQ(value->type, RegType::DWord);
            EXPECT_EQ(value->number, *row.number);
        } else {
            EXPECT_EQ(value->type, RegType::String);
            EXPECT_EQ(value->text, row.text);
        }
    }
}

TEST_F(RegistryTest, EveryTypeIsReportedAsItIs) {
    ASSERT_NE(Create(), nullptr);
    const wchar_t expand[] = L"%TEMP%\\ü";
    const wchar_t multi[] = L"eins\0zwei ключ\0\0";
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    const std::uint8_t binary[] = {0x00, 0x01, 0xFE, 0xFF, 0x00};
    const std::uint32_t dword = 0x80000001u;
    const std::uint64_t qword = 0x1122334455667788ull;
    const std::uint8_t bigEndian[] = {0x00, 0x00, 0x00, 0x2A};
    WriteRaw("expand", REG_EXPAND_SZ, expand, sizeof expand);
    WriteRaw("multi", REG_MULTI_SZ, multi, sizeof multi);
    WriteRaw("unterminated", REG_SZ, unterminated, sizeof unterminated);
    WriteRaw("binary", REG_BINARY, binary, sizeof binary);
    WriteRaw("dword", REG_DWORD, &dword, sizeof dword);
    WriteRaw("qword", REG_QWORD, &qword, sizeof qword);
    WriteRaw("bigendian", REG_DWORD_BIG_ENDIAN, bigEndian, sizeof bigEndian);
    WriteRaw("none", REG_NONE, binary, 2);

    struct Row {
        std::string name;
        RegType type;
        std::uint64_t number;
        std::string text;
        std::vector<std::uint8_t> bytes;
    };
    const Row rows[] = {
        {"expand", RegType::ExpandString, 0, "%TEMP%\\ü", {}},
        {"multi", RegType::MultiString, 0, std::string("eins\0zwei ключ", 18), {}},
        {"unterminated", RegType::String, 0, "abc", {}},
        {"binary", RegType::Binary, 0, "", {0x00, 0x01, 0xFE, 0xFF, 0x00}},
        {"dword", RegType::DWord, 0x80000001u, "", {}},
        {"qword", RegType::QWord, 0x1122334455667788ull, "", {}},
        {"bigendian", RegType::Other, 0, "", {0x00, 0x00, 0x00, 0x2A}},
        {"none", RegType::Other, 0, "", {0x00, 0x01}},
    };
    auto key = registry.Open(RegRoot::CurrentUser, path, false, false);
    ASSERT_NE(key, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto value = key->ReadValue(row.name);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, row.type);
        EXPECT_EQ(value->number, row.number);
        EXPECT_EQ(value->text, row.text);
        EXPECT_EQ(value->bytes, row.bytes);
    }
}

TEST_F(RegistryTest, MissingValueIsAbsent) {
    auto key = Create();
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->ValueExists("nothing"));
    EXPECT_FALSE(key->ReadValue("nothing").has_value());
    EXPECT_FALSE(key->DeleteValue("nothing"));
}

TEST_F(RegistryTest, DeletedValueIsGone) {
    auto key = Create();
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->WriteDWord(Unicode, 1));
    EXPECT_TRUE(key->DeleteValue(Unicode));
    EXPECT_FALSE(key->ValueExists(Unicode));
    EXPECT_FALSE(key->DeleteValue(Unicode));
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites) {
    ASSERT_TRUE(Create()->WriteDWord("kept", 5));
    auto key = registry.Open(RegRoot::CurrentUser, path, false, false);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->WriteDWord("kept", 6));
    EXPECT_FALSE(key->WriteDWord("new", 6));
    EXPECT_FALSE(key->WriteString("new", "x"));
    EXPECT_FALSE(key->DeleteValue("kept"));
    EXPECT_EQ(key->ReadValue("kept")->number, 5u);
    EXPECT_FALSE(key->ValueExists("new"));
    // Created without write access: the key is made, but refuses writes all the same.
    auto created = registry.Open(RegRoot::CurrentUser, path + "\\sub", true, false);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(created->WriteDWord("x", 1));
}

TEST_F(RegistryTest, ValueNamesEnumerateEveryName) {
    auto key = Create();
    ASSERT_NE(key, nullptr);
    const std::string longName(300, 'n');
    const std::vector<std::string> names = {"Interval", Unicode, longName, "Trelvix"};
    for (const std::string& name : names)
        ASSERT_TRUE(key->WriteDWord(name, 1));
    std::vector<std::string> listed = key->ValueNames();
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(Create()->DeleteValue("Interval"));
    EXPECT_EQ(key->ValueNames().size(), names.size() - 1);
}

} // namespace
