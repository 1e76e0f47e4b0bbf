#include "platform/win32/Win32Files.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <shellapi.h>
#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <cwctype>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <string_view>
#include <vector>

namespace win32 {

// What the port learned about the system's deletions, shared by the holds of one port on
// any thread: the volumes that answered that they cannot delete with POSIX semantics, so
// that each removal there goes the older way at once, and whether opening an entry as itself
// may follow a link all the same (Wine follows a Unix file link, and its listing reports the
// id of the file the link leads to).
class DeletionQuirks {
  public:
    DeletionQuirks()
        : linksFollowed_(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") !=
                         nullptr) {}

    [[nodiscard]] bool LinksFollowed() const { return linksFollowed_; }
    bool PlainOnly(const std::wstring& volume) {
        const std::scoped_lock lock(mutex_);
        return plainVolumes_.contains(volume);
    }
    void SetPlainOnly(const std::wstring& volume) {
        const std::scoped_lock lock(mutex_);
        plainVolumes_.insert(volume);
    }

  private:
    const bool linksFollowed_;
    std::mutex mutex_;
    std::set<std::wstring> plainVolumes_;
};

namespace {

constexpr std::wstring_view Verbatim = L"\\\\?\\";
constexpr std::wstring_view VerbatimShare = L"\\\\?\\UNC\\";

bool StartsWith(std::wstring_view text, std::wstring_view start) {
    return text.substr(0, start.size()) == start;
}

// Whether every name of the path is one the system would take as it is: no "." or "..",
// no empty name.
bool HasPlainNames(std::wstring_view names) {
    size_t at = 0;
    while (at < names.size()) {
        const size_t end = std::min(names.find(L'\\', at), names.size());
        const std::wstring_view name = names.substr(at, end - at);
        if ((name.empty() && end < names.size()) || name == L"." || name == L"..")
            return false;
        at = end + 1;
    }
    return true;
}

// The "\\?\" form of an absolute path in one spelling ("C:\a\b", "\\server\share\a"):
// the system takes it at any length and changes none of its names. "" for any other path.
std::wstring VerbatimPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    if (wide.find(L'/') != std::wstring::npos)
        return {};
    auto isDrive = [](std::wstring_view p) {
        return p.size() >= 3 && std::iswalpha(p[0]) && p[1] == L':' && p[2] == L'\\';
    };
    std::wstring_view names;
    std::wstring verbatim;
    if (StartsWith(wide, VerbatimShare)) {
        names = std::wstring_view(wide).substr(VerbatimShare.size());
        verbatim = wide;
    } else if (StartsWith(wide, Verbatim)) {
        if (!isDrive(std::wstring_view(wide).substr(Verbatim.size())))
            return {};
        names = std::wstring_view(wide).substr(Verbatim.size() + 3);
        verbatim = wide;
    } else if (isDrive(wide)) {
        names = std::wstring_view(wide).substr(3);
        verbatim = std::wstring(Verbatim) + wide;
    } else if (StartsWith(wide, L"\\\\")) {
        names = std::wstring_view(wide).substr(2);
        verbatim = std::wstring(VerbatimShare) + wide.substr(2);
    } else {
        return {};
    }
    return HasPlainNames(names) ? verbatim : std::wstring();
}

// A path as users write it: the system's "\\?\" prefixes taken off.
std::string UsualPath(const std::wstring& path) {
    if (StartsWith(path, VerbatimShare))
        return Narrow(L"\\\\" + path.substr(VerbatimShare.size()));
    if (StartsWith(path, Verbatim))
        return Narrow(std::wstring_view(path).substr(Verbatim.size()));
    return Narrow(path);
}

// GetFinalPathNameByHandleW, whole; "" when the system has no name for the handle.
std::wstring FinalName(HANDLE handle) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        // Too small a buffer gives the size needed, terminator included.
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(length);
    }
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    while (a.size() > 1 && a.back() == L'\\')
        a.remove_suffix(1);
    while (b.size() > 1 && b.back() == L'\\')
        b.remove_suffix(1);
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The path of what the handle reached, below its volume ("\a\b"; on a share
// "\server\share\a\b"). Unlike GetFinalPathNameByHandleW under Wine, it has no length limit.
std::wstring NameOnVolume(HANDLE handle) {
    std::vector<std::uint32_t> buffer(256);
    for (;;) {
        const auto bytes = static_cast<DWORD>(buffer.size() * sizeof(std::uint32_t));
        if (GetFileInformationByHandleEx(handle, FileNameInfo, buffer.data(), bytes)) {
            const auto* info = reinterpret_cast<const FILE_NAME_INFO*>(buffer.data());
            return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
        }
        if (GetLastError() != ERROR_MORE_DATA || buffer.size() > 65536)
            return {};
        const auto* info = reinterpret_cast<const FILE_NAME_INFO*>(buffer.data());
        buffer.resize(buffer.size() + info->FileNameLength / sizeof(std::uint32_t) + 2);
    }
}

// Whether the handle reached exactly the entry of a "\\?\" path, no link followed on the
// way. The volume is not compared: the walks hold every folder above what they change.
bool ReachedAsNamed(HANDLE handle, const std::wstring& verbatim) {
    const std::wstring name = NameOnVolume(handle);
    if (StartsWith(verbatim, VerbatimShare)) {
        const std::wstring_view share =
            std::wstring_view(verbatim).substr(VerbatimShare.size() - 1);
        const size_t below = share.find(L'\\', share.find(L'\\', 1) + 1);
        return SameName(name, share) ||
               (below != std::wstring_view::npos && SameName(name, share.substr(below)));
    }
    return SameName(name, std::wstring_view(verbatim).substr(Verbatim.size() + 2));
}

std::uint32_t AttributesOf(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info))
        return INVALID_FILE_ATTRIBUTES;
    return info.FileAttributes;
}

