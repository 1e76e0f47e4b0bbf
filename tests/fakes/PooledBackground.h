#pragma once

#include "platform/Background.h"
#include "platform/PoolPolicy.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace fakes {

// The executor's pool played out on the window's thread: a job starts when the pool's own
// policy gives it a free worker, on the clock `now` reads (the program's tick count). A job
// that `hangs` (asked right after it ran) keeps its worker busy and its result held until
// ReturnHung(); any other returns at once. Call Pump() after moving the clock.
class PooledBackground : public port::Background {
  public:
    PooledBackground(const std::uint64_t& now, port::PoolLimits limits)
        : policy_(limits, [&now] { return now; }) {}

    void Run(std::function<void()> job, std::function<void()> handOver,
             port::JobKind kind) override {
        jobs_[next_] = {std::move(job), std::move(handOver)};
        policy_.Add(next_++, kind);
        Pump();
    }
    bool Wake() override {
        if (onWake_)
            onWake_();
        return true;
    }
    void SetWakeHandler(std::function<void()> handler) override { onWake_ = std::move(handler); }

    void Pump() {
        if (pumping_)
            return; // a job asked for by a result: the loop below takes it
        pumping_ = true;
        while (Step()) {
        }
        pumping_ = false;
    }

    void ReturnHung() {
        auto hung = std::move(hung_);
        hung_.clear();
        for (auto& [slot, handOver] : hung) {
            handOver();
            policy_.Finished(slot);
            free_.push_back(slot);
        }
        Pump();
    }

    std::function<bool()> hangs;
    [[nodiscard]] int Live() const { return policy_.Live(); }
    [[nodiscard]] int Made() const { return made_; }
    [[nodiscard]] std::size_t Waiting() const { return policy_.Waiting(); }

  private:
    struct Pair {
        std::function<void()> job, handOver;
    };

    // One job started or one worker ended; false when nothing moved.
    bool Step() {
        for (const int slot : policy_.WorkersToMake()) {
            free_.push_back(slot);
            ++made_;
        }
        for (const int slot : free_) {
            const port::PoolPolicy::Turn turn = policy_.Take(slot);
            if (turn.what == port::PoolPolicy::Turn::Do::Wait)
                continue;
            std::erase(free_, slot);
            if (turn.what == port::PoolPolicy::Turn::Do::Run)
                RunOn(slot, turn.job);
            return true;
        }
        return false;
    }

    void RunOn(int slot, port::PoolPolicy::JobId id) {
        Pair pair = std::move(jobs_.at(id));
        jobs_.erase(id);
        pair.job();
        if (hangs && hangs()) {
            hung_.emplace_back(slot, std::move(pair.handOver));
            return;
        }
        pair.handOver();
        policy_.Finished(slot);
        free_.push_back(slot);
    }

    port::PoolPolicy policy_;
    std::map<port::PoolPolicy::JobId, Pair> jobs_;
    port::PoolPolicy::JobId next_ = 1;
    std::vector<int> free_;
    std::vector<std::pair<int, std::function<void()>>> hung_;
    std::function<void()> onWake_;
    bool pumping_ = false;
    int made_ = 0;
};

} // namespace fakes
