#pragma once

#include "autostart/RunEntries.h"
#include "platform/Tasks.h"

#include <string>
#include <vector>

namespace trelvix {

// Scheduled tasks that start with Windows: those with a logon or a boot trigger. Windows' own
// (under \Microsoft\) are left out: disabling them can break Windows.
[[nodiscard]] bool IsListedTask(const port::ScheduledTask& task);

// The list a task goes into: the lower one when one of its logon triggers names this user (as
// a SID, "DOMAIN\user" or "user", in any case), the upper one otherwise.
[[nodiscard]] port::RegRoot TaskRoot(const port::ScheduledTask& task, const port::UserNames& user);

// The data part of a task's line: its first action's program and arguments quoted as a
// string value, or "(COM handler <CLSID>)".
[[nodiscard]] std::string TaskData(const port::ScheduledTask& task);

// The listed tasks that go into the root's list, in the scheduler's order.
void AppendTaskEntries(port::Ports& ports, port::RegRoot root, std::vector<RunEntry>& entries);

// Sets the task's enabled flag and reads it back: a flag left as it was is a refusal.
RunEntryChange SetTaskDisabled(port::Ports& ports, RunEntry& entry, bool disabled);

} // namespace trelvix
