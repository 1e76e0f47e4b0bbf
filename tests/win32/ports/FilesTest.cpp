#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "launch/LaunchEquivalents.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Files.h"
#include "win32/UnixSide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>
#include <utility>

namespace {

using trelvix::NormalFolderPath;
using win32::MakeUnixLink;
using win32::Narrow;
using win32::RunUnix;
using win32::UnixName;
using win32::Widen;

// ---- A real tree, made with the wide calls and "\\?\" paths, so no length limits it. ----

std::wstring Verbatim(const std::string& path) {
    return L"\\\\?\\" + Widen(path);
}

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(Verbatim(path).c_str(), nullptr)) << path;
}

void MakeFile(const std::string& path, DWORD bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const win32::UniqueHandle file(CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, attributes, nullptr));
    ASSERT_TRUE(file) << path;
    const std::string data(bytes, 'x');
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), data.data(), bytes, &written, nullptr));
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Verbatim(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Names(win32::Win32Files& files, const std::string& folder) {
    std::vector<std::string> names = trelvix::FolderContent(files, folder);
    std::sort(names.begin(), names.end());
    return names;
}

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string temp = files.TempPath();
        root = temp + "Trelvix files ü " +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        place = root + "\\place ключ";
        outside = root + "\\outside";
        if (Exists(root))
            TearDown();
        MakeFolder(root);
        MakeFolder(place);
        MakeFolder(outside);
        MakeFile(outside + "\\keep.txt", 500);
    }
    // From the Linux side, which removes links as links.
    void TearDown() override {
        const std::string unixName = UnixName(root);
        if (unixName.find("/Trelvix files ") != std::string::npos)
            RunUnix(L"Z:\\bin\\rm -rf \"" + Widen(unixName) + L"\"");
        for (int i = 0; i < 100 && Exists(root); ++i)
            Sleep(50);
    }

    win32::Win32Files files;
    std::string root, place, outside;
};

