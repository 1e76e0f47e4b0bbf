#pragma once

#include <cstdint>
#include <string>

namespace port {

// Drive types as the system numbers them.
enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6
};

struct VolumeInfo {
    bool ok = false;
    std::string label;
    std::string fileSystem;
};

struct DiskSpace {
    std::int64_t total = -1; // -1 when the query failed
    std::int64_t free = -1;  // free bytes available to the caller
};

class Drives {
  public:
    virtual ~Drives() = default;
    // `letter` is 'A'..'Z'.
    [[nodiscard]] virtual DriveType Type(char letter) = 0;
    [[nodiscard]] virtual VolumeInfo Volume(char letter) = 0;
    [[nodiscard]] virtual DiskSpace FreeSpace(char letter) = 0;
    // Bit n set = drive letter 'A' + n exists.
    [[nodiscard]] virtual std::uint32_t LogicalDrives() = 0;
    // Index of the drive's icon in the system's small image list; -1 when unknown.
    [[nodiscard]] virtual int IconIndex(char letter) = 0;
    // Turns the system's "insert a disk" boxes off for the calling thread and returns the
    // thread's mode before, which RestoreCriticalErrors gives back on the same thread. The
    // mode travels with the caller, so any number of threads probe at once.
    [[nodiscard]] virtual std::uint32_t SuppressCriticalErrors() = 0;
    virtual void RestoreCriticalErrors(std::uint32_t previous) = 0;
    // Renames the volume at the drive's root; an empty label removes it. On failure returns
    // false and puts the system's reason into `reason`.
    virtual bool SetLabel(char letter, const std::string& label, std::string& reason) = 0;
};

} // namespace port
