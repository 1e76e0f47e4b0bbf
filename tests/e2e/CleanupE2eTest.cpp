#include "app/ControlIds.h"
#include "e2e/Driver.h"
#include "platform/win32/Handle.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using e2e::StoredSetting;
using e2e::WaitFor;
namespace fs = std::filesystem;
namespace id = ids::main;

std::uintmax_t BytesUnder(const fs::path& folder) {
    std::uintmax_t sum = 0;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file(error) && !entry.is_symlink(error))
            sum += entry.file_size(error);
    return sum;
}

// "128 023 Bytes \r\nin Temporary Files!" -> 128023; "Counting..." -> nullopt
std::optional<std::uintmax_t> LeadingNumber(const std::string& text) {
    const auto end = text.find(" Bytes");
    if (end == std::string::npos)
        return std::nullopt;
    std::string digits;
    for (char c : text.substr(0, end))
        if (c != ' ')
            digits += c;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoull(digits);
}

// Presses a delete button on a FreeTemp sub-tab and answers the warning with Yes; false when
// no warning came.
bool DeleteAfterYes(const e2e::Trelvix& app, int subTab, int button) {
    app.ClickTab(app.Control(id::Disks), 2);
    app.ClickTab(app.Control(id::PageControl2), subTab);
    e2e::PostClick(app.Control(button));
    HWND box = e2e::WaitForBox(app);
    if (box == nullptr)
        return false;
    e2e::AnswerBox(box, IDYES);
    return true;
}

