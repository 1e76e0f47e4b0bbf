#include "fakes/FakeFiles.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>

namespace fakes {

struct FakeFiles::Node {
    std::string name;
    std::string shortName;
    std::uint32_t attributes = port::attr::Directory;
    std::int64_t size = 0;
    std::string linkTarget; // a link when not empty
    bool locked = false;
    bool heldOpen = false;
    std::uint64_t id = 0; // never 0 once in the tree; a new entry gets a new one
    // How many listings hold this folder now; shared with their holds, which may outlive it.
    std::shared_ptr<int> holds = std::make_shared<int>(0);
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    [[nodiscard]] bool IsLink() const { return !linkTarget.empty(); }
    [[nodiscard]] bool IsFolder() const { return (attributes & port::attr::Directory) != 0; }
    [[nodiscard]] bool IsHeld() const { return *holds > 0; }

    [[nodiscard]] Node* Child(const std::string& wanted) const {
        auto same = [](const std::string& a, const std::string& b) {
            return a.size() == b.size() &&
                   std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                       return std::tolower(static_cast<unsigned char>(x)) ==
                              std::tolower(static_cast<unsigned char>(y));
                   });
        };
        for (const auto& child : children)
            if (same(child->name, wanted) ||
                (!child->shortName.empty() && same(child->shortName, wanted)))
                return child.get();
        return nullptr;
    }
};

namespace {

std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> names;
    size_t at = 0;
    while (at < path.size()) {
        size_t end = std::min(path.find('\\', at), path.size());
        if (end > at)
            names.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

constexpr int MaxLinks = 32;

// An absolute path in one spelling, as the real port takes it: "C:\a\b", no "." or ".."
// names, no empty name but at the end, no '/'.
bool IsPlainPath(const std::string& path) {
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
        path[2] != '\\' || path.find('/') != std::string::npos)
        return false;
    for (size_t at = 3; at < path.size();) {
        const size_t end = std::min(path.find('\\', at), path.size());
        const std::string name = path.substr(at, end - at);
        if ((name.empty() && end < path.size()) || name == "." || name == "..")
            return false;
        at = end + 1;
    }
    return true;
}

constexpr std::uint32_t BadPathName = 161; // ERROR_BAD_PATHNAME

class FakeHold : public port::FolderHold {
  public:
    FakeHold(std::shared_ptr<int> holds, FakeFiles& files, std::string folder)
        : holds_(std::move(holds)), files_(files), folder_(std::move(folder)) {
        ++*holds_;
    }
    ~FakeHold() override { --*holds_; }
    FakeHold(const FakeHold&) = delete;
    FakeHold& operator=(const FakeHold&) = delete;

    bool RemoveFile(const port::FolderEntry& entry) override {
        return files_.RemoveListedFile(folder_, entry);
    }

  private:
    std::shared_ptr<int> holds_;
    FakeFiles& files_;
    std::string folder_;
};

} // namespace

