#pragma once

// What the program's own window classes share: their registration and the object behind
// each window; and the hook that puts a procedure in front of a control's.

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

// A window procedure put in front of a window's own, for a window the program did not
// register the class of. The object it serves is kept in the window's user data, which standard
// and common controls leave to the application: a window property (what SetWindowSubclass
// keeps) costs a round trip to Wine's server on every message. The window gets its own
// procedure back when the hook goes or at WM_NCDESTROY, whichever comes first.
class ProcedureHook {
  public:
    ProcedureHook() = default;
    ~ProcedureHook() { Detach(); }
    ProcedureHook(const ProcedureHook&) = delete;
    ProcedureHook& operator=(const ProcedureHook&) = delete;

    // Sends the messages of `window` to `procedure` first, which finds `object` with ObjectOf.
    // False when the window would not take it.
    bool Attach(HWND window, WNDPROC procedure, void* object) {
        Detach();
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        SetLastError(ERROR_SUCCESS);
        const LONG_PTR own =
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        if (own == 0 && GetLastError() != ERROR_SUCCESS) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return false;
        }
        window_ = window;
        procedure_ = procedure;
        own_ = reinterpret_cast<WNDPROC>(own);
        return true;
    }

    // The window's own procedure back in place, unless another was put in front of the hook's
    // since: then the hook's stays in the chain and, finding no object, passes every message
    // to the window's class.
    void Detach() {
        if (window_ == nullptr)
            return;
        if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(procedure_))
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_));
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
    }

    // The message to the window's own procedure; at WM_NCDESTROY the hook lets go first.
    LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const WNDPROC own = own_;
        if (message == WM_NCDESTROY)
            Detach();
        return CallWindowProcW(own, window, message, wParam, lParam);
    }

    // The object of a hooked window; nullptr once the hook let go.
    template <typename T> static T* ObjectOf(HWND window) {
        return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

    // For a hook procedure that found no object: the window's class procedure.
    static LRESULT PassOnToClass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
        return CallWindowProcW(own, window, message, wParam, lParam);
    }

  private:
    HWND window_ = nullptr;
    WNDPROC procedure_ = nullptr;
    WNDPROC own_ = nullptr;
};

} // namespace win32