// An entry opened as itself for `access`.
struct OpenedEntry {
    UniqueHandle handle;
    bool reachedAsNamed = false; // what was opened has exactly the path asked for
};

// Each question about a handle costs a round trip to the server under Wine, about as much as
// deleting a file: the name is asked only where something is changed through the handle,
// and a file is opened without FILE_FLAG_BACKUP_SEMANTICS, which no folder opens without,
// so that its kind needs no question at all.
OpenedEntry OpenAsItself(const std::wstring& verbatim, DWORD access, DWORD share, bool foldersToo,
                         bool checkName) {
    OpenedEntry entry;
    const DWORD flags =
        FILE_FLAG_OPEN_REPARSE_POINT | (foldersToo ? FILE_FLAG_BACKUP_SEMANTICS : DWORD{0});
    entry.handle.reset(
        CreateFileW(verbatim.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    if (entry.handle)
        entry.reachedAsNamed = !checkName || ReachedAsNamed(entry.handle.get(), verbatim);
    return entry;
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool Has(std::uint32_t attributes, DWORD bit) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & bit) != 0;
}

// Deletes the entry behind the handle when the handle is closed.
bool DeleteThrough(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

bool RemoveEntry(const std::string& path, bool folder) {
    const std::wstring verbatim = VerbatimPath(path);
    if (verbatim.empty())
        return false;
    const DWORD access = DELETE | (folder ? FILE_READ_ATTRIBUTES : DWORD{0});
    OpenedEntry entry = OpenAsItself(verbatim, access, ShareAll, folder, true);
    return entry.handle && entry.reachedAsNamed &&
           (!folder || Has(AttributesOf(entry.handle.get()), FILE_ATTRIBUTE_DIRECTORY)) &&
           DeleteThrough(entry.handle.get());
}

// The part of a "\\?\" path that names its volume: "\\?\C:" or "\\?\UNC\server\share".
std::wstring VolumeOf(const std::wstring& verbatim) {
    if (!StartsWith(verbatim, VerbatimShare))
        return verbatim.substr(0, Verbatim.size() + 2);
    const size_t server = verbatim.find(L'\\', VerbatimShare.size());
    return verbatim.substr(
        0, verbatim.find(L'\\', server == std::wstring::npos ? server : server + 1));
}

// ntdll's status codes, which <windows.h> leaves out.
constexpr NTSTATUS StatusNotImplemented = static_cast<NTSTATUS>(0xC0000002);
constexpr NTSTATUS StatusInvalidInfoClass = static_cast<NTSTATUS>(0xC0000003);
constexpr NTSTATUS StatusInvalidParameter = static_cast<NTSTATUS>(0xC000000D);
constexpr NTSTATUS StatusInvalidDeviceRequest = static_cast<NTSTATUS>(0xC0000010);
constexpr NTSTATUS StatusNotSupported = static_cast<NTSTATUS>(0xC00000BB);
constexpr auto FileDispositionInformationEx = static_cast<FILE_INFORMATION_CLASS>(64);

// What a file system says when it does not know the newer disposition (FAT, many SMB
// servers, Windows before 1809, Wine).
bool LacksDispositionEx(NTSTATUS status) {
    return status == StatusInvalidParameter || status == StatusNotSupported ||
           status == StatusInvalidDeviceRequest || status == StatusInvalidInfoClass ||
           status == StatusNotImplemented;
}

// The attributes a file is given back when it could not be deleted: read-only, hidden,
// system, archive, temporary, not indexed.
constexpr std::uint32_t KeptAttributes = 0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x2000;

// The file `name` of an open folder, opened as itself (a link as the link) and only if it
// is not a folder. Relative to the folder's handle, so nothing on the way is looked up again.
UniqueHandle OpenInFolder(HANDLE folder, const std::wstring& name, ACCESS_MASK access) {
    UNICODE_STRING objectName{};
    objectName.Buffer = const_cast<wchar_t*>(name.c_str());
    objectName.Length = objectName.MaximumLength =
        static_cast<USHORT>(std::min<size_t>(name.size() * sizeof(wchar_t), 0xFFFE));
    OBJECT_ATTRIBUTES attributes{};
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE file = nullptr;
    const NTSTATUS status = NtCreateFile(
        &file, access | SYNCHRONIZE, &attributes, &io, nullptr, 0, ShareAll, FILE_OPEN,
        FILE_OPEN_REPARSE_POINT | FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr,
        0);
    return UniqueHandle(status >= 0 ? file : nullptr);
}

// The file system's number for what the handle reached; 0 when it gives none.
std::uint64_t IdOf(HANDLE file) {
    FILE_INTERNAL_INFORMATION info{};
    IO_STATUS_BLOCK io{};
    if (NtQueryInformationFile(file, &io, &info, sizeof info, FileInternalInformation) < 0)
        return 0;
    return static_cast<std::uint64_t>(info.IndexNumber.QuadPart);
}

bool SetAttributesThrough(HANDLE file, std::uint32_t attributes) {
    FILE_BASIC_INFO info{}; // times of zero stay as they are
    // Attributes of zero would mean "unchanged" too.
    info.FileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
    return SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != FALSE;
}

class HeldFolder : public port::FolderHold {
  public:
    HeldFolder(UniqueHandle handle, std::wstring verbatim, std::shared_ptr<DeletionQuirks> quirks)
        : handle_(std::move(handle)), verbatim_(std::move(verbatim)), volume_(VolumeOf(verbatim_)),
          quirks_(std::move(quirks)), plainOnly_(quirks_->PlainOnly(volume_)) {}

    bool RemoveFile(const port::FolderEntry& entry) override {
        const std::wstring name = Widen(entry.name);
        if (name.empty() || name.find(L'\\') != std::wstring::npos)
            return false;
        const bool readOnly = Has(entry.attributes, FILE_ATTRIBUTE_READONLY);
        const UniqueHandle file = OpenInFolder(handle_.get(), name,
                                               DELETE | FILE_READ_ATTRIBUTES |
                                                   (readOnly ? FILE_WRITE_ATTRIBUTES : DWORD{0}));
        if (!file || !IsListedEntry(file.get(), entry, name))
            return false;
        return (!plainOnly_ && DeleteWithPosixSemantics(file.get())) ||
               DeletePlainly(file.get(), entry.attributes);
    }

  private:
    // The same id as the listing's, and where the listing had none or a link may have been
    // followed, reached by exactly that name (the name asked costs a round trip under Wine).
    bool IsListedEntry(HANDLE file, const port::FolderEntry& entry, const std::wstring& name) {
        if (entry.id != 0 && IdOf(file) != entry.id)
            return false;
        return (entry.id != 0 && !quirks_->LinksFollowed()) ||
               ReachedAsNamed(file, verbatim_ + L"\\" + name);
    }

    // Gone from the folder at once, read-only or not; remembers a volume that cannot.
    bool DeleteWithPosixSemantics(HANDLE file) {
        FILE_DISPOSITION_INFO_EX disposition{FILE_DISPOSITION_FLAG_DELETE |
                                             FILE_DISPOSITION_FLAG_POSIX_SEMANTICS |
                                             FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE};
        IO_STATUS_BLOCK io{};
        const NTSTATUS status = NtSetInformationFile(file, &io, &disposition, sizeof disposition,
                                                     FileDispositionInformationEx);
        if (LacksDispositionEx(status)) {
            plainOnly_ = true;
            quirks_->SetPlainOnly(volume_);
        }
        return status >= 0;
    }

    // A read-only file is made deletable first, and given its attributes back when it stays.
    static bool DeletePlainly(HANDLE file, std::uint32_t attributes) {
        const bool readOnly = Has(attributes, FILE_ATTRIBUTE_READONLY);
        if (readOnly && !SetAttributesThrough(file, attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
            return false;
        if (DeleteThrough(file))
            return true;
        if (readOnly)
            SetAttributesThrough(file, attributes & KeptAttributes);
        return false;
    }

    UniqueHandle handle_;
    std::wstring verbatim_;
    std::wstring volume_;
    std::shared_ptr<DeletionQuirks> quirks_;
    bool plainOnly_;
};

// Most names are plain ASCII: those are copied as they are, the rest converted.
std::string NameText(std::wstring_view name) {
    std::string text(name.size(), '\0');
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] >= 0x80)
            return Narrow(name);
        text[i] = static_cast<char>(name[i]);
    }
    return text;
}

// Reads every entry of an open folder, the way FindFirstFileExW with a large buffer does,
// with each entry's file id.
void ReadEntries(HANDLE folder, port::FolderListing& listing) {
    constexpr DWORD Bytes = 64 * 1024;
    // Not cleared: the system writes what is read.
    const std::unique_ptr<std::uint64_t[]> buffer(new std::uint64_t[Bytes / sizeof(std::uint64_t)]);
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, request, buffer.get(), Bytes)) {
        request = FileIdBothDirectoryInfo;
        const char* at = reinterpret_cast<const char*>(buffer.get());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            listing.entries.push_back({NameText(std::wstring_view(
                                           info->FileName, info->FileNameLength / sizeof(wchar_t))),
                                       info->FileAttributes, info->EndOfFile.QuadPart,
                                       static_cast<std::uint64_t>(info->FileId.QuadPart)});
            if (info->NextEntryOffset == 0)
                break;
            at += info->NextEntryOffset;
        }
    }
    listing.endCode = GetLastError();
}