FakeFiles::FakeFiles() : root_(std::make_unique<Node>()) {
    using K = port::KnownFolder;
    const std::string profile = "C:\\Users\\user";
    const std::string local = profile + "\\AppData\\Local";
    knownFolders = {
        {K::Windows, "C:\\WINDOWS"},
        {K::SystemX86, "C:\\WINDOWS\\SysWOW64"},
        {K::ProgramFiles, "C:\\Program Files"},
        {K::ProgramFilesX86, "C:\\Program Files (x86)"},
        {K::ProgramFilesX64, "C:\\Program Files"},
        {K::Users, "C:\\Users"},
        {K::Profile, profile},
        {K::RoamingAppData, profile + "\\AppData\\Roaming"},
        {K::LocalAppData, local},
        {K::LocalAppDataLow, profile + "\\AppData\\LocalLow"},
        {K::ProgramData, "C:\\ProgramData"},
        {K::Public, "C:\\Users\\Public"},
        {K::Desktop, profile + "\\Desktop"},
        {K::Documents, profile + "\\Documents"},
        {K::Downloads, profile + "\\Downloads"},
        {K::Pictures, profile + "\\Pictures"},
        {K::Music, profile + "\\Music"},
        {K::Videos, profile + "\\Videos"},
        {K::Favorites, profile + "\\Favorites"},
        {K::Links, profile + "\\Links"},
        {K::Contacts, profile + "\\Contacts"},
        {K::SavedGames, profile + "\\Saved Games"},
        {K::Searches, profile + "\\Searches"},
    };
    for (const auto& [known, path] : knownFolders)
        AddFolder(path);
    knownFolders[K::InternetCache] = local + "\\Microsoft\\Windows\\INetCache";
    knownFolders[K::History] = local + "\\Microsoft\\Windows\\History";
    knownFolders[K::Cookies] = local + "\\Microsoft\\Windows\\INetCookies";
    knownFolders[K::Startup] =
        profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    knownFolders[K::CommonStartup] =
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    AddFolder("C:\\WINDOWS\\system32");
    AddFolder(tempPath);
}

FakeFiles::~FakeFiles() = default;

FakeFiles::Node* FakeFiles::Find(const std::string& path, bool followLast,
                                 bool& throughLink) const {
    int links = 0;
    // Walks names from `node`, following links as the system follows them.
    std::function<Node*(const std::string&, bool)> walk = [&](const std::string& p,
                                                              bool followEnd) -> Node* {
        Node* node = root_.get();
        const std::vector<std::string> names = Split(p);
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == ".")
                continue;
            if (names[i] == "..") {
                if (node->parent != nullptr && node->parent != root_.get())
                    node = node->parent;
                continue;
            }
            node = node->Child(names[i]);
            if (node == nullptr)
                return nullptr;
            const bool last = i + 1 == names.size();
            if (node->IsLink() && (!last || followEnd)) {
                if (++links > MaxLinks)
                    return nullptr;
                throughLink = throughLink || !last;
                node = walk(node->linkTarget, true);
                if (node == nullptr)
                    return nullptr;
            }
        }
        return node == root_.get() ? nullptr : node;
    };
    return walk(path, followLast);
}

FakeFiles::Node* FakeFiles::FindExisting(const std::string& path) const {
    bool throughLink = false;
    Node* node = Find(path, false, throughLink);
    if (node == nullptr)
        throw std::logic_error("no such entry in the fake file system: " + path);
    return node;
}

std::string FakeFiles::PathOf(const Node& node) const {
    std::string path;
    for (const Node* n = &node; n != root_.get(); n = n->parent)
        path = path.empty() ? n->name : n->name + "\\" + path;
    if (path.size() == 2)
        path += "\\";
    return path;
}

FakeFiles::Node& FakeFiles::Make(const std::string& path, std::uint32_t attributes) {
    Node* node = root_.get();
    const std::vector<std::string> names = Split(path);
    for (size_t i = 0; i < names.size(); ++i) {
        Node* child = node->Child(names[i]);
        if (child == nullptr) {
            auto made = std::make_unique<Node>();
            made->id = ++lastId_;
            made->name = names[i];
            made->parent = node;
            child = made.get();
            node->children.push_back(std::move(made));
        }
        if (i + 1 == names.size())
            child->attributes = attributes;
        node = child;
    }
    return *node;
}

bool FakeFiles::Detach(Node& node) {
    auto& siblings = node.parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& child) { return child.get() == &node; });
    siblings.erase(it);
    return true;
}

// ---- The port ----

bool FakeFiles::MakeDirectory(const std::string& path) {
    created.push_back(path);
    std::vector<std::string> names = Split(path);
    bool throughLink = false;
    if (names.empty())
        return false;
    if (Find(path, false, throughLink) != nullptr)
        return false;
    const std::string name = names.back();
    names.pop_back();
    std::string parent;
    for (const std::string& name : names)
        parent += name + "\\";
    Node* above = Find(parent, true, throughLink);
    if (above == nullptr || !above->IsFolder())
        return false;
    auto made = std::make_unique<Node>();
    made->id = ++lastId_;
    made->name = name;
    made->parent = above;
    above->children.push_back(std::move(made));
    return true;
}

