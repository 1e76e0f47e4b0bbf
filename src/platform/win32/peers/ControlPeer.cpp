#include "platform/win32/peers/ControlPeer.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/peers/DarkLook.h"
#include "platform/win32/peers/FormPeer.h"
#include "toolkit/Application.h"

#include <uxtheme.h>
#include <windowsx.h>

namespace win32 {

namespace {
bool IsRouted(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return true;
    default:
        return false;
    }
}
} // namespace

ControlPeer::ControlPeer(FormPeer& form, tk::Control& control) : form_(form), control_(control) {}

ControlPeer::~ControlPeer() {
    // The model is being torn down: the messages of the destruction must not reach it.
    form_.Retire();
    if (window_)
        form_.RemoveHint(window_.get());
}

void ControlPeer::Build() {
    Create();
    if (!window_)
        return;
    hook_.Attach(window_.get(), &ControlPeer::Procedure, this);
    ApplyFont();
    if (!control_.Enabled())
        EnableWindow(window_.get(), FALSE);
    form_.SetHint(window_.get(), control_.Hint());
    SyncAll();
    // Made in the light look, a window needs nothing more.
    if (!Light())
        ApplyLook();
}

void ControlPeer::CreateControl(const wchar_t* windowClass, DWORD style, DWORD exStyle,
                                const std::wstring& text) {
    const RECT at = Placement();
    if (control_.Visible())
        style |= WS_VISIBLE;
    window_.reset(CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD, at.left,
                                  at.top, at.right - at.left, at.bottom - at.top, ParentWindow(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_.Id())),
                                  GetModuleHandleW(nullptr), nullptr));
}

HWND ControlPeer::ParentWindow() const {
    if (tk::Control* parent = control_.Parent())
        if (auto* peer = dynamic_cast<ControlPeer*>(parent->GetPeer()))
            return peer->ChildParent();
    return form_.Window();
}

