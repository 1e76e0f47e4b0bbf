#pragma once

#include <optional>
#include <string>
#include <vector>

namespace port {

// One scheduled task as the program needs it to tell whether it starts with Windows.
struct ScheduledTask {
    std::string path; // "\Folder\Name", as the Task Scheduler names it
    bool enabled = true;
    bool bootTrigger = false;  // a trigger at the system's start
    bool logonTrigger = false; // a trigger at a logon
    // The users the task's logon triggers name, as written there (a SID, "DOMAIN\user" or
    // "user"); an empty one for a logon of any user.
    std::vector<std::string> logonUsers;
    // The first action: a program's path and arguments, or the class of a COM handler.
    std::string actionPath;
    std::string actionArguments;
    std::string comHandler; // "{CLSID}" when the first action is a COM handler
};

// The ways a user can be named in a task: as a SID, "DOMAIN\user" and "user".
struct UserNames {
    std::string sid;
    std::string qualified;
    std::string name;
};

// The Task Scheduler, narrowed to what the AutoStart page reads and changes.
class ScheduledTasks {
  public:
    virtual ~ScheduledTasks() = default;
    // Every task of every folder the user may see; empty when the scheduler cannot be read.
    [[nodiscard]] virtual std::vector<ScheduledTask> List() = 0;
    // Whether the task is enabled now; nullopt when it cannot be found or read.
    [[nodiscard]] virtual std::optional<bool> IsEnabled(const std::string& path) = 0;
    // Asks for the task to be enabled or disabled. The answer alone proves nothing: a change
    // is read back with IsEnabled.
    virtual void SetEnabled(const std::string& path, bool enabled) = 0;
    // The user the program runs as.
    [[nodiscard]] virtual UserNames ThisUser() = 0;
};

} // namespace port