TEST(CleanupE2e, TheTemporaryFolderIsSizedThenEmptiedAfterTheWarning) {
    e2e::ForgetSettings();
    wchar_t temp[MAX_PATH * 4] = {};
    GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    const fs::path folder(temp);
    const fs::path ours = folder / L"trelvix e2e ü";
    fs::create_directories(ours / "inner");
    const std::pair<fs::path, std::size_t> made[] = {
        {ours / "a.bin", 1000}, {ours / "inner" / "b.bin", 2345}, {folder / L"c ключ.tmp", 17}};
    for (const auto& [path, bytes] : made)
        std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    SetFileAttributesW((ours / "a.bin").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::uintmax_t bytes = BytesUnder(folder);

    e2e::Trelvix app;
    app.Start();
    // The window shows first; the size follows from the walk.
    EXPECT_TRUE(WaitFor([&] { return app.Text(app.Control(id::Label2)) != "Counting..."; }));
    EXPECT_EQ(LeadingNumber(app.Text(app.Control(id::Label2))), bytes)
        << app.Text(app.Control(id::Label2));
    app.ClickTab(app.Control(id::Disks), 2);
    app.ClickTab(app.Control(id::PageControl2), 1);
    e2e::PostClick(app.Control(id::BitBtn1));
    HWND box = e2e::WaitForBox(app);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(app.Text(box), "Warning!");
    EXPECT_EQ(e2e::BoxText(box),
              "Do You Really want to Delete content? \r Press Yes and you never see "
              "this Warning again!\rPress No, if you are not sure what you are "
              "doing!");
    e2e::AnswerBox(box, IDYES);
    EXPECT_TRUE(WaitFor([&] { return StoredSetting("IndexOfTemp") == 1u; }));
    for (const auto& [path, size] : made)
        EXPECT_FALSE(fs::exists(path)) << path;
    EXPECT_TRUE(fs::is_directory(folder));
    app.Close();
}

// The window answers all along while a large temporary folder is sized and emptied; the size
// it ends with is the exact sum, and the emptying shows its progress.
TEST(CleanupE2e, TheWindowAnswersWhileALargeTemporaryFolderIsSizedAndEmptied) {
    e2e::ForgetSettings();
    wchar_t temp[MAX_PATH * 4] = {};
    GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    const fs::path folder(temp);
    const fs::path many = folder / L"trelvix many";
    for (int dir = 0; dir < 100; ++dir) {
        const fs::path sub = many / std::to_string(dir);
        fs::create_directories(sub);
        for (int file = 0; file < 500; ++file)
            std::ofstream(sub / (std::to_string(file) + ".tmp"), std::ios::binary)
                << std::string(static_cast<std::size_t>(file % 13), 'x');
    }
    const std::uintmax_t bytes = BytesUnder(folder);

    e2e::Trelvix app;
    app.Start();
    HWND label = app.Control(id::Label2);
    HWND status = app.Control(id::StatusBar1);
    HWND progressBar = app.Control(id::ProgressBar1, status);
    ASSERT_NE(progressBar, nullptr);
    // Every round trip answered within 250 ms while `working` holds.
    const auto answersWhile = [&](const std::function<bool()>& working,
                                  const std::function<void()>& look) {
        int slow = 0, roundTrips = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (working() && std::chrono::steady_clock::now() < until) {
            look();
            const auto sent = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            const bool answered =
                SendMessageTimeoutW(app.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 250, &result) != 0;
            if (!answered ||
                std::chrono::steady_clock::now() - sent > std::chrono::milliseconds(250))
                ++slow;
            ++roundTrips;
        }
        EXPECT_EQ(slow, 0) << "of " << roundTrips << " round trips";
    };
    answersWhile([&] { return LeadingNumber(app.Text(label)) != bytes; },
                 [&] { EXPECT_EQ(IsWindowVisible(progressBar), FALSE) << "no deletion runs"; });
    EXPECT_EQ(LeadingNumber(app.Text(label)), bytes) << app.Text(label);

    // Emptied by the program: the progress bar in the status bar's second part moves on, and
    // the bar is one panel again at the end.
    ASSERT_TRUE(DeleteAfterYes(app, 1, id::BitBtn1));
    const auto parts = [&] { return SendMessageW(status, SB_GETPARTS, 0, 0); };
    LRESULT furthest = 0;
    answersWhile([&] { return fs::exists(many / "99"); },
                 [&] {
                     if (parts() == 2 && IsWindowVisible(progressBar) != FALSE)
                         furthest = std::max(furthest, SendMessageW(progressBar, PBM_GETPOS, 0, 0));
                 });
    EXPECT_GT(furthest, 0) << "the bar showed files going";
    EXPECT_TRUE(WaitFor([&] { return parts() == 1 && IsWindowVisible(progressBar) == FALSE; }));
    EXPECT_FALSE(fs::exists(many));
    app.Close();
    std::error_code error;
    fs::remove_all(many, error);
}

constexpr const wchar_t* ShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const wchar_t* UserShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring ShellFolder(const wchar_t* name) {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD bytes = sizeof path;
    if (RegGetValueW(HKEY_CURRENT_USER, ShellFolders, name, RRF_RT_REG_SZ, nullptr, path, &bytes) !=
        ERROR_SUCCESS)
        return {};
    return path;
}

// A value of a shell-folder key, set for one test and put back as it was afterwards.
class ShellFolderValue {
  public:
    ShellFolderValue(const wchar_t* key, const wchar_t* name, const std::wstring& value)
        : key_(key), name_(name) {
        constexpr DWORD Text = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
        DWORD bytes = 0;
        had_ = RegGetValueW(HKEY_CURRENT_USER, key_, name_, Text, &type_, nullptr, &bytes) ==
               ERROR_SUCCESS;
        old_.resize(bytes / sizeof(wchar_t) + 1);
        bytes = static_cast<DWORD>(old_.size() * sizeof(wchar_t));
        had_ = had_ && RegGetValueW(HKEY_CURRENT_USER, key_, name_, Text, &type_, old_.data(),
                                    &bytes) == ERROR_SUCCESS;
        Set(REG_SZ, value.c_str());
    }
    ~ShellFolderValue() {
        if (had_)
            Set(type_, old_.c_str());
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
    }
    ShellFolderValue(const ShellFolderValue&) = delete;
    ShellFolderValue& operator=(const ShellFolderValue&) = delete;

  private:
    void Set(DWORD type, const wchar_t* text) {
        const auto bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
        EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, type, text, bytes),
                  ERROR_SUCCESS);
    }

    const wchar_t* key_;
    const wchar_t* name_;
    bool had_ = false;
    DWORD type_ = REG_SZ;
    std::wstring old_;
};

// The user's own files in `folder`: a letter and a folder with a document.
std::vector<fs::path> MakeUsersFiles(const fs::path& folder) {
    const std::vector<fs::path> made = {folder / L"letter ü.txt", folder / L"Taxes" / L"2025.pdf"};
    fs::create_directories(folder / L"Taxes");
    for (const fs::path& path : made)
        std::ofstream(path, std::ios::binary) << std::string(100, 'x');
    return made;
}

// The controls of one place on the FreeTemp page.
struct PlaceControls {
    int subTab, size, list, deleteButton;
};

