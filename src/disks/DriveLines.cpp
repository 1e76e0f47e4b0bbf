#include "disks/DriveLines.h"

namespace trelvix {

DriveClass ClassifyDrive(port::DriveType type) {
    switch (type) {
    case port::DriveType::NoRootDir:
        return DriveClass::NoRoot;
    case port::DriveType::Removable:
        return DriveClass::Removable;
    case port::DriveType::Fixed:
        return DriveClass::Fixed;
    case port::DriveType::Remote:
        return DriveClass::Network;
    case port::DriveType::CdRom:
        return DriveClass::CdRom;
    case port::DriveType::RamDisk:
        return DriveClass::Ram;
    default:
        return DriveClass::None;
    }
}

std::string ComposeDriveLine(char letter, const std::string& label, const std::string& fileSystem,
                             const std::string& totalText, const std::string& freeText,
                             const std::string& suffix, const std::string& markerText) {
    return std::string(1, letter) + ": [" + label + "] (" + fileSystem + ") Total: " + totalText +
           suffix + "; Free: " + freeText + suffix + markerText;
}

std::string RemovablePromptLine() {
    return "Press Refresh or F5 for Access to disks";
}

std::string AccessDeniedLine(char letter) {
    return std::string(1, letter) + ": Access Denied";
}

std::string CdRomLine(char letter, bool capacityFailed) {
    return std::string(1, letter) + (capacityFailed || letter == 'A' ? ": Cd-Rom" : ": Cd-rom");
}

std::string SeparatorLine() {
    return std::string(139, '-');
}

std::string GeneralLine(const std::string& totalText, const std::string& freeText,
                        const std::string& suffix, const std::string& markerText) {
    return "General: Total: " + totalText + suffix + "; Free: " + freeText + suffix + markerText;
}

std::string TrayFragment(char letter, const std::string& totalText, const std::string& freeText) {
    return std::string(1, letter) + ":T" + totalText + ";F" + freeText + "\r";
}

} // namespace trelvix
