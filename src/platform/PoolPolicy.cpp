#include "platform/PoolPolicy.h"

#include <algorithm>
#include <utility>

namespace port {

PoolPolicy::PoolPolicy(PoolLimits limits, Clock now) : limits_(limits), now_(std::move(now)) {
    // One worker could never leave room for the drives beside a walk.
    limits_.workers = std::max(limits_.workers, 2);
    limits_.extraForHung = std::max(limits_.extraForHung, 0);
}

void PoolPolicy::Add(JobId job, JobKind kind) {
    (kind == JobKind::DriveQuery ? drives_ : work_).push_back(job);
}

bool PoolPolicy::IsHung(const Worker& w, std::uint64_t now) const {
    return w.state == Worker::State::Busy && now > w.since && now - w.since > limits_.hungAfter;
}

int PoolPolicy::Live() const {
    return static_cast<int>(std::ranges::count_if(
        workers_, [](const Worker& w) { return w.state != Worker::State::Gone; }));
}

int PoolPolicy::Idle() const {
    return static_cast<int>(std::ranges::count_if(
        workers_, [](const Worker& w) { return w.state == Worker::State::Idle; }));
}

int PoolPolicy::Hung() const {
    const std::uint64_t now = now_();
    return static_cast<int>(
        std::ranges::count_if(workers_, [&](const Worker& w) { return IsHung(w, now); }));
}

int PoolPolicy::Size(std::uint64_t now) const {
    const int hung = static_cast<int>(
        std::ranges::count_if(workers_, [&](const Worker& w) { return IsHung(w, now); }));
    return limits_.workers + std::min(hung, limits_.extraForHung);
}

int PoolPolicy::ForDrives(std::uint64_t now) const {
    return static_cast<int>(std::ranges::count_if(workers_, [&](const Worker& w) {
        return w.state == Worker::State::Idle ||
               (w.state == Worker::State::Busy && w.kind == JobKind::DriveQuery && !IsHung(w, now));
    }));
}

bool PoolPolicy::WorkMayStart(std::uint64_t now) const {
    // The worker taking the job is one of those counted; another must stay.
    return ForDrives(now) >= 2;
}

bool PoolPolicy::Starved(std::uint64_t now) const {
    if (Idle() == 0)
        return Waiting() > 0;
    return drives_.empty() && !work_.empty() && !WorkMayStart(now);
}

int PoolPolicy::MakeSlot() {
    auto gone = std::ranges::find_if(
        workers_, [](const Worker& w) { return w.state == Worker::State::Gone; });
    if (gone == workers_.end())
        gone = workers_.insert(workers_.end(), Worker{});
    gone->state = Worker::State::Idle;
    return static_cast<int>(gone - workers_.begin());
}

std::vector<int> PoolPolicy::WorkersToMake() {
    std::vector<int> made;
    if (stopped_)
        return made;
    while (Live() < limits_.workers)
        made.push_back(MakeSlot());
    const std::uint64_t now = now_();
    while (Starved(now) && Live() < Size(now))
        made.push_back(MakeSlot());
    return made;
}

void PoolPolicy::NotMade(int slot) {
    workers_.at(static_cast<std::size_t>(slot)).state = Worker::State::Gone;
}

PoolPolicy::Turn PoolPolicy::Take(int slot) {
    Worker& worker = workers_.at(static_cast<std::size_t>(slot));
    const std::uint64_t now = now_();
    auto run = [&](std::deque<JobId>& queue, JobKind kind) {
        worker = {Worker::State::Busy, kind, now};
        const JobId job = queue.front();
        queue.pop_front();
        return Turn{Turn::Do::Run, job};
    };
    if (!stopped_ && !work_.empty() && WorkMayStart(now))
        return run(work_, JobKind::Work);
    if (!stopped_ && !drives_.empty())
        return run(drives_, JobKind::DriveQuery);
    if (stopped_ || Live() > Size(now)) {
        worker.state = Worker::State::Gone;
        return {Turn::Do::End};
    }
    return {Turn::Do::Wait};
}

void PoolPolicy::Finished(int slot) {
    workers_.at(static_cast<std::size_t>(slot)).state = Worker::State::Idle;
}

void PoolPolicy::Stop() {
    stopped_ = true;
}

std::optional<std::uint64_t> PoolPolicy::NextCheck() const {
    const std::uint64_t now = now_();
    if (stopped_ || Waiting() == 0 || Live() >= limits_.workers + limits_.extraForHung)
        return std::nullopt;
    std::optional<std::uint64_t> first;
    for (const Worker& w : workers_)
        if (w.state == Worker::State::Busy && !IsHung(w, now)) {
            const std::uint64_t at = w.since + limits_.hungAfter + 1;
            first = first ? std::min(*first, at) : at;
        }
    return first;
}

} // namespace port
