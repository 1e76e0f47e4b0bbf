#include "platform/win32/peers/Glyphs.h"

#include "platform/win32/Win32Bitmaps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace win32 {

namespace {

// Pixels as 0xAARRGGBB, alpha premultiplied, rows top to bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

bool Read(HBITMAP source, Pixels& out) {
    BITMAP info{};
    if (GetObjectW(source, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0)
        return false;
    out.width = info.bmWidth;
    out.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    out.data.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = out.width;
    header.bmiHeader.biHeight = -out.height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    const WindowDC screen(nullptr);
    const int rows = GetDIBits(screen.get(), source, 0, static_cast<UINT>(out.height),
                               out.data.data(), &header, DIB_RGB_COLORS);
    return rows == out.height;
}

// The colour of the bottom-left pixel becomes transparent; every other pixel opaque.
void KeyOutBottomLeft(Pixels& p) {
    const std::uint32_t key =
        p.data[static_cast<size_t>(p.height - 1) * static_cast<size_t>(p.width)] & 0xFFFFFFu;
    for (std::uint32_t& px : p.data)
        px = (px & 0xFFFFFFu) == key ? 0u : (px | 0xFF000000u);
}

// Area-averaging resample of premultiplied pixels: sharp at whole multiples, smooth between.
Pixels Resample(const Pixels& src, int width, int height) {
    if (src.width == width && src.height == height)
        return src;
    Pixels out{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
    const double sx = static_cast<double>(src.width) / width;
    const double sy = static_cast<double>(src.height) / height;
    for (int y = 0; y < height; ++y) {
        const double y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < width; ++x) {
            const double x0 = x * sx, x1 = (x + 1) * sx;
            double sum[4] = {0, 0, 0, 0};
            double area = 0;
            for (int yy = static_cast<int>(y0); yy < src.height && yy < y1; ++yy) {
                const double h = std::min<double>(yy + 1, y1) - std::max<double>(yy, y0);
                for (int xx = static_cast<int>(x0); xx < src.width && xx < x1; ++xx) {
                    const double w = (std::min<double>(xx + 1, x1) - std::max<double>(xx, x0)) * h;
                    const std::uint32_t px =
                        src.data[static_cast<size_t>(yy) * static_cast<size_t>(src.width) +
                                 static_cast<size_t>(xx)];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += w * ((px >> (8 * c)) & 0xFFu);
                    area += w;
                }
            }
            std::uint32_t px = 0;
            for (int c = 0; c < 4; ++c) {
                const auto v = static_cast<std::uint32_t>(area > 0 ? sum[c] / area + 0.5 : 0);
                px |= std::min<std::uint32_t>(v, 255u) << (8 * c);
            }
            out.data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                px;
        }
    }
    return out;
}

// A light grey picture of the same shape, as disabled buttons show.
void Grey(Pixels& p) {
    for (std::uint32_t& px : p.data) {
        const std::uint32_t a = px >> 24;
        const std::uint32_t r = (px >> 16) & 0xFFu, g = (px >> 8) & 0xFFu, b = px & 0xFFu;
        const std::uint32_t luma = (r * 77 + g * 150 + b * 29) >> 8;
        const std::uint32_t v = std::min<std::uint32_t>(a, a * 128 / 255 + luma / 2);
        px = (a << 24) | (v << 16) | (v << 8) | v;
    }
}

} // namespace

HBITMAP BitmapOf(const tk::Bitmap& picture) {
    const auto* image = dynamic_cast<const Win32Image*>(picture.image.get());
    return image != nullptr ? image->Handle() : nullptr;
}

GlyphImage GlyphImage::Make(HBITMAP source, int width, int height, bool disabled) {
    GlyphImage glyph;
    Pixels pixels;
    if (source == nullptr || width <= 0 || height <= 0 || !Read(source, pixels))
        return glyph;
    KeyOutBottomLeft(pixels);
    pixels = Resample(pixels, width, height);
    if (disabled)
        Grey(pixels);

    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || bits == nullptr)
        return glyph;
    std::memcpy(bits, pixels.data.data(), pixels.data.size() * sizeof(std::uint32_t));
    glyph.bitmap_ = std::move(dib);
    glyph.width_ = width;
    glyph.height_ = height;
    return glyph;
}

void GlyphImage::Draw(HDC dc, int x, int y) const {
    if (!bitmap_)
        return;
    const UniqueDC memory(CreateCompatibleDC(dc));
    const SelectedObject picture(memory.get(), bitmap_.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, width_, height_, memory.get(), 0, 0, width_, height_, blend);
}

void DrawStretched(HDC dc, HBITMAP source, const RECT& rect) {
    BITMAP info{};
    if (source == nullptr || GetObjectW(source, sizeof info, &info) == 0)
        return;
    const UniqueDC memory(CreateCompatibleDC(dc));
    const SelectedObject picture(memory.get(), source);
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin{};
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               memory.get(), 0, 0, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight,
               SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
}

} // namespace win32
