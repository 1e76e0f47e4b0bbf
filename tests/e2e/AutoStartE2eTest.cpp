#include "app/ControlIds.h"
#include "e2e/Driver.h"
#include "win32/RegCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using e2e::StoredSetting;
using e2e::WaitFor;
namespace id = ids::main;

constexpr const wchar_t* RunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int AutoStartPage = 6;

std::optional<std::wstring> RunValue(const std::wstring& name) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return data;
}

// Opens the AutoStart page, selects the per-user list's line `line` and opens its context
// menu with a real right click; the line's index, -1 when it is not listed.
int OpenMenuOfUserLine(e2e::Trelvix& app, const std::string& line) {
    app.ClickTab(app.Control(id::Disks), AutoStartPage);
    HWND list = app.Control(id::ListBox10);
    const auto items = app.ListItems(list);
    const auto at = std::find(items.begin(), items.end(), line);
    if (at == items.end())
        return -1;
    const int index = static_cast<int>(at - items.begin());
    app.SelectListItem(list, index);
    EXPECT_TRUE(WaitFor([&] { return app.ListSelection(list) == index; }));
    e2e::RealClick(e2e::ItemPoint(list, index), 3);
    EXPECT_TRUE(WaitFor([] {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) != FALSE;
    }));
    return index;
}

bool StatusSays(const e2e::Trelvix& app, const std::string& part) {
    return app.StatusText(app.Control(id::StatusBar1)).find(part) != std::string::npos;
}

TEST(AutoStartE2e, ShortcutsSwitchStayOnTopAndTheQuotedRunValue) {
    e2e::ForgetSettings();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Trelvix");
    e2e::Trelvix app;
    app.Start();

    app.PressKeys({VK_CONTROL, 'C'});
    EXPECT_TRUE(WaitFor([&] { return StatusSays(app, "StayOnTop=Yes;"); }));
    EXPECT_TRUE(WaitFor([] { return StoredSetting("StayOnTop") == 1u; }));

    app.PressKeys({VK_CONTROL, VK_MENU, 'R'});
    ASSERT_TRUE(WaitFor([] { return RunValue(L"Trelvix").has_value(); }));
    EXPECT_EQ(RunValue(L"Trelvix"), L"\"" + e2e::ExePath() + L"\"");
    EXPECT_TRUE(WaitFor([&] { return StatusSays(app, "AutoRun=Yes;"); }));

    app.PressKeys({VK_CONTROL, VK_MENU, 'R'});
    EXPECT_TRUE(WaitFor([] { return !RunValue(L"Trelvix").has_value(); }));
    EXPECT_TRUE(WaitFor([&] { return StatusSays(app, "AutoRun=No;"); }));
    app.Close();
}

TEST(AutoStartE2e, TheAutoStartPageShowsAnEntryAddedBeforeF5) {
    e2e::ForgetSettings();
    // Watching, the program would refill the list by itself.
    e2e::StoreSetting("WatchAutoStart", 0);
    e2e::Trelvix app;
    app.Start();
    app.ClickTab(app.Control(id::Disks), AutoStartPage);
    ASSERT_TRUE(WaitFor([] { return StoredSetting("IndexOfTab") == 6u; }));
    const win32::RegRun added =
        win32::RunReg(L"add HKCU\\" + std::wstring(RunKey) +
                      L" /v \"Late Tool\" /t REG_SZ /d \"C:\\late.exe\" /f");
    ASSERT_EQ(added.exitCode, 0u) << added.output;
    HWND list = app.Control(id::ListBox10);
    const std::string line = "Late Tool | Path is: \"C:\\late.exe\"";
    const auto listed = [&] {
        const auto items = app.ListItems(list);
        return std::find(items.begin(), items.end(), line) != items.end();
    };
    EXPECT_FALSE(listed());
    app.PressKeys({VK_F5});
    EXPECT_TRUE(WaitFor(listed));
    app.Close();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Late Tool");
}

// The per-user list's context menu (Delete, Disable, Enable) disables the selected entry:
// its line says so at once and the record Windows reads is written.
TEST(AutoStartE2e, DisablingAnEntryFromItsContextMenuMarksItsLine) {
    e2e::ForgetSettings();
    const std::wstring runKey = L"HKCU\\" + std::wstring(RunKey);
    const win32::RegRun added = win32::RunReg(
        L"add " + runKey + L" /v \"Tool To Disable\" /t REG_SZ /d \"C:\\tool.exe\" /f");
    ASSERT_EQ(added.exitCode, 0u) << added.output;
    e2e::Trelvix app;
    app.Start();
    const std::string line = "Tool To Disable | Path is: \"C:\\tool.exe\"";
    const int index = OpenMenuOfUserLine(app, line);
    ASSERT_GE(index, 0);
    HWND list = app.Control(id::ListBox10);
    e2e::XdoTool("key Down Down Return"); // the second item
    EXPECT_TRUE(WaitFor([&] {
        return app.ListItems(list).at(static_cast<std::size_t>(index)) == line + " (disabled)";
    }));
    const win32::RegRun record = win32::RunReg(
        L"query HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"
        L" /v \"Tool To Disable\"");
    EXPECT_NE(record.output.find("REG_BINARY    03000000"), std::string::npos) << record.output;
    app.Close();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Tool To Disable");
}