port::FolderListing FakeFiles::ListFolder(const std::string& folder, bool hold) {
    port::FolderListing listing;
    bool throughLink = false;
    const Node* node = IsPlainPath(folder) ? Find(folder, !guardsLinks, throughLink) : nullptr;
    if (!IsPlainPath(folder)) {
        listing.endCode = BadPathName;
    } else if (node == nullptr) {
        listing.endCode = 3; // ERROR_PATH_NOT_FOUND
    } else if (guardsLinks && (node->IsLink() || (hold && throughLink))) {
        listing.kind = port::FolderKind::Link;
    } else if (!node->IsFolder()) {
        listing.kind = port::FolderKind::NotFolder;
    } else {
        listing.kind = port::FolderKind::Folder;
        if (node->parent != root_.get()) {
            listing.entries.push_back({".", port::attr::Directory, 0, 0});
            listing.entries.push_back({"..", port::attr::Directory, 0, 0});
        }
        for (const auto& child : node->children)
            listing.entries.push_back({child->name, child->attributes, child->size, child->id});
        listing.endCode = port::NoMoreFiles;
        if (hold)
            listing.hold = std::make_unique<FakeHold>(node->holds, *this, folder);
    }
    if (afterListing)
        afterListing(folder);
    return listing;
}

std::string FakeFiles::FinalPath(const std::string& path) {
    bool throughLink = false;
    const Node* node = Find(path, true, throughLink);
    return node == nullptr ? std::string() : PathOf(*node);
}

bool FakeFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
    changes.push_back("SetAttributes " + path);
    bool throughLink = false;
    Node* node = IsPlainPath(path) ? Find(path, false, throughLink) : nullptr;
    if (node == nullptr || (guardsLinks && throughLink))
        return false;
    constexpr std::uint32_t fixed = port::attr::Directory | port::attr::ReparsePoint;
    node->attributes = (node->attributes & fixed) | (attributes & ~fixed);
    return true;
}

bool FakeFiles::RemoveFile(const std::string& path) {
    changes.push_back("RemoveFile " + path);
    bool throughLink = false;
    Node* node = IsPlainPath(path) ? Find(path, false, throughLink) : nullptr;
    if (node == nullptr || (guardsLinks && throughLink) || node->IsFolder() || node->locked ||
        (node->attributes & port::attr::ReadOnly) != 0)
        return false;
    return Detach(*node);
}

bool FakeFiles::RemoveListedFile(const std::string& folder, const port::FolderEntry& entry) {
    const std::string path =
        folder.back() == '\\' ? folder + entry.name : folder + "\\" + entry.name;
    changes.push_back("RemoveFile " + path);
    bool throughLink = false;
    Node* node = Find(path, false, throughLink);
    if (node == nullptr || (guardsLinks && throughLink) || node->IsFolder() || node->locked ||
        (entry.id != 0 && node->id != entry.id))
        return false;
    return Detach(*node);
}

bool FakeFiles::RemoveFolder(const std::string& path) {
    changes.push_back("RemoveFolder " + path);
    bool throughLink = false;
    Node* node = IsPlainPath(path) ? Find(path, false, throughLink) : nullptr;
    if (node == nullptr || (guardsLinks && throughLink) || !node->IsFolder() || node->locked ||
        node->IsHeld() || !node->children.empty() || node->parent == root_.get())
        return false;
    return Detach(*node);
}

std::string FakeFiles::KnownFolderPath(port::KnownFolder folder) {
    ++knownFolderQueries;
    auto it = knownFolders.find(folder);
    return it == knownFolders.end() ? std::string() : it->second;
}

