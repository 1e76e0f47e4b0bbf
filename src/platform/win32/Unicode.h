#pragma once

// UTF-8 (the core's strings) <-> UTF-16 (the W functions) at the Win32 boundary.

#include <string>
#include <string_view>

namespace win32 {

// Invalid UTF-8 sequences become U+FFFD; an empty string gives an empty string.
std::wstring Widen(const std::string& utf8);
// Unpaired surrogates become U+FFFD; an empty string gives an empty string.
std::string Narrow(std::wstring_view utf16);

} // namespace win32
