#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace port {

// A picture as 24-bit pixels: three bytes each (blue, green, red), rows from top to bottom,
// no padding between rows.
struct RgbPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
    [[nodiscard]] bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const RgbPixels&) const = default;
};

// A picture held by the platform (a bitmap handle on Windows); immutable once made.
class Image {
  public:
    virtual ~Image() = default;
    [[nodiscard]] virtual int Width() const = 0;
    [[nodiscard]] virtual int Height() const = 0;
    // The picture at 24 bits per pixel, whatever its own format; empty when it cannot be read.
    [[nodiscard]] virtual RgbPixels Pixels() const = 0;
};

class Bitmaps {
  public:
    virtual ~Bitmaps() = default;
    // Reads a bitmap file. On failure returns nullptr and puts the system's reason
    // into `reason`.
    [[nodiscard]] virtual std::shared_ptr<const Image> LoadFile(const std::string& path,
                                                                std::string& reason) = 0;
    // A picture built into the executable (form images); nullptr when absent.
    [[nodiscard]] virtual std::shared_ptr<const Image> LoadBuiltIn(const std::string& name) = 0;
};

} // namespace port
