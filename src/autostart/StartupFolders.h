#pragma once

#include "autostart/RunEntries.h"

#include <string>
#include <vector>

namespace trelvix {

// What lies in a Startup folder starts at logon: the common folder's for every user, the
// user's own for this user. Windows' startup manager keeps the same records for these files as
// for the Run values, under this key of the same root, named by the file name.
inline constexpr const char* StartupFolderApprovedKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
// Where a deleted file and its record are kept, under the program's folder of local data.
inline constexpr const char* DeletedStartupFilesFolder = "Deleted startup files";

// The Startup folder of a root: the common one for the machine, the user's own; "" when the
// system names none.
[[nodiscard]] std::string StartupFolderOf(port::Files& files, port::RegRoot root);

// The data part of a Startup folder line: a shortcut's target and arguments, or the file's
// own path when it is no shortcut, quoted as a string value.
[[nodiscard]] std::string StartupFileData(port::Shell& shell, const std::string& file);

// The files of the root's Startup folder but desktop.ini, in the folder's order.
void AppendStartupFolderEntries(port::Ports& ports, port::RegRoot root,
                                std::vector<RunEntry>& entries);

// The name of the `attempt`th try at a free name for a copy: "a.lnk", then "a (2).lnk", ...
[[nodiscard]] std::string NumberedName(const std::string& name, int attempt);

// Writes the file's record, disabled with the present time or enabled, while the file is
// still there.
RunEntryChange SetStartupFileDisabled(port::Ports& ports, RunEntry& entry, bool disabled);
// Copies the file (and its record, as a .reg file beside the copy) into the kept deleted
// files, then moves it to the Recycle Bin and removes the record. A copy that cannot be made
// raises an error saying why, and nothing is deleted; an older copy is never overwritten.
RunEntryChange DeleteStartupFile(port::Ports& ports, const RunEntry& entry);

} // namespace trelvix
