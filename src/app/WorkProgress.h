#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace trelvix {

class Program;

// How far one piece of background work has come. The job counts its files; the window's
// thread reads the count at ProgressTimer's ticks.
struct WorkProgress {
    enum class Kind { Counting, Deleting };
    Kind kind = Kind::Counting;
    std::string place; // the caption of the place worked on
    // Whether the work counts files at all: the Recycle Bin is one system call.
    bool counted = true;
    // Files a deletion expects to deal with: what the last sizing walk of the place found.
    std::int64_t expected = 0;
    std::atomic<std::int64_t> files{0};
};
using WorkProgressPtr = std::shared_ptr<WorkProgress>;

WorkProgressPtr CountingProgress(std::string place, bool counted = true);
WorkProgressPtr DeletingProgress(std::string place, std::int64_t expected, bool counted = true);

// The status bar's second part for one piece of work: "Counting Temporary Files: 12 files",
// "Deleting Temporary Files: 3 of 10 files", "Deleting Recycle Bin".
std::string ProgressText(const WorkProgress& work);

// Work starts and ends. While any work has run longer than half a second, the status bar
// has its second part with the work's progress (a deletion before the walks), and the
// window's taskbar button shows it too; when the last work ends both are plain again.
void WorkStarted(Program& p, WorkProgressPtr work);
void WorkEnded(Program& p, const WorkProgressPtr& work);
// ProgressTimer's tick: the progress as it stands now.
void ShowWorkProgress(Program& p);

} // namespace trelvix
