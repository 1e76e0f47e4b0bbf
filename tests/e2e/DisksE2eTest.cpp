#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

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

std::string FileText(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

// A person's way to a new label of C:: select its line, right-click it, choose the menu's
// item, type the label, Save. Wine writes C:'s label into drive_c/.windows-label, and only
// when that file is there.
TEST(DisksE2e, FixedListContextMenuRelabelsTheDrive) {
    const std::filesystem::path labelFile = L"C:\\.windows-label";
    std::ofstream{labelFile}.close();
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    HWND list = app.Control(id::ListBox1);
    ASSERT_TRUE(WaitFor([&] { return app.ListItems(list).size() >= 3; }));
    ASSERT_TRUE(app.ListItems(list)[0].starts_with("C: ")) << app.ListItems(list)[0];
    app.SelectListItem(list, 0);

    e2e::RealClick(e2e::ItemPoint(list, 0), 3);
    HWND menu = app.WaitForWindow(L"#32768");
    ASSERT_NE(menu, nullptr);
    e2e::RealClick(e2e::MiddleOf(menu), 1); // its one item, "Change Volume Label"
    HWND dialog = app.WaitForWindow({}, "SetVolumeName for C:");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(app.ListSelection(list), 0) << "the right click kept the selection";

    HWND edit = app.Control(ids::setvolume::Edit1, dialog);
    ASSERT_NE(edit, nullptr);
    e2e::XdoTool("type --delay 20 TRELVIX");
    EXPECT_TRUE(WaitFor([&] { return app.Text(edit) == "TRELVIX"; })) << app.Text(edit);
    e2e::RealClick(e2e::MiddleOf(app.Control(ids::setvolume::BitBtn1, dialog)), 1);
    EXPECT_TRUE(WaitFor([&] { return FileText(labelFile).starts_with("TRELVIX"); }))
        << FileText(labelFile);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) == FALSE; }));
    app.Close();
    std::filesystem::remove(labelFile);
}

} // namespace
