#pragma once

#include "platform/Background.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace tk {

// Results of jobs that ran off the window's thread, waiting to run on it. Jobs hand their
// results in from any thread and the first one into an empty queue wakes the window's thread;
// the window's thread delivers them oldest first, a bounded batch at a time, on each wake and
// on each timer drain. A lost wake so costs at most one timer period and no result is lost.
class ResultQueue {
  public:
    // Results delivered per wake: between batches the window answers input and paints.
    static constexpr std::size_t MaxBatch = 32;

    // The executor whose Wake() calls for delivery; set on the window's thread before the
    // first job.
    void SetBackground(port::Background* background);

    // Any thread: queues a result. Dropped at once when the queue was closed.
    void HandOver(std::function<void()> result);

    // The window's thread: runs up to MaxBatch results, then wakes again when more wait.
    void Deliver();

    // The window's thread: the program is ending. What waits is dropped, later results too;
    // nothing is delivered any more.
    void Close();

    [[nodiscard]] std::size_t Waiting() const;

  private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> results_;
    port::Background* background_ = nullptr;
    bool closed_ = false;
};

} // namespace tk
