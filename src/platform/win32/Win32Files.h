#pragma once

#include "platform/win32/Handle.h"
#include "platform/Files.h"

namespace win32 {

class Win32Files : public port::Files {
  public:
    // GetTempPathW, whole; ends in a backslash; "" when the system gives none.
    std::string TempPath() override;
    // CreateDirectoryW of one folder; false when it exists already or cannot be made.
    bool MakeDirectory(const std::string& path) override;
};

} // namespace win32
