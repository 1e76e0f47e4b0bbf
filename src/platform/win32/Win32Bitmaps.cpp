#include "platform/win32/Win32Bitmaps.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <cstdlib>
#include <cstring>

namespace win32 {

Win32Image::Win32Image(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == sizeof info) {
        width_ = info.bmWidth;
        // A top-down DIB reports a negative height.
        height_ = std::abs(info.bmHeight);
    }
}

port::RgbPixels Win32Image::Pixels() const {
    port::RgbPixels pixels;
    if (width_ <= 0 || height_ <= 0)
        return pixels;
    // GetDIBits gives rows padded to whole DWORDs, top row first for a negative height.
    const auto rowBytes = static_cast<size_t>(width_) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t{3};
    std::vector<std::uint8_t> padded(stride * static_cast<size_t>(height_));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width_;
    header.bmiHeader.biHeight = -height_;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    const WindowDC screen(nullptr);
    if (GetDIBits(screen.get(), bitmap_.get(), 0, static_cast<UINT>(height_), padded.data(),
                  &header, DIB_RGB_COLORS) != height_)
        return pixels;
    pixels.width = width_;
    pixels.height = height_;
    pixels.bytes.resize(rowBytes * static_cast<size_t>(height_));
    for (size_t y = 0; y < static_cast<size_t>(height_); ++y)
        std::memcpy(pixels.bytes.data() + y * rowBytes, padded.data() + y * stride, rowBytes);
    return pixels;
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