port::RecycleBinContent FakeFiles::QueryRecycleBin() {
    return recycleBin;
}

bool FakeFiles::EmptyRecycleBin() {
    ++recycleBinEmptied;
    recycleBin.bytes = recycleBin.items = 0;
    return true;
}

namespace {

// Writes into FakeFiles::appended, as the disk would, within the room the test left.
class FakeAppendableFile : public port::AppendableFile {
  public:
    FakeAppendableFile(FakeFiles& files, std::string path, std::function<void()> resized)
        : files_(files), path_(std::move(path)), resized_(std::move(resized)) {}

    std::int64_t Length() override { return static_cast<std::int64_t>(Content().size()); }

    bool Append(const std::vector<std::uint8_t>& bytes, std::string& reason) override {
        files_.flushed[path_] = false;
        std::size_t taken = bytes.size();
        if (files_.appendRoom)
            taken = std::min(taken, *files_.appendRoom);
        Content().insert(Content().end(), bytes.begin(),
                         bytes.begin() + static_cast<std::ptrdiff_t>(taken));
        if (files_.appendRoom)
            *files_.appendRoom -= taken;
        resized_();
        if (taken == bytes.size())
            return true;
        reason = "There is not enough space on the disk.";
        return false;
    }

    bool Flush(std::string& reason) override {
        if (files_.refuseFlush) {
            reason = "The request could not be performed because of an I/O device error.";
            return false;
        }
        files_.flushed[path_] = true;
        return true;
    }

    bool Truncate(std::int64_t length) override {
        if (files_.refuseTruncate || length < 0 ||
            static_cast<std::size_t>(length) > Content().size())
            return false;
        Content().resize(static_cast<std::size_t>(length));
        resized_();
        return true;
    }

  private:
    std::vector<std::uint8_t>& Content() { return files_.appended[path_]; }

    FakeFiles& files_;
    std::string path_;
    std::function<void()> resized_;
};

} // namespace

std::unique_ptr<port::AppendableFile> FakeFiles::OpenToAppend(const std::string& path,
                                                              std::string& reason) {
    changes.push_back("OpenToAppend " + path);
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (appendRefusal) {
        reason = *appendRefusal;
        return nullptr;
    }
    if (!Exists(folder) || (AttributesOf(folder) & port::attr::Directory) == 0) {
        reason = "The system cannot find the path specified.";
        return nullptr;
    }
    if (Exists(path) && (AttributesOf(path) & port::attr::Directory) != 0) {
        reason = "Access is denied.";
        return nullptr;
    }
    (void)appended[path];
    auto resized = [this, path] {
        Make(path, port::attr::Archive).size = static_cast<std::int64_t>(appended[path].size());
    };
    resized();
    return std::make_unique<FakeAppendableFile>(*this, path, std::move(resized));
}

bool FakeFiles::ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const auto at = replaced.find(path);
    if (at == replaced.end())
        return false;
    bytes = at->second;
    return true;
}

bool FakeFiles::WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                               std::string& reason) {
    if (appendRefusal) {
        reason = *appendRefusal;
        return false;
    }
    replaced[path] = bytes;
    return true;
}

bool FakeFiles::CopyFileNew(const std::string& from, const std::string& to, std::string& reason) {
    changes.push_back("CopyFileNew " + from + " to " + to);
    bool throughLink = false;
    const Node* source = IsPlainPath(from) ? Find(from, true, throughLink) : nullptr;
    const std::string folder = to.substr(0, to.rfind('\\'));
    if (copyRefusal)
        reason = *copyRefusal;
    else if (source == nullptr || source->IsFolder())
        reason = "The system cannot find the file specified.";
    else if (!IsPlainPath(to) || Exists(to))
        reason = "The file exists.";
    else if (!Exists(folder) || (AttributesOf(folder) & port::attr::Directory) == 0)
        reason = "The system cannot find the path specified.";
    else {
        Make(to, source->attributes).size = source->size;
        if (const auto content = replaced.find(from); content != replaced.end())
            replaced[to] = content->second;
        return true;
    }
    return false;
}

