#pragma once

#include "platform/win32/Handle.h"
#include "platform/Files.h"

#include <memory>

namespace win32 {

class DeletionQuirks;

// Absolute paths are given to the system in their "\\?\" form, so that no length limits
// them. The operations that list or change an entry open it with
// FILE_FLAG_OPEN_REPARSE_POINT, check that the system's final path of what they opened is
// the path they were given (Wine follows Unix links even when asked not to; on Windows a
// link on the way shows the same way), and then act through that very handle.
// A held listing removes a file by opening its name relative to the held folder's handle
// (NtCreateFile, FILE_OPEN_REPARSE_POINT), checking the file id by that handle and deleting
// through it: FileDispositionInfoEx with POSIX semantics and ignore-read-only, or, on a
// volume that does not know it, FileDispositionInfo with read-only cleared first.
class Win32Files : public port::Files {
  public:
    Win32Files();
    // GetTempPathW, whole; ends in a backslash; "" when the system gives none.
    std::string TempPath() override;
    // GetFileAttributesW, at any length.
    bool FileExists(const std::string& path) override;
    // CreateFileW with GENERIC_READ and every sharing flag, at any length; a file not found
    // (or no folder on its way) is missing, every other failure a refusal.
    port::FileOpening TryOpenFile(const std::string& path) override;
    // CreateDirectoryW of one folder; false when it exists already or cannot be made.
    bool MakeDirectory(const std::string& path) override;
    // The folder's handle is listed with GetFileInformationByHandleEx (id and both
    // directory information), so the folder checked is the folder listed. A hold keeps that handle
    // open without FILE_SHARE_DELETE.
    port::FolderListing ListFolder(const std::string& folder, bool hold) override;
    // GetFinalPathNameByHandleW, without its "\\?\" prefix.
    std::string FinalPath(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    // SHGetKnownFolderPath, without checking that the folder exists.
    std::string KnownFolderPath(port::KnownFolder folder) override;
    // ProfileImagePath of each subkey of HKLM\...\Windows NT\CurrentVersion\ProfileList,
    // then its values Default and Public; REG_EXPAND_SZ values expanded.
    std::vector<std::string> ProfileFolders() override;
    // UserFolder of each subkey of HKCU\Software\Microsoft\OneDrive\Accounts.
    std::vector<std::string> OneDriveFolders() override;
    // SHQueryRecycleBinW and SHEmptyRecycleBinW with no root: every drive's bin.
    port::RecycleBinContent QueryRecycleBin() override;
    bool EmptyRecycleBin() override;
    // CreateFileW with GENERIC_WRITE (made when missing, shared for reading); each append
    // WriteFile at the end, the flush FlushFileBuffers, the truncation SetEndOfFile. The
    // reason is the system's text for the error.
    std::unique_ptr<port::AppendableFile> OpenToAppend(const std::string& path,
                                                       std::string& reason) override;
    // ReadFile of the whole file, up to 64 MB.
    bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    // CopyFileW, failing when the target exists.
    bool CopyFileNew(const std::string& from, const std::string& to, std::string& reason) override;
    // SHFileOperationW FO_DELETE with FOF_ALLOWUNDO and no UI; paths of MAX_PATH characters
    // or more are refused, as the shell takes none.
    bool MoveToRecycleBin(const std::string& path, std::string& reason) override;
    // The bytes into "<path>.new", then MoveFileExW over the file.
    bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& reason) override;

  private:
    std::shared_ptr<DeletionQuirks> quirks_;
};

} // namespace win32
