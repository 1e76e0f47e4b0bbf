#include "app/TrayIcon.h"

namespace trelvix {

namespace {
constexpr unsigned WM_MOUSEMOVE_ = 512;
constexpr unsigned WM_LBUTTONDOWN_ = 513;
constexpr unsigned WM_LBUTTONUP_ = 514;
constexpr unsigned WM_LBUTTONDBLCLK_ = 515;
constexpr unsigned WM_RBUTTONDOWN_ = 516;
constexpr unsigned WM_RBUTTONUP_ = 517;
constexpr unsigned WM_RBUTTONDBLCLK_ = 518;
constexpr unsigned WM_MBUTTONDOWN_ = 519;
constexpr unsigned WM_MBUTTONUP_ = 520;
constexpr unsigned WM_MBUTTONDBLCLK_ = 521;

// The tip keeps its first 63 characters; a character is never cut in half.
std::string CutTip(const std::string& text) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && chars++ == TTrayIcon::MaxTip)
            return text.substr(0, i);
    }
    return text;
}
} // namespace

TTrayIcon::TTrayIcon(tk::Application& app, port::Tray& tray, port::Desktop& desktop)
    : app_(app), tray_(tray), desktop_(desktop) {
    tray_.CreateMessageWindow([this](const port::TrayMessage& m) { return WndProc(m); });
    data_.tip = CutTip(app_.Title());
    data_.hasTip = !app_.Title().empty();
    data_.callbackMessage = CallbackMessage;
    // At logon the taskbar may not be there yet: the icon then comes with the
    // taskbar's "TaskbarCreated" announcement instead of keeping the program from starting.
    AddIcon();
    app_.OnMinimize = [this] { Minimize(); };
    app_.OnRestore = [this] { Restore(); };
}

TTrayIcon::~TTrayIcon() {
    RemoveIcon();
}

void TTrayIcon::AddIcon() {
    shown_ = tray_.Add(data_);
}

void TTrayIcon::Modify() {
    if (shown_)
        (void)tray_.Modify(data_);
}

void TTrayIcon::RemoveIcon() {
    if (shown_)
        (void)tray_.Delete();
    shown_ = false;
}

void TTrayIcon::SetHint(const std::string& text) {
    if (text == hint_)
        return;
    hint_ = text;
    data_.tip = CutTip(text);
    data_.hasTip = !text.empty();
    Modify();
}

unsigned TTrayIcon::ShiftState() const {
    port::ModifierKeys keys = desktop_.KeyState();
    return (keys.shift ? shift::Shift : 0u) | (keys.alt ? shift::Alt : 0u) |
           (keys.ctrl ? shift::Ctrl : 0u);
}

std::intptr_t TTrayIcon::WndProc(const port::TrayMessage& message) {
    switch (message.message) {
    case port::WM_QUERYENDSESSION_:
        return 1;
    case port::WM_ENDSESSION_:
        if (message.wParam != 0)
            RemoveIcon();
        return 0;
    case port::TaskbarCreatedMessage:
        // A restarted taskbar has forgotten every icon.
        AddIcon();
        return 0;
    case CallbackMessage:
        Dispatch(static_cast<unsigned>(message.lParam));
        return 0;
    default:
        return 0;
    }
}

void TTrayIcon::Dispatch(unsigned mouseMessage) {
    auto mouse = [&](const MouseEvent& event, MouseButton button, unsigned buttonBit) {
        port::Point at = desktop_.CursorPos();
        unsigned state = ShiftState() | buttonBit;
        if (event)
            app_.Guard([&] { event(button, state, at.x, at.y); });
    };
    switch (mouseMessage) {
    case WM_MOUSEMOVE_: {
        port::Point at = desktop_.CursorPos();
        unsigned state = ShiftState();
        if (OnMouseMove)
            app_.Guard([&] { OnMouseMove(state, at.x, at.y); });
        break;
    }
    case WM_LBUTTONDOWN_:
        mouse(OnMouseDown, MouseButton::Left, shift::Left);
        leftDown_ = true;
        break;
    case WM_LBUTTONUP_:
        if (leftDown_) {
            leftDown_ = false;
            app_.Guard(OnClick);
        }
        mouse(OnMouseUp, MouseButton::Left, shift::Left);
        break;
    case WM_LBUTTONDBLCLK_:
    case WM_RBUTTONDBLCLK_:
    case WM_MBUTTONDBLCLK_:
        app_.Guard(OnDblClick);
        break;
    case WM_RBUTTONDOWN_:
        mouse(OnMouseDown, MouseButton::Right, shift::Right);
        ShowPopup();
        break;
    case WM_RBUTTONUP_:
        mouse(OnMouseUp, MouseButton::Right, shift::Right);
        break;
    case WM_MBUTTONDOWN_:
        mouse(OnMouseDown, MouseButton::Middle, shift::Middle);
        break;
    case WM_MBUTTONUP_:
        mouse(OnMouseUp, MouseButton::Middle, shift::Middle);
        break;
    default:
        break;
    }
}

void TTrayIcon::ShowPopup() {
    tk::Form* main = app_.MainForm();
    if (PopupMenu == nullptr || (main != nullptr && main->Visible()))
        return;
    // Without this the menu stays open when the user clicks elsewhere.
    tray_.SetForeground();
    port::Point at = desktop_.CursorPos();
    PopupMenu->Popup(at.x, at.y);
}

void TTrayIcon::Minimize() {
    if (tk::Form* main = app_.MainForm())
        main->SetVisible(false);
    app_.Guard(OnMinimize);
}

void TTrayIcon::Restore() {
    if (tk::Form* main = app_.MainForm()) {
        main->SetVisible(true);
        main->SetWindowState(tk::WindowState::Normal);
    }
    app_.Guard(OnRestore);
}

} // namespace trelvix
