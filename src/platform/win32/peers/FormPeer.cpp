#include "platform/win32/peers/FormPeer.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Window.h"
#include "platform/win32/peers/ControlPeer.h"
#include "platform/win32/peers/Fonts.h"
#include "toolkit/Application.h"
#include "toolkit/Errors.h"
#include "toolkit/ShortCut.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace win32 {

namespace {

void CollectShortCuts(const std::vector<tk::MenuItem*>& items, std::vector<ACCEL>& out) {
    for (const tk::MenuItem* item : items) {
        if (const int code = item->ShortCut(); code != 0) {
            BYTE flags = FVIRTKEY;
            if ((code & tk::shortcut::Shift) != 0)
                flags |= FSHIFT;
            if ((code & tk::shortcut::Ctrl) != 0)
                flags |= FCONTROL;
            if ((code & tk::shortcut::Alt) != 0)
                flags |= FALT;
            out.push_back(ACCEL{flags, static_cast<WORD>(code & tk::shortcut::KeyMask),
                                static_cast<WORD>(item->Id())});
        }
        CollectShortCuts(item->Items(), out);
    }
}

// The peer behind a notification: the control window it names, or the nearest of its
// ancestors that is one of the form's controls (the edit inside a combo box).
ControlPeer* PeerOfWindow(const FormPeer& form, HWND window, bool exact) {
    for (HWND at = window; at != nullptr && at != form.Window(); at = GetParent(at)) {
        ControlPeer* peer = form.PeerById(GetDlgCtrlID(at));
        if (peer != nullptr && peer->Window() == at)
            return peer;
        if (exact)
            break;
    }
    return nullptr;
}

} // namespace

FormPeer::FormPeer(Win32Host& host, tk::Form& form) : host_(host), form_(form) {}

void FormPeer::RegisterClasses() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = &FormPeer::Procedure;
    form.hInstance = instance;
    form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = FormClass;
    RegisterWindowClass(form);

    WNDCLASSEXW container{};
    container.cbSize = sizeof container;
    container.style = CS_DBLCLKS;
    container.lpfnWndProc = DefWindowProcW;
    container.hInstance = instance;
    container.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    container.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    container.lpszClassName = ContainerClass;
    RegisterWindowClass(container);
}

