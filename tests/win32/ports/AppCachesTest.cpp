#include "cleanup/AppCaches.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Ports.h"
#include "win32/UnixSide.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using win32::Widen;

std::wstring Verbatim(const std::string& path) {
    return L"\\\\?\\" + Widen(path);
}

// Every folder on the way, then the file with `bytes` bytes of a pattern of its own.
std::string MakeFile(const std::string& path, std::size_t bytes) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryW(Verbatim(path.substr(0, at)).c_str(), nullptr);
    std::string data(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<char>(i * 31 + bytes);
    const win32::UniqueHandle file(CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file.get(), data.data(), static_cast<DWORD>(bytes), &written, nullptr));
    return data;
}

std::string ReadFile(const std::string& path) {
    const win32::UniqueHandle file(CreateFileW(
        Verbatim(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "(missing)";
    std::string data(1 << 16, '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    data.resize(read);
    return data;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Verbatim(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The caches of one Chrome profile, a Firefox profile and the crash dumps, made in this
// prefix's own local application data, with what lives beside them.
class AppCachesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        local = files().KnownFolderPath(port::KnownFolder::LocalAppData);
        roaming = files().KnownFolderPath(port::KnownFolder::RoamingAppData);
        ASSERT_FALSE(local.empty() || roaming.empty());
        chrome = local + "\\Google\\Chrome\\User Data";
        firefox = local + "\\Mozilla\\Firefox\\Profiles\\w32.default-release";
        const std::string firefoxRoaming =
            roaming + "\\Mozilla\\Firefox\\Profiles\\w32.default-release";
        for (const auto& [path, bytes] :
             std::map<std::string, std::size_t>{{chrome + "\\Local State", 40},
                                                {chrome + "\\Default\\Preferences", 41},
                                                {chrome + "\\Default\\Cookies", 4096},
                                                {chrome + "\\Default\\History", 3000},
                                                {chrome + "\\Default\\Login Data", 2048},
                                                {chrome + "\\Default\\IndexedDB\\x.ldb", 77},
                                                {chrome + "\\Default\\Service Worker\\s", 88},
                                                {chrome + "\\Other\\Cache\\f", 99},
                                                {firefoxRoaming + "\\cookies.sqlite", 512},
                                                {firefoxRoaming + "\\logins.json", 256}})
            stay[path] = MakeFile(path, bytes);
        MakeFile(chrome + "\\lockfile", 0);
        MakeFile(chrome + "\\Default\\Cache\\Cache_Data\\data_0", 8192);
        MakeFile(chrome + "\\Default\\Cache\\Cache_Data\\f_00000a", 1000);
        MakeFile(chrome + "\\Default\\Code Cache\\js\\index", 24);
        MakeFile(chrome + "\\Default\\GPUCache\\data_1", 7);
        MakeFile(firefox + "\\cache2\\entries\\0A1B", 333);
        MakeFile(local + "\\CrashDumps\\app.exe.42.dmp", 4444);
    }
    void TearDown() override {
        for (const std::string& folder : {local + "\\Google", local + "\\Mozilla",
                                          roaming + "\\Mozilla", local + "\\CrashDumps"})
            win32::RemoveTreeFromUnix(folder);
    }

    port::Files& files() { return ports.Ports().files; }

    std::vector<trelvix::CacheGroup> Found() {
        auto groups = trelvix::FindAppCaches(ports.Ports(), trelvix::ReadPlaceRules(ports.Ports()));
        trelvix::WalkProgress progress;
        trelvix::SizeAppCaches(files(), groups, progress);
        return groups;
    }

    win32::Win32Ports ports;
    std::string local, roaming, chrome, firefox;
    std::map<std::string, std::string> stay;
};

TEST_F(AppCachesTest, SizesAreTheByteSumsAndDeletingLeavesTheRestByteForByte) {
    const trelvix::CacheSummary summary = trelvix::SummariseAppCaches(Found());
    EXPECT_EQ(summary.lines, (std::vector<std::string>{"Chrome (Default): 9 223 bytes",
                                                       "Firefox (w32.default-release): 333 bytes",
                                                       "Crash dumps: 4 444 bytes"}));
    EXPECT_EQ(summary.deletable, 9223 + 333 + 4444);
    EXPECT_EQ(summary.files, 6);

    trelvix::WalkProgress progress;
    const trelvix::CacheEmptying done = trelvix::EmptyAppCaches(files(), Found(), progress);
    EXPECT_TRUE(done.refusals.empty());
    EXPECT_TRUE(done.running.empty());
    for (const std::string& folder :
         {chrome + "\\Default\\Cache", chrome + "\\Default\\Code Cache",
          chrome + "\\Default\\GPUCache", firefox + "\\cache2", local + "\\CrashDumps"}) {
        EXPECT_TRUE(Exists(folder)) << folder;
        EXPECT_TRUE(trelvix::FolderContent(files(), folder).empty()) << folder;
    }
    for (const auto& [path, data] : stay)
        EXPECT_EQ(ReadFile(path), data) << path;
}

// Chrome holds its lockfile open without sharing while it runs.
TEST_F(AppCachesTest, ALockfileHeldOpenKeepsChromesCaches) {
    const std::string lock = chrome + "\\lockfile";
    EXPECT_EQ(files().TryOpenFile(lock), port::FileOpening::Opened);
    EXPECT_EQ(files().TryOpenFile(chrome + "\\nothing"), port::FileOpening::Missing);
    EXPECT_EQ(files().TryOpenFile(chrome + "\\no folder\\lockfile"), port::FileOpening::Missing);
    {
        const win32::UniqueHandle held(CreateFileW(Verbatim(lock).c_str(), GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(files().TryOpenFile(lock), port::FileOpening::Refused);
        const std::vector<trelvix::CacheGroup> groups = Found();
        trelvix::WalkProgress progress;
        const trelvix::CacheEmptying done = trelvix::EmptyAppCaches(files(), groups, progress);
        EXPECT_EQ(done.running, std::vector<std::string>{"Chrome"});
        EXPECT_EQ(trelvix::SummariseAppCaches(groups).deletable, 333 + 4444);
        EXPECT_TRUE(Exists(chrome + "\\Default\\Cache\\Cache_Data\\data_0"));
        EXPECT_TRUE(Exists(chrome + "\\Default\\GPUCache\\data_1"));
        EXPECT_FALSE(Exists(firefox + "\\cache2\\entries\\0A1B"));
    }
    EXPECT_EQ(files().TryOpenFile(lock), port::FileOpening::Opened);
}

// A cache folder that is a link made from the Linux side is refused, and what it leads to
// stays.
TEST_F(AppCachesTest, ACacheFolderThatLeadsElsewhereIsRefused) {
    MakeFile(local + "\\Google\\elsewhere\\keep.bin", 123);
    win32::RemoveTreeFromUnix(chrome + "\\Default\\GPUCache");
    win32::MakeUnixLink(chrome + "\\Default\\GPUCache", local + "\\Google\\elsewhere");
    const std::vector<trelvix::CacheGroup> groups = Found();
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups[0].size, 9216);
    trelvix::WalkProgress progress;
    const trelvix::CacheEmptying done = trelvix::EmptyAppCaches(files(), groups, progress);
    ASSERT_EQ(done.refusals.size(), 1u);
    EXPECT_NE(done.refusals[0].find("GPUCache is not cleaned: a link leads it elsewhere."),
              std::string::npos)
        << done.refusals[0];
    EXPECT_TRUE(Exists(local + "\\Google\\elsewhere\\keep.bin"));
}

} // namespace
