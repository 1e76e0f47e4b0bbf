#include "platform/win32/Win32Files.h"

#include "platform/win32/Unicode.h"

namespace win32 {

std::string Win32Files::TempPath() {
    std::wstring path(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
        if (length == 0)
            return {};
        // Too small a buffer gives the size needed, terminator included.
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(length);
    }
}

bool Win32Files::MakeDirectory(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

} // namespace win32
