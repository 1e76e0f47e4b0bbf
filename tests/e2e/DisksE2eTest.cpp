#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

namespace {

using e2e::WaitFor;
namespace id = ids::main;

// "C: [] (NTFS) Total: 76 319,1 Mbytes; Free: 12 004,5 Mbytes; ===" in any locale.
const std::regex FixedLine(
    R"(^[A-Z]: \[.*\] \(.*\) Total: -?[0-9 ]+([.,][0-9])? Mbytes; Free: -?[0-9 ]+([.,][0-9])? Mbytes; (===|>>>|<<<)$)");
const std::regex
    GeneralLine(R"(^General: Total: [0-9 ]+([.,][0-9])? Mbytes; Free: .* Mbytes; ===$)");

double Number(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits += c == ',' ? '.' : c;
    return std::stod(digits);
}

double TotalOf(const std::string& line) {
    auto start = line.find("Total: ") + 7;
    return Number(line.substr(start, line.find(" Mbytes", start) - start));
}

TEST(DisksE2e, FixedListShowsEveryFixedDriveAndTheGeneralLine) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    HWND list = app.Control(id::ListBox1);
    ASSERT_TRUE(WaitFor([&] { return app.ListItems(list).size() >= 3; }))
        << "Wine has at least C: and Z:";
    auto lines = app.ListItems(list);
    const std::string separator(139, '-');
    ASSERT_EQ(lines[lines.size() - 2], separator);
    EXPECT_TRUE(std::regex_match(lines.back(), GeneralLine)) << lines.back();
    double sum = 0;
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], FixedLine)) << lines[i];
        sum += TotalOf(lines[i]);
    }
    // Each drive's total is rounded to a tenth on its own.
    EXPECT_NEAR(TotalOf(lines.back()), sum, 0.1 * static_cast<double>(lines.size()));
    app.Close();
}

TEST(DisksE2e, MissingTempFolderIsMadeAgain) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    wchar_t temp[MAX_PATH * 4] = {};
    GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    std::filesystem::path folder(temp);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    ASSERT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(
        WaitFor([&] { return std::filesystem::exists(folder); }, std::chrono::milliseconds(3000)))
        << "the one-second check makes it again";
    app.Close();
}

} // namespace
