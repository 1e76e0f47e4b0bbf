#include "autostart/StartupTasks.h"

#include <algorithm>
#include <initializer_list>

namespace trelvix {

namespace {

bool NamesThisUser(const std::string& named, const port::UserNames& user) {
    if (named.empty())
        return false; // a logon of any user
    return std::ranges::any_of(
        std::initializer_list<const std::string*>{&user.sid, &user.qualified, &user.name},
        [&](const std::string* name) { return SameTextIgnoringCase(*name, named); });
}

} // namespace

bool IsListedTask(const port::ScheduledTask& task) {
    const std::string windows = "\\Microsoft\\";
    const bool windowsOwn = task.path.size() >= windows.size() &&
                            SameTextIgnoringCase(task.path.substr(0, windows.size()), windows);
    return (task.logonTrigger || task.bootTrigger) && !windowsOwn;
}

port::RegRoot TaskRoot(const port::ScheduledTask& task, const port::UserNames& user) {
    const bool mine = std::ranges::any_of(
        task.logonUsers, [&](const std::string& named) { return NamesThisUser(named, user); });
    return mine ? port::RegRoot::CurrentUser : port::RegRoot::LocalMachine;
}

std::string TaskData(const port::ScheduledTask& task) {
    if (!task.comHandler.empty())
        return "(COM handler " + task.comHandler + ")";
    return '"' + task.actionPath + (task.actionArguments.empty() ? "" : " ") +
           task.actionArguments + '"';
}

void AppendTaskEntries(port::Ports& ports, port::RegRoot root, std::vector<RunEntry>& entries) {
    const port::UserNames user = ports.tasks.ThisUser();
    for (const port::ScheduledTask& task : ports.tasks.List()) {
        if (!IsListedTask(task) || TaskRoot(task, user) != root)
            continue;
        RunEntry entry;
        entry.source = RunSource::Task;
        entry.root = root;
        entry.name = task.path;
        entry.data = TaskData(task);
        entry.disabled = !task.enabled;
        entries.push_back(std::move(entry));
    }
}

RunEntryChange SetTaskDisabled(port::Ports& ports, RunEntry& entry, bool disabled) {
    port::ScheduledTasks& tasks = ports.tasks;
    if (!tasks.IsEnabled(entry.name))
        return RunEntryChange::Gone;
    tasks.SetEnabled(entry.name, !disabled);
    // The scheduler may take the call and keep the flag: only what it reads back counts.
    if (tasks.IsEnabled(entry.name) != std::optional<bool>(!disabled))
        return RunEntryChange::Refused;
    entry.disabled = disabled;
    return RunEntryChange::Done;
}

} // namespace trelvix
