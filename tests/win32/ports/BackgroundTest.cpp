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
#include <functional>
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
            },
            port::JobKind::Work);
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

// Runs the messages of this thread (the executor's window lives here) until `done`; false
// after twenty seconds, a bound for a stuck test rather than a measure.
bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG until = GetTickCount64() + 20000;
    while (!done()) {
        if (GetTickCount64() > until)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

// A job that waits for the test: a drive that does not answer. It may outlive the executor.
struct Gate {
    win32::UniqueHandle open{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> entered{0}, returned{0};
};

void RunHung(win32::Win32Background& background, const std::shared_ptr<Gate>& gate) {
    background.Run(
        [gate] {
            ++gate->entered;
            WaitForSingleObject(gate->open.get(), INFINITE);
        },
        [gate] { ++gate->returned; }, port::JobKind::DriveQuery);
}

// What a refresh asks of the executor: a query per letter and a check of the temporary folder.
void RunSurvey(win32::Win32Background& background, std::atomic<int>& done) {
    for (const wchar_t* root : {L"C:\\", L"D:\\", L"E:\\", L"Z:\\", L"Y:\\"})
        background.Run([root] { (void)GetDriveTypeW(root); }, [&done] { ++done; },
                       port::JobKind::DriveQuery);
    background.Run([] { (void)GetFileAttributesW(L"C:\\windows"); }, [&done] { ++done; },
                   port::JobKind::Work);
}

constexpr int SurveyJobs = 6;

TEST(Win32Background, AHundredSurveysMakeNoThreadAfterThePoolsOwn) {
    win32::Win32Background background;
    std::atomic<int> done{0};
    for (int round = 1; round <= 100; ++round) {
        RunSurvey(background, done);
        ASSERT_TRUE(PumpUntil([&] { return done == round * SurveyJobs; })) << round;
    }
    EXPECT_EQ(background.ThreadsMade(), 2);
    EXPECT_FALSE(background.Busy());
}

// One hung job: the other worker runs the rest at once. Both hung: the pool makes a worker
// more for each (within its cap) once they count as hung, and drops back when they return.
TEST(Win32Background, HungJobsHoldUpNoOtherAndTheirExtraWorkersGoWhenTheyReturn) {
    win32::Win32Background background;
    auto gate = std::make_shared<Gate>();
    std::atomic<int> done{0};
    RunHung(background, gate);
    RunSurvey(background, done);
    ASSERT_TRUE(PumpUntil([&] { return done == SurveyJobs; }));

    RunHung(background, gate);
    ASSERT_TRUE(PumpUntil([&] { return gate->entered == 2; }));
    RunSurvey(background, done);
    ASSERT_TRUE(PumpUntil([&] { return done == 2 * SurveyJobs; }));
    EXPECT_GE(background.ThreadsMade(), 3);
    EXPECT_LE(background.ThreadsMade(), 4);

    SetEvent(gate->open.get());
    ASSERT_TRUE(PumpUntil([&] { return gate->returned == 2; }));
    EXPECT_TRUE(PumpUntil([&] { return background.Workers() == 2; }))
        << background.Workers() << " workers";
    const int made = background.ThreadsMade();
    RunSurvey(background, done);
    ASSERT_TRUE(PumpUntil([&] { return done == 3 * SurveyJobs; }));
    EXPECT_EQ(background.ThreadsMade(), made);
}

// The program's end with a worker stuck in the system returns at once; the worker ends when
// its job returns.
TEST(Win32Background, TheEndWithAHungWorkerDoesNotWaitForIt) {
    auto gate = std::make_shared<Gate>();
    {
        win32::Win32Background background;
        RunHung(background, gate);
        ASSERT_TRUE(PumpUntil([&] { return gate->entered == 1; }));
        EXPECT_TRUE(background.Busy());
    }
    EXPECT_EQ(gate->returned, 0);
    SetEvent(gate->open.get());
    EXPECT_TRUE(PumpUntil([&] { return gate->returned == 1; }));
}

} // namespace
