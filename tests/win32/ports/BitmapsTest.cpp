#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Bitmaps.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

// A file in the temp folder; its path as the program gives it.
std::string Put(const std::wstring& name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return win32::Narrow(path.wstring());
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

// A 5 x 3 picture, stored bottom row first with its rows padded, or through a palette, under
// a name outside the ANSI code page: its pixels come back at 24 bits, top row first, without
// padding.
TEST(BitmapsTest, PixelsComeAsTwentyFourBitRowsFromTheTop) {
    const auto colour = [](int x, int y) {
        return std::array<BYTE, 3>{static_cast<BYTE>(40 * x), static_cast<BYTE>(100 * y),
                                   static_cast<BYTE>(200 - 10 * x - 20 * y)}; // blue green red
    };
    port::RgbPixels expected{5, 3, {}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            for (BYTE b : colour(x, y))
                expected.bytes.push_back(b);

    std::string direct, indexed;
    for (int y = 2; y >= 0; --y) {
        for (int x = 0; x < 5; ++x) {
            for (BYTE b : colour(x, y))
                direct += static_cast<char>(b);
            indexed += static_cast<char>(y * 5 + x);
        }
        direct += std::string(1, '\0'); // 15 bytes padded to 16
        indexed += std::string(3, '\0');
    }
    // The palette's entry y * 5 + x holds the colour of pixel x, y.
    std::string ordered(15 * 4, '\0');
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                ordered[static_cast<size_t>((y * 5 + x) * 4 + c)] =
                    static_cast<char>(colour(x, y)[static_cast<size_t>(c)]);
    const auto file = [](WORD bits, DWORD colours, const std::string& table,
                         const std::string& data) {
        const DWORD offset = 54 + static_cast<DWORD>(table.size());
        const BITMAPFILEHEADER head{0x4D42, offset + static_cast<DWORD>(data.size()), 0, 0, offset};
        const BITMAPINFOHEADER info{
            sizeof info, 5, 3, 1, bits, BI_RGB, static_cast<DWORD>(data.size()), 0, 0, colours, 0};
        return std::string(reinterpret_cast<const char*>(&head), sizeof head) +
               std::string(reinterpret_cast<const char*>(&info), sizeof info) + table + data;
    };
    for (const auto& [name, bytes] : {std::pair{L"Bild ü 日本.bmp", file(24, 0, "", direct)},
                                      std::pair{L"indexed.bmp", file(8, 15, ordered, indexed)}}) {
        std::string reason;
        const auto image = win32::Win32Bitmaps().LoadFile(Put(name, bytes), reason);
        ASSERT_NE(image, nullptr) << reason;
        EXPECT_EQ(std::pair(image->Width(), image->Height()), std::pair(5, 3));
        EXPECT_EQ(image->Pixels(), expected) << win32::Narrow(name);
    }
}

} // namespace