// Starts the program with the user's files in `folder`, which it is given as the place:
// deleting was allowed in an earlier run, so the only box is the refusal. The place is
// neither listed nor sized, the box says `refusal`, and every file stays.
void ExpectRefused(const fs::path& folder, const PlaceControls& place, const std::string& refusal) {
    const std::vector<fs::path> made = MakeUsersFiles(folder);
    e2e::Trelvix app;
    app.Start();
    HWND size = app.Control(place.size);
    EXPECT_TRUE(WaitFor([&] { return LeadingNumber(app.Text(size)).has_value(); }));
    EXPECT_EQ(LeadingNumber(app.Text(size)), 0u) << "a refused place is not sized";
    EXPECT_TRUE(app.ListItems(app.Control(place.list)).empty());
    app.ClickTab(app.Control(id::Disks), 2);
    app.ClickTab(app.Control(id::PageControl2), place.subTab);
    e2e::PostClick(app.Control(place.deleteButton));
    HWND box = e2e::WaitForBox(app);
    EXPECT_NE(box, nullptr);
    if (box != nullptr) {
        EXPECT_EQ(e2e::BoxText(box), refusal);
        e2e::AnswerBox(box, IDOK);
    }
    app.Close();
    for (const fs::path& path : made)
        EXPECT_TRUE(fs::exists(path)) << path;
}

