#pragma once

#include "platform/Power.h"

namespace win32 {

class Win32Power : public port::Power {};

} // namespace win32
