#include "autostart/StartupFolders.h"

#include "autostart/DeletedEntriesFile.h"
#include "autostart/StartupApproved.h"
#include "toolkit/Errors.h"

#include <algorithm>
#include <optional>

namespace trelvix {

namespace {

// More tries than this at a free name means something else fills the folder as fast.
constexpr int MaxCopyAttempts = 1000;

bool EndsWithText(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           SameTextIgnoringCase(text.substr(text.size() - end.size()), end);
}

std::optional<port::RegValue> ReadFileRecord(port::Registry& registry, const RunEntry& entry) {
    auto key =
        registry.Open(entry.root, StartupFolderApprovedKey, false, false, port::RegView::Bits64);
    return key ? key->ReadValue(entry.name) : std::nullopt;
}

std::string NotDeleted(const RunEntry& entry) {
    return "\"" + entry.name + "\" was not deleted: ";
}

// The folder deleted files are kept in, made when missing.
std::string BackupFolder(port::Files& files, const RunEntry& entry) {
    const std::string local = files.KnownFolderPath(port::KnownFolder::LocalAppData);
    if (local.empty())
        throw tk::Exception(NotDeleted(entry) +
                            "the system names no folder for the local data of programs, where "
                            "deleted entries are kept.");
    const std::string program = local + "\\" + DeletedEntriesFolder;
    (void)files.MakeDirectory(program); // already there after the first time
    const std::string folder = program + "\\" + DeletedStartupFilesFolder;
    (void)files.MakeDirectory(folder);
    return folder;
}

// Copies the file under the first name free for it and its record; returns the copy's path.
std::string CopyToBackup(port::Files& files, const RunEntry& entry, const std::string& folder) {
    std::string reason;
    for (int attempt = 1; attempt <= MaxCopyAttempts; ++attempt) {
        const std::string copy = folder + "\\" + NumberedName(entry.name, attempt);
        if (files.FileExists(copy) || files.FileExists(copy + ".reg"))
            continue;
        if (files.CopyFileNew(entry.file, copy, reason))
            return copy;
        // Another copy took the name meanwhile: the next one is tried.
        if (!files.FileExists(copy))
            throw tk::Exception(NotDeleted(entry) + "it cannot be copied to \"" + copy + "\". " +
                                reason);
    }
    throw tk::Exception(NotDeleted(entry) + "no free name was found for its copy in \"" + folder +
                        "\".");
}

// The record as a .reg file of its own beside the copy; a file there already is never
// written into.
void SaveRecordBeside(port::Ports& ports, const RunEntry& entry, const std::string& path,
                      const port::RegValue& record) {
    const std::string refused =
        NotDeleted(entry) + "its record cannot be kept in \"" + path + "\". ";
    std::string reason;
    const auto file = ports.files.OpenToAppend(path, reason);
    if (!file)
        throw tk::Exception(refused + reason);
    if (file->Length() != 0)
        throw tk::Exception(refused + "The file exists already.");
    const std::vector<RegFileValue> values = {
        {RegFileKeyName(entry.root, port::RegView::Bits64, StartupFolderApprovedKey), entry.name,
         record}};
    std::u16string text = RegFileHeader() + RegFileSections(values, DeletionComment(ports));
    if (!file->Append(Utf16Bytes(text), reason) || !file->Flush(reason))
        throw tk::Exception(refused + reason);
}

} // namespace

std::string StartupFolderOf(port::Files& files, port::RegRoot root) {
    return files.KnownFolderPath(root == port::RegRoot::LocalMachine
                                     ? port::KnownFolder::CommonStartup
                                     : port::KnownFolder::Startup);
}

std::string StartupFileData(port::Shell& shell, const std::string& file) {
    if (EndsWithText(file, ".lnk"))
        if (const auto target = shell.ReadShortcut(file))
            return '"' + target->path + (target->arguments.empty() ? "" : " ") + target->arguments +
                   '"';
    return '"' + file + '"';
}

void AppendStartupFolderEntries(port::Ports& ports, port::RegRoot root,
                                std::vector<RunEntry>& entries) {
    const std::string folder = StartupFolderOf(ports.files, root);
    if (folder.empty())
        return;
    const port::FolderListing listing = ports.files.ListFolder(folder, false);
    if (listing.kind != port::FolderKind::Folder)
        return;
    auto approved =
        ports.registry.Open(root, StartupFolderApprovedKey, false, false, port::RegView::Bits64);
    for (const port::FolderEntry& e : listing.entries) {
        if ((e.attributes & port::attr::Directory) != 0 ||
            SameTextIgnoringCase(e.name, "desktop.ini"))
            continue;
        RunEntry entry;
        entry.source = RunSource::StartupFolder;
        entry.root = root;
        entry.name = e.name;
        entry.file = folder + "\\" + e.name;
        entry.data = StartupFileData(ports.shell, entry.file);
        entry.disabled = RecordSaysDisabled(approved ? approved->ReadValue(e.name) : std::nullopt);
        entries.push_back(std::move(entry));
    }
}

std::string NumberedName(const std::string& name, int attempt) {
    if (attempt <= 1)
        return name;
    // The number goes before the extension, so the copy still opens as the file did.
    const auto dot = name.rfind('.');
    const std::size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, cut) + " (" + std::to_string(attempt) + ")" + name.substr(cut);
}

RunEntryChange SetStartupFileDisabled(port::Ports& ports, RunEntry& entry, bool disabled) {
    if (!ports.files.FileExists(entry.file))
        return RunEntryChange::Gone;
    auto approved = ports.registry.Open(entry.root, StartupFolderApprovedKey, true, true,
                                        port::RegView::Bits64);
    const auto record = disabled ? DisabledRecord(ports.system.FileTimeNow()) : EnabledRecord();
    if (!approved || !approved->WriteBinary(entry.name, record))
        return RunEntryChange::Refused;
    entry.disabled = disabled;
    return RunEntryChange::Done;
}

RunEntryChange DeleteStartupFile(port::Ports& ports, const RunEntry& entry) {
    port::Files& files = ports.files;
    if (!files.FileExists(entry.file))
        return RunEntryChange::Gone;
    const std::string copy = CopyToBackup(files, entry, BackupFolder(files, entry));
    const auto record = ReadFileRecord(ports.registry, entry);
    if (record)
        SaveRecordBeside(ports, entry, copy + ".reg", *record);
    std::string reason;
    if (!files.MoveToRecycleBin(entry.file, reason)) {
        // The common folder is the administrators': the status bar says so.
        if (entry.root == port::RegRoot::LocalMachine)
            return RunEntryChange::Refused;
        throw tk::Exception(NotDeleted(entry) + reason + " Its copy is kept in \"" + copy + "\".");
    }
    // The record goes with its file: a later file of the same name starts enabled.
    if (record)
        if (auto approved = ports.registry.Open(entry.root, StartupFolderApprovedKey, false, true,
                                                port::RegView::Bits64))
            (void)approved->DeleteValue(entry.name);
    return RunEntryChange::Done;
}

} // namespace trelvix
