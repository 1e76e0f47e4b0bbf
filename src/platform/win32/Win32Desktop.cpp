#include "platform/win32/Win32Desktop.h"

#include "platform/win32/Unicode.h"

namespace win32 {

int Win32Desktop::ShowMessageBox(const std::string& text, const std::string& caption,
                                 unsigned flags) {
    HWND owner = GetActiveWindow();
    if (owner == nullptr)
        owner = owner_;
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

port::Point Win32Desktop::CursorPos() {
    POINT at{};
    if (!GetCursorPos(&at))
        return {};
    return {at.x, at.y};
}

port::ModifierKeys Win32Desktop::KeyState() {
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

} // namespace win32
