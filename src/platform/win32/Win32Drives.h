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
    // SetErrorMode: adds SEM_FAILCRITICALERRORS, and restores the mode it found; calls that
    // change nothing (suppress twice, restore twice) are ignored.
    void SuppressCriticalErrors(bool suppress) override;
    // SetVolumeLabelW of "X:\".
    bool SetLabel(char letter, const std::string& label, std::string& reason) override;

  private:
    bool suppressed_ = false;
    unsigned previousMode_ = 0;
};

} // namespace win32
