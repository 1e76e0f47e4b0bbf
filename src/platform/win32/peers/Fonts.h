#pragma once

#include "platform/win32/Handle.h"
#include "toolkit/Controls.h"

#include <map>
#include <string>
#include <tuple>

namespace win32 {

inline BOOL CloseFont(HFONT font) {
    return DeleteObject(font);
}
using UniqueFont = Unique<HFONT, &CloseFont>;

// A length in 96-DPI units as pixels of a window with `dpi`.
inline int ScaleToDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), 96);
}

// The controls' fonts, made once for each look, DPI and direction and kept for the run.
class Fonts {
  public:
    // `escapement` in tenths of a degree: 900 runs the text upwards (tabs on the left).
    HFONT Get(const tk::Font& font, UINT dpi, int escapement = 0);

  private:
    // "MS Sans Serif" is a bitmap font that blurs when scaled: the system's message
    // font stands in for it.
    std::wstring Face(const std::string& name);

    using Key = std::tuple<std::string, int, bool, bool, UINT, int>;
    std::map<Key, UniqueFont> fonts_;
    std::wstring messageFace_;
};

} // namespace win32
