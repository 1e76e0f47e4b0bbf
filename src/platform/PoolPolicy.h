#pragma once

// The decisions of the background executor's worker pool, apart from its threads: which job
// a free worker runs, when a worker counts as hung, when the pool grows and when it shrinks.
// Plain C++ over an injected clock; the executor calls it under its own lock.

#include "platform/Background.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace port {

struct PoolLimits {
    int workers = 2;                // made at the first job and kept; at least two
    int extraForHung = 2;           // at most this many more, one for each hung worker
    std::uint64_t hungAfter = 2000; // milliseconds busy with one job
};

// The rules:
// - Order: walks and deletions (JobKind::Work) go before the drive queries waiting, each kind
//   oldest first.
// - Room for the drives: a Work job starts only while another worker, not hung and not busy
//   with Work, stays for the drive queries; so a long deletion never leaves the surveys
//   without a worker. Drive queries may take every worker.
// - Hung: a worker busy with one job longer than `hungAfter` is hung (a drive or share that
//   does not answer). While a job waits that no free worker may take, the pool makes one more
//   worker for each hung one, up to `extraForHung` more.
// - Dropping back: a free worker with nothing to take ends when the pool has more workers
//   than its own plus one for each hung worker (up to the cap): the extra goes once the hung
//   job returns.
// - Stopped: no job starts any more; free workers end, busy ones end when their job returns.
class PoolPolicy {
  public:
    using JobId = std::uint64_t;
    using Clock = std::function<std::uint64_t()>; // milliseconds

    PoolPolicy(PoolLimits limits, Clock now);

    void Add(JobId job, JobKind kind);

    // Slots of the workers to make now; each new worker then asks Take with its slot.
    std::vector<int> WorkersToMake();
    // A worker could not be made after all.
    void NotMade(int slot);

    struct Turn {
        enum class Do { Run, Wait, End } what = Do::Wait;
        JobId job = 0;
    };
    // A free worker asks what to do; a Run marks it busy, an End frees its slot.
    Turn Take(int slot);
    // The worker's job (and its hand-over) has returned; the worker is free.
    void Finished(int slot);

    void Stop();

    // When WorkersToMake may have a worker to make that it has not now: the moment the
    // oldest busy worker turns hung, while a job waits and the cap is not reached.
    [[nodiscard]] std::optional<std::uint64_t> NextCheck() const;

    [[nodiscard]] int Live() const;
    [[nodiscard]] int Idle() const;
    [[nodiscard]] int Hung() const;
    [[nodiscard]] std::size_t Waiting() const { return work_.size() + drives_.size(); }

  private:
    struct Worker {
        enum class State { Gone, Idle, Busy } state = State::Gone;
        JobKind kind = JobKind::Work;
        std::uint64_t since = 0;
    };

    [[nodiscard]] bool IsHung(const Worker& w, std::uint64_t now) const;
    [[nodiscard]] int Size(std::uint64_t now) const;
    // Workers not hung and not busy with Work: those that drive queries can count on.
    [[nodiscard]] int ForDrives(std::uint64_t now) const;
    [[nodiscard]] bool WorkMayStart(std::uint64_t now) const;
    // A job waits that none of the free workers may take.
    [[nodiscard]] bool Starved(std::uint64_t now) const;
    int MakeSlot();

    PoolLimits limits_;
    Clock now_;
    std::vector<Worker> workers_;
    std::deque<JobId> work_, drives_;
    bool stopped_ = false;
};

} // namespace port
