#pragma once

#include "platform/Ports.h"
#include "toolkit/Task.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tk {
class ListBox;
}

namespace trelvix {

class Program;
class TMainForm;

// The Run key under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
inline constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Programs started once, at the next logon; Windows removes the value as it starts them.
inline constexpr const char* RunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// Programs an administrator's policy starts at every logon.
inline constexpr const char* PolicyRunKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

// Where an entry comes from. Windows keeps disable records only for the Run keys and the
// Startup folders; a scheduled task has its own enabled flag.
enum class RunSource { Run, RunOnce, Policy, StartupFolder, Task };

// The registry key of a source.
[[nodiscard]] const char* KeyOf(RunSource source);

// One line of an AutoStart list and the value behind it. The line is only shown: the
// value is found again by its root, view and real name, whatever the line says.
struct RunEntry {
    RunSource source = RunSource::Run;
    port::RegRoot root = port::RegRoot::CurrentUser;
    port::RegView view = port::RegView::Bits64;
    std::string name;      // a task's path
    std::string data;      // the data as the line shows it (RenderRunValue)
    bool disabled = false; // its StartupApproved record says Windows will not start it
    std::string file;      // a Startup folder's file: its path (the name is the file name)
};

// Whether two entries are the same value, folder file or task: by source, root, view and
// name, whatever their data says.
[[nodiscard]] bool SameEntry(const RunEntry& a, const RunEntry& b);

// The AutoStart page's state, for the run only.
struct AutoStartState {
    // The selected line of ListBox9 / ListBox10 at the last click (-1 = none); each
    // refill selects its entry again (by source, root, view and name) wherever it now stands,
    // or this position when the entry is gone.
    int LocalRunIndex = 0;
    int CurrentRunIndex = 0;
    // The values behind the lines of ListBox9 / ListBox10, line by line.
    std::vector<RunEntry> LocalEntries;
    std::vector<RunEntry> CurrentEntries;
    // A refresh is reading; asked for meanwhile, one more read follows it.
    bool Reading = false;
    bool ReadAgain = false;
    // The entry whose line is selected once the refresh under way has filled the lists.
    std::optional<RunEntry> SelectAfterFill;
};

// Binary data longer than this shows its first 4,096 bytes followed by "...": a value of
// megabytes would otherwise make a line of millions of characters.
inline constexpr std::size_t MaxBinaryShown = 4096;

// The data part of a list line: a string quoted, a DWORD as a signed number, binary data
// as hexadecimal bytes, anything else "Unknown".
std::string RenderRunValue(const port::RegValue& value);

// Whether two names are the same to Windows: ASCII letters in any case.
[[nodiscard]] bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// A value's name as a line shows it: each NUL inside it as the two characters "\0".
std::string ShownValueName(const std::string& name);

// The list line: name, " | Path is: ", the data, then " (32-bit)" for a value of the 32-bit
// view, " (once)", " (policy)", " (Startup folder)" or " (task)" for where it comes from, and
// " (disabled)" for a disabled one.
std::string RunEntryLine(const RunEntry& entry);

// The values of the root's Run, RunOnce and policy Run keys, in that order and each in the
// registry's order: for the per-machine Run and RunOnce keys those of the 64-bit view, then
// those of the 32-bit view. The per-user keys are one key in both views. Then the files of
// the root's Startup folder, then the scheduled tasks that go into the root's list.
std::vector<RunEntry> ReadRunEntries(port::Ports& ports, port::RegRoot root);

enum class RunEntryChange {
    Done,
    Refused, // the key cannot be changed (no administrator rights for a per-machine key)
    Gone,    // the value is no longer there
    NotKept, // Windows keeps no disable record for the entry's key
};

// Whether Disable and Enable can act on the entry.
[[nodiscard]] bool CanBeDisabled(const RunEntry& entry);
// Whether Delete can act on the entry: a scheduled task is only disabled.
[[nodiscard]] bool CanBeDeleted(const RunEntry& entry);

// Writes the entry's StartupApproved record, disabled with the present time or enabled, and
// sets entry.disabled; only while the value (or file) is still there.
RunEntryChange SetRunEntryDisabled(port::Ports& ports, RunEntry& entry, bool disabled);
// Appends the value and its StartupApproved record to the deleted-entries file, then deletes
// both (a Startup folder's file: DeleteStartupFile). When the backup cannot be written it
// raises an error saying why, and deletes nothing.
RunEntryChange DeleteRunValue(port::Ports& ports, const RunEntry& entry);

// Lays out the AutoStart page and binds its lists and context menus.
void DesignAutoStartPage(TMainForm& f);

// Sets AutoRunOn from the per-user Run key.
void DetectAutoRun(Program& p);
// Fills ListBox9 with what starts for every user and ListBox10 with what starts for this
// user, read off the window's thread (the scheduled tasks and shortcuts may take a while);
// each selects again the entry selected before, by source, root, view and name, or else the
// same line. One refresh reads at a time: asked for while it reads, one more read follows,
// so the lists end with what was there last. `busy` shows the Refresh button's busy glyph
// meanwhile.
tk::Task RefreshAutoStart(Program& p, bool busy = false);
// Selects the entry's line in whichever list holds it.
void SelectEntryLines(Program& p, const RunEntry& entry);
// Deletes the value behind the list's selected line (DeleteRunValue); the list keeps the
// line until the next refresh. Without a selection it only says "Please choose a key!"; a
// value whose name holds a NUL is refused with an error saying so.
// A per-machine entry the user may not change stays, and the status bar says why; when the
// program's own entry changes, start-with-Windows shows what Windows will now do.
void DeleteRunEntry(Program& p, const tk::ListBox& list, const std::vector<RunEntry>& entries);
// Disables or enables the entry behind the list's selected line and rewrites the line; the
// rest as for DeleteRunEntry.
void DisableRunEntry(Program& p, tk::ListBox& list, std::vector<RunEntry>& entries, bool disable);
// Greys the list's Disable and Enable items while its selected line cannot be disabled, and
// its Delete item while the line cannot be deleted.
void GreyLineItems(Program& p, const tk::ListBox& list);

} // namespace trelvix
