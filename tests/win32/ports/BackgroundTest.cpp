#include "cleanup/FolderWalk.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Background.h"
#include "platform/win32/Win32Files.h"
#include "toolkit/ResultQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A tree of 20,000 small files in the temporary folder; removed at the end.
class ManyFiles {
  public:
    ManyFiles() {
        for (int dir = 0; dir < 40; ++dir) {
            const fs::path sub = root_ / std::to_string(dir);
            fs::create_directories(sub);
            for (int file = 0; file < 500; ++file) {
                std::ofstream(sub / (std::to_string(file) + ".tmp"), std::ios::binary)
                    << std::string(static_cast<std::size_t>(file % 7), 'x');
                bytes_ += file % 7;
            }
        }
    }
    ~ManyFiles() {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    ManyFiles(const ManyFiles&) = delete;
    ManyFiles& operator=(const ManyFiles&) = delete;
    [[nodiscard]] std::string Folder() const { return win32::Narrow(root_.wstring()); }
    [[nodiscard]] std::int64_t Bytes() const { return bytes_; }

  private:
    fs::path root_ = fs::temp_directory_path() / L"trelvix background walk";
    std::int64_t bytes_ = 0;
};

// A window and its message loop on a thread of their own, as the program's window thread: it
// starts the walk through the background and ends its loop when the result arrives there.
TEST(Win32Background, TheWindowAnswersWhileAWalkRunsAndTheResultArrivesOnItsThread) {
    ManyFiles tree;
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> finished{false}, walking{false};
    std::int64_t walked = -1;
    bool resultOnWindowThread = false;
    std::thread windowThread([&] {
        win32::Win32Background background;
        win32::Win32Files files;
        const DWORD windowThreadId = GetCurrentThreadId();
        HWND own = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        window = own;
        // The toolkit's queue, woken through the executor's message.
        auto results = std::make_shared<tk::ResultQueue>();
        results->SetBackground(&background);
        background.SetWakeHandler([results] { results->Deliver(); });
        std::int64_t found = -1;
        background.Run(
            [&] {
                walking = true;
                found = trelvix::DirSize(files, tree.Folder());
                walking = false;
            },
            [&] {
                results->HandOver([&] {
                    walked = found;
                    resultOnWindowThread = GetCurrentThreadId() == windowThreadId;
                    PostQuitMessage(0);
                });
            });
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        finished = true;
        DestroyWindow(own);
    });
    while (window.load() == nullptr)
        std::this_thread::yield();
    int unanswered = 0, roundTrips = 0, answeredDuringWalk = 0;
    while (!finished) {
        const bool walkingBefore = walking;
        DWORD_PTR result = 0;
        const bool answered =
            SendMessageTimeoutW(window.load(), WM_NULL, 0, 0, SMTO_NORMAL, 250, &result) != 0;
        if (!answered && !finished)
            ++unanswered;
        // Begun and answered while the walk ran: the window's thread was free all along.
        if (answered && walkingBefore && walking)
            ++answeredDuringWalk;
        ++roundTrips;
    }
    windowThread.join();
    EXPECT_EQ(walked, tree.Bytes());
    EXPECT_TRUE(resultOnWindowThread);
    EXPECT_EQ(unanswered, 0) << "of " << roundTrips << " round trips";
    EXPECT_GT(answeredDuringWalk, 0) << "of " << roundTrips << " round trips";
}

} // namespace
