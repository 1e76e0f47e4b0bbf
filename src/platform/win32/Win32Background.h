#pragma once

// Jobs on worker threads, their continuations posted back to the thread that made this
// object (the window's thread) through a message-only window.

#include "platform/Background.h"
#include "platform/win32/Handle.h"

#include <atomic>
#include <memory>

namespace win32 {

class Win32Background : public port::Background {
  public:
    Win32Background();
    Win32Background(const Win32Background&) = delete;
    Win32Background& operator=(const Win32Background&) = delete;

    // Each job gets a thread of its own, so a job stuck in the system (a dead network
    // share) holds up no other. Without the message window, jobs run at once in the caller.
    void Run(std::function<void()> job, std::function<void()> done) override;

    // Jobs started whose continuation has not run yet.
    [[nodiscard]] bool Busy() const { return *running_ > 0; }

  private:
    struct Task;
    // Starts the task's thread; false when there is none to be had.
    static bool Start(HWND window, Task* task);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<std::atomic<int>> running_ = std::make_shared<std::atomic<int>>(0);
    UniqueWindow window_;
};

} // namespace win32
