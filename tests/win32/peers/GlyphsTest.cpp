#include "platform/win32/Handle.h"
#include "platform/win32/peers/Glyphs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255), Green = RGB(0, 255, 0), Red = RGB(255, 0, 0);

// A 2 x 2 picture, blue top-left and green bottom-right, whose bottom-left colour (the face)
// is the see-through one, made a glyph of `size` pixels and drawn on red: the pixels drawn.
std::vector<COLORREF> DrawOnRed(int size, bool disabled) {
    const std::uint32_t source[] = {0x0000FF, 0xF0F0F0, 0xF0F0F0, 0x00FF00}; // 0xRRGGBB
    const win32::UniqueBitmap picture(CreateBitmap(2, 2, 1, 32, source));
    const auto glyph = win32::GlyphImage::Make(picture.get(), size, size, disabled);
    HDC dc = CreateCompatibleDC(nullptr);
    const win32::UniqueBitmap canvas(CreateBitmap(size, size, 1, 32, nullptr));
    const win32::UniqueGdi red(CreateSolidBrush(Red));
    HGDIOBJ old = SelectObject(dc, canvas.get());
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(red.get()));
    glyph.Draw(dc, 0, 0);
    std::vector<COLORREF> drawn;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            drawn.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return drawn;
}

// The classic glyph convention: the bottom-left colour is see-through, at every size; a
// disabled button's glyph is grey with the same shape.
TEST(Glyphs, TheBottomLeftColourIsSeeThroughAndADisabledGlyphIsGrey) {
    EXPECT_EQ(DrawOnRed(2, false), (std::vector<COLORREF>{Blue, Red, Red, Green}));
    const std::vector<COLORREF> large = DrawOnRed(4, false), disabled = DrawOnRed(2, true);
    EXPECT_EQ((std::vector{large[0], large[3], large[12], large[15]}),
              (std::vector<COLORREF>{Blue, Red, Red, Green}));
    for (COLORREF pixel : {disabled[0], disabled[3]})
        EXPECT_TRUE(GetRValue(pixel) == GetGValue(pixel) && GetGValue(pixel) == GetBValue(pixel));
    EXPECT_EQ(disabled[1], Red);
}

} // namespace
