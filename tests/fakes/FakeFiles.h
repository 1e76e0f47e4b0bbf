#pragma once

// An in-memory file system for the files port: drives, folders, files, and links that
// really lead to other parts of the tree, so that a walk that followed them would reach
// (and empty) what lies outside the folder it was given.

#include "platform/Files.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

class FakeFiles : public port::Files {
  public:
    FakeFiles();
    ~FakeFiles() override;

    std::string TempPath() override { return tempPath; }
    bool FileExists(const std::string& path) override;
    port::FileOpening TryOpenFile(const std::string& path) override;
    bool MakeDirectory(const std::string& path) override;
    port::FolderListing ListFolder(const std::string& folder, bool hold) override;
    std::string FinalPath(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::string KnownFolderPath(port::KnownFolder folder) override;
    std::vector<std::string> ProfileFolders() override { return profileFolders; }
    std::vector<std::string> OneDriveFolders() override { return oneDriveFolders; }
    port::RecycleBinContent QueryRecycleBin() override;
    bool EmptyRecycleBin() override;
    std::unique_ptr<port::AppendableFile> OpenToAppend(const std::string& path,
                                                       std::string& reason) override;
    bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    bool CopyFileNew(const std::string& from, const std::string& to, std::string& reason) override;
    bool MoveToRecycleBin(const std::string& path, std::string& reason) override;
    bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& reason) override;

    // ---- Arranging the tree. Paths are "C:\a\b"; names match without regard to case. ----
    // A folder and every folder above it.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, std::int64_t size,
                 std::uint32_t attributes = port::attr::Archive);
    // A link to `target` (a folder link unless `toFile`); its entry reports `size`.
    void AddLink(const std::string& path, const std::string& target, bool toFile = false,
                 std::int64_t size = 0);
    // A file or folder that cannot be removed (in use).
    void Lock(const std::string& path);
    // A file another program keeps open without sharing it: it cannot be opened.
    void HoldOpen(const std::string& path);
    // A second name an entry answers to, as "PROGRA~1".
    void SetShortName(const std::string& path, const std::string& shortName);
    // Removes an entry (and what it holds) as another program would, held or not.
    void Erase(const std::string& path);
    // Renames an entry as another program would; false when it is missing or a held folder,
    // or `to` exists or has no folder to go in.
    bool Move(const std::string& from, const std::string& to);

    // What a held listing's RemoveFile does: read-only files go too; a name that no longer
    // names the listed entry (another id) is refused.
    bool RemoveListedFile(const std::string& folder, const port::FolderEntry& entry);

    // ---- Looking at it; links are followed on the way, never at the end. ----
    [[nodiscard]] bool Exists(const std::string& path) const;
    [[nodiscard]] std::vector<std::string> Names(const std::string& folder) const;
    [[nodiscard]] std::uint32_t AttributesOf(const std::string& path) const;
    // Bytes of the files under a folder, links not followed; of a file, its own.
    [[nodiscard]] std::int64_t BytesUnder(const std::string& folder) const;

    std::string tempPath = "C:\\Users\\user\\AppData\\Local\\Temp\\";
    std::vector<std::string> created;
    // Every known folder of a usual machine but OneDrive; the three of the browser and the two
    // Startup folders are not made in the tree.
    std::map<port::KnownFolder, std::string> knownFolders;
    int knownFolderQueries = 0;
    std::vector<std::string> profileFolders = {"C:\\Users\\user", "C:\\Users\\Default",
                                               "C:\\Users\\Public"};
    std::vector<std::string> oneDriveFolders;
    port::RecycleBinContent recycleBin{true, 0, 0};
    int recycleBinEmptied = 0;
    // Every call that changed or tried to change an entry: "RemoveFile C:\a", ...
    std::vector<std::string> changes;
    // False: a listing follows links like a plain path does, and nothing refuses a path that
    // goes through a link; what remains is what the program checks itself.
    bool guardsLinks = true;
    // Runs after each listing with the listed folder, so a test can change the tree
    // between a listing and what the walk does next.
    std::function<void(const std::string& folder)> afterListing;

    // What was appended to files, by path; the file shows in the tree with that size.
    std::map<std::string, std::vector<std::uint8_t>> appended;
    // The program's own files, written whole (WriteWholeFile) and read back; apart from the
    // tree, so they never show in a walk.
    std::map<std::string, std::vector<std::uint8_t>> replaced;
    // The system's reason for refusing to open every file to append; none: a file in a folder
    // that exists opens.
    std::optional<std::string> appendRefusal;
    // A disk that fills up: appends take this many bytes more in all, then fail part way.
    std::optional<std::size_t> appendRoom;
    bool refuseFlush = false;
    // The system's reason for refusing every copy; none: a file copies to a free name.
    std::optional<std::string> copyRefusal;
    // The files moved to the Recycle Bin, in order.
    std::vector<std::string> recycled;
    bool refuseTruncate = false;
    // Whether each file opened to append was flushed before it was closed, by path.
    std::map<std::string, bool> flushed;

  private:
    struct Node;
    Node* Find(const std::string& path, bool followLast, bool& throughLink) const;
    Node* FindExisting(const std::string& path) const;
    Node& Make(const std::string& path, std::uint32_t attributes);
    bool Detach(Node& node);
    std::string PathOf(const Node& node) const;

    std::unique_ptr<Node> root_;
    std::uint64_t lastId_ = 0;
};

} // namespace fakes
