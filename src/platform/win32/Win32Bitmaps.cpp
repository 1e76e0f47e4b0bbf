#include "platform/win32/Win32Bitmaps.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <cstdlib>

namespace win32 {

Win32Image::Win32Image(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == sizeof info) {
        width_ = info.bmWidth;
        // A top-down DIB reports a negative height.
        height_ = std::abs(info.bmHeight);
    }
}

std::shared_ptr<const port::Image> Win32Bitmaps::LoadFile(const std::string& path,
                                                          std::string& reason) {
    const std::wstring wide = Widen(path);
    SetLastError(ERROR_SUCCESS);
    HANDLE image = LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0,
                              LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image != nullptr)
        return std::make_shared<Win32Image>(static_cast<HBITMAP>(image));
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) {
        // A failure without a code still needs a true reason, never "completed successfully".
        error = GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES ? ERROR_FILE_NOT_FOUND
                                                                            : ERROR_INVALID_DATA;
    }
    reason = SystemMessage(error);
    return nullptr;
}

std::shared_ptr<const port::Image> Win32Bitmaps::LoadBuiltIn(const std::string& name) {
    std::string base = name.substr(name.find_last_of("\\/") + 1);
    if (const auto dot = base.rfind('.'); dot != std::string::npos)
        base.erase(dot);
    std::wstring resource = Widen(base);
    if (resource.empty())
        return nullptr;
    CharUpperBuffW(resource.data(), static_cast<DWORD>(resource.size()));
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), resource.c_str(), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    if (image == nullptr)
        return nullptr;
    return std::make_shared<Win32Image>(static_cast<HBITMAP>(image));
}

} // namespace win32
