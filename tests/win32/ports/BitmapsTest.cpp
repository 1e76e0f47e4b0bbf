#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// A file in the temp folder; its path as the program gives it.
std::string Put(const std::wstring& name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return win32::Narrow(path.wstring());
}

// A grey 24 x 16 BMP file.
std::string Bmp() {
    const DWORD pixels = 24 * 3 * 16;
    const BITMAPFILEHEADER file{0x4D42, 54 + pixels, 0, 0, 54};
    const BITMAPINFOHEADER info{sizeof info, 24, 16, 1, 24, BI_RGB, pixels, 0, 0, 0, 0};
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) +
           std::string(pixels, '\x7F');
}

TEST(BitmapsTest, FileLoadsWithItsSizeUnderANameOutsideTheAnsiCodePage) {
    std::string reason;
    const auto image = win32::Win32Bitmaps().LoadFile(Put(L"Bild ü 日本.bmp", Bmp()), reason);
    ASSERT_NE(image, nullptr) << reason;
    EXPECT_EQ(image->Width(), 24);
    EXPECT_EQ(image->Height(), 16);
}

TEST(BitmapsTest, MissingOrBrokenFileGivesTheSystemsReason) {
    for (const std::string& path :
         {Put(L"garbage.bmp", "this is not a picture"), std::string("C:\\no such\\On.bmp")}) {
        std::string reason;
        EXPECT_EQ(win32::Win32Bitmaps().LoadFile(path, reason), nullptr) << path;
        EXPECT_FALSE(reason.empty()) << path;
        EXPECT_EQ(reason.find("successfully"), std::string::npos) << reason;
    }
}

} // namespace
