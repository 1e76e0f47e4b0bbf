#pragma once

#include "cleanup/OptionalFiles.h"

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace port {
struct Ports;
}

namespace trelvix {

// A folder path in one spelling: backslashes only, no "." or ".." parts, no doubled or
// trailing backslash, the drive letter in upper case ("C:\Temp"; a drive root is "C:\",
// a share root "\\server\share"). The "\\?\" and "\\.\" prefixes are taken off. "" when
// the path is not absolute: relative, drive-relative ("C:Temp"), rooted without a drive
// ("\Temp"), or a device or volume name.
std::string NormalFolderPath(const std::string& path);

// Whether `inner` is `outer` or lies below it; both in NormalFolderPath's spelling,
// letters compared without regard to case.
bool FolderWithin(const std::string& inner, const std::string& outer);

// What no place may touch on this computer. Every folder is kept in both its spellings: as
// the system names it and with its links followed.
struct PlaceRules {
    // The name of a system folder the rules need that the system could not give: then
    // nothing is cleaned. "" when every one was found.
    std::string missing;

    // A folder no place may be or hold; with `inside`, no place may lie in it either,
    // unless the place lies in one of `except`.
    struct Guard {
        std::string folder;
        bool inside = true;
        std::vector<std::string> except;
    };
    std::vector<Guard> guards;

    // Temporary folders by their path, besides those named Temp or Tmp; and the folders whose
    // numbered subfolders are temporary folders of a session.
    std::vector<std::string> tempFolders, sessionParents;
    // The system's own Temporary Internet Files, History and Cookies folders, links followed;
    // "" where the system names none.
    std::array<std::string, 3> browserFolders;
    // The user's local application data: as the system names it, then with its links
    // followed when that differs; and the roaming one as the system names it.
    std::vector<std::string> localAppData;
    std::string roamingAppData;
};

// Asks the system for everything the rules need.
PlaceRules ReadPlaceRules(port::Ports& ports);

// The rules of one refresh or one action, read by the first place that needs them (off the
// window's thread) and shared by the others.
class SharedPlaceRules {
  public:
    const PlaceRules& Get(port::Ports& ports) {
        std::call_once(read_, [&] { rules_ = ReadPlaceRules(ports); });
        return rules_;
    }

  private:
    std::once_flag read_;
    PlaceRules rules_;
};
using PlaceRulesPtr = std::shared_ptr<SharedPlaceRules>;

enum class PlaceVerdict {
    Empty,   // no path: nothing is listed, sized or deleted, and nothing is said
    Refused, // nothing is listed, sized or deleted; a delete shows why
    Missing, // no folder there (or it cannot be opened): nothing to do
    Usable,
};

struct Place {
    PlaceVerdict verdict = PlaceVerdict::Empty;
    // Where a usable place really is (its links followed).
    std::string folder;
    // Why a refused place is refused, as the box says it.
    std::string refusal;
    // Entries of a usable place that are listed and sized but never deleted.
    std::vector<std::string> kept;
};

// Checks a place of the given kind before it is listed, sized or emptied.
Place CheckPlace(port::Ports& ports, const PlaceRules& rules, FolderPlace kind,
                 const std::string& path);

// Checks a cache folder at `relative` (names joined by backslashes, none "." or "..") below
// the user's local application data. Besides the rules of every place, it must be reached
// through no link below that folder: a cache folder that leads elsewhere is refused.
Place CheckCachePlace(port::Ports& ports, const PlaceRules& rules, const std::string& relative);

} // namespace trelvix
