#pragma once

// The About dialog's picture effect: a fade from one picture into another in 99 steps.
// Pure functions of the pixels, so that any frame can be computed (and checked) on its own.

#include "platform/Bitmaps.h"

#include <cstdint>

namespace trelvix {

// The frames drawn between the first picture and the second: k = 1 .. FadeFrames.
inline constexpr int FadeFrames = 99;

// One colour byte of frame k (0..100): (p * (100 - k) + q * k) / 100, rounded to the nearest
// whole number with halves going to the even neighbour.
[[nodiscard]] std::uint8_t BlendByte(std::uint8_t p, std::uint8_t q, int k);

// Cuts both pictures to the smaller width and the smaller height; each keeps its top-left part.
void CropToCommonSize(port::RgbPixels& p, port::RgbPixels& q);
// Cuts a picture to at most `width` x `height`, keeping its top-left part.
void CropTopLeft(port::RgbPixels& picture, int width, int height);

// Frame k (0..100) of the fade from `p` to `q`, which have the same size: every colour byte
// blended on its own.
[[nodiscard]] port::RgbPixels FadeFrame(const port::RgbPixels& p, const port::RgbPixels& q, int k);

} // namespace trelvix
