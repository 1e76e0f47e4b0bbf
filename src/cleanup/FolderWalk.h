#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace port {
class Files;
}

namespace trelvix {

// The walks below take a folder a place check accepted (its final path) and never follow
// a link inside it: a link to a folder is neither walked into nor counted, a link to a
// file counts with the size reported for it, and a deletion removes links themselves.

// The files a walk has dealt with so far; `onFile`, when set, runs after each one. A deletion
// stops between two files once `stop` is asked to.
struct WalkProgress {
    std::int64_t files = 0;
    std::function<void(std::int64_t files)> onFile;
    std::stop_token stop;
    void FileDone() {
        ++files;
        if (onFile)
            onFile(files);
    }
};

// The path of `name` inside `folder`.
std::string PathIn(const std::string& folder, const std::string& name);

// The names of a folder's top level in the file system's order, "." and ".." left out;
// empty when it cannot be listed.
std::vector<std::string> FolderContent(port::Files& files, const std::string& folder);

// Bytes of all files under a folder, hidden and system files included; a folder that
// cannot be listed adds nothing.
std::int64_t DirSize(port::Files& files, const std::string& folder,
                     WalkProgress* progress = nullptr);

// Deletes what a folder holds, bottom up; the folder itself stays. Entries whose names begin
// with "." and entries that are exactly a volume label are left, and so are the entries at
// the paths `kept`. Read-only files are made deletable first, and a file that cannot be
// deleted (in use, no rights) stays with its attributes as they were and with the folders
// above it. Each subfolder is removed once everything under it went. True when everything
// went.
bool DeleteFolderContent(port::Files& files, const std::string& folder,
                         const std::vector<std::string>& kept = {},
                         WalkProgress* progress = nullptr);

} // namespace trelvix
