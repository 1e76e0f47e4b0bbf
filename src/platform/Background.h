#pragma once

#include <functional>

namespace port {

// What a job does, for the order the executor runs jobs in: walks, deletions and the other
// work go before the drive queries waiting, so they never wait behind a drive that does not
// answer.
enum class JobKind { Work, DriveQuery };

// Work off the window's thread, and the one way back to it. The toolkit keeps the results in
// its own locked queue; this port only runs jobs and wakes the window's thread.
//
// The contract, for every executor:
// - Run: `job` runs on another thread, then `handOver` on that same thread right after it
//   (the toolkit's hand-over puts the result in its queue and calls Wake()). When no thread
//   can be had, both run at once in the caller. A job never touches controls or the
//   program's state. Jobs share a few workers made once, so a job may start later than
//   asked, and out of order by `kind`: Work before the drive queries waiting, while a drive
//   query always finds a worker that no walk or deletion holds. A job busy longer than the
//   drive-query deadline counts as hung: the executor adds a worker for it, up to a small
//   cap, and drops it when the job returns. A long-lived wait (a watcher) is never a job:
//   it has a thread of its own. The program's end waits for no job.
// - Wake: any thread may call it; it asks the window's thread to call the wake handler soon,
//   as a message between other messages. Several wakes may come as one call. False when the
//   request could not be made (the message queue is full, or the window is gone because the
//   program is ending): the caller does not retry, the toolkit's next timer drain covers it.
// - SetWakeHandler: on the window's thread, before the first Run; an empty handler ends the
//   calls. The handler runs only on the window's thread.
class Background {
  public:
    virtual ~Background() = default;
    virtual void Run(std::function<void()> job, std::function<void()> handOver, JobKind kind) = 0;
    [[nodiscard]] virtual bool Wake() = 0;
    virtual void SetWakeHandler(std::function<void()> handler) = 0;
};

} // namespace port