const KNOWNFOLDERID* KnownFolderId(port::KnownFolder folder) {
    using K = port::KnownFolder;
    switch (folder) {
    case K::Windows:
        return &FOLDERID_Windows;
    case K::SystemX86:
        return &FOLDERID_SystemX86;
    case K::ProgramFiles:
        return &FOLDERID_ProgramFiles;
    case K::ProgramFilesX86:
        return &FOLDERID_ProgramFilesX86;
    case K::ProgramFilesX64:
        return &FOLDERID_ProgramFilesX64;
    case K::Users:
        return &FOLDERID_UserProfiles;
    case K::Profile:
        return &FOLDERID_Profile;
    case K::RoamingAppData:
        return &FOLDERID_RoamingAppData;
    case K::LocalAppData:
        return &FOLDERID_LocalAppData;
    case K::LocalAppDataLow:
        return &FOLDERID_LocalAppDataLow;
    case K::ProgramData:
        return &FOLDERID_ProgramData;
    case K::Public:
        return &FOLDERID_Public;
    case K::Desktop:
        return &FOLDERID_Desktop;
    case K::Documents:
        return &FOLDERID_Documents;
    case K::Downloads:
        return &FOLDERID_Downloads;
    case K::Pictures:
        return &FOLDERID_Pictures;
    case K::Music:
        return &FOLDERID_Music;
    case K::Videos:
        return &FOLDERID_Videos;
    case K::Favorites:
        return &FOLDERID_Favorites;
    case K::Links:
        return &FOLDERID_Links;
    case K::Contacts:
        return &FOLDERID_Contacts;
    case K::SavedGames:
        return &FOLDERID_SavedGames;
    case K::Searches:
        return &FOLDERID_SavedSearches;
    case K::OneDrive:
        return &FOLDERID_OneDrive;
    case K::InternetCache:
        return &FOLDERID_InternetCache;
    case K::History:
        return &FOLDERID_History;
    case K::Cookies:
        return &FOLDERID_Cookies;
    case K::Startup:
        return &FOLDERID_Startup;
    case K::CommonStartup:
        return &FOLDERID_CommonStartup;
    }
    return nullptr;
}

