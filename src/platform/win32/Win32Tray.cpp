#include "platform/win32/Win32Tray.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/Window.h"

#include <dbt.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>

namespace win32 {

std::wstring ShellFieldText(const std::string& text, std::size_t limit) {
    std::wstring wide = Widen(text);
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
    onEvent_ = nullptr;
    onError_ = nullptr;
    driveNotices_.reset();
    window_.reset();
}

void Win32Tray::CreateMessageWindow(std::function<void(const port::TrayEvent&)> onEvent,
                                    std::function<void()> onError) {
    onEvent_ = nullptr;
    onError_ = nullptr;
    driveNotices_.reset();
    window_.reset();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    showRequest_ = RegisterWindowMessageW(ShowMainWindowMessage);
    // Not message-only: the announcement of a restarted taskbar is broadcast.
    window_ = CreateHiddenWindow(TrayWindowClass, &Win32Tray::Procedure, this, true);
    if (!window_)
        return;
    // An elevated program would otherwise never hear the announcement of a restarted taskbar.
    for (UINT announcement : {taskbarCreated_, showRequest_})
        if (announcement != 0)
            ChangeWindowMessageFilterEx(window_.get(), announcement, MSGFLT_ALLOW, nullptr);
    // Drives mapped or removed by other programs; the desktop's whole tree is watched.
    SHChangeNotifyEntry everything{nullptr, TRUE};
    driveNotices_.reset(SHChangeNotifyRegister(
        window_.get(), SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
        SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED | SHCNE_NETSHARE | SHCNE_NETUNSHARE, DriveNoticeMessage,
        1, &everything));
    // Attached only now: the messages of the window's creation get the default handling.
    onEvent_ = std::move(onEvent);
    onError_ = std::move(onError);
}

LRESULT CALLBACK Win32Tray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = WindowObject<Win32Tray>(window, message, lParam);
    if (tray == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return tray->Dispatch(window, message, wParam, lParam);
}

std::optional<port::TrayEvent> VolumeEventOf(WPARAM change, LPARAM data) {
    if (change != DBT_DEVICEARRIVAL && change != DBT_DEVICEREMOVECOMPLETE)
        return std::nullopt;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return std::nullopt;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    port::TrayEvent event{port::TrayEvent::Kind::VolumesChanged};
    event.drives = volume->dbcv_unitmask & ((1u << 26) - 1);
    return event;
}

std::optional<port::TrayEvent> Win32Tray::EventOf(UINT message, WPARAM wParam,
                                                  LPARAM lParam) const {
    using Kind = port::TrayEvent::Kind;
    if (message == WM_ENDSESSION)
        // FALSE: another program cancelled the end of the session.
        return wParam != FALSE ? std::optional(port::TrayEvent{Kind::SessionEnding}) : std::nullopt;
    if (message == taskbarCreated_ && taskbarCreated_ != 0)
        return port::TrayEvent{Kind::TaskbarCreated};
    if (message == showRequest_ && showRequest_ != 0)
        return port::TrayEvent{Kind::ShowRequested};
    if (message == DriveNoticeMessage)
        return port::TrayEvent{Kind::DrivesChanged};
    if (message == WM_DEVICECHANGE)
        return VolumeEventOf(wParam, lParam);
    if (message != TrayCallbackMessage)
        return std::nullopt;
    std::optional<port::TrayEvent> event = IconEventOf(wParam, lParam);
    if (event && event->kind == Kind::BalloonClicked)
        event->tag = balloonTag_;
    return event;
}

std::optional<port::TrayEvent> IconEventOf(WPARAM wParam, LPARAM lParam) {
    using Kind = port::TrayEvent::Kind;
    using port::MouseButton;
    // Version 4 of the icon: the event in the low word, the icon's ID in the high word, and
    // the point the shell anchors a menu at in wParam.
    switch (LOWORD(lParam)) {
    case NIN_SELECT:
        return port::TrayEvent{Kind::Select};
    case NIN_KEYSELECT:
        return port::TrayEvent{Kind::KeySelect};
    case WM_CONTEXTMENU: {
        port::TrayEvent event{Kind::ContextMenu};
        event.at = port::Point{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
        return event;
    }
    case WM_MOUSEMOVE:
        return port::TrayEvent{Kind::Move};
    case WM_LBUTTONDOWN:
        return port::TrayEvent{Kind::ButtonDown, MouseButton::Left};
    case WM_LBUTTONUP:
        return port::TrayEvent{Kind::ButtonUp, MouseButton::Left};
    case WM_LBUTTONDBLCLK:
        return port::TrayEvent{Kind::DoubleClick, MouseButton::Left};
    case WM_RBUTTONDOWN:
        return port::TrayEvent{Kind::ButtonDown, MouseButton::Right};
    case WM_RBUTTONUP:
        return port::TrayEvent{Kind::ButtonUp, MouseButton::Right};
    case WM_RBUTTONDBLCLK:
        return port::TrayEvent{Kind::DoubleClick, MouseButton::Right};
    case WM_MBUTTONDOWN:
        return port::TrayEvent{Kind::ButtonDown, MouseButton::Middle};
    case WM_MBUTTONUP:
        return port::TrayEvent{Kind::ButtonUp, MouseButton::Middle};
    case WM_MBUTTONDBLCLK:
        return port::TrayEvent{Kind::DoubleClick, MouseButton::Middle};
    case NIN_BALLOONUSERCLICK:
        return port::TrayEvent{Kind::BalloonClicked};
    default:
        return std::nullopt;
    }
}

LRESULT Win32Tray::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!onEvent_)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_QUERYENDSESSION)
        return TRUE; // the program never holds up the end of a session
    std::optional<port::TrayEvent> event = EventOf(message, wParam, lParam);
    if (event)
        event->time = static_cast<std::uint32_t>(GetMessageTime());
    if (!event) {
        // The icon's other callbacks (balloons, keyboard selection) need no answer.
        if (message == TrayCallbackMessage)
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        onEvent_(*event);
        // The system asks whether a device may be removed, and waits for the answer.
        if (message == WM_DEVICECHANGE)
            return TRUE;
    } catch (...) {
        // No exception may unwind through the system's code: it is reported here, and a
        // report that fails itself ends here too.
        try {
            if (onError_)
                onError_();
        } catch (...) {
        }
    }
    return 0;
}

