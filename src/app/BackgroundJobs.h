#pragma once

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "toolkit/Task.h"

#include <functional>
#include <coroutine>
#include <memory>
#include <optional>
#include <utility>

namespace trelvix {

// A piece of work shown in the status bar for as long as this lives. At the program's end it
// touches no control.
class ShownWork {
  public:
    ShownWork(Program& p, WorkProgressPtr work) : p_(p), work_(std::move(work)) {
        WorkStarted(p_, work_);
    }
    ~ShownWork() {
        if (p_.App.Ending())
            std::erase(p_.Work, work_);
        else
            p_.App.Guard([this] { WorkEnded(p_, work_); });
    }
    ShownWork(const ShownWork&) = delete;
    ShownWork& operator=(const ShownWork&) = delete;

  private:
    Program& p_;
    WorkProgressPtr work_;
};

// A task's step off the window's thread whose progress shows while the step lives (keep it
// as a named local until what follows its result is done), or no step at all: then awaiting
// it gives Result{} at once. The job writes only into what it holds, `work` included.
template <class Result> class ShownStep {
  public:
    ShownStep() = default;
    ShownStep(Program& p, WorkProgressPtr work, std::function<Result()> job) {
        step_.emplace(p.App, std::move(job));
        shown_.emplace(p, std::move(work));
    }

    [[nodiscard]] bool Runs() const { return step_.has_value(); }

    bool await_ready() const noexcept { return !step_; }
    bool await_suspend(std::coroutine_handle<> task) { return step_->await_suspend(task); }
    Result await_resume() { return step_ ? step_->await_resume() : Result{}; }

  private:
    std::optional<tk::BackgroundStep<Result>> step_;
    std::optional<ShownWork> shown_;
};

} // namespace trelvix
