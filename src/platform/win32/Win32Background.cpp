#include "platform/win32/Win32Background.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/Window.h"

#include <thread>

namespace win32 {

struct Win32Background::Task {
    std::function<void()> job;
    std::function<void()> handOver;
    std::shared_ptr<std::atomic<int>> running;
};

namespace {

constexpr const wchar_t* BackgroundWindowClass = L"TrelvixBackground";
constexpr UINT JobStartMessage = WM_APP + 39;
constexpr UINT WakeMessage = WM_APP + 40;

} // namespace

Win32Background::Win32Background() {
    window_ =
        CreateHiddenWindow(BackgroundWindowClass, &Win32Background::Procedure, nullptr, false);
    if (window_)
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Win32Background::Run(std::function<void()> job, std::function<void()> handOver) {
    auto task = std::make_unique<Task>(Task{std::move(job), std::move(handOver), running_});
    ++*running_;
    // Started from the message loop: jobs asked for while the window is being made begin once
    // it has been shown, rather than compete with its making.
    if (window_ && PostMessageW(window_.get(), JobStartMessage, 0,
                                reinterpret_cast<LPARAM>(task.get())) != FALSE) {
        task.release();
        return;
    }
    if (Start(task.get())) {
        task.release();
        return;
    }
    --*running_;
    task->job();
    task->handOver();
}

bool Win32Background::Wake() {
    return window_ && PostMessageW(window_.get(), WakeMessage, 0, 0) != FALSE;
}

void Win32Background::SetWakeHandler(std::function<void()> handler) {
    onWake_ = std::move(handler);
}

bool Win32Background::Start(Task* task) {
    try {
        std::thread([task] {
            // The window's thread comes first: it is what the user sees.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            std::unique_ptr<Task> owned(task);
            {
                // The shell's Recycle Bin calls want COM on every thread.
                const ComApartment apartment(COINIT_MULTITHREADED);
                owned->job();
            }
            owned->handOver();
            --*owned->running;
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

LRESULT CALLBACK Win32Background::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == JobStartMessage) {
        auto* task = reinterpret_cast<Task*>(lParam);
        if (!Start(task)) {
            // No thread to be had: the job runs here, its result still goes through the queue.
            std::unique_ptr<Task> owned(task);
            --*owned->running;
            owned->job();
            owned->handOver();
        }
        return 0;
    }
    if (message == WakeMessage) {
        auto* self = reinterpret_cast<Win32Background*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        try {
            if (self != nullptr && self->onWake_)
                self->onWake_(); // the toolkit's delivery shows its own errors
        } catch (...) {
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win32