TEST_F(FilesTest, AWalkCountsAndDeletesEverythingButTheLockedFileAndNothingOutside) {
    MakeFile(place + "\\plain.txt", 100);
    MakeFile(place + "\\readonly.txt", 10, FILE_ATTRIBUTE_READONLY);
    MakeFile(place + "\\hidden.txt", 20, FILE_ATTRIBUTE_HIDDEN);
    MakeFile(place + "\\system.txt", 30, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    MakeFile(place + "\\日本 ü.txt", 40);
    std::string deep = place + "\\deep";
    while (deep.size() < 300)
        deep += "\\" + std::string(40, 'd');
    for (size_t at = place.size() + 1; at != std::string::npos; at = deep.find('\\', at + 1))
        MakeFolder(deep.substr(0, deep.find('\\', at + 1)));
    MakeFile(deep + "\\far.txt", 50);
    MakeFolder(place + "\\busy");
    constexpr DWORD HeldAttributes =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    MakeFile(place + "\\busy\\held.txt", 60, HeldAttributes);
    MakeUnixLink(place + "\\link", outside);
    MakeUnixLink(place + "\\filelink", outside + "\\keep.txt");
    ASSERT_TRUE(Exists(place + "\\link") && Exists(place + "\\filelink"));

    // The file link counts with the size reported for it: here, its file's.
    EXPECT_EQ(trelvix::DirSize(files, place), 310 + 500);
    EXPECT_EQ(Names(files, place),
              (std::vector<std::string>{"busy", "deep", "filelink", "hidden.txt", "link",
                                        "plain.txt", "readonly.txt", "system.txt", "日本 ü.txt"}));
    {
        const win32::UniqueHandle held(CreateFileW(Verbatim(place + "\\busy\\held.txt").c_str(),
                                                   GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        const DWORD heldAttributes =
            GetFileAttributesW(Verbatim(place + "\\busy\\held.txt").c_str());
        ASSERT_EQ(heldAttributes & HeldAttributes, HeldAttributes);
        EXPECT_FALSE(trelvix::DeleteFolderContent(files, place));
        // Wine cannot remove a link made from the Linux side as itself: it stays.
        EXPECT_EQ(Names(files, place), (std::vector<std::string>{"busy", "filelink", "link"}));
        EXPECT_EQ(Names(files, place + "\\busy"), std::vector<std::string>{"held.txt"});
        // Made deletable for the try, and given its attributes back when it stayed.
        EXPECT_EQ(GetFileAttributesW(Verbatim(place + "\\busy\\held.txt").c_str()), heldAttributes);
    }
    EXPECT_FALSE(trelvix::DeleteFolderContent(files, place));
    EXPECT_EQ(Names(files, place), (std::vector<std::string>{"filelink", "link"}));
    EXPECT_TRUE(Exists(place)) << "emptied, never removed";
    EXPECT_TRUE(Exists(outside + "\\keep.txt"));
    EXPECT_EQ(trelvix::DirSize(files, outside), 500);
}

std::string Quoted(const std::string& path) {
    return "'" + UnixName(path) + "'";
}

// A shell line run on the Linux side, over when this returns: Wine does not wait for a Unix
// program it started, so the line leaves the file `mark` behind as its last step.
void RunShell(const std::string& line, const std::string& mark) {
    RunUnix(L"Z:\\bin\\sh -c \"" + Widen(line + "; touch " + Quoted(mark)) + L"\"");
    for (int i = 0; i < 200 && !Exists(mark); ++i)
        Sleep(25);
    ASSERT_TRUE(DeleteFileW(Verbatim(mark).c_str())) << line;
}

const port::FolderEntry* EntryNamed(const port::FolderListing& listing, const std::string& name) {
    const auto found = std::find_if(listing.entries.begin(), listing.entries.end(),
                                    [&](const port::FolderEntry& e) { return e.name == name; });
    return found == listing.entries.end() ? nullptr : &*found;
}

// What another program may put in the place of a listed file before it is removed.
struct Swap {
    const char* what;
    const char* shell; // %E the entry, %K the user's file outside the place, %O another file
};

std::string Expanded(std::string text, const std::string& entry, const std::string& keep,
                     const std::string& other) {
    for (const auto& [mark, path] : {std::pair{"%E", entry}, {"%K", keep}, {"%O", other}})
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark))
            text.replace(at, 2, Quoted(path));
    return text;
}

TEST_F(FilesTest, AListedFileSwappedForAnotherEntryIsNotRemoved) {
    const Swap swaps[] = {
        {"a hard link to the user's file", "rm %E && ln %K %E"},
        {"a symbolic link to the user's file", "rm %E && ln -s %K %E"},
        {"another file", "rm %E && mv %O %E"},
    };
    for (const Swap& swap : swaps) {
        const std::string entry = place + "\\swapped.tmp", other = root + "\\other.tmp";
        MakeFile(entry, 7);
        MakeFile(other, 9);
        port::FolderListing listing = files.ListFolder(place, true);
        ASSERT_NE(listing.hold, nullptr);
        const port::FolderEntry* listed = EntryNamed(listing, "swapped.tmp");
        ASSERT_NE(listed, nullptr);
        EXPECT_NE(listed->id, 0u);
        RunShell(Expanded(swap.shell, entry, outside + "\\keep.txt", other), root + "\\done");

        EXPECT_FALSE(listing.hold->RemoveFile(*listed)) << swap.what;
        EXPECT_TRUE(Exists(entry)) << swap.what;
        EXPECT_EQ(trelvix::DirSize(files, outside), 500) << swap.what;
        RunShell("rm -f " + Quoted(entry) + " " + Quoted(other), root + "\\done");
    }
}

// Only a file counts: a folder of the same name does not, nor anything missing; a file of
// the system folder does, and so does one whose path is longer than MAX_PATH.
TEST_F(FilesTest, FileExistsOnlyForFiles) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::string systemFolder = Narrow(system);
    std::string deep = place;
    while (deep.size() < 300) {
        deep += "\\" + std::string(40, 'd');
        MakeFolder(deep);
    }
    MakeFile(place + "\\file.msc", 1);
    MakeFile(deep + "\\deep.exe", 1);
    const std::pair<std::string, bool> cases[] = {
        {place + "\\file.msc", true},
        {deep + "\\deep.exe", true},
        {systemFolder + "\\kernel32.dll", true},
        {place, false},
        {systemFolder, false},
        {place + "\\missing.msc", false},
        {"", false},
    };
    for (const auto& [path, exists] : cases)
        EXPECT_EQ(files.FileExists(path), exists) << path;
}

// What the launchers look for in the system folder: the file a row opens there, or the DLL
// its rundll32 command line names (".dll" added to a bare name).
TEST(LaunchFilesTest, TheFileOrDllOfALineIsFoundInTheSystemFolder) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::string folder = Narrow(system);
    win32::Win32Files files;
    const std::pair<trelvix::LaunchAction, bool> cases[] = {
        {trelvix::SystemFile("\\notepad.exe"), true},
        {trelvix::SystemFile("\\tlntadmn.exe"), false},
        {trelvix::SystemFile("\\Com\\comexp.msc"), false},
        {trelvix::Command("rundll32 shell32.dll,Options_RunDLL 0"), true},
        {trelvix::Command("rundll32 shell32,ShellAboutA Trelvix"), true},
        {trelvix::Command("rundll32 nosuchlibrary,Entry"), false},
    };
    for (const auto& [action, exists] : cases)
        EXPECT_EQ(files.FileExists(trelvix::FileOfAction(folder, action)), exists) << action.target;
}