// An environment variable set for one test (the program started inherits it), then put back.
class EnvironmentValue {
  public:
    EnvironmentValue(const wchar_t* name, const std::wstring& value) : name_(name) {
        std::vector<wchar_t> old(32768);
        had_ = GetEnvironmentVariableW(name, old.data(), static_cast<DWORD>(old.size())) != 0;
        old_ = old.data();
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvironmentValue() { SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

  private:
    const wchar_t* name_;
    bool had_ = false;
    std::wstring old_;
};

// A shell-folder value or a TEMP that names a folder of the user's own files is refused with a
// box that says why, and every file in it stays.
TEST(CleanupE2e, ACacheValueNamingDocumentsIsRefusedAndEveryFileStays) {
    e2e::ForgetSettings();
    e2e::StoreSetting("IndexOfTemp", 1);
    const std::wstring documents = ShellFolder(L"Personal");
    ASSERT_FALSE(documents.empty());
    // Wine writes "Shell Folders" again from "User Shell Folders" whenever a program asks for a
    // known folder, so both say Documents: the system itself then names Documents its cache.
    const ShellFolderValue cache(ShellFolders, L"Cache", documents);
    const ShellFolderValue userCache(UserShellFolders, L"Cache", documents);
    ExpectRefused(documents, {2, id::Label26, id::ListBox12, id::BitBtn12},
                  e2e::Narrow(documents) +
                      " is not cleaned: it is a drive, system or user folder.");
}

TEST(CleanupE2e, ATempVariableNamingTheDesktopIsRefusedAndEveryFileStays) {
    e2e::ForgetSettings();
    e2e::StoreSetting("IndexOfTemp", 1);
    const std::wstring desktop = ShellFolder(L"Desktop");
    ASSERT_FALSE(desktop.empty());
    const EnvironmentValue temp(L"TEMP", desktop), tmp(L"TMP", desktop);
    ExpectRefused(desktop, {1, id::Label2, id::ListBox8, id::BitBtn1},
                  e2e::Narrow(desktop) +
                      "\\ is not cleaned: it is a drive, system or user folder.");
}

// Emptied, never removed and made again: the folder a handle held across the deletion names
// (sharing its deletion, so it would not stop one) is the folder a fresh open finds.
TEST(CleanupE2e, TheTemporaryFolderIsTheSameFolderAfterItWasEmptied) {
    e2e::ForgetSettings();
    e2e::StoreSetting("IndexOfTemp", 1);
    wchar_t temp[MAX_PATH * 4] = {};
    GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    const fs::path folder(temp);
    fs::create_directories(folder / "sub");
    std::ofstream(folder / "a.tmp") << "a";
    std::ofstream(folder / "sub" / "b.tmp") << "b";
    const auto open = [&folder] {
        return win32::UniqueHandle(
            CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    };
    win32::UniqueHandle held = open();
    ASSERT_TRUE(held);
    BY_HANDLE_FILE_INFORMATION before{}, after{};
    ASSERT_TRUE(GetFileInformationByHandle(held.get(), &before));

    e2e::Trelvix app;
    app.Start();
    app.ClickTab(app.Control(id::Disks), 2);
    app.ClickTab(app.Control(id::PageControl2), 1);
    e2e::PostClick(app.Control(id::BitBtn1));
    EXPECT_TRUE(
        WaitFor([&] { return !fs::exists(folder / "a.tmp") && !fs::exists(folder / "sub"); }));
    EXPECT_TRUE(WaitFor([&] { return LeadingNumber(app.Text(app.Control(id::Label2))) == 0u; }));
    // A folder removed under the handle goes when the handle does; then the once-a-second
    // check would make a new one.
    held.reset();
    Sleep(2500);
    app.Close();
    const win32::UniqueHandle fresh = open();
    ASSERT_TRUE(fresh) << "the temporary folder is there";
    ASSERT_TRUE(GetFileInformationByHandle(fresh.get(), &after));
    EXPECT_EQ(after.dwVolumeSerialNumber, before.dwVolumeSerialNumber);
    EXPECT_EQ(after.nFileIndexHigh, before.nFileIndexHigh);
    EXPECT_EQ(after.nFileIndexLow, before.nFileIndexLow);
}

// A folder of the user's from the environment the program sees too.
fs::path FolderFromEnvironment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value == nullptr ? fs::path() : fs::path(value);
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A Chrome and a Firefox cache: their lines read from outside, then Delete and Yes empty them
// and leave the cookies and logins beside them as they were.
TEST(CleanupE2e, BrowserCachesAreListedThenEmptiedAndTheirNeighboursStay) {
    e2e::ForgetSettings();
    const fs::path local = FolderFromEnvironment(L"LOCALAPPDATA");
    const fs::path roaming = FolderFromEnvironment(L"APPDATA");
    ASSERT_FALSE(local.empty() || roaming.empty());
    const fs::path chrome = local / "Google" / "Chrome" / "User Data" / "Default";
    const fs::path firefox = local / "Mozilla" / "Firefox" / "Profiles" / "e2e.default-release";
    const fs::path firefoxRoaming =
        roaming / "Mozilla" / "Firefox" / "Profiles" / "e2e.default-release";
    const std::pair<fs::path, std::size_t> caches[] = {
        {chrome / "Cache" / "Cache_Data" / "data_0", 1234},
        {chrome / "Code Cache" / "js" / "index", 56},
        {firefox / "cache2" / "entries" / "0A1B2C", 789},
    };
    const std::pair<fs::path, std::size_t> stay[] = {
        {chrome / "Preferences", 2},
        {chrome / "Cookies", 4096},
        {chrome / "Login Data", 2048},
        {firefoxRoaming / "cookies.sqlite", 300},
    };
    using Made = std::span<const std::pair<fs::path, std::size_t>>;
    for (const Made list : {Made(caches), Made(stay)})
        for (const auto& [path, bytes] : list) {
            fs::create_directories(path.parent_path());
            std::string data(bytes, '\0');
            for (std::size_t i = 0; i < bytes; ++i)
                data[i] = static_cast<char>('a' + i % 26);
            std::ofstream(path, std::ios::binary) << data;
        }
    std::vector<std::string> before;
    for (const auto& [path, bytes] : stay)
        before.push_back(FileBytes(path));

    e2e::Trelvix app;
    app.Start();
    HWND list = app.Control(id::ListBox15);
    ASSERT_NE(list, nullptr);
    const std::vector<std::string> lines = {"Chrome (Default): 1 290 bytes",
                                            "Firefox (e2e.default-release): 789 bytes",
                                            "Total: 2 079 bytes"};
    EXPECT_TRUE(WaitFor([&] { return app.ListItems(list) == lines; }));
    EXPECT_EQ(app.ListItems(list), lines);
    EXPECT_EQ(app.Text(app.Control(id::Label39)), "Browser and App Caches: 2 079 bytes");

    ASSERT_TRUE(DeleteAfterYes(app, 6, id::BitBtn26));
    EXPECT_TRUE(WaitFor([&] { return StoredSetting("IndexOfTemp") == 1u; }));
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<std::string> items = app.ListItems(list);
        return !items.empty() && items.back() == "Total: 0 bytes";
    }));
    for (const auto& [path, bytes] : caches)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const fs::path& folder : {chrome / "Cache", chrome / "Code Cache", firefox / "cache2"}) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
        EXPECT_TRUE(fs::is_empty(folder)) << folder;
    }
    for (std::size_t i = 0; i < std::size(stay); ++i)
        EXPECT_EQ(FileBytes(stay[i].first), before[i]) << stay[i].first;
    app.Close();
}

} // namespace
