#pragma once

// Jobs on a few worker threads made once; wakes posted to the thread that made this object
// (the window's thread) through a message-only window.

#include "platform/Background.h"
#include "platform/PoolPolicy.h"
#include "platform/win32/Handle.h"

#include <atomic>
#include <functional>
#include <memory>

namespace win32 {

// The program's end waits for no job: it ends the process instead while Busy(). Destroyed
// with a job still out (a worker stuck in the system), it leaves that worker behind: the
// worker ends when its job returns, and runs nothing more.
class Win32Background : public port::Background {
  public:
    explicit Win32Background(port::PoolLimits limits = {});
    ~Win32Background() override;
    Win32Background(const Win32Background&) = delete;
    Win32Background& operator=(const Win32Background&) = delete;

    // The workers and what they run next follow port::PoolPolicy; each worker is in the
    // multithreaded COM apartment for its whole life.
    void Run(std::function<void()> job, std::function<void()> handOver,
             port::JobKind kind) override;
    // One posted message; false when it cannot be posted (a full queue, no window).
    bool Wake() override;
    void SetWakeHandler(std::function<void()> handler) override;

    // Jobs asked for whose hand-over has not finished yet.
    [[nodiscard]] bool Busy() const { return *running_ > 0; }
    // Worker threads this executor has made in its life, and those alive now.
    [[nodiscard]] int ThreadsMade() const { return threadsMade_; }
    [[nodiscard]] int Workers() const;

  private:
    struct Task;
    struct Pool;
    // Queues the task and makes the workers the pool wants; false, the task left with the
    // caller, when no worker is there to run it.
    bool Start(std::unique_ptr<Task>& task);
    void MakeWorkers();
    void ArmCheck();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<std::atomic<int>> running_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<Pool> pool_;
    std::atomic<int> threadsMade_{0};
    std::function<void()> onWake_;
    UniqueWindow window_;
};

} // namespace win32