TEST_F(FilesTest, FinalPathsAndKnownFoldersAreTheSystemsOwn) {
    std::string shouted = place;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    EXPECT_EQ(files.FinalPath(shouted + "\\"), place);
    EXPECT_EQ(files.FinalPath(place + "\\missing"), "");
    // A link's own place is followed to where it leads.
    MakeUnixLink(place + "\\link", outside);
    EXPECT_EQ(lstrcmpiW(Widen(files.FinalPath(place + "\\link")).c_str(), Widen(outside).c_str()),
              0);

    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(lstrcmpiW(Widen(files.KnownFolderPath(port::KnownFolder::Windows)).c_str(), windows),
              0);
    const std::string users = files.KnownFolderPath(port::KnownFolder::Users);
    const std::string profile = files.KnownFolderPath(port::KnownFolder::Profile);
    ASSERT_FALSE(users.empty());
    EXPECT_EQ(CompareStringOrdinal(Widen(profile).c_str(), static_cast<int>(users.size()),
                                   Widen(users).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << profile << " in " << users;
    EXPECT_FALSE(files.KnownFolderPath(port::KnownFolder::ProgramFiles).empty());
}

// The kept copy of a deleted startup entry: appended to a file made when missing, readable by
// others meanwhile, flushed, and cut back through the port to the length it had.
TEST_F(FilesTest, AFileOpenedToAppendGrowsAtItsEndAndIsCutBackToItsFormerLength) {
    const std::string path = place + "\\kept.reg";
    std::string reason;
    EXPECT_EQ(files.OpenToAppend(outside + "\\missing\\kept.reg", reason), nullptr);
    EXPECT_FALSE(reason.empty());
    {
        auto file = files.OpenToAppend(path, reason);
        ASSERT_NE(file, nullptr) << reason;
        EXPECT_EQ(file->Length(), 0);
        ASSERT_TRUE(file->Append({'a', 'b', 'c'}, reason)) << reason;
        EXPECT_TRUE(file->Flush(reason)) << reason;
    }
    auto file = files.OpenToAppend(path, reason);
    ASSERT_NE(file, nullptr) << reason;
    const std::int64_t former = file->Length();
    EXPECT_EQ(former, 3);
    ASSERT_TRUE(file->Append(std::vector<std::uint8_t>(70000, 'x'), reason));
    ASSERT_TRUE(file->Append({'d'}, reason));
    EXPECT_EQ(file->Length(), 70004);
    // Another reader sees it while it is open, as an editor would.
    const win32::UniqueHandle reader(CreateFileW(Verbatim(path).c_str(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(reader);
    EXPECT_TRUE(file->Truncate(former));
    EXPECT_EQ(file->Length(), 3);
    ASSERT_TRUE(file->Append({'e'}, reason)) << "after a cut, at the new end";
    file.reset();
    char content[8] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(reader.get(), content, sizeof content, &read, nullptr));
    EXPECT_EQ(std::string(content, read), "abce");
}

// Every folder the place rules ask for, by its ID; the optional OneDrive may be missing.
TEST_F(FilesTest, EveryKnownFolderTheRulesNeedIsNamed) {
    using K = port::KnownFolder;
    const std::string profile = files.KnownFolderPath(K::Profile);
    const std::string local = files.KnownFolderPath(K::LocalAppData);
    const std::pair<K, std::string> folders[] = {
        {K::RoamingAppData, profile + "\\AppData\\Roaming"},
        {K::LocalAppDataLow, profile + "\\AppData\\LocalLow"},
        {K::Desktop, profile + "\\Desktop"},
        {K::Documents, profile + "\\Documents"},
        {K::Downloads, profile + "\\Downloads"},
        {K::Pictures, profile + "\\Pictures"},
        {K::Music, profile + "\\Music"},
        {K::Videos, profile + "\\Videos"},
        {K::Favorites, profile + "\\Favorites"},
        {K::Links, profile + "\\Links"},
        {K::Contacts, profile + "\\Contacts"},
        {K::SavedGames, profile + "\\Saved Games"},
        {K::Searches, profile + "\\Searches"},
        {K::InternetCache, local + "\\Microsoft\\Windows\\INetCache"},
        {K::History, local + "\\Microsoft\\Windows\\History"},
        {K::Cookies, local + "\\Microsoft\\Windows\\INetCookies"},
    };
    for (const auto& [folder, path] : folders)
        EXPECT_EQ(lstrcmpiW(Widen(files.KnownFolderPath(folder)).c_str(), Widen(path).c_str()), 0)
            << path;
    for (K folder : {K::ProgramData, K::Public, K::SystemX86, K::ProgramFilesX86})
        EXPECT_NE(NormalFolderPath(files.KnownFolderPath(folder)), "");
}

// The profiles of the system's list, REG_EXPAND_SZ paths expanded, and each OneDrive account's
// folder of this user.
TEST_F(FilesTest, ProfilesAndOneDriveFoldersComeFromTheSystemsLists) {
    const wchar_t* profiles = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    const std::wstring other = std::wstring(profiles) + L"\\S-1-5-21-1-2-3-1001";
    const std::wstring expanding = L"%SystemDrive%\\Users\\other";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, other.c_str(), L"ProfileImagePath", REG_EXPAND_SZ,
                              expanding.c_str(),
                              static_cast<DWORD>((expanding.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const wchar_t* accounts = L"Software\\Microsoft\\OneDrive\\Accounts\\Business1";
    const std::wstring cloud = Widen(place + "\\OneDrive - Contoso");
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, accounts, L"UserFolder", REG_SZ, cloud.c_str(),
                              static_cast<DWORD>((cloud.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);

    const std::vector<std::string> found = files.ProfileFolders();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, other.c_str());
    auto has = [&found](const std::string& folder) {
        return std::any_of(found.begin(), found.end(), [&](const std::string& f) {
            return lstrcmpiW(Widen(f).c_str(), Widen(folder).c_str()) == 0;
        });
    };
    EXPECT_TRUE(has(files.KnownFolderPath(port::KnownFolder::Profile)));
    EXPECT_TRUE(has(files.KnownFolderPath(port::KnownFolder::Public)));
    EXPECT_TRUE(has("C:\\Users\\other"));
    EXPECT_EQ(files.OneDriveFolders(), std::vector<std::string>{Narrow(cloud)});
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\OneDrive");
    EXPECT_TRUE(files.OneDriveFolders().empty());
}

// Wine's Recycle Bin is the Trash of XDG_DATA_HOME, which the test runner points into the
// test's own prefix: never the developer's.
TEST(RecycleBinTest, CountsAndEmptiesTheTrashOfThisPrefixOnly) {
    wchar_t data[MAX_PATH] = {}, prefix[MAX_PATH] = {};
    ASSERT_TRUE(GetEnvironmentVariableW(L"XDG_DATA_HOME", data, MAX_PATH));
    ASSERT_TRUE(GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH));
    const std::string dataHome = Narrow(data), prefixHome = Narrow(prefix);
    ASSERT_EQ(dataHome.rfind(prefixHome + "/", 0), 0u) << "the Trash must lie in the prefix";
    std::string trash = "Z:" + dataHome + "/Trash";
    std::replace(trash.begin(), trash.end(), '/', '\\');
    CreateDirectoryW(Verbatim(trash).c_str(), nullptr);
    CreateDirectoryW(Verbatim(trash + "\\files").c_str(), nullptr);
    CreateDirectoryW(Verbatim(trash + "\\info").c_str(), nullptr);

    win32::Win32Files files;
    files.EmptyRecycleBin();
    const std::pair<const char*, DWORD> thrown[] = {{"a.txt", 1000}, {"b ü.txt", 234}};
    for (const auto& [name, bytes] : thrown) {
        MakeFile(trash + "\\files\\" + name, bytes);
        const std::string info =
            std::string("[Trash Info]\nPath=/tmp/") + name + "\nDeletionDate=2024-01-01T10:00:00\n";
        const win32::UniqueHandle file(
            CreateFileW(Verbatim(trash + "\\info\\" + name + ".trashinfo").c_str(), GENERIC_WRITE,
                        0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), info.data(), static_cast<DWORD>(info.size()), &written, nullptr);
    }
    const port::RecycleBinContent full = files.QueryRecycleBin();
    EXPECT_TRUE(full.ok);
    EXPECT_EQ(full.items, 2);
    EXPECT_EQ(full.bytes, 1234);
    EXPECT_TRUE(files.EmptyRecycleBin());
    EXPECT_FALSE(Exists(trash + "\\files\\a.txt"));
    const port::RecycleBinContent empty = files.QueryRecycleBin();
    EXPECT_EQ(empty.items, 0);
    EXPECT_EQ(empty.bytes, 0);
}

} // namespace