bool FakeFiles::MoveToRecycleBin(const std::string& path, std::string& reason) {
    changes.push_back("MoveToRecycleBin " + path);
    bool throughLink = false;
    Node* node = IsPlainPath(path) ? Find(path, false, throughLink) : nullptr;
    if (node == nullptr || node->IsFolder() || node->locked) {
        reason = "The process cannot access the file because it is being used by another process.";
        return false;
    }
    recycled.push_back(path);
    ++recycleBin.items;
    recycleBin.bytes += node->size;
    return Detach(*node);
}

// ---- Arranging and looking ----

void FakeFiles::AddFolder(const std::string& path) {
    Make(path, port::attr::Directory);
}

void FakeFiles::AddFile(const std::string& path, std::int64_t size, std::uint32_t attributes) {
    Make(path, attributes).size = size;
}

void FakeFiles::AddLink(const std::string& path, const std::string& target, bool toFile,
                        std::int64_t size) {
    Node& link = Make(path, (toFile ? port::attr::Archive : port::attr::Directory) |
                                port::attr::ReparsePoint);
    link.linkTarget = target;
    link.size = size;
}

void FakeFiles::Lock(const std::string& path) {
    FindExisting(path)->locked = true;
}

void FakeFiles::HoldOpen(const std::string& path) {
    FindExisting(path)->heldOpen = true;
}

void FakeFiles::SetShortName(const std::string& path, const std::string& shortName) {
    FindExisting(path)->shortName = shortName;
}

void FakeFiles::Erase(const std::string& path) {
    Detach(*FindExisting(path));
}

bool FakeFiles::Move(const std::string& from, const std::string& to) {
    bool throughLink = false;
    Node* node = Find(from, false, throughLink);
    const size_t cut = to.rfind('\\');
    Node* above = cut == std::string::npos ? nullptr : Find(to.substr(0, cut), true, throughLink);
    if (node == nullptr || node->IsHeld() || above == nullptr || !above->IsFolder() ||
        Find(to, false, throughLink) != nullptr)
        return false;
    auto& siblings = node->parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& child) { return child.get() == node; });
    std::unique_ptr<Node> moved = std::move(*it);
    siblings.erase(it);
    moved->name = to.substr(cut + 1);
    moved->parent = above;
    above->children.push_back(std::move(moved));
    return true;
}

bool FakeFiles::FileExists(const std::string& path) {
    bool throughLink = false;
    const Node* node = Find(path, true, throughLink);
    return node != nullptr && !node->IsFolder();
}

port::FileOpening FakeFiles::TryOpenFile(const std::string& path) {
    bool throughLink = false;
    const Node* node = Find(path, true, throughLink);
    if (node == nullptr)
        return port::FileOpening::Missing;
    return node->IsFolder() || node->heldOpen ? port::FileOpening::Refused
                                              : port::FileOpening::Opened;
}

bool FakeFiles::Exists(const std::string& path) const {
    bool throughLink = false;
    return Find(path, false, throughLink) != nullptr;
}

std::vector<std::string> FakeFiles::Names(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& child : FindExisting(folder)->children)
        names.push_back(child->name);
    return names;
}

std::uint32_t FakeFiles::AttributesOf(const std::string& path) const {
    return FindExisting(path)->attributes;
}

std::int64_t FakeFiles::BytesUnder(const std::string& folder) const {
    std::int64_t sum = 0;
    std::function<void(const Node&)> add = [&](const Node& node) {
        for (const auto& child : node.children) {
            if (child->IsFolder() && !child->IsLink())
                add(*child);
            else if (!child->IsFolder())
                sum += child->size;
        }
    };
    const Node& start = *FindExisting(folder);
    if (!start.IsFolder())
        return start.size;
    add(start);
    return sum;
}

} // namespace fakes
