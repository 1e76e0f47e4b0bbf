#include "toolkit/ResultQueue.h"

#include <utility>
#include <vector>

namespace tk {

void ResultQueue::SetBackground(port::Background* background) {
    const std::lock_guard lock(mutex_);
    background_ = background;
}

void ResultQueue::HandOver(std::function<void()> result) {
    port::Background* wake = nullptr;
    {
        const std::lock_guard lock(mutex_);
        if (closed_)
            return; // `result` goes here, outside the lock
        // Only the first result into an empty queue wakes: the others ride on its wake.
        if (results_.empty())
            wake = background_;
        results_.push_back(std::move(result));
    }
    if (wake != nullptr)
        (void)wake->Wake();
}

void ResultQueue::Deliver() {
    std::vector<std::function<void()>> batch;
    port::Background* wake = nullptr;
    {
        const std::lock_guard lock(mutex_);
        while (!results_.empty() && batch.size() < MaxBatch) {
            batch.push_back(std::move(results_.front()));
            results_.pop_front();
        }
        if (!results_.empty())
            wake = background_;
    }
    // Asked before the batch runs: a result may open a box whose message loop delivers the
    // rest meanwhile.
    if (wake != nullptr)
        (void)wake->Wake();
    for (auto& result : batch) {
        {
            const std::lock_guard lock(mutex_);
            if (closed_)
                return;
        }
        result();
    }
}

void ResultQueue::Close() {
    std::deque<std::function<void()>> dropped;
    const std::lock_guard lock(mutex_);
    closed_ = true;
    dropped.swap(results_);
    background_ = nullptr;
}

std::size_t ResultQueue::Waiting() const {
    const std::lock_guard lock(mutex_);
    return results_.size();
}

} // namespace tk
