#include "platform/win32/Handle.h"
#include "platform/win32/peers/Glyphs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t Face = 0xF0F0F0, Blue = 0x0000FF, Green = 0x00FF00, Red = 0xFF0000;

// A 32-bit top-down picture of `width` x `height` pixels (0xRRGGBB each).
win32::UniqueBitmap Picture(int width, int height, const std::uint32_t* pixels,
                            std::uint32_t** bits = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* data = nullptr;
    win32::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0));
    if (pixels != nullptr)
        std::memcpy(data, pixels, sizeof(std::uint32_t) * static_cast<size_t>(width * height));
    if (bits != nullptr)
        *bits = static_cast<std::uint32_t*>(data);
    return bitmap;
}

// Draws the glyph on a red canvas of its own size and returns the canvas's pixels.
void DrawOnRed(const win32::GlyphImage& glyph, std::uint32_t* out) {
    std::uint32_t* bits = nullptr;
    auto canvas = Picture(glyph.Width(), glyph.Height(), nullptr, &bits);
    for (int i = 0; i < glyph.Width() * glyph.Height(); ++i)
        bits[i] = Red;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas.get());
    glyph.Draw(dc, 0, 0);
    GdiFlush();
    std::memcpy(out, bits,
                sizeof(std::uint32_t) * static_cast<size_t>(glyph.Width() * glyph.Height()));
    SelectObject(dc, old);
    DeleteDC(dc);
}

// Blue top-left, green bottom-right; the bottom-left face colour is the see-through one.
const std::uint32_t source[4] = {Blue, Face, Face, Green};

TEST(Glyphs, TheBottomLeftColourIsSeeThroughAtEverySize) {
    auto bitmap = Picture(2, 2, source);
    auto glyph = win32::GlyphImage::Make(bitmap.get(), 4, 4, false);
    ASSERT_FALSE(glyph.Empty());
    std::uint32_t drawn[16] = {};
    DrawOnRed(glyph, drawn);
    auto at = [&](int x, int y) { return drawn[y * 4 + x] & 0xFFFFFFu; };
    EXPECT_EQ(at(0, 0), Blue);
    EXPECT_EQ(at(3, 0), Red);
    EXPECT_EQ(at(0, 3), Red);
    EXPECT_EQ(at(3, 3), Green);
}

TEST(Glyphs, ADisabledGlyphIsGreyWithTheSameShape) {
    auto bitmap = Picture(2, 2, source);
    auto glyph = win32::GlyphImage::Make(bitmap.get(), 2, 2, true);
    std::uint32_t drawn[4] = {};
    DrawOnRed(glyph, drawn);
    for (int i : {0, 3}) {
        const std::uint32_t r = (drawn[i] >> 16) & 0xFF, g = (drawn[i] >> 8) & 0xFF,
                            b = drawn[i] & 0xFF;
        EXPECT_TRUE(r == g && g == b) << i;
    }
    EXPECT_EQ(drawn[1] & 0xFFFFFFu, Red);
}

TEST(Glyphs, NoBitmapMakesAnEmptyGlyph) {
    EXPECT_TRUE(win32::GlyphImage::Make(nullptr, 24, 24, false).Empty());
}

} // namespace