// A string value of `key`'s subkey `subkey` ("" for the key itself), its environment
// variables expanded; "" when it is missing or not text.
std::wstring ReadFolderValue(HKEY key, const std::wstring& subkey, const wchar_t* name) {
    std::wstring text(MAX_PATH, L'\0');
    for (int tries = 0; tries < 8; ++tries) {
        auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(key, subkey.empty() ? nullptr : subkey.c_str(), name,
                                            RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            // The size counts the terminator the system wrote.
            text.resize(bytes / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
            return text;
        }
        // The value may have grown since the size was given: ask again with the new size.
        if (status != ERROR_MORE_DATA)
            return {};
        text.resize(bytes / sizeof(wchar_t) + 1);
    }
    return {};
}

// The names of a key's subkeys; a registry key name is at most 255 characters.
std::vector<std::wstring> SubKeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = static_cast<DWORD>(std::size(name));
        const LSTATUS status =
            RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

// The folder value of every subkey of `path`, and the values `ownValues` of the key itself.
std::vector<std::string> FoldersUnder(HKEY root, const wchar_t* path, const wchar_t* value,
                                      std::initializer_list<const wchar_t*> ownValues) {
    std::vector<std::string> folders;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS)
        return folders;
    const UniqueKey key(opened);
    auto add = [&folders](const std::wstring& folder) {
        if (!folder.empty())
            folders.push_back(Narrow(folder));
    };
    for (const std::wstring& subkey : SubKeyNames(key.get()))
        add(ReadFolderValue(key.get(), subkey, value));
    for (const wchar_t* own : ownValues)
        add(ReadFolderValue(key.get(), {}, own));
    return folders;
}

} // namespace

