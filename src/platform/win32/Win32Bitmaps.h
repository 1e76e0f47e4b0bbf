#pragma once

#include "platform/Bitmaps.h"
#include "platform/win32/Handle.h"

namespace win32 {

// A bitmap the program owns; the handle is deleted with the object.
class Win32Image : public port::Image {
  public:
    // Takes ownership of `bitmap`, which must not be null.
    explicit Win32Image(HBITMAP bitmap);
    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // GetDIBits at 24 bits per pixel.
    port::RgbPixels Pixels() const override;

  private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

class Win32Bitmaps : public port::Bitmaps {
  public:
    // LoadImageW from the file as a DIB section; on failure nullptr and the system's message
    // for the error in `reason` (never empty).
    std::shared_ptr<const port::Image> LoadFile(const std::string& path,
                                                std::string& reason) override;
    // The BITMAP resource of the executable named by the upper-case base name of `name`
    // ("options.bmp" -> OPTIONS); nullptr when there is none.
    std::shared_ptr<const port::Image> LoadBuiltIn(const std::string& name) override;
};

} // namespace win32
