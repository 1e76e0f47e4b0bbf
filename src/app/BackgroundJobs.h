#pragma once

#include "app/Program.h"
#include "app/ResourceGlyphs.h"

#include <functional>
#include <memory>
#include <utility>

namespace trelvix {

// Counts a job in; the first one shows the busy glyph.
inline void JobStarted(Program& p) {
    if (p.JobsRunning++ == 0)
        p.JobsBusy = std::make_unique<BusyGlyph>(p);
}

// Counts a job out; the last one gives the idle glyph back.
inline void JobFinished(Program& p) {
    if (--p.JobsRunning == 0)
        p.JobsBusy.reset();
}

// Runs `job` off the window's thread and `done` with its result on it, then `settled`
// (also when the job failed). The Refresh button shows its busy glyph from the first job's
// start to the last result's arrival; `progress`, when given, is the job's own count shown
// in the status bar while it runs.
template <class Result>
void RunJob(Program& p, std::function<Result()> job, std::function<void(Result)> done,
            tk::Handler settled = nullptr, WorkProgressPtr progress = nullptr) {
    JobStarted(p);
    if (progress)
        WorkStarted(p, progress);
    p.App.RunInBackground<Result>(
        std::move(job), std::move(done),
        [&p, settled = std::move(settled), progress = std::move(progress)] {
            // Counted out after `settled`, which may start the next job under the same
            // glyph and progress display.
            struct Finish {
                Program& p;
                const WorkProgressPtr& progress;
                ~Finish() {
                    if (progress)
                        WorkEnded(p, progress);
                    JobFinished(p);
                }
            } finish{p, progress};
            if (settled)
                settled();
        });
}

} // namespace trelvix
