#pragma once

#include "platform/Drives.h"

namespace win32 {

class Win32Drives : public port::Drives {
  public:
    // Every letter outside 'A'..'Z' (either case) is no drive: NoRootDir, no volume, -1/-1.
    // GetDriveTypeW of "X:\".
    port::DriveType Type(char letter) override;
    // GetVolumeInformationW: label and file-system name; ok false when the system refuses.
    port::VolumeInfo Volume(char letter) override;
    // GetDiskFreeSpaceExW: free bytes available to the caller and total; -1/-1 on failure.
    port::DiskSpace FreeSpace(char letter) override;
    // GetLogicalDrives.
    std::uint32_t LogicalDrives() override;
    // SHGetFileInfoW SHGFI_SYSICONINDEX | SHGFI_SMALLICON of "X:\"; -1 when the shell has none.
    int IconIndex(char letter) override;
    // SetThreadErrorMode: adds SEM_FAILCRITICALERRORS to the calling thread's mode and
    // returns the mode it found; Restore sets the thread's mode to that. Other threads and
    // the process's mode are left alone. Nothing is kept here: threads share this object.
    std::uint32_t SuppressCriticalErrors() override;
    void RestoreCriticalErrors(std::uint32_t previous) override;
    // SetVolumeLabelW of "X:\".
    bool SetLabel(char letter, const std::string& label, std::string& reason) override;
};

} // namespace win32
