#pragma once

// The file port's safety contract, as Windows keeps it. The real port and the fake keep it
// alike, and one table of tests holds both to it.
//
// Paths are UTF-8 and of any length. Listings and changes take an absolute path in one
// spelling ("C:\a\b", "\\server\share\a": no "." or ".." names, no empty names, no '/');
// any other path is refused.
//
// A listing opens the folder's last name as itself: a link there is reported as a link and
// never listed. Beyond that, what a listing guarantees depends on whether it holds its folder:
// - Held: the folder is reached by exactly this path; one reached through a link on the way
//   is reported as a link. Until the hold is dropped, the listed folder cannot be renamed or
//   removed by anyone, this program included, so nothing can be put in its place.
// - Not held: the names on the way are not checked (the check costs a fifth of a walk) and a
//   link on the way is followed to the folder it leads to; others may rename or remove the
//   folder meanwhile. Good for sizing and showing, never for a walk that changes what it lists:
//   such a walk holds every folder it lists, and lets each go before it removes it.
//   (Wine, unlike Windows, follows a Unix link even at the last name of such a listing.)
//
// A change re-checks the entry it acts on, whatever a listing said: it acts only on the entry
// reached by exactly this path, a link as the link (never what it leads to), and refuses an
// entry reached through a link on the way, an entry of another kind than asked, the removal of
// a held folder, and whatever else the system refuses (in use, read-only, a folder not empty,
// no rights).
//
// A held listing also removes its folder's files, each opened once by its name in the held
// folder, as itself, and removed only when it is still the entry the listing named (the same
// file id; where the listing had none, reached by exactly that name): an entry swapped after
// the listing, for another file or a link, is refused and left as it is. Such a removal takes
// a read-only file too; a file that stays keeps the attributes it had.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace port {

// File attributes as the system numbers them.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t VolumeLabel = 0x8;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
// Junctions, symbolic links, mount points, cloud and deduplication placeholders.
inline constexpr std::uint32_t ReparsePoint = 0x400;
} // namespace attr

// The code that ends a complete listing (ERROR_NO_MORE_FILES).
inline constexpr std::uint32_t NoMoreFiles = 18;

struct FolderEntry {
    std::string name;
    std::uint32_t attributes = 0;
    std::int64_t size = 0; // bytes; as reported for links, never those of their targets
    std::uint64_t id = 0;  // the file system's number for the entry; 0 when it gives none
};

// What a path named, opened as itself: a link is never followed.
enum class FolderKind {
    Unopened, // missing, or the system refused to open it (see endCode)
    Folder,   // a plain folder, reached by exactly this path
    Link,     // a link, or reached only through a link on the way
    NotFolder,
};

// A held listing's folder stays in place while this lives (see the contract above).
class FolderHold {
  public:
    virtual ~FolderHold() = default;
    // Removes the file `entry` of the listing, by its name in the held folder, when it is
    // still that entry (see the contract above); false when it stays.
    virtual bool RemoveFile(const FolderEntry& entry) = 0;
};

struct FolderListing {
    FolderKind kind = FolderKind::Unopened;
    // Of a plain folder only: every entry in the order the file system keeps them,
    // "." and ".." included.
    std::vector<FolderEntry> entries;
    // The code that ended the listing: NoMoreFiles when it read everything.
    std::uint32_t endCode = 0;
    std::unique_ptr<FolderHold> hold; // only when asked for and the folder was listed
};

// What became of opening a file to read it.
enum class FileOpening {
    Missing, // no file at that path
    Opened,
    Refused, // it is there, but another program holds it without sharing, or no rights
};

struct RecycleBinContent {
    bool ok = false; // false when the query failed
    std::int64_t bytes = 0;
    std::int64_t items = 0;
};

// Folders of the system and the user, as the system names them (one known-folder ID each).
enum class KnownFolder {
    Windows,
    SystemX86,
    ProgramFiles,
    ProgramFilesX86,
    ProgramFilesX64,
    Users,          // the folder that holds the profiles
    Profile,        // this user's profile
    RoamingAppData, // %APPDATA%
    LocalAppData,   // the local data of programs (%LOCALAPPDATA%)
    LocalAppDataLow,
    ProgramData,
    Public,
    Desktop,
    Documents,
    Downloads,
    Pictures,
    Music,
    Videos,
    Favorites,
    Links,
    Contacts,
    SavedGames,
    Searches,
    OneDrive,
    InternetCache,
    History,
    Cookies,
    Startup,       // this user's Startup folder: what it holds starts at the user's logon
    CommonStartup, // the Startup folder of every user
};

