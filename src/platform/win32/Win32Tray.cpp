#include "platform/win32/Win32Tray.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/Window.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

namespace win32 {

std::wstring NotifyTip(const std::string& tip) {
    // The program's tips are 63 characters, as in the shell's original 64-unit field.
    constexpr size_t limit = 63;
    std::wstring wide = Widen(tip);
    if (wide.size() > limit) {
        wide.resize(limit);
        if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
            wide.pop_back();
    }
    return wide;
}

Win32Tray::Win32Tray() {
    ownIcon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    // The system's icon is shared: it is never destroyed.
    icon_ = ownIcon_ ? ownIcon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
}

Win32Tray::~Win32Tray() {
    // Messages sent while the window is destroyed must not reach a handler that is gone.
    handler_ = nullptr;
    window_.reset();
}

void Win32Tray::CreateMessageWindow(
    std::function<std::intptr_t(const port::TrayMessage&)> handler) {
    handler_ = nullptr;
    window_.reset();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Tray::Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = TrayWindowClass;
    if (!RegisterWindowClass(windowClass))
        return;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, TrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, this));
    if (!window_)
        return;
    // An elevated program would otherwise never hear the announcement of a restarted taskbar.
    if (taskbarCreated_ != 0)
        ChangeWindowMessageFilterEx(window_.get(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    // Attached only now: the messages of the window's creation get the default handling.
    handler_ = std::move(handler);
}

LRESULT CALLBACK Win32Tray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = WindowObject<Win32Tray>(window, message, lParam);
    if (tray == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return tray->Dispatch(window, message, wParam, lParam);
}

LRESULT Win32Tray::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!handler_)
        return DefWindowProcW(window, message, wParam, lParam);
    unsigned delivered = message;
    if (message == taskbarCreated_)
        delivered = port::TaskbarCreatedMessage;
    else if (message == port::TaskbarCreatedMessage)
        // Some other registered message that happens to have that number.
        return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = handler_(port::TrayMessage{delivered, wParam, lParam});
    } catch (...) {
        // No exception may unwind through the system's code.
        return 0;
    }
    const bool own =
        message >= WM_USER || message == WM_QUERYENDSESSION || message == WM_ENDSESSION;
    return own ? result : DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Tray::Notify(DWORD command, const port::NotifyIconData* data) {
    if (!window_)
        return false;
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window_.get();
    icon.uID = 0;
    if (data != nullptr) {
        if (data->hasMessage)
            icon.uFlags |= NIF_MESSAGE;
        if (data->hasIcon)
            icon.uFlags |= NIF_ICON;
        if (data->hasTip)
            icon.uFlags |= NIF_TIP;
        icon.uCallbackMessage = data->callbackMessage;
        icon.hIcon = icon_;
        const std::wstring tip = NotifyTip(data->tip);
        std::copy(tip.begin(), tip.end(), std::begin(icon.szTip));
    }
    return Shell_NotifyIconW(command, &icon) != FALSE;
}

bool Win32Tray::Add(const port::NotifyIconData& data) {
    return Notify(NIM_ADD, &data);
}

bool Win32Tray::Modify(const port::NotifyIconData& data) {
    return Notify(NIM_MODIFY, &data);
}

bool Win32Tray::Delete() {
    return Notify(NIM_DELETE, nullptr);
}

void Win32Tray::SetForeground() {
    if (window_)
        SetForegroundWindow(window_.get());
}

} // namespace win32
