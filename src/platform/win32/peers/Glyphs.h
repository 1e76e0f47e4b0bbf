#pragma once

#include "platform/win32/Handle.h"
#include "toolkit/Controls.h"

namespace win32 {

// The bitmap behind a control's picture; nullptr when it has none.
HBITMAP BitmapOf(const tk::Bitmap& picture);

// A button's glyph made ready to draw: scaled to the window's DPI, its bottom-left
// colour transparent (the classic glyph convention) and greyed when the button is
// disabled.
class GlyphImage {
  public:
    GlyphImage() = default;
    // Empty when the bitmap cannot be read.
    static GlyphImage Make(HBITMAP source, int width, int height, bool disabled);

    [[nodiscard]] bool Empty() const { return !bitmap_; }
    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    void Draw(HDC dc, int x, int y) const;

  private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// Draws a picture stretched over `rect`, smoothed.
void DrawStretched(HDC dc, HBITMAP source, const RECT& rect);

} // namespace win32
