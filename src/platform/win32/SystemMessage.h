#pragma once

#include "platform/win32/Handle.h"

#include <string>

namespace win32 {

// The system's text for an error code, without the line break it ends with;
// "System error N" when the system has none.
std::string SystemMessage(DWORD code);

} // namespace win32
