#pragma once

#include "toolkit/Application.h"

#include <coroutine>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace tk {

// A job that reads top to bottom: a coroutine on the window's thread whose background steps
// run off it. `co_await` of a `BackgroundStep` runs the step on the executor and resumes the
// coroutine on the window's thread, as one message between other messages (also inside the
// message loop of a box, as a handler's result would be), so what follows the `co_await`
// may touch controls and program state again.
//
//     tk::Task RefreshThing(Program& p, Thing which) {   // the first parameter names the program
//         BusyGlyph busy(p);                             // scope objects end with the task
//         auto step = tk::InBackground<Found>(p.App, [&ports = p.Ports, which] { ... });
//         Found found = co_await step;                   // off the window's thread
//         Show(p, found);                                // back on it
//     }
//
// The rules a task keeps:
// - It starts at once and runs up to its first suspension in the caller; nobody owns it: it
//   ends by itself, its frame going with it. A task may start other tasks, await one of them
//   (a refresh its survey), and share state with them through objects it holds.
// - Its first parameter is the program or the application: `TaskApplication(first)`, found by
//   argument-dependent lookup, gives the application whose error box shows what escapes it.
// - The program's end (`Application::End`) destroys every suspended task while the whole
//   program is still alive, with `Application::Ending()` set: its scope objects run and must
//   then touch no control and save nothing. It is never resumed after that.
// - A step runs off the window's thread and writes only into state the step itself holds
//   (shared with the awaiter), never into the task's frame, which may be gone by then. The
//   step touches no control and no program state; it may watch a `std::stop_token`.
// - What a step throws comes out of its `co_await`; what the task lets escape, before or
//   after a suspension, is shown in the standard error box, like a handler's error.
// - Coroutines are functions with parameters, never capturing lambdas (their captures die at
//   the first suspension), and each awaited expression is a named local (GCC 12 mishandles
//   temporaries across a suspension).
class Task {
  public:
    // Whether the task has ended, and who awaits that: shared by the frame and the Task
    // object, either of which may go first.
    struct Finish {
        Application* app = nullptr;
        bool done = false;
        std::coroutine_handle<> awaiting;
    };

    struct promise_type {
        // The coroutine's parameters: the first names the application.
        template <class Owner, class... Rest>
        explicit promise_type(Owner& owner, Rest&... /*rest*/) : app(&TaskApplication(owner)) {
            finish->app = app;
        }

        Task get_return_object() noexcept { return Task(finish); }
        std::suspend_never initial_suspend() noexcept { return {}; }
        // The frame goes first; then the task awaiting this one goes on, on the same call.
        struct Ended {
            bool await_ready() const noexcept { return false; }
            void await_suspend(std::coroutine_handle<promise_type> task) noexcept {
                const std::shared_ptr<Finish> finish = std::move(task.promise().finish);
                task.destroy();
                finish->done = true;
                if (finish->awaiting)
                    finish->app->Release(std::exchange(finish->awaiting, {}));
            }
            void await_resume() const noexcept {}
        };
        Ended final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { app->ShowCurrentException(); }

        Application* app;
        std::shared_ptr<Finish> finish = std::make_shared<Finish>();
    };

    // Another task may await this one (once), as a named local: it goes on when this one
    // has ended, also when it ended in an error. A task destroyed by the program's end
    // never ends, and the one awaiting it is destroyed too.
    bool await_ready() const noexcept { return finish_->done; }
    void await_suspend(std::coroutine_handle<> awaiting) {
        finish_->awaiting = awaiting;
        finish_->app->Hold(awaiting);
    }
    void await_resume() const noexcept {}

  private:
    explicit Task(std::shared_ptr<Finish> finish) : finish_(std::move(finish)) {}
    std::shared_ptr<Finish> finish_;
};

inline Application& TaskApplication(Application& app) {
    return app;
}

// An awaitable step off the window's thread. Make one with InBackground and await it as a
// named local.
template <class Result> class BackgroundStep {
  public:
    BackgroundStep(Application& app, std::function<Result()> job)
        : app_(app), job_(std::move(job)) {}

    bool await_ready() const noexcept { return false; }

    // Suspends unless the step ran at once (no executor, or its result was handed over
    // before the executor returned); the task is resumed through the result queue.
    bool await_suspend(std::coroutine_handle<> task) {
        auto work = [outcome = outcome_, job = std::move(job_)] {
            try {
                outcome->result.emplace(job());
            } catch (...) {
                outcome->error = std::current_exception();
            }
        };
        return app_.Suspend(std::move(work), task);
    }

    Result await_resume() {
        if (outcome_->error)
            std::rethrow_exception(outcome_->error);
        return std::move(*outcome_->result);
    }

  private:
    // Shared with the worker: what it writes outlives the frame.
    struct Outcome {
        std::optional<Result> result;
        std::exception_ptr error;
    };
    Application& app_;
    std::function<Result()> job_;
    std::shared_ptr<Outcome> outcome_ = std::make_shared<Outcome>();
};

template <class Job> auto InBackground(Application& app, Job job) {
    using Result = std::invoke_result_t<Job&>;
    return BackgroundStep<Result>(app, std::function<Result()>(std::move(job)));
}

} // namespace tk
