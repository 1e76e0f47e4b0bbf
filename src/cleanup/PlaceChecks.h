#pragma once

#include <string>

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

enum class PlaceVerdict {
    Empty,       // no path: nothing is listed, sized or deleted
    NotAbsolute, // refused
    Protected,   // refused: a drive or share root, or a system or profile folder (or
                 // a folder holding one)
    Missing,     // no folder there (or it cannot be opened): nothing to do
    Usable,
};

struct Place {
    PlaceVerdict verdict = PlaceVerdict::Empty;
    // Where the place really is (its links followed), for a usable place.
    std::string folder;
    // The place's own path spells `folder` otherwise: through a link (the user moved the
    // place elsewhere) or a short name. The folder is emptied, but neither it nor a link
    // to it is removed.
    bool reachedByOtherName = false;
};

// Checks a place before it is listed, sized or emptied.
Place CheckPlace(port::Ports& ports, const std::string& path);

// The box text of a refused place.
std::string RefusalText(const std::string& path, PlaceVerdict verdict);

} // namespace trelvix
