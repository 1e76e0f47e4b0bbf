#pragma once

#include <memory>
#include <string>

namespace port {

// A picture held by the platform (a bitmap handle on Windows); immutable once made.
class Image {
  public:
    virtual ~Image() = default;
    [[nodiscard]] virtual int Width() const = 0;
    [[nodiscard]] virtual int Height() const = 0;
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
