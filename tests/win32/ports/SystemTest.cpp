#include "platform/win32/Unicode.h"
#include "platform/win32/Win32System.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

namespace {

TEST(SystemTest, ExecutablePathIsThisProgram) {
    const std::filesystem::path path = win32::Widen(win32::Win32System().ExecutablePath());
    EXPECT_EQ(lstrcmpiW(path.filename().c_str(), L"trelvix_win32_tests.exe"), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(SystemTest, DatesAndTimesShowEveryPartInTheUsersFormats) {
    win32::Win32System system;
    EXPECT_FALSE(system.DecimalSeparator().empty());
    const port::LocalTime leap{2024, 2, 29, 13, 5, 7, 0, 4}; // 29 February 2024, 13:05:07
    const std::string date = system.FormatShortDate(leap), time = system.FormatLongTime(leap);
    EXPECT_NE(date.find("29"), std::string::npos) << date;
    EXPECT_NE(date.find("24"), std::string::npos) << date;
    EXPECT_NE(time.find("05"), std::string::npos) << time;
    EXPECT_NE(time.find("07"), std::string::npos) << time;
}

TEST(SystemTest, MemoryFiguresAreConsistentAndNotCutTo32Bits) {
    const port::MemoryStatus m = win32::Win32System().Memory();
    EXPECT_LE(m.memoryLoad, 100u);
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_LE(m.availPageFile, m.totalPageFile);
    EXPECT_GT(m.totalVirtual, 0x100000000ull); // a 64-bit process's address space
}

TEST(SystemTest, LowerCaseTakesEveryScript) {
    win32::Win32System system;
    const std::pair<std::string, std::string> rows[] = {
        {"C: [SYSTEM]", "c: [system]"},
        {"D: [ДИСК Ü]", "d: [диск ü]"},
        {"e:", "e:"},
        {"", ""},
    };
    for (const auto& [text, lower] : rows)
        EXPECT_EQ(system.LowerCase(text), lower) << text;
}

} // namespace
