#include "platform/win32/Win32Background.h"

#include "platform/win32/Window.h"

#include <objbase.h>

#include <thread>

namespace win32 {

struct Win32Background::Task {
    std::function<void()> job;
    std::function<void()> done;
    std::shared_ptr<std::atomic<int>> running;
};

namespace {

constexpr const wchar_t* BackgroundWindowClass = L"TrelvixBackground";
constexpr UINT JobStartMessage = WM_APP + 39;
constexpr UINT JobDoneMessage = WM_APP + 40;

// A worker's COM apartment: the shell's Recycle Bin calls want one on every thread.
class WorkerApartment {
  public:
    WorkerApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~WorkerApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    WorkerApartment(const WorkerApartment&) = delete;
    WorkerApartment& operator=(const WorkerApartment&) = delete;

  private:
    HRESULT result_;
};

} // namespace

Win32Background::Win32Background() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Background::Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = BackgroundWindowClass;
    if (RegisterWindowClass(windowClass))
        window_.reset(CreateWindowExW(0, BackgroundWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, instance, nullptr));
}

void Win32Background::Run(std::function<void()> job, std::function<void()> done) {
    if (!window_) {
        job();
        done();
        return;
    }
    auto task = std::make_unique<Task>(Task{std::move(job), std::move(done), running_});
    // Started from the message loop: jobs asked for while the window is being made begin once
    // it has been shown, rather than compete with its making.
    if (PostMessageW(window_.get(), JobStartMessage, 0, reinterpret_cast<LPARAM>(task.get())) ==
        FALSE) {
        task->job();
        task->done();
        return;
    }
    ++*running_;
    task.release();
}

bool Win32Background::Start(HWND window, Task* task) {
    try {
        std::thread([window, task] {
            // The window's thread comes first: it is what the user sees.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            {
                WorkerApartment apartment;
                task->job();
            }
            // When the window is gone the program is ending: the task is left as it is,
            // nothing of the program's may run any more.
            if (PostMessageW(window, JobDoneMessage, 0, reinterpret_cast<LPARAM>(task)) == FALSE)
                --*task->running;
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

LRESULT CALLBACK Win32Background::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message != JobStartMessage && message != JobDoneMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    auto* given = reinterpret_cast<Task*>(lParam);
    if (message == JobStartMessage && Start(window, given))
        return 0;
    // The job's result has come, or no thread was to be had and the job runs here.
    std::unique_ptr<Task> task(given);
    --*task->running;
    if (message == JobStartMessage)
        task->job();
    try {
        task->done(); // the toolkit's continuation shows its own errors; nothing may escape
    } catch (...) {
    }
    return 0;
}

} // namespace win32