Win32Files::Win32Files() : quirks_(std::make_shared<DeletionQuirks>()) {}

std::string Win32Files::TempPath() {
    std::wstring path(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
        if (length == 0)
            return {};
        // Too small a buffer gives the size needed, terminator included.
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(length);
    }
}

bool Win32Files::FileExists(const std::string& path) {
    std::wstring name = VerbatimPath(path);
    if (name.empty())
        name = Widen(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

port::FileOpening Win32Files::TryOpenFile(const std::string& path) {
    std::wstring name = VerbatimPath(path);
    if (name.empty())
        name = Widen(path);
    const UniqueHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return port::FileOpening::Opened;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? port::FileOpening::Missing
               : port::FileOpening::Refused;
}

bool Win32Files::MakeDirectory(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

port::FolderListing Win32Files::ListFolder(const std::string& folder, bool hold) {
    port::FolderListing listing;
    const std::wstring verbatim = VerbatimPath(folder);
    if (verbatim.empty()) {
        listing.endCode = ERROR_BAD_PATHNAME;
        return listing;
    }
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (hold ? 0 : FILE_SHARE_DELETE);
    OpenedEntry opened = OpenAsItself(
        verbatim, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, share, true, hold);
    if (!opened.handle) {
        listing.endCode = GetLastError();
        return listing;
    }
    const std::uint32_t attributes = AttributesOf(opened.handle.get());
    if (Has(attributes, FILE_ATTRIBUTE_REPARSE_POINT) || !opened.reachedAsNamed)
        listing.kind = port::FolderKind::Link;
    else if (!Has(attributes, FILE_ATTRIBUTE_DIRECTORY))
        listing.kind = port::FolderKind::NotFolder;
    else
        listing.kind = port::FolderKind::Folder;
    if (listing.kind != port::FolderKind::Folder)
        return listing;
    ReadEntries(opened.handle.get(), listing);
    if (hold)
        listing.hold = std::make_unique<HeldFolder>(std::move(opened.handle), verbatim, quirks_);
    return listing;
}

std::string Win32Files::FinalPath(const std::string& path) {
    std::wstring name = VerbatimPath(path);
    if (name.empty())
        name = Widen(path);
    const UniqueHandle handle(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle)
        return {};
    return UsualPath(FinalName(handle.get()));
}

bool Win32Files::SetAttributes(const std::string& path, std::uint32_t attributes) {
    const std::wstring verbatim = VerbatimPath(path);
    if (verbatim.empty())
        return false;
    OpenedEntry entry = OpenAsItself(verbatim, FILE_WRITE_ATTRIBUTES, ShareAll, true, true);
    if (!entry.handle || !entry.reachedAsNamed)
        return false;
    return SetAttributesThrough(entry.handle.get(), attributes);
}

bool Win32Files::RemoveFile(const std::string& path) {
    return RemoveEntry(path, false);
}

bool Win32Files::RemoveFolder(const std::string& path) {
    return RemoveEntry(path, true);
}

std::string Win32Files::KnownFolderPath(port::KnownFolder folder) {
    const KNOWNFOLDERID* id = KnownFolderId(folder);
    PWSTR given = nullptr;
    const HRESULT result = id == nullptr
                               ? E_INVALIDARG
                               : SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &given);
    // The system's text is freed whether or not the call succeeded.
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> path(given, &CoTaskMemFree);
    return SUCCEEDED(result) && path ? Narrow(path.get()) : std::string();
}

std::vector<std::string> Win32Files::ProfileFolders() {
    return FoldersUnder(HKEY_LOCAL_MACHINE,
                        L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                        L"ProfileImagePath", {L"Default", L"Public"});
}

std::vector<std::string> Win32Files::OneDriveFolders() {
    return FoldersUnder(HKEY_CURRENT_USER, L"Software\\Microsoft\\OneDrive\\Accounts",
                        L"UserFolder", {});
}

port::RecycleBinContent Win32Files::QueryRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info)))
        return {};
    return {true, info.i64Size, info.i64NumItems};
}

