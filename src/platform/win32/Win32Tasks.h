#pragma once

// The Task Scheduler 2.0 through COM (ITaskService); every call needs COM on the calling
// thread. Any failure on the way reads as "nothing there": a task the program cannot read is
// one it cannot change either.

#include "platform/Tasks.h"
#include "platform/win32/Handle.h"

#include <mutex>

namespace win32 {

class Win32Tasks : public port::ScheduledTasks {
  public:
    // ITaskFolder::GetTasks with hidden tasks, in every folder below the root.
    std::vector<port::ScheduledTask> List() override;
    // IRegisteredTask::get_Enabled.
    std::optional<bool> IsEnabled(const std::string& path) override;
    // IRegisteredTask::put_Enabled; the scheduler refuses it without the rights to the task.
    void SetEnabled(const std::string& path, bool enabled) override;
    // The token's user as a SID string, GetUserNameExW(NameSamCompatible) and GetUserNameW.
    port::UserNames ThisUser() override;

  private:
    // The lists are read on a worker while the watcher's thread rereads them, and the first
    // calls of a process into the scheduler and the security packages are not safe to make
    // from two threads at once: one call at a time.
    std::mutex mutex_;
};

} // namespace win32