// A file open for writing at its end; closed when the object goes.
class AppendableFile {
  public:
    virtual ~AppendableFile() = default;
    // Its length in bytes now; -1 when the system cannot tell.
    [[nodiscard]] virtual std::int64_t Length() = 0;
    // Writes all of `bytes` at the end. False, with the system's reason, when it could not:
    // part of them may have been written.
    virtual bool Append(const std::vector<std::uint8_t>& bytes, std::string& reason) = 0;
    // Writes what was appended through to the disk; false with the system's reason.
    virtual bool Flush(std::string& reason) = 0;
    // Cuts the file back to `length` bytes; false when the system refused.
    virtual bool Truncate(std::int64_t length) = 0;
};

// Listings and changes keep the contract at the top of this file.
class Files {
  public:
    virtual ~Files() = default;
    // The user's temporary folder with its trailing backslash, or "" when unknown.
    [[nodiscard]] virtual std::string TempPath() = 0;
    // True only when `path` names an existing file (not a folder), links followed.
    [[nodiscard]] virtual bool FileExists(const std::string& path) = 0;
    // Opens a file to read, sharing everything with others, and closes it again at once.
    [[nodiscard]] virtual FileOpening TryOpenFile(const std::string& path) = 0;
    // Creates one folder; false when it exists already or cannot be made.
    virtual bool MakeDirectory(const std::string& path) = 0;

    // Lists a folder, holding it with `hold`. A walk never asks for a link: the entry that
    // names one says what it is.
    [[nodiscard]] virtual FolderListing ListFolder(const std::string& folder, bool hold) = 0;
    // The path of what `path` names with every link on the way followed, as the system
    // spells it (case, long names); "" when it does not exist or cannot be opened.
    [[nodiscard]] virtual std::string FinalPath(const std::string& path) = 0;
    // Each false when the entry is not of that kind, not exactly at that path, or the
    // system refused (in use, read-only, a folder not empty, no rights).
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Removes an empty folder, or a link to a folder (never what it points to).
    virtual bool RemoveFolder(const std::string& path) = 0;

    // "" when the system does not have it. The path is given whether or not the folder exists.
    [[nodiscard]] virtual std::string KnownFolderPath(KnownFolder folder) = 0;
    // The folder of every profile the computer keeps (each user's, and the Default and Public
    // ones), as the system's list of profiles names them; empty when it cannot be read.
    [[nodiscard]] virtual std::vector<std::string> ProfileFolders() = 0;
    // The folder of each OneDrive account of this user.
    [[nodiscard]] virtual std::vector<std::string> OneDriveFolders() = 0;

    // The Recycle Bins of all drives.
    [[nodiscard]] virtual RecycleBinContent QueryRecycleBin() = 0;
    // Without confirmation or progress window; the system's sound is kept.
    virtual bool EmptyRecycleBin() = 0;

    // Opens a file to add to its end, made when missing; others may read it meanwhile.
    // nullptr, with the system's reason, when it cannot be opened for writing.
    [[nodiscard]] virtual std::unique_ptr<AppendableFile> OpenToAppend(const std::string& path,
                                                                       std::string& reason) = 0;
    // The whole content of a file; false when it is missing or cannot be read.
    [[nodiscard]] virtual bool ReadWholeFile(const std::string& path,
                                             std::vector<std::uint8_t>& bytes) = 0;
    // Copies a file to `to`, a name that must be free: a file there already is never
    // overwritten. False with the system's reason.
    virtual bool CopyFileNew(const std::string& from, const std::string& to,
                             std::string& reason) = 0;
    // Moves a file to the Recycle Bin, where the user can restore it; nothing is asked or
    // shown. False with the system's reason when the file stays where it was.
    virtual bool MoveToRecycleBin(const std::string& path, std::string& reason) = 0;
    // Replaces a file's content in one step (written beside it, then moved over it), so a
    // failure on the way leaves the old content. False with the system's reason.
    virtual bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                std::string& reason) = 0;
};

} // namespace port
