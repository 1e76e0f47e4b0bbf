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
    // SHGetKnownFolderPath(FOLDERID_LocalAppData); "" when the system refuses.
    std::string LocalAppDataPath() override;
    // CreateFileW with FILE_APPEND_DATA (made when missing, shared for reading), then
    // WriteFile of the header when the file is empty and of the bytes; the reason is the
    // system's text for the error.
    bool AppendToFile(const std::string& path, const std::vector<std::uint8_t>& header,
                      const std::vector<std::uint8_t>& bytes, std::string& reason) override;
};

} // namespace win32