// A value named "Keep\0Hidden" beside "Keep": its line shows the NUL as "\0", and deleting
// that line is refused with a box saying why; "Keep" stays, and so does the hidden value.
TEST(AutoStartE2e, DeletingTheLineOfANameWithANulLeavesTheValueItWouldBeCutTo) {
    e2e::ForgetSettings();
    const std::wstring keepHidden(L"Keep\0Hidden", 11);
    ASSERT_TRUE(win32::SetValueWithCountedName(HKEY_CURRENT_USER, RunKey, L"Keep", L"keep.exe"));
    ASSERT_TRUE(
        win32::SetValueWithCountedName(HKEY_CURRENT_USER, RunKey, keepHidden, L"hidden.exe"));
    e2e::Trelvix app;
    app.Start();
    ASSERT_GE(OpenMenuOfUserLine(app, "Keep\\0Hidden | Path is: \"hidden.exe\""), 0);
    const auto items = app.ListItems(app.Control(id::ListBox10));
    EXPECT_NE(std::find(items.begin(), items.end(), "Keep | Path is: \"keep.exe\""), items.end());
    e2e::XdoTool("key Down Return"); // the first item: Delete
    HWND box = e2e::WaitForBox(app);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::BoxText(box), "Keep\\0Hidden cannot be changed here: its name holds a NUL "
                                 "character, which no backup file can hold.");
    e2e::AnswerBox(box, IDOK);
    EXPECT_EQ(RunValue(L"Keep"), L"keep.exe");
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, KEY_READ, &raw), ERROR_SUCCESS);
    const win32::UniqueKey key(raw);
    bool hiddenKept = false;
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = 64;
        if (RegEnumValueW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        hiddenKept = hiddenKept || std::wstring(name, length) == keepHidden;
    }
    EXPECT_TRUE(hiddenKept);
    app.Close();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Keep");
    EXPECT_TRUE(win32::DeleteValueWithCountedName(HKEY_CURRENT_USER, RunKey, keepHidden));
}

} // namespace

namespace {

std::filesystem::path BaselineFile() {
    wchar_t local[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    return std::filesystem::path(local) / L"Trelvix" / L"Programs at logon.txt";
}

// Another program adds itself while Trelvix runs: a balloon says so within seconds, the list
// holds the line when the page is shown, and a click on the balloon selects it.
TEST(AutoStartE2e, AProgramAddingItselfWhileTrelvixRunsIsTold) {
    e2e::ForgetSettings();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Sneaky Updater");
    std::error_code ignored;
    std::filesystem::remove(BaselineFile(), ignored);
    e2e::Trelvix app;
    app.Start();
    // The first run only learns what there is.
    ASSERT_TRUE(WaitFor([] { return std::filesystem::exists(BaselineFile()); }));
    EXPECT_EQ(e2e::BalloonsShown(), 0);
    const win32::RegRun added =
        win32::RunReg(L"add HKCU\\" + std::wstring(RunKey) +
                      L" /v \"Sneaky Updater\" /t REG_SZ /d \"C:\\sneaky.exe /quiet\" /f");
    ASSERT_EQ(added.exitCode, 0u) << added.output;
    EXPECT_TRUE(WaitFor([] { return e2e::BalloonsShown() == 1; }, std::chrono::seconds(10)));

    HWND list = app.Control(id::ListBox10);
    const std::string line = "Sneaky Updater | Path is: \"C:\\sneaky.exe /quiet\"";
    const auto at = [&] {
        const auto items = app.ListItems(list);
        return static_cast<int>(std::find(items.begin(), items.end(), line) - items.begin());
    };
    const int none = static_cast<int>(app.ListItems(list).size());
    EXPECT_EQ(at(), none) << "not refilled while another page shows";
    app.ClickTab(app.Control(id::Disks), AutoStartPage);
    EXPECT_TRUE(WaitFor([&] { return at() < static_cast<int>(app.ListItems(list).size()); }));

    app.ClickTab(app.Control(id::Disks), 0);
    ASSERT_TRUE(WaitFor([&] { return app.TabIndex(app.Control(id::Disks)) == 0; }));
    app.TrayMouse(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(WaitFor([&] { return app.TabIndex(app.Control(id::Disks)) == AutoStartPage; }));
    EXPECT_TRUE(WaitFor([&] { return app.ListSelection(list) == at(); }));
    app.Close();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Sneaky Updater");
}

} // namespace
