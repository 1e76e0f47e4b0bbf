#pragma once

#include "platform/Drives.h"

#include <string>

namespace trelvix {

// The class of a drive letter, from the system's drive type. Only Fixed, CdRom, Network
// and Ram are listed by the fixed-lists survey; only Removable by the removable survey.
enum class DriveClass { None, NoRoot, Removable, Fixed, Network, CdRom, Ram };

[[nodiscard]] DriveClass ClassifyDrive(port::DriveType type);

// Full line: "C: [label] (fs) Total: <total><suffix>; Free: <free><suffix><marker>".
[[nodiscard]] std::string ComposeDriveLine(char letter, const std::string& label,
                                           const std::string& fileSystem,
                                           const std::string& totalText,
                                           const std::string& freeText, const std::string& suffix,
                                           const std::string& markerText);
[[nodiscard]] std::string AccessDeniedLine(char letter);
// An empty CD drive: ": Cd-Rom" when the capacity query failed, ": Cd-rom" when the
// volume was unreadable; A: always says "Cd-Rom".
[[nodiscard]] std::string CdRomLine(char letter, bool capacityFailed);
// What the removable list shows until its first survey.
[[nodiscard]] std::string RemovablePromptLine();
// 139 hyphens.
[[nodiscard]] std::string SeparatorLine();
[[nodiscard]] std::string GeneralLine(const std::string& totalText, const std::string& freeText,
                                      const std::string& suffix, const std::string& markerText);
// "C:T<total>;F<free>" and a carriage return: one fixed drive in the tray icon's tip.
[[nodiscard]] std::string TrayFragment(char letter, const std::string& totalText,
                                       const std::string& freeText);

} // namespace trelvix
