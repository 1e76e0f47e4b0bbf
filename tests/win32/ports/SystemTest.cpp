#include "platform/win32/Handle.h"
#include "platform/win32/Win32System.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(SystemTest, ExecutablePathIsThisProgram) {
    win32::Win32System system;
    const std::string path = Lower(system.ExecutablePath());
    const std::string name = "\\trelvix_win32_tests.exe";
    ASSERT_GE(path.size(), name.size());
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SystemTest, LocaleTextsAreThere) {
    win32::Win32System system;
    EXPECT_FALSE(system.DecimalSeparator().empty());
    // 29 February 2024, 13:05:07: every part must show up in the user's formats.
    const port::LocalTime leap{2024, 2, 29, 13, 5, 7, 0, 4};
    const std::string date = system.FormatShortDate(leap);
    EXPECT_NE(date.find("29"), std::string::npos) << date;
    EXPECT_NE(date.find("24"), std::string::npos) << date;
    const std::string time = system.FormatLongTime(leap);
    EXPECT_NE(time.find("05"), std::string::npos) << time;
    EXPECT_NE(time.find("07"), std::string::npos) << time;
    EXPECT_FALSE(system.FormatShortDate(system.Now()).empty());
    EXPECT_FALSE(system.FormatLongTime(system.Now()).empty());
}

TEST(SystemTest, InvalidTimesGiveNoText) {
    win32::Win32System system;
    EXPECT_EQ(system.FormatShortDate({2024, 13, 1, 0, 0, 0, 0, 0}), "");
    EXPECT_EQ(system.FormatLongTime({2024, 1, 1, 25, 0, 0, 0, 0}), "");
}

TEST(SystemTest, MemoryFiguresAreConsistent) {
    const port::MemoryStatus m = win32::Win32System().Memory();
    EXPECT_LE(m.memoryLoad, 100u);
    const std::pair<std::uint64_t, std::uint64_t> totals[] = {
        {m.totalPhys, m.availPhys},
        {m.totalPageFile, m.availPageFile},
        {m.totalVirtual, m.availVirtual},
    };
    for (const auto& [total, avail] : totals) {
        EXPECT_GT(total, 0u);
        EXPECT_LE(avail, total);
    }
    // A 64-bit process has far more than the 4 GB a 32-bit figure can hold.
    EXPECT_GT(m.totalVirtual, 0x100000000ull);
}

TEST(SystemTest, TickCountAdvances) {
    win32::Win32System system;
    const std::uint64_t first = system.TickCount();
    EXPECT_GT(first, 0u);
    Sleep(50);
    EXPECT_GT(system.TickCount(), first);
}

} // namespace
