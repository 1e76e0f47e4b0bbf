#pragma once

#include "platform/win32/Handle.h"

#include <string>

namespace win32 {

// The system's text for an error code, without the line break it ends with; never empty.
std::string SystemMessage(DWORD code);

} // namespace win32
