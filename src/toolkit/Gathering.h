#pragma once

#include "toolkit/Application.h"

#include <algorithm>
#include <coroutine>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tk {

// Steps off the window's thread that one task awaits together (a drive survey's queries, one
// per letter), until every one is back or the task's deadline has passed:
//
//     auto steps = tk::Gathering<char>::Make(app);
//     steps->Run<Found>('C', job, back);        // or Expect('C') now, Run it later
//     auto all = steps->All();                  // a named local, as every awaited expression
//     co_await all;
//
// - `back` gets each step's result on the window's thread, or nothing when the step threw
//   (its error shown in the standard box), whenever it comes, also after the task stopped
//   waiting: its owner may still need it. It runs before the task hears of the step.
// - `Next()` gives the key of the next step back, in the order they came back, and
//   `std::nullopt` once none is out or the gathering was closed; `All()` waits for that.
// - `Close()` (or `CloseIfDue` past the deadline) ends the waiting at once; steps back after
//   that are no business of the task, and it expects no more.
// - The task waiting here is held by the application: the program's end destroys it, and a
//   step still running then writes only into this shared state, never into the frame.
template <class Key> class Gathering : public std::enable_shared_from_this<Gathering<Key>> {
  public:
    static std::shared_ptr<Gathering> Make(Application& app) {
        return std::shared_ptr<Gathering>(new Gathering(app));
    }

    // A step the task waits for, started now or later.
    void Expect(Key key) {
        if (!closed_ && !Outstanding(key))
            out_.push_back(key);
    }

    // Starts a step: `job` off the window's thread, then `back` with its result on it.
    template <class Result>
    void Run(Key key, std::function<Result()> job, std::function<void(std::optional<Result>)> back,
             port::JobKind kind = port::JobKind::Work) {
        Expect(key);
        auto got = std::make_shared<std::optional<Result>>();
        app_.RunInBackground<Result>(
            std::move(job), [got](Result result) { got->emplace(std::move(result)); },
            [self = this->shared_from_this(), key, got, back = std::move(back)] {
                self->app_.Guard([&] { back(std::move(*got)); });
                self->Arrive(key);
            },
            kind);
    }

    // A step the task waits for came back (on the window's thread).
    void Arrive(Key key) {
        const auto found = std::find(out_.begin(), out_.end(), key);
        if (closed_ || found == out_.end())
            return;
        out_.erase(found);
        back_.push_back(key);
        WakeTask();
    }

    void Close() {
        closed_ = true;
        back_.clear();
        WakeTask();
    }
    [[nodiscard]] bool Closed() const { return closed_; }

    // The deadline, on the owner's clock; CloseIfDue closes the gathering once it has passed.
    void SetDeadline(std::uint64_t at) { deadline_ = at; }
    [[nodiscard]] std::optional<std::uint64_t> Deadline() const { return deadline_; }
    bool CloseIfDue(std::uint64_t now) {
        if (closed_ || !deadline_ || now < *deadline_)
            return false;
        Close();
        return true;
    }

    [[nodiscard]] bool Outstanding(Key key) const {
        return std::find(out_.begin(), out_.end(), key) != out_.end();
    }
    [[nodiscard]] const std::vector<Key>& Outstanding() const { return out_; }

    class Awaiter {
      public:
        bool await_ready() const noexcept { return gathering_->Ready(all_); }
        void await_suspend(std::coroutine_handle<> task) {
            gathering_->task_ = task;
            gathering_->all_ = all_;
            gathering_->app_.Hold(task);
        }
        std::optional<Key> await_resume() { return gathering_->Take(all_); }

      private:
        friend class Gathering;
        Awaiter(std::shared_ptr<Gathering> gathering, bool all)
            : gathering_(std::move(gathering)), all_(all) {}
        std::shared_ptr<Gathering> gathering_;
        bool all_;
    };
    Awaiter Next() { return Awaiter(this->shared_from_this(), false); }
    Awaiter All() { return Awaiter(this->shared_from_this(), true); }

  private:
    explicit Gathering(Application& app) : app_(app) {}

    [[nodiscard]] bool Ready(bool all) const {
        return closed_ || out_.empty() || (!all && !back_.empty());
    }

    std::optional<Key> Take(bool all) {
        if (!all && !closed_ && !back_.empty()) {
            const Key key = back_.front();
            back_.pop_front();
            return key;
        }
        if (out_.empty() || all) {
            closed_ = true;
            back_.clear();
        }
        return std::nullopt;
    }

    // The task goes on at once when what it waits for is there; last, as its frame may end.
    void WakeTask() {
        if (task_ && Ready(all_))
            app_.Release(std::exchange(task_, {}));
    }

    Application& app_;
    std::vector<Key> out_;
    std::deque<Key> back_;
    bool closed_ = false;
    std::optional<std::uint64_t> deadline_;
    std::coroutine_handle<> task_;
    bool all_ = false;
};

} // namespace tk
