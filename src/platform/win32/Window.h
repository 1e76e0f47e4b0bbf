#pragma once

// What the program's own window classes share: their registration and the object behind
// each window.

#include "platform/win32/Handle.h"

namespace win32 {

// Registers a window class; a second registration in the same process (a second host or
// tray in the tests) finds the class there already. False when there is none.
inline bool RegisterWindowClass(const WNDCLASSEXW& windowClass) {
    WNDCLASSEXW found{};
    found.cbSize = sizeof found;
    return RegisterClassExW(&windowClass) != 0 ||
           GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &found) != FALSE;
}

// A window the user never sees, of its own class `className` (registered here with
// `procedure`), serving `object` (what WindowObject gives the procedure). A message-only window
// hears no broadcasts; one that must (a restarted taskbar, a changed look) is a hidden
// top-level popup, which can also become the foreground window. Empty when it cannot be made.
inline UniqueWindow CreateHiddenWindow(const wchar_t* className, WNDPROC procedure, void* object,
                                       bool hearsBroadcasts) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterWindowClass(windowClass))
        return {};
    if (hearsBroadcasts)
        return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0,
                                            nullptr, nullptr, instance, object));
    return UniqueWindow(
        CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, object));
}

// The object a window procedure serves: CreateWindowExW's last argument, kept in the
// window's user data from WM_NCCREATE on; nullptr for the messages before it.
template <typename T> T* WindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace win32
