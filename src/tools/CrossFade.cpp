#include "tools/CrossFade.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace trelvix {

std::uint8_t BlendByte(std::uint8_t p, std::uint8_t q, int k) {
    const int sum = p * (100 - k) + q * k;
    int whole = sum / 100;
    const int rest = sum % 100;
    if (rest > 50 || (rest == 50 && whole % 2 != 0))
        ++whole;
    return static_cast<std::uint8_t>(whole);
}

void CropTopLeft(port::RgbPixels& picture, int width, int height) {
    width = std::clamp(width, 0, std::max(0, picture.width));
    height = std::clamp(height, 0, std::max(0, picture.height));
    if (picture.bytes.size() < static_cast<std::size_t>(std::max(0, picture.width)) *
                                   static_cast<std::size_t>(std::max(0, picture.height)) * 3)
        throw std::invalid_argument("a picture has fewer bytes than its size needs");
    if (picture.width == width && picture.height == height)
        return;
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    const auto oldRowBytes = static_cast<std::size_t>(picture.width) * 3;
    std::vector<std::uint8_t> kept;
    kept.reserve(rowBytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto row = picture.bytes.begin() + static_cast<std::ptrdiff_t>(y * oldRowBytes);
        kept.insert(kept.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    picture = port::RgbPixels{width, height, std::move(kept)};
}

void CropToCommonSize(port::RgbPixels& p, port::RgbPixels& q) {
    const int width = std::min(p.width, q.width);
    const int height = std::min(p.height, q.height);
    CropTopLeft(p, width, height);
    CropTopLeft(q, width, height);
}

port::RgbPixels FadeFrame(const port::RgbPixels& p, const port::RgbPixels& q, int k) {
    if (p.width != q.width || p.height != q.height || p.bytes.size() != q.bytes.size())
        throw std::invalid_argument("the pictures of a fade must have the same size");
    port::RgbPixels frame{p.width, p.height, std::vector<std::uint8_t>(p.bytes.size())};
    for (std::size_t i = 0; i < p.bytes.size(); ++i)
        frame.bytes[i] = BlendByte(p.bytes[i], q.bytes[i], k);
    return frame;
}

} // namespace trelvix
