#include "platform/win32/Win32Files.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

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

namespace {

// Writes all of `bytes`, in pieces a single WriteFile takes.
bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t Piece = 1 << 30;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto size = static_cast<DWORD>(std::min(Piece, bytes.size() - at));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + at, size, &written, nullptr) || written != size)
            return false;
        at += size;
    }
    return true;
}

} // namespace

std::string Win32Files::LocalAppDataPath() {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
    std::string folder = SUCCEEDED(result) ? Narrow(path) : std::string();
    // Freed whether the call succeeded or not.
    CoTaskMemFree(path);
    return folder;
}

bool Win32Files::AppendToFile(const std::string& path, const std::vector<std::uint8_t>& header,
                              const std::vector<std::uint8_t>& bytes, std::string& reason) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(),
                                        FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        reason = SystemMessage(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    const bool written = GetFileSizeEx(file.get(), &size) &&
                         (size.QuadPart != 0 || WriteAll(file.get(), header)) &&
                         WriteAll(file.get(), bytes);
    if (!written)
        reason = SystemMessage(GetLastError());
    return written;
}

} // namespace win32