bool Win32Files::EmptyRecycleBin() {
    return SUCCEEDED(
        SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI));
}

namespace {

// Writes all of `bytes`, in pieces a single WriteFile takes.
bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t Piece = 1 << 30;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto size = static_cast<DWORD>(std::min(Piece, bytes.size() - at));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + at, size, &written, nullptr))
            return false;
        if (written != size) {
            // A short write reports success: the disk is full.
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        at += size;
    }
    return true;
}

class Win32AppendableFile : public port::AppendableFile {
  public:
    explicit Win32AppendableFile(UniqueHandle file) : file_(std::move(file)) {}

    std::int64_t Length() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(file_.get(), &size) ? size.QuadPart : -1;
    }

    bool Append(const std::vector<std::uint8_t>& bytes, std::string& reason) override {
        const LARGE_INTEGER none{};
        if (SetFilePointerEx(file_.get(), none, nullptr, FILE_END) && WriteAll(file_.get(), bytes))
            return true;
        reason = SystemMessage(GetLastError());
        return false;
    }

    bool Flush(std::string& reason) override {
        if (FlushFileBuffers(file_.get()))
            return true;
        reason = SystemMessage(GetLastError());
        return false;
    }

    bool Truncate(std::int64_t length) override {
        LARGE_INTEGER at{};
        at.QuadPart = length;
        return length >= 0 && SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN) &&
               SetEndOfFile(file_.get());
    }

  private:
    UniqueHandle file_;
};

} // namespace

std::unique_ptr<port::AppendableFile> Win32Files::OpenToAppend(const std::string& path,
                                                               std::string& reason) {
    UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        reason = SystemMessage(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32AppendableFile>(std::move(file));
}

bool Win32Files::ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    // Larger is no file of this program's: reading it would only cost memory.
    constexpr LONGLONG Largest = 64LL << 20;
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > Largest)
        return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), 0);
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool Win32Files::WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                std::string& reason) {
    const std::wstring target = Widen(path);
    const std::wstring fresh = target + L".new";
    bool written = false;
    {
        const UniqueHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), bytes);
    }
    if (written && MoveFileExW(fresh.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE)
        return true;
    reason = SystemMessage(GetLastError());
    DeleteFileW(fresh.c_str());
    return false;
}

bool Win32Files::CopyFileNew(const std::string& from, const std::string& to, std::string& reason) {
    const std::wstring source = VerbatimPath(from), target = VerbatimPath(to);
    if (source.empty() || target.empty()) {
        reason = SystemMessage(ERROR_INVALID_NAME);
        return false;
    }
    if (CopyFileW(source.c_str(), target.c_str(), TRUE) != FALSE)
        return true;
    reason = SystemMessage(GetLastError());
    return false;
}

bool Win32Files::MoveToRecycleBin(const std::string& path, std::string& reason) {
    // The shell takes no "\\?\" names, and a list of names ended by an empty one.
    std::wstring names = Widen(path);
    if (VerbatimPath(path).empty() || names.size() >= MAX_PATH) {
        reason = SystemMessage(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    names.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = names.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NO_UI;
    const int result = SHFileOperationW(&operation);
    if (result == 0 && operation.fAnyOperationsAborted == FALSE &&
        GetFileAttributesW(VerbatimPath(path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    // The shell's own codes are mostly the system's; "no error" for a file still there.
    reason = SystemMessage(result != 0 ? static_cast<DWORD>(result) : ERROR_ACCESS_DENIED);
    return false;
}

} // namespace win32
