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

namespace {
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) != FALSE) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<port::Rect>*>(areas)->push_back(
            {r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}
} // namespace

std::vector<port::Rect> Win32Desktop::WorkAreas() {
    std::vector<port::Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

int Win32Desktop::TitleBarHeight() {
    const UINT dpi = owner_ != nullptr ? GetDpiForWindow(owner_) : 0;
    const UINT at = dpi != 0 ? dpi : 96;
    return GetSystemMetricsForDpi(SM_CYCAPTION, at) + GetSystemMetricsForDpi(SM_CYFRAME, at) +
           GetSystemMetricsForDpi(SM_CXPADDEDBORDER, at);
}

unsigned Win32Desktop::DoubleClickTime() {
    return GetDoubleClickTime();
}

} // namespace win32
