#include "cleanup/FolderWalk.h"

#include "platform/Files.h"

#include <algorithm>
#include <cctype>

namespace trelvix {

namespace {

bool IsDotOrDotDot(const std::string& name) {
    return name == "." || name == "..";
}

bool Has(std::uint32_t attributes, std::uint32_t bit) {
    return (attributes & bit) != 0;
}

// The attributes a file is given back when it could not be deleted: read-only, hidden,
// system, archive, temporary, not indexed.
constexpr std::uint32_t KeptAttributes = 0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x2000;

bool IsPlainFolder(const port::FolderEntry& entry) {
    return Has(entry.attributes, port::attr::Directory) &&
           !Has(entry.attributes, port::attr::ReparsePoint);
}

// One folder being emptied: its listing (which holds it in place), the next entry to
// deal with, and whether everything so far went.
struct Emptying {
    std::string folder;
    port::FolderListing listing;
    bool removeItself = true; // a subfolder; never the folder the deletion was given
    size_t next = 0;
    bool ok = true;
};

class Deletion {
  public:
    Deletion(port::Files& files, const std::vector<std::string>& kept, WalkProgress* progress)
        : files_(files), kept_(kept), progress_(progress) {}

    bool Run(const std::string& folder) {
        if (!Open(folder, false))
            return false;
        bool ok = true;
        // Iterative, so that no depth of folders can run out of stack.
        while (!open_.empty()) {
            if (stopped_)
                return false;
            Emptying& current = open_.back();
            if (current.next < current.listing.entries.size()) {
                const port::FolderEntry& entry = current.listing.entries[current.next++];
                DealWith(current, entry);
                continue;
            }
            ok = Close(current);
            open_.pop_back();
            if (!open_.empty())
                open_.back().ok = ok && open_.back().ok;
        }
        return ok;
    }

  private:
    bool Open(const std::string& folder, bool removeItself) {
        port::FolderListing listing = files_.ListFolder(folder, true);
        if (listing.kind != port::FolderKind::Folder)
            return false;
        open_.push_back({folder, std::move(listing), removeItself});
        return true;
    }

    // One entry of the folder being emptied. The folder object may move when a subfolder
    // is opened, so it is not used after that.
    void DealWith(Emptying& in, const port::FolderEntry& entry) {
        if (entry.name.empty() || entry.name[0] == '.' ||
            entry.attributes == port::attr::VolumeLabel)
            return;
        const std::string path = PathIn(in.folder, entry.name);
        if (IsKept(path)) {
            in.ok = false;
            return;
        }
        if (Has(entry.attributes, port::attr::Directory)) {
            if (Has(entry.attributes, port::attr::ReparsePoint))
                in.ok = files_.RemoveFolder(path) && in.ok;
            else if (!Open(path, true))
                in.ok = false;
            return;
        }
        if (Has(entry.attributes, port::attr::VolumeLabel))
            return;
        in.ok = RemoveFile(path, entry.attributes) && in.ok;
        if (progress_ != nullptr) {
            progress_->FileDone();
            stopped_ = progress_->stop.stop_requested();
        }
    }

    // A read-only file is made deletable first, and given its attributes back when it stays.
    bool RemoveFile(const std::string& path, std::uint32_t attributes) {
        const bool readOnly = Has(attributes, port::attr::ReadOnly);
        if (readOnly)
            files_.SetAttributes(path, port::attr::Archive);
        if (files_.RemoveFile(path))
            return true;
        if (readOnly)
            files_.SetAttributes(path, attributes & KeptAttributes);
        return false;
    }

    bool IsKept(const std::string& path) const {
        return std::any_of(kept_.begin(), kept_.end(), [&](const std::string& kept) {
            return path.size() == kept.size() &&
                   std::equal(path.begin(), path.end(), kept.begin(), [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) ==
                              std::tolower(static_cast<unsigned char>(b));
                   });
        });
    }

    // The folder is done with: it is let go, then removed when all of it went.
    bool Close(Emptying& done) {
        done.listing.hold.reset();
        if (done.removeItself && done.ok && done.listing.endCode == port::NoMoreFiles)
            done.ok = files_.RemoveFolder(done.folder);
        return done.ok;
    }

    port::Files& files_;
    const std::vector<std::string>& kept_;
    WalkProgress* progress_;
    std::vector<Emptying> open_;
    bool stopped_ = false;
};

} // namespace

std::string PathIn(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

std::vector<std::string> FolderContent(port::Files& files, const std::string& folder) {
    std::vector<std::string> names;
    port::FolderListing listing = files.ListFolder(folder, false);
    if (listing.kind != port::FolderKind::Folder)
        return names;
    for (port::FolderEntry& entry : listing.entries)
        if (!IsDotOrDotDot(entry.name))
            names.push_back(std::move(entry.name));
    return names;
}

std::int64_t DirSize(port::Files& files, const std::string& folder, WalkProgress* progress) {
    std::int64_t sum = 0;
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        const port::FolderListing listing = files.ListFolder(current, false);
        if (listing.kind != port::FolderKind::Folder)
            continue;
        for (const port::FolderEntry& entry : listing.entries) {
            if (IsDotOrDotDot(entry.name))
                continue;
            if (IsPlainFolder(entry)) {
                pending.push_back(PathIn(current, entry.name));
            } else if (!Has(entry.attributes, port::attr::Directory)) {
                sum += entry.size;
                if (progress != nullptr)
                    progress->FileDone();
            }
        }
    }
    return sum;
}

bool DeleteFolderContent(port::Files& files, const std::string& folder,
                         const std::vector<std::string>& kept, WalkProgress* progress) {
    return Deletion(files, kept, progress).Run(folder);
}

} // namespace trelvix
