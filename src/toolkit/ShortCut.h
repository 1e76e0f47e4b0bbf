#pragma once

#include <string>

namespace tk {

// Parts of a shortcut value: key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt.
namespace shortcut {
inline constexpr int Shift = 0x2000;
inline constexpr int Ctrl = 0x4000;
inline constexpr int Alt = 0x8000;
inline constexpr int KeyMask = 0x00FF;
} // namespace shortcut

// The text a menu shows beside an item for its shortcut ("Ctrl+X", "F11",
// "Ctrl+Alt+R"); "" for none or a key without a name.
std::string ShortCutToText(int shortCut);

} // namespace tk
