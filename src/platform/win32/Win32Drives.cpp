#include "platform/win32/Win32Drives.h"

#include "platform/win32/Handle.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <shellapi.h>

#include <limits>
#include <optional>

namespace win32 {

namespace {

// "X:\" for a drive letter, nothing for anything else.
std::optional<std::wstring> Root(char letter) {
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    return std::wstring{static_cast<wchar_t>(letter), L':', L'\\'};
}

std::int64_t Signed(ULONGLONG bytes) {
    constexpr auto max = static_cast<ULONGLONG>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(bytes > max ? max : bytes);
}

} // namespace

port::DriveType Win32Drives::Type(char letter) {
    const auto root = Root(letter);
    if (!root)
        return port::DriveType::NoRootDir;
    const UINT type = GetDriveTypeW(root->c_str());
    return type <= DRIVE_RAMDISK ? static_cast<port::DriveType>(type) : port::DriveType::Unknown;
}

port::VolumeInfo Win32Drives::Volume(char letter) {
    const auto root = Root(letter);
    if (!root)
        return {};
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root->c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               fileSystem, MAX_PATH + 1))
        return {};
    return {true, Narrow(label), Narrow(fileSystem)};
}

port::DiskSpace Win32Drives::FreeSpace(char letter) {
    const auto root = Root(letter);
    ULARGE_INTEGER freeToCaller{};
    ULARGE_INTEGER total{};
    if (!root || !GetDiskFreeSpaceExW(root->c_str(), &freeToCaller, &total, nullptr))
        return {};
    return {Signed(total.QuadPart), Signed(freeToCaller.QuadPart)};
}

std::uint32_t Win32Drives::LogicalDrives() {
    return GetLogicalDrives();
}

int Win32Drives::IconIndex(char letter) {
    const auto root = Root(letter);
    if (!root)
        return -1;
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    // The icon of a removable or CD drive is taken from its type alone: asking the drive
    // would spin it up, or wait on an empty one.
    const UINT type = GetDriveTypeW(root->c_str());
    if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM)
        flags |= SHGFI_USEFILEATTRIBUTES;
    // With SHGFI_SYSICONINDEX the result is the image list, null on failure.
    const DWORD_PTR list =
        SHGetFileInfoW(root->c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
    return list != 0 ? info.iIcon : -1;
}

std::uint32_t Win32Drives::SuppressCriticalErrors() {
    const DWORD current = GetThreadErrorMode();
    DWORD previous = current;
    if (SetThreadErrorMode(current | SEM_FAILCRITICALERRORS, &previous) == FALSE)
        previous = current; // restoring it then changes nothing
    return previous;
}

void Win32Drives::RestoreCriticalErrors(std::uint32_t previous) {
    SetThreadErrorMode(previous, nullptr);
}

bool Win32Drives::SetLabel(char letter, const std::string& label, std::string& reason) {
    const auto root = Root(letter);
    if (!root) {
        reason = SystemMessage(ERROR_INVALID_DRIVE);
        return false;
    }
    if (SetVolumeLabelW(root->c_str(), Widen(label).c_str()) == FALSE) {
        reason = SystemMessage(GetLastError());
        return false;
    }
    return true;
}

} // namespace win32
