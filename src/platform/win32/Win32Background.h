#pragma once

// Jobs on worker threads; wakes posted to the thread that made this object (the window's
// thread) through a message-only window.

#include "platform/Background.h"
#include "platform/win32/Handle.h"

#include <atomic>
#include <functional>
#include <memory>

namespace win32 {

// It must outlive every job it runs: the program's end waits for none and ends the process
// instead while Busy().
class Win32Background : public port::Background {
  public:
    Win32Background();
    Win32Background(const Win32Background&) = delete;
    Win32Background& operator=(const Win32Background&) = delete;

    // Each job gets a thread of its own, so a job stuck in the system (a dead network
    // share) holds up no other.
    void Run(std::function<void()> job, std::function<void()> handOver) override;
    // One posted message; false when it cannot be posted (a full queue, no window).
    bool Wake() override;
    void SetWakeHandler(std::function<void()> handler) override;

    // Jobs started whose hand-over has not finished yet.
    [[nodiscard]] bool Busy() const { return *running_ > 0; }

  private:
    struct Task;
    // Starts the task's thread; false when there is none to be had.
    static bool Start(Task* task);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<std::atomic<int>> running_ = std::make_shared<std::atomic<int>>(0);
    std::function<void()> onWake_;
    UniqueWindow window_;
};

} // namespace win32
