#include "platform/win32/Unicode.h"
#include "platform/win32/Win32KeyWatch.h"
#include "win32/RegCommand.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* MissingKey = "SOFTWARE\\Trelvix watch test\\Missing";

struct Counts {
    std::atomic<int> rereads{0};
    int continuations = 0;
    bool rereadOffThisThread = true;
};

// Runs the test thread's messages (the watcher's continuations arrive there) until `done`
// or the time is up.
template <typename Done> bool PumpUntil(Done done, DWORD milliseconds) {
    const auto deadline = GetTickCount64() + milliseconds;
    while (!done() && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
    return done();
}

void StartWatching(win32::Win32KeyWatch& watch, Counts& counts,
                   std::vector<std::string> folders = {}) {
    const DWORD thisThread = GetCurrentThreadId();
    watch.Start({{port::RegRoot::CurrentUser, port::RegView::Bits64, RunKey},
                 {port::RegRoot::CurrentUser, port::RegView::Bits64, MissingKey}},
                std::move(folders), [&counts, thisThread] {
                    if (GetCurrentThreadId() == thisThread)
                        counts.rereadOffThisThread = false;
                    ++counts.rereads;
                    return std::function<void()>([&counts] { ++counts.continuations; });
                });
}

// Another process adds a value: the watcher's thread rereads within seconds and the result
// arrives on the thread that started it; a key that does not exist yet is watched through
// its parent.
TEST(Win32KeyWatch, AValueAddedByAnotherProcessIsNoticedWithinFiveSeconds) {
    (void)win32::RunReg(L"add \"HKCU\\SOFTWARE\\Trelvix watch test\" /f");
    (void)win32::RunReg(L"delete \"HKCU\\SOFTWARE\\Trelvix watch test\\Missing\" /f");
    Counts counts;
    win32::Win32KeyWatch watch;
    StartWatching(watch, counts);
    ASSERT_TRUE(PumpUntil([&] { return counts.continuations == 1; }, 5000)) << "the first read";

    const auto run = win32::RunReg(
        L"add HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run /v \"Watched\" /d "
        L"\"C:\\watched.exe\" /f");
    ASSERT_EQ(run.exitCode, 0U) << run.output;
    EXPECT_TRUE(PumpUntil([&] { return counts.continuations == 2; }, 5000));

    ASSERT_EQ(
        win32::RunReg(L"add \"HKCU\\SOFTWARE\\Trelvix watch test\\Missing\" /v X /d y /f").exitCode,
        0U);
    EXPECT_TRUE(PumpUntil([&] { return counts.continuations == 3; }, 5000)) << "missing key";
    // And the key now there is watched itself.
    ASSERT_EQ(
        win32::RunReg(L"add \"HKCU\\SOFTWARE\\Trelvix watch test\\Missing\" /v Z /d z /f").exitCode,
        0U);
    EXPECT_TRUE(PumpUntil([&] { return counts.continuations == 4; }, 5000)) << "made key";
    EXPECT_TRUE(counts.rereadOffThisThread);
    EXPECT_EQ(counts.rereads.load(), counts.continuations);

    // Stopped: nothing more runs.
    watch.Stop();
    (void)win32::RunReg(
        L"delete HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run /v \"Watched\" /f");
    PumpUntil([] { return false; }, 2500);
    EXPECT_EQ(counts.continuations, 4);
    (void)win32::RunReg(L"delete \"HKCU\\SOFTWARE\\Trelvix watch test\" /f");
}

// A file made in a watched folder, or in one made after the watch began, is noticed.
TEST(Win32KeyWatch, AFileMadeInAWatchedFolderIsNoticedWithinFiveSeconds) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0U);
    const std::wstring folder = std::wstring(temp) + L"Trelvix folder watch";
    const std::wstring later = folder + L"\\Startup";
    RemoveDirectoryW(later.c_str());
    CreateDirectoryW(folder.c_str(), nullptr);
    Counts counts;
    win32::Win32KeyWatch watch;
    StartWatching(watch, counts, {win32::Narrow(later)});
    ASSERT_TRUE(PumpUntil([&] { return counts.continuations == 1; }, 5000)) << "the first read";
    ASSERT_TRUE(CreateDirectoryW(later.c_str(), nullptr));
    EXPECT_TRUE(PumpUntil([&] { return counts.continuations == 2; }, 5000)) << "missing folder";
    const std::wstring file = later + L"\\Tool.lnk";
    {
        const win32::UniqueHandle made(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(made);
    }
    EXPECT_TRUE(PumpUntil([&] { return counts.continuations == 3; }, 5000)) << "made file";
    watch.Stop();
    DeleteFileW(file.c_str());
    RemoveDirectoryW(later.c_str());
    RemoveDirectoryW(folder.c_str());
}

// A change that settles after the program stopped watching never reaches it, even when the
// reread was already done.
TEST(Win32KeyWatch, AContinuationPostedBeforeStopNeverRuns) {
    Counts counts;
    win32::Win32KeyWatch watch;
    StartWatching(watch, counts);
    // Waiting without running messages: the first read's continuation is posted, not run.
    for (int i = 0; i < 250 && counts.rereads.load() == 0; ++i)
        Sleep(20);
    ASSERT_EQ(counts.rereads.load(), 1);
    Sleep(100);
    watch.Stop();
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(counts.continuations, 0);
}

} // namespace