NOTIFYICONDATAW Win32Tray::IconRecord() const {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window_.get();
    icon.uID = 0;
    return icon;
}

bool Win32Tray::Notify(DWORD command, const port::NotifyIconData* data) {
    if (!window_)
        return false;
    NOTIFYICONDATAW icon = IconRecord();
    if (data != nullptr) {
        icon.uFlags = NIF_MESSAGE | NIF_ICON;
        // Version 4 shows the tip only when asked to.
        if (data->hasTip)
            icon.uFlags |= NIF_TIP | NIF_SHOWTIP;
        showsTip_ = data->hasTip;
        icon.uCallbackMessage = TrayCallbackMessage;
        icon.hIcon = icon_;
        const std::wstring tip = NotifyTip(data->tip);
        std::copy(tip.begin(), tip.end(), std::begin(icon.szTip));
    }
    return Shell_NotifyIconW(command, &icon) != FALSE;
}

bool Win32Tray::Add(const port::NotifyIconData& data) {
    if (!Notify(NIM_ADD, &data))
        return false;
    // Every new icon starts at version 0: keyboard selection and the menu key need version 4.
    NOTIFYICONDATAW version = IconRecord();
    version.uVersion = NOTIFYICON_VERSION_4;
    (void)Shell_NotifyIconW(NIM_SETVERSION, &version);
    return true;
}

bool Win32Tray::Modify(const port::NotifyIconData& data) {
    return Notify(NIM_MODIFY, &data);
}

bool Win32Tray::Delete() {
    return Notify(NIM_DELETE, nullptr);
}

namespace {
DWORD BalloonFlags(port::BalloonIcon icon) {
    switch (icon) {
    case port::BalloonIcon::Info:
        return NIIF_INFO;
    case port::BalloonIcon::Warning:
        return NIIF_WARNING;
    case port::BalloonIcon::Error:
        return NIIF_ERROR;
    default:
        return NIIF_NONE;
    }
}

template <std::size_t N> void CopyField(wchar_t (&field)[N], const std::string& text) {
    const std::wstring wide = ShellFieldText(text, N - 1);
    std::copy(wide.begin(), wide.end(), std::begin(field));
}
} // namespace

bool Win32Tray::ShowBalloon(const std::string& title, const std::string& text,
                            port::BalloonIcon icon, const std::string& tag) {
    if (!window_)
        return false;
    // Only the balloon's fields: the icon and its tip stay as they are. Version 4 reads the
    // tip's switch from every change, so a tip that shows is named again.
    NOTIFYICONDATAW balloon = IconRecord();
    balloon.uFlags = NIF_INFO | (showsTip_ ? NIF_SHOWTIP : 0);
    balloon.dwInfoFlags = BalloonFlags(icon);
    CopyField(balloon.szInfoTitle, title);
    CopyField(balloon.szInfo, text);
    if (Shell_NotifyIconW(NIM_MODIFY, &balloon) == FALSE)
        return false;
    balloonTag_ = tag;
    return true;
}

void Win32Tray::SetForeground() {
    if (window_)
        SetForegroundWindow(window_.get());
}

} // namespace win32
