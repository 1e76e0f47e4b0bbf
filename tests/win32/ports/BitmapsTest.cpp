#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Bitmaps.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using win32::Widen;

std::string TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    return win32::Narrow(path);
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 24-bit BMP file of the given size; a negative height stores the rows top-down.
std::string Bmp(int width, int height) {
    const int rows = height < 0 ? -height : height;
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t pixels = static_cast<std::uint32_t>(stride * rows);
    std::string bmp = "BM";
    Put(bmp, 54 + pixels, 4);
    Put(bmp, 0, 4);
    Put(bmp, 54, 4);
    Put(bmp, 40, 4);
    Put(bmp, static_cast<std::uint32_t>(width), 4);
    Put(bmp, static_cast<std::uint32_t>(height), 4);
    Put(bmp, 1, 2);
    Put(bmp, 24, 2);
    Put(bmp, 0, 4);
    Put(bmp, pixels, 4);
    Put(bmp, 2835, 4);
    Put(bmp, 2835, 4);
    Put(bmp, 0, 4);
    Put(bmp, 0, 4);
    bmp.append(pixels, '\x7F');
    return bmp;
}

void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

TEST(BitmapsTest, FileLoadsWithItsSize) {
    struct Row {
        std::string name;
        int width, height, expectedHeight;
    };
    const Row rows[] = {
        {"about0.bmp", 7, 5, 5},         // rows padded to four bytes
        {"about1.bmp", 64, 48, 48},      // a different size
        {"top_down.bmp", 3, -4, 4},      // rows stored from the top
        {"Bild ü 日本.bmp", 16, 16, 16}, // a name outside the ANSI code page
    };
    win32::Win32Bitmaps bitmaps;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = TempFolder() + row.name;
        Write(path, Bmp(row.width, row.height));
        std::string reason = "untouched";
        auto image = bitmaps.LoadFile(path, reason);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), row.width);
        EXPECT_EQ(image->Height(), row.expectedHeight);
        auto* bitmap = dynamic_cast<const win32::Win32Image*>(image.get());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(GetObjectType(bitmap->Handle()), static_cast<DWORD>(OBJ_BITMAP));
        DeleteFileW(Widen(path).c_str());
    }
}

TEST(BitmapsTest, ImageDeletesItsBitmap) {
    const std::string path = TempFolder() + "owned.bmp";
    Write(path, Bmp(2, 2));
    std::string reason;
    HBITMAP handle = nullptr;
    {
        auto image = win32::Win32Bitmaps().LoadFile(path, reason);
        ASSERT_NE(image, nullptr);
        handle = dynamic_cast<const win32::Win32Image&>(*image).Handle();
        EXPECT_NE(GetObjectType(handle), 0u);
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
    DeleteFileW(Widen(path).c_str());
}

TEST(BitmapsTest, FailuresGiveTheSystemsReason) {
    const std::string garbage = TempFolder() + "garbage.bmp";
    Write(garbage, "this is not a picture");
    const std::string paths[] = {TempFolder() + "missing.bmp", "C:\\no such folder\\On.bmp",
                                 garbage};
    win32::Win32Bitmaps bitmaps;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        std::string reason;
        EXPECT_EQ(bitmaps.LoadFile(path, reason), nullptr);
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.find("successfully"), std::string::npos) << reason;
        EXPECT_NE(reason.back(), '\n');
    }
    DeleteFileW(Widen(garbage).c_str());
}

TEST(BitmapsTest, MissingBuiltInPictureIsNull) {
    // The test program has no bitmap resources.
    EXPECT_EQ(win32::Win32Bitmaps().LoadBuiltIn("options.bmp"), nullptr);
    EXPECT_EQ(win32::Win32Bitmaps().LoadBuiltIn(""), nullptr);
}

} // namespace
