#pragma once

// The program's version, in the one place that the About box's version line, the version
// resource of trelvix.exe (trelvix.rc, trelvix.manifest.in) and the name of the download
// (cmake/TrelvixVersion.cmake) take it from. Plain macros: the resource compiler and CMake read
// this file too. CMake stops when the text and the numbers disagree.
//
// The text is major.minor with three minor digits; the resource's number is major.minor.0.0,
// so that 3.008 < 3.009 < 3.010 order the same way in both.
#define TRELVIX_VERSION_MAJOR 3
#define TRELVIX_VERSION_MINOR 8
#define TRELVIX_VERSION "3.008"

#ifndef RC_INVOKED
namespace trelvix {
inline constexpr const char* VersionText = "Version Trelvix " TRELVIX_VERSION;
} // namespace trelvix
#endif