FormPeer::~FormPeer() {
    retired_ = true;
    host_.RemoveForm(*this);
    tooltip_.reset();
    if (window_)
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

bool FormPeer::IsMain() const {
    return form_.App().MainForm() == &form_;
}

int FormPeer::Scale(int value) const {
    return ScaleToDpi(value, dpi_);
}

DWORD FormPeer::Style() const {
    const DWORD menu = form_.SystemMenu ? WS_SYSMENU : 0;
    if (form_.Dialog)
        return WS_POPUP | WS_CAPTION | menu | WS_CLIPCHILDREN;
    return WS_OVERLAPPED | WS_CAPTION | menu | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

DWORD FormPeer::ExStyle() const {
    return WS_EX_CONTROLPARENT | (form_.Dialog ? WS_EX_DLGMODALFRAME : 0);
}

void FormPeer::Build() {
    HWND owner = nullptr;
    if (!IsMain())
        if (tk::Form* main = form_.App().MainForm())
            if (auto* peer = dynamic_cast<FormPeer*>(main->GetPeer()))
                owner = peer->Window();
    window_.reset(CreateWindowExW(ExStyle(), FormClass, Widen(form_.Caption()).c_str(), Style(),
                                  CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr,
                                  GetModuleHandleW(nullptr), this));
    if (!window_) {
        // A program without its window cannot go on; nor can it work without a dialog.
        const DWORD error = GetLastError();
        std::string text = "Cannot create the window of " + form_.Name();
        if (error != ERROR_SUCCESS)
            text += ": " + SystemMessage(error);
        throw tk::EOutOfResources(text);
    }
    const UINT dpi = GetDpiForWindow(window_.get());
    dpi_ = dpi != 0 ? dpi : 96;
    ApplySize();
    if (form_.CenterOnScreen)
        Center(nullptr);
    else
        MoveTo(form_.Left(), form_.Top());
    RecordPosition();
    if (!form_.Enabled())
        EnableWindow(window_.get(), FALSE);
    if (form_.Topmost())
        Changed(tk::Prop::Topmost);
    if (form_.App().GetPalette().look != tk::Look::Light)
        ApplyLook();
    host_.AddForm(*this);
    ApplyVisible();
}

std::uintptr_t FormPeer::Handle() const {
    return reinterpret_cast<std::uintptr_t>(window_.get());
}

void FormPeer::Changed(tk::Prop prop) {
    if (!window_)
        return;
    switch (prop) {
    case tk::Prop::Caption:
        SetWindowTextW(window_.get(), Widen(form_.Caption()).c_str());
        break;
    case tk::Prop::Enabled:
        EnableWindow(window_.get(), form_.Enabled() ? TRUE : FALSE);
        break;
    case tk::Prop::Visible:
        ApplyVisible();
        break;
    case tk::Prop::WindowState:
        ApplyWindowState();
        break;
    case tk::Prop::Bounds:
        // The size follows the client size; Left and Top move the window.
        ApplySize();
        MoveTo(form_.Left(), form_.Top());
        break;
    case tk::Prop::Topmost:
        SetWindowPos(window_.get(), form_.Topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        break;
    case tk::Prop::Taskbar:
        taskbar_.Show(window_.get(), form_.TaskbarProgress());
        break;
    case tk::Prop::Look:
        ApplyLook();
        break;
    default:
        break;
    }
}

void FormPeer::ApplyVisible() {
    const bool minimized = form_.GetWindowState() == tk::WindowState::Minimized;
    const bool iconic = IsIconic(window_.get()) != FALSE;
    if (!form_.Visible())
        ShowWindow(window_.get(), SW_HIDE);
    else if (minimized)
        ShowWindow(window_.get(), iconic ? SW_SHOWNA : SW_SHOWMINNOACTIVE);
    else
        ShowWindow(window_.get(), iconic ? SW_RESTORE : SW_SHOW);
}

void FormPeer::ApplyLook() {
    const tk::Look look = form_.App().GetPalette().look;
    const bool dark = look == tk::Look::Dark;
    host_.SetMenusDark(dark);
    host_.GetDarkMode().SetWindowDark(window_.get(), dark);
    if (tooltip_)
        SetWindowTheme(tooltip_.get(), dark ? L"DarkMode_Explorer" : nullptr, nullptr);
    RedrawWindow(window_.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool FormPeer::EraseBackground(HDC dc) {
    const tk::Palette& palette = form_.App().GetPalette();
    if (palette.look == tk::Look::Light)
        return false;
    if (!face_ || faceColor_ != palette.face) {
        face_.reset(CreateSolidBrush(palette.face));
        faceColor_ = palette.face;
    }
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(face_.get()));
    return true;
}

void FormPeer::ApplyWindowState() {
    // A hidden window keeps its state until it is shown (ApplyVisible): showing it
    // here would flash it on the screen.
    if (IsWindowVisible(window_.get()) == FALSE)
        return;
    if (form_.GetWindowState() == tk::WindowState::Minimized)
        ShowWindow(window_.get(), SW_MINIMIZE);
    else if (IsIconic(window_.get()) != FALSE)
        ShowWindow(window_.get(), SW_RESTORE);
}

void FormPeer::Repaint() {
    if (window_)
        RedrawWindow(window_.get(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void FormPeer::BringToFront() {
    if (!window_)
        return;
    BringWindowToTop(window_.get());
    SetForegroundWindow(window_.get());
}

void FormPeer::DrawPicture(const port::RgbPixels& picture, int x, int y) {
    const auto width = static_cast<size_t>(picture.width);
    const auto height = static_cast<size_t>(picture.height);
    if (!window_ || picture.Empty() || picture.bytes.size() < width * height * 3 ||
        IsWindowVisible(window_.get()) == FALSE)
        return;
    // A paint still pending would erase the picture as soon as it was drawn.
    UpdateWindow(window_.get());
    // Device-independent rows are padded to whole DWORDs.
    const size_t rowBytes = width * 3;
    const size_t stride = (rowBytes + 3) & ~size_t{3};
    std::vector<std::uint8_t> rows(stride * height);
    for (size_t row = 0; row < height; ++row)
        std::memcpy(rows.data() + row * stride, picture.bytes.data() + row * rowBytes, rowBytes);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = picture.width;
    header.bmiHeader.biHeight = -picture.height; // top row first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    const int left = Scale(x), top = Scale(y);
    const WindowDC dc(window_.get());
    const int mode = SetStretchBltMode(dc.get(), HALFTONE);
    POINT origin{};
    SetBrushOrgEx(dc.get(), 0, 0, &origin);
    StretchDIBits(dc.get(), left, top, Scale(x + picture.width) - left,
                  Scale(y + picture.height) - top, 0, 0, picture.width, picture.height, rows.data(),
                  &header, DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc.get(), origin.x, origin.y, nullptr);
    SetStretchBltMode(dc.get(), mode);
    // Each frame of an effect reaches the screen before the next is made.
    GdiFlush();
}

void FormPeer::ApplySize() {
    if (!window_)
        return;
    const int width = Scale(form_.ClientWidth()), height = Scale(form_.ClientHeight());
    RECT rect{0, 0, width, height};
    AdjustWindowRectExForDpi(&rect, Style(), GetMenu(window_.get()) != nullptr ? TRUE : FALSE,
                             ExStyle(), dpi_);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window_.get(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 flags);
    // A menu bar that wraps into two rows takes more than the computed frame.
    RECT client{};
    GetClientRect(window_.get(), &client);
    const int dx = width - client.right, dy = height - client.bottom;
    if ((dx != 0 || dy != 0) && IsIconic(window_.get()) == FALSE)
        SetWindowPos(window_.get(), nullptr, 0, 0, rect.right - rect.left + dx,
                     rect.bottom - rect.top + dy, flags);
}

void FormPeer::MoveTo(int left, int top) {
    if (IsIconic(window_.get()) != FALSE) {
        // A minimised window keeps its normal place in its placement.
        WINDOWPLACEMENT place{};
        place.length = sizeof place;
        GetWindowPlacement(window_.get(), &place);
        OffsetRect(&place.rcNormalPosition, left - place.rcNormalPosition.left,
                   top - place.rcNormalPosition.top);
        place.showCmd = IsWindowVisible(window_.get()) != FALSE ? SW_SHOWMINNOACTIVE : SW_HIDE;
        SetWindowPlacement(window_.get(), &place);
        return;
    }
    SetWindowPos(window_.get(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::Center(HWND over) {
    RECT window{};
    GetWindowRect(window_.get(), &window);
    RECT area{};
    if (over != nullptr) {
        GetWindowRect(over, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = window.right - window.left, height = window.bottom - window.top;
    MoveTo(area.left + (area.right - area.left - width) / 2,
           area.top + (area.bottom - area.top - height) / 2);
}

void FormPeer::RecordPosition() {
    // A minimised window sits far off the screen; its place is not the form's position.
    if (IsIconic(window_.get()) != FALSE)
        return;
    RECT rect{};
    GetWindowRect(window_.get(), &rect);
    form_.BoundsChangedByUser(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void FormPeer::ShowModal(HWND owner) {
    if (!form_.CenterOnScreen && owner != nullptr)
        Center(owner);
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
}

void FormPeer::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi != 0 ? dpi : 96;
    SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplySize();
    for (tk::Component* component : form_.Components())
        if (auto* peer = dynamic_cast<ControlPeer*>(component->GetPeer()))
            peer->Relayout();
}

// ---- Notifications ----

ControlPeer* FormPeer::PeerById(int id) const {
    tk::Component* component = form_.FindById(id);
    return component != nullptr ? dynamic_cast<ControlPeer*>(component->GetPeer()) : nullptr;
}

bool FormPeer::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (retired_)
        return false;
    result = 0;
    switch (message) {
    case WM_COMMAND: {
        if (lParam == 0) { // a menu item or its shortcut
            auto* item = dynamic_cast<tk::MenuItem*>(form_.FindById(LOWORD(wParam)));
            if (item == nullptr)
                return false;
            item->Click();
            return true;
        }
        ControlPeer* peer = PeerOfWindow(*this, reinterpret_cast<HWND>(lParam), true);
        return peer != nullptr && peer->OnCommand(HIWORD(wParam));
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        ControlPeer* peer = PeerOfWindow(*this, header->hwndFrom, true);
        return peer != nullptr && peer->OnNotify(*header, result);
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_MENU)
            return false;
        ControlPeer* peer = PeerOfWindow(*this, item->hwndItem, true);
        if (peer == nullptr || !peer->OnDrawItem(*item))
            return false;
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_MENU)
            return false;
        ControlPeer* peer = PeerById(static_cast<int>(item->CtlID));
        if (peer == nullptr || !peer->OnMeasureItem(*item))
            return false;
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR: {
        ControlPeer* peer = PeerOfWindow(*this, reinterpret_cast<HWND>(lParam), false);
        HBRUSH brush =
            peer != nullptr ? peer->OnCtlColor(message, reinterpret_cast<HDC>(wParam)) : nullptr;
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        ControlPeer* peer = PeerOfWindow(*this, reinterpret_cast<HWND>(lParam), true);
        return peer != nullptr && peer->OnScroll(LOWORD(wParam));
    }
    default:
        return false;
    }
}

// ---- Hints ----

void FormPeer::SetHint(HWND control, const std::string& hint) {
    if (hint.empty()) {
        RemoveHint(control);
        return;
    }
    if (!tooltip_) {
        tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(),
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!tooltip_)
            return;
        SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, Scale(400));
    }
    std::wstring text = Widen(hint);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // Not TTF_SUBCLASS: the control's peer relays the mouse (RelayToHint), which spares every
    // message to the control a look-up of the tooltip's window property.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    const bool known = tools_.count(control) != 0;
    SendMessageW(tooltip_.get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
    tools_.insert(control);
}

void FormPeer::RemoveHint(HWND control) {
    if (tools_.erase(control) == 0 || !tooltip_)
        return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormPeer::RelayToHint(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        break;
    default:
        return;
    }
    if (!tooltip_ || tools_.count(control) == 0)
        return;
    MSG relayed{};
    relayed.hwnd = control;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD at = GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// ---- Keys ----

HACCEL FormPeer::Accelerators() {
    if (acceleratorsStale_) {
        acceleratorsStale_ = false;
        accelerators_.reset();
        std::vector<ACCEL> table;
        if (form_.Menu != nullptr)
            CollectShortCuts(form_.Menu->Items(), table);
        if (!table.empty())
            accelerators_.reset(
                CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    }
    return accelerators_.get();
}

void FormPeer::MenuChanged() {
    acceleratorsStale_ = true;
    if (window_ && GetMenu(window_.get()) != nullptr) {
        DrawMenuBar(window_.get());
        // An empty bar has no height; with its first item it takes a row from the client area.
        ApplySize();
    }
}

wchar_t FormPeer::PreviewKey(wchar_t key) {
    if (retired_ || !form_.KeyPreview)
        return key;
    return FilterKey(key, [this](char asked) { return form_.KeyPress(asked); });
}

void FormPeer::ReportCurrentException() const noexcept {
    form_.App().ShowCurrentException();
}

// ---- Window procedure ----

LRESULT CALLBACK FormPeer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<FormPeer>(window, message, lParam);
    if (self == nullptr || self->retired_ || !self->window_)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->Receive(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's code.
        self->ReportCurrentException();
        return 0;
    }
}

LRESULT FormPeer::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    LRESULT result = 0;
    switch (message) {
    case WM_CLOSE:
        form_.Close();
        return 0;
    case WM_SYSCOMMAND:
        // The program minimises and restores itself (into and out of the tray).
        if (IsMain() && (wParam & 0xFFF0) == SC_MINIMIZE) {
            form_.App().Minimize();
            return 0;
        }
        if (IsMain() && (wParam & 0xFFF0) == SC_RESTORE && IsIconic(window) != FALSE) {
            form_.App().Restore();
            return 0;
        }
        break;
    case WM_TIMER:
        if (auto* timer = dynamic_cast<tk::Timer*>(form_.FindById(static_cast<int>(wParam)))) {
            timer->Tick();
            return 0;
        }
        break;
    case WM_MOVE:
        RecordPosition();
        break;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ERASEBKGND:
        if (EraseBackground(reinterpret_cast<HDC>(wParam)))
            return TRUE;
        break;
    case WM_ACTIVATE:
        // The focused control comes back when the window is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focus_ = focus != nullptr && IsChild(window, focus) != FALSE ? focus : nullptr;
        } else if (focus_ != nullptr && IsWindow(focus_) != FALSE && IsChild(window, focus_)) {
            SetFocus(focus_);
            return 0;
        }
        break;
    default:
        if (Route(message, wParam, lParam, result))
            return result;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win32
