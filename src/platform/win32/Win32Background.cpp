#include "platform/win32/Win32Background.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/Window.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win32 {

struct Win32Background::Task {
    std::function<void()> job;
    std::function<void()> handOver;
    std::shared_ptr<std::atomic<int>> running;
    port::JobKind kind;
};

// Shared by the executor and its workers, which may outlive it (one stuck in the system).
struct Win32Background::Pool {
    explicit Pool(port::PoolLimits limits) : policy(limits, [] { return GetTickCount64(); }) {}
    std::mutex mutex;
    std::condition_variable changed;
    port::PoolPolicy policy;
    std::unordered_map<port::PoolPolicy::JobId, std::unique_ptr<Task>> tasks;
    port::PoolPolicy::JobId nextId = 1;
};

namespace {

constexpr const wchar_t* BackgroundWindowClass = L"TrelvixBackground";
constexpr UINT JobStartMessage = WM_APP + 39;
constexpr UINT WakeMessage = WM_APP + 40;
constexpr UINT_PTR HungCheckTimer = 1;

template <class Task> void RunTask(Task& task) {
    task.job();
    task.handOver();
    --*task.running;
}

// A worker's life: the jobs the policy gives it, until it tells it to end.
template <class Pool> void Work(const std::shared_ptr<Pool>& pool, int slot) {
    // The window's thread comes first: it is what the user sees.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    // The shell's Recycle Bin calls want COM on every thread.
    const ComApartment apartment(COINIT_MULTITHREADED);
    std::unique_lock lock(pool->mutex);
    for (;;) {
        const port::PoolPolicy::Turn turn = pool->policy.Take(slot);
        if (turn.what == port::PoolPolicy::Turn::Do::End)
            break;
        if (turn.what == port::PoolPolicy::Turn::Do::Wait) {
            pool->changed.wait(lock);
            continue;
        }
        auto task = std::move(pool->tasks.extract(turn.job).mapped());
        lock.unlock();
        RunTask(*task);
        task.reset(); // what the job held goes outside the lock
        lock.lock();
        pool->policy.Finished(slot);
        pool->changed.notify_all();
    }
    pool->changed.notify_all();
}

} // namespace

Win32Background::Win32Background(port::PoolLimits limits) : pool_(std::make_shared<Pool>(limits)) {
    window_ =
        CreateHiddenWindow(BackgroundWindowClass, &Win32Background::Procedure, nullptr, false);
    if (window_)
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Background::~Win32Background() {
    std::unordered_map<port::PoolPolicy::JobId, std::unique_ptr<Task>> dropped;
    std::unique_lock lock(pool_->mutex);
    pool_->policy.Stop();
    dropped.swap(pool_->tasks);
    pool_->changed.notify_all();
    // Free workers leave at once; a busy one is left to its job.
    pool_->changed.wait(lock, [this] { return pool_->policy.Idle() == 0; });
}

int Win32Background::Workers() const {
    const std::lock_guard lock(pool_->mutex);
    return pool_->policy.Live();
}

void Win32Background::Run(std::function<void()> job, std::function<void()> handOver,
                          port::JobKind kind) {
    auto task = std::make_unique<Task>(Task{std::move(job), std::move(handOver), running_, kind});
    ++*running_;
    // Started from the message loop: jobs asked for while the window is being made begin once
    // it has been shown, rather than compete with its making.
    if (window_ && PostMessageW(window_.get(), JobStartMessage, 0,
                                reinterpret_cast<LPARAM>(task.get())) != FALSE) {
        (void)task.release();
        return;
    }
    if (!Start(task)) {
        // No worker to be had: the job runs here, its result still goes through the queue.
        --*running_;
        task->job();
        task->handOver();
    }
}

bool Win32Background::Start(std::unique_ptr<Task>& task) {
    MakeWorkers();
    {
        const std::lock_guard lock(pool_->mutex);
        if (pool_->policy.Live() == 0)
            return false;
        const port::PoolPolicy::JobId id = pool_->nextId++;
        pool_->policy.Add(id, task->kind);
        pool_->tasks.emplace(id, std::move(task));
    }
    pool_->changed.notify_all();
    MakeWorkers();
    ArmCheck();
    return true;
}

void Win32Background::MakeWorkers() {
    std::vector<int> slots;
    {
        const std::lock_guard lock(pool_->mutex);
        slots = pool_->policy.WorkersToMake();
    }
    for (const int slot : slots) {
        try {
            std::thread([pool = pool_, slot] { Work(pool, slot); }).detach();
            ++threadsMade_;
        } catch (...) {
            const std::lock_guard lock(pool_->mutex);
            pool_->policy.NotMade(slot);
        }
    }
}

// While jobs wait, a timer looks again when the oldest busy worker turns hung.
void Win32Background::ArmCheck() {
    std::optional<std::uint64_t> at;
    {
        const std::lock_guard lock(pool_->mutex);
        at = pool_->policy.NextCheck();
    }
    if (!window_)
        return;
    if (!at) {
        KillTimer(window_.get(), HungCheckTimer);
        return;
    }
    const std::uint64_t now = GetTickCount64();
    const std::uint64_t delay = *at > now ? *at - now : USER_TIMER_MINIMUM;
    SetTimer(window_.get(), HungCheckTimer, static_cast<UINT>(delay), nullptr);
}

bool Win32Background::Wake() {
    return window_ && PostMessageW(window_.get(), WakeMessage, 0, 0) != FALSE;
}

void Win32Background::SetWakeHandler(std::function<void()> handler) {
    onWake_ = std::move(handler);
}

LRESULT CALLBACK Win32Background::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Background*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == JobStartMessage) {
        std::unique_ptr<Task> task(reinterpret_cast<Task*>(lParam));
        if (self == nullptr || !self->Start(task)) {
            --*task->running;
            task->job();
            task->handOver();
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == HungCheckTimer) {
        if (self != nullptr) {
            self->MakeWorkers();
            self->ArmCheck();
        }
        return 0;
    }
    if (message == WakeMessage) {
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