void ControlPeer::Changed(tk::Prop prop) {
    if (!window_)
        return;
    switch (prop) {
    case tk::Prop::Caption:
        SetWindowTextW(window_.get(), DisplayText(control_.Caption()).c_str());
        break;
    case tk::Prop::Hint:
        form_.SetHint(window_.get(), control_.Hint());
        break;
    case tk::Prop::Enabled:
        EnableWindow(window_.get(), control_.Enabled() ? TRUE : FALSE);
        break;
    case tk::Prop::Visible:
        ShowWindow(window_.get(), control_.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case tk::Prop::Bounds:
        ApplyBounds();
        break;
    case tk::Prop::Font:
        ApplyFont();
        break;
    case tk::Prop::Color:
        InvalidateRect(window_.get(), nullptr, TRUE);
        break;
    case tk::Prop::Look:
        ApplyLook();
        break;
    case tk::Prop::Cursor:    // looked up at every WM_SETCURSOR
    case tk::Prop::PopupMenu: // looked up at every WM_CONTEXTMENU
        break;
    default:
        break;
    }
    Sync(prop);
}

bool ControlPeer::OnCommand(UINT code) {
    for (const Notice& notice : Notices()) {
        if (notice.code == code) {
            (control_.*notice.event)();
            return true;
        }
    }
    return false;
}

void ControlPeer::Repaint() {
    if (window_)
        RedrawWindow(window_.get(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ControlPeer::Focus() {
    if (window_)
        SetFocus(window_.get());
}

std::uintptr_t ControlPeer::Handle() const {
    return reinterpret_cast<std::uintptr_t>(window_.get());
}

int ControlPeer::Scale(int value) const {
    return form_.Scale(value);
}

RECT ControlPeer::Placement() const {
    const int left = control_.Left(), top = control_.Top();
    return RECT{Scale(left), Scale(top), Scale(left + control_.Width()),
                Scale(top + control_.Height())};
}

void ControlPeer::ApplyBounds() {
    const RECT at = Placement();
    SetWindowPos(window_.get(), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ControlPeer::Font() const {
    return form_.Host().GetFonts().Get(control_.GetFont(), form_.Dpi());
}

void ControlPeer::ApplyFont() {
    SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

void ControlPeer::Relayout() {
    if (!window_)
        return;
    ApplyBounds();
    ApplyFont();
}

std::wstring ControlPeer::WindowText() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_.get())) + 1, L'\0');
    text.resize(static_cast<size_t>(
        GetWindowTextW(window_.get(), text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ControlPeer::DisplayText(const std::string& text) {
    std::wstring wide = Widen(text);
    std::wstring out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        out += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n'))
            out += L'\n';
    }
    return out;
}

const tk::Palette& ControlPeer::Palette() const {
    return form_.Model().App().GetPalette();
}

tk::ControlColors ControlPeer::Colors() const {
    return tk::ColorsOf(Palette(), control_);
}

COLORREF ControlPeer::Shown(tk::Color chosen, int system) {
    return chosen != tk::clDefault ? chosen : GetSysColor(system);
}

HBRUSH ControlPeer::BrushOf(COLORREF color) {
    if (!background_ || backgroundColor_ != color) {
        background_.reset(CreateSolidBrush(color));
        backgroundColor_ = color;
    }
    return static_cast<HBRUSH>(background_.get());
}

void ControlPeer::ApplyLook() {
    if (!window_)
        return;
    const DarkWay way = DarkWayOf(control_.GetKind());
    const wchar_t* wanted =
        Palette().look == tk::Look::Dark && way.darkTheme != nullptr ? way.darkTheme : lightTheme_;
    if (wanted != appliedTheme_) {
        // No theme at all is asked for with two empty names; nullptr gives the system's back.
        const bool none = wanted != nullptr && *wanted == L'\0';
        SetWindowTheme(window_.get(), wanted, none ? NoTheme : nullptr);
        appliedTheme_ = wanted;
    }
    RedrawWindow(window_.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HBRUSH ControlPeer::OnCtlColor(UINT message, HDC dc) {
    const auto [text, back] = Colors();
    if (text == tk::clDefault && back == tk::clDefault)
        return nullptr;
    if (text != tk::clDefault)
        SetTextColor(dc, text);
    if (back != tk::clDefault) {
        SetBkColor(dc, back);
        return BrushOf(back);
    }
    const int system =
        message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(system));
    return GetSysColorBrush(system);
}

POINT ControlPeer::KeyboardMenuPoint() const {
    RECT rect{};
    GetWindowRect(window_.get(), &rect);
    return POINT{rect.left + Scale(4), rect.top + Scale(4)};
}

void ControlPeer::ShowContextMenu(LPARAM at) {
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) // from the keyboard: Shift+F10 or the menu key
        point = KeyboardMenuPoint();
    control_.GetPopupMenu()->Popup(point.x, point.y);
}

LRESULT CALLBACK ControlPeer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = ProcedureHook::ObjectOf<ControlPeer>(window);
    if (self == nullptr)
        return ProcedureHook::PassOnToClass(window, message, wParam, lParam);
    if (message == WM_NCDESTROY || self->form_.Retired())
        return self->PassOn(message, wParam, lParam);
    try {
        return self->Receive(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's code.
        self->form_.ReportCurrentException();
        return 0;
    }
}

LRESULT ControlPeer::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    form_.RelayToHint(window_.get(), message, wParam, lParam);
    LRESULT result = 0;
    if (IsContainer() && IsRouted(message) && form_.Route(message, wParam, lParam, result))
        return result;
    if (message == WM_SETCURSOR && control_.HandCursor() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_CONTEXTMENU && control_.GetPopupMenu() != nullptr) {
        ShowContextMenu(lParam);
        return 0;
    }
    if (OnMessage(message, wParam, lParam, result))
        return result;
    return PassOn(message, wParam, lParam);
}

LRESULT ControlPeer::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
    return hook_.PassOn(window_.get(), message, wParam, lParam);
}

void ContainerPeer::Create() {
    CreateControl(ContainerClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                  DisplayText(control_.Caption()));
}

bool ControlPeer::ErasePaletteBackground(UINT message, WPARAM wParam, LRESULT& result) {
    if (message != WM_ERASEBKGND || Light())
        return false;
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, BrushOf(Colors().back));
    result = TRUE;
    return true;
}

bool ContainerPeer::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    return ErasePaletteBackground(message, wParam, result);
}

} // namespace win32
