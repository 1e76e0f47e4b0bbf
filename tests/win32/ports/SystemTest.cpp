#include "platform/win32/Unicode.h"
#include "platform/win32/Win32System.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <tuple>

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

// Central European time: on the last Sunday of March the clocks go from 2:00 to 3:00, on the
// last Sunday of October from 3:00 back to 2:00.
TIME_ZONE_INFORMATION CentralEurope() {
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    zone.DaylightBias = -60;
    return zone;
}

TEST(SystemTest, ALocalTimeSkippedByDaylightSavingDoesNotComeBackUnchanged) {
    const TIME_ZONE_INFORMATION zone = CentralEurope();
    // Local time on 29 March or 25 October 2026, the universal hour, whether it comes back.
    const std::tuple<int, int, int, int, bool> rows[] = {
        {3, 29, 1, 0, true},   {3, 29, 2, -1, false}, {3, 29, 3, 1, true},
        {10, 25, 2, -1, true}, {10, 25, 4, 3, true},  {7, 1, 12, 10, true},
    };
    for (const auto& [month, day, hour, universalHour, comesBack] : rows) {
        const port::LocalTime local{2026, month, day, hour, 30};
        const auto universal = win32::LocalToUniversalIn(&zone, local);
        ASSERT_TRUE(universal) << month << "-" << day << " " << hour;
        if (universalHour >= 0) {
            EXPECT_EQ(universal->hour, universalHour) << month << "-" << day << " " << hour;
        }
        const auto back = win32::UniversalToLocalIn(&zone, *universal);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->day == day && back->hour == hour && back->minute == 30, comesBack)
            << month << "-" << day << " " << hour << " came back as " << back->hour;
    }
    EXPECT_FALSE(win32::LocalToUniversalIn(&zone, {2026, 2, 30, 12, 0}));
}

} // namespace
