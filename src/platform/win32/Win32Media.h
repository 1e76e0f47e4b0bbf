#pragma once

#include "platform/Media.h"

namespace win32 {

class Win32Media : public port::Media {};

} // namespace win32
