#include "toolkit/ShortCut.h"

namespace tk {

namespace {
// Virtual-key codes with names of their own; letters and digits name themselves.
std::string KeyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) // F1..F24
        return "F" + std::to_string(key - 0x70 + 1);
    switch (key) {
    case 0x08:
        return "BkSp";
    case 0x09:
        return "Tab";
    case 0x0D:
        return "Enter";
    case 0x1B:
        return "Esc";
    case 0x20:
        return "Space";
    case 0x21:
        return "PgUp";
    case 0x22:
        return "PgDn";
    case 0x23:
        return "End";
    case 0x24:
        return "Home";
    case 0x25:
        return "Left";
    case 0x26:
        return "Up";
    case 0x27:
        return "Right";
    case 0x28:
        return "Down";
    case 0x2D:
        return "Ins";
    case 0x2E:
        return "Del";
    default:
        return "";
    }
}
} // namespace

std::string ShortCutToText(int shortCut) {
    std::string key = KeyName(shortCut & shortcut::KeyMask);
    if (key.empty())
        return "";
    std::string text;
    if ((shortCut & shortcut::Shift) != 0)
        text += "Shift+";
    if ((shortCut & shortcut::Ctrl) != 0)
        text += "Ctrl+";
    if ((shortCut & shortcut::Alt) != 0)
        text += "Alt+";
    return text + key;
}

} // namespace tk
