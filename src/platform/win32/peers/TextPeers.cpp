#include "platform/win32/peers/TextPeers.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/peers/FormPeer.h"
#include "platform/win32/peers/Glyphs.h"

#include <algorithm>

namespace win32 {

// ---- Label ----

void LabelPeer::Create() {
    CreateControl(L"STATIC", SS_LEFT | SS_NOTIFY, 0, DisplayText(control_.Caption()));
}

std::span<const Notice> LabelPeer::Notices() const {
    static constexpr Notice notices[] = {{STN_CLICKED, &tk::Control::Click},
                                         {STN_DBLCLK, &tk::Control::DblClick}};
    return notices;
}

// ---- Edit and memo ----

void EditPeer::Create() {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (control_.GetKind() == tk::Kind::Memo)
        style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (Field().ReadOnly())
        style |= ES_READONLY;
    applying_ = true;
    CreateControl(L"EDIT", style, WS_EX_CLIENTEDGE, Widen(Field().Text()));
    applying_ = false;
    if (window_ && Field().MaxLength() > 0)
        SendMessageW(window_.get(), EM_LIMITTEXT, static_cast<WPARAM>(Field().MaxLength()), 0);
}

void EditPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Text)
        ApplyText();
    if (prop == tk::Prop::Text || prop == tk::Prop::Enabled)
        ApplyReadOnly();
}

void EditPeer::ApplyText() {
    const std::wstring text = Widen(Field().Text());
    if (WindowText() == text)
        return;
    applying_ = true;
    SetWindowTextW(window_.get(), text.c_str());
    applying_ = false;
}

void EditPeer::ApplyReadOnly() {
    const bool shown = (GetWindowLongW(window_.get(), GWL_STYLE) & ES_READONLY) != 0;
    if (shown != Field().ReadOnly())
        SendMessageW(window_.get(), EM_SETREADONLY, Field().ReadOnly() ? TRUE : FALSE, 0);
}

bool EditPeer::OnCommand(UINT code) {
    if (code != EN_CHANGE || applying_)
        return false;
    // The user typed: the model takes the text, and raises its change event, only when
    // it differs from what it holds.
    const std::string text = Narrow(WindowText());
    if (text != Field().Text())
        Field().SetText(text);
    return true;
}

bool EditPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CHAR || !Field().OnKeyPress)
        return false;
    const auto key = static_cast<wchar_t>(wParam);
    const wchar_t given = FilterKey(key, [this](char asked) { return Field().KeyPress(asked); });
    if (given == key)
        return false;
    result = given == 0 ? 0 : PassOn(message, given, lParam);
    return true;
}

// ---- Status bar ----

void StatusBarPeer::Create() {
    // Placed by the model's bounds, like every other control.
    CreateControl(STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, L"");
}

void StatusBarPeer::SyncAll() {
    ApplyParts();
}

void StatusBarPeer::Relayout() {
    ControlPeer::Relayout();
    ApplyParts();
}

void StatusBarPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Caption)
        ApplyText();
    else if (prop == tk::Prop::PartText || prop == tk::Prop::Bounds)
        ApplyParts();
}

void StatusBarPeer::ApplyParts() {
    HWND bar = window_.get();
    if (!Bar().ShowsSecondPart()) {
        int edges[1] = {-1};
        SendMessageW(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));
        SendMessageW(bar, SB_SIMPLE, TRUE, 0);
        ApplyText();
        return;
    }
    const std::wstring second = Widen(Bar().SecondPartText());
    SIZE text{};
    {
        const WindowDC dc(bar);
        const SelectedObject font(dc.get(), Font());
        GetTextExtentPoint32W(dc.get(), second.c_str(), static_cast<int>(second.size()), &text);
    }
    RECT client{};
    GetClientRect(bar, &client);
    const tk::Control* room = Bar().RoomFor();
    const int roomWidth = room != nullptr && room->Visible() ? Scale(room->Width() + 8) : 0;
    // Wide enough for the whole text (with the part's borders) and the control kept at its
    // right end, but the status line keeps at least a third of the bar.
    const int width = std::min(std::max(Scale(tk::StatusBar::SecondPartWidth),
                                        static_cast<int>(text.cx) + Scale(12) + roomWidth),
                               static_cast<int>(client.right) * 2 / 3);
    int edges[2] = {std::max(0, static_cast<int>(client.right) - width), -1};
    SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(second.c_str()));
    SendMessageW(bar, SB_SIMPLE, FALSE, 0);
    ApplyText();
}

void StatusBarPeer::ApplyText() {
    const std::wstring text = Widen(control_.Caption());
    // The simple panel shows it; part 0 holds it too, for readers that ask for part 0
    // (another process under Wine gets part 0's text for any part) and for the two parts.
    SendMessageW(window_.get(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(window_.get(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool StatusBarPeer::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    if (Light() || (message != WM_PAINT && message != WM_ERASEBKGND))
        return false;
    result = message == WM_ERASEBKGND ? TRUE : 0;
    if (message == WM_ERASEBKGND)
        return true;
    PAINTSTRUCT paint{};
    HDC dc = wParam != 0 ? reinterpret_cast<HDC>(wParam) : BeginPaint(window_.get(), &paint);
    Paint(dc);
    if (wParam == 0)
        EndPaint(window_.get(), &paint);
    return true;
}

void StatusBarPeer::Paint(HDC dc) {
    const auto [text, back] = Colors();
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillRect(dc, &client, BrushOf(back));
    const UniqueGdi line(CreateSolidBrush(Palette().border));
    RECT top{client.left, client.top, client.right, client.top + 1};
    FillRect(dc, &top, static_cast<HBRUSH>(line.get()));
    const SelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const bool twoParts = SendMessageW(window_.get(), SB_ISSIMPLE, 0, 0) == FALSE;
    const int parts = twoParts ? 2 : 1;
    for (int part = 0; part < parts; ++part) {
        RECT at = client;
        if (twoParts)
            SendMessageW(window_.get(), SB_GETRECT, static_cast<WPARAM>(part),
                         reinterpret_cast<LPARAM>(&at));
        if (part > 0) {
            RECT divider{at.left, at.top + Scale(2), at.left + 1, at.bottom - Scale(2)};
            FillRect(dc, &divider, static_cast<HBRUSH>(line.get()));
        }
        at.left += Scale(4);
        const std::wstring shown =
            part == 0 ? Widen(control_.Caption()) : Widen(Bar().SecondPartText());
        DrawTextW(dc, shown.c_str(), -1, &at,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

// ---- Bevel ----

void BevelPeer::Create() {
    const DWORD shape = control_.Width() < control_.Height() ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
    CreateControl(L"STATIC", shape, 0, L"");
}

// ---- Image ----

void ImagePeer::Create() {
    CreateControl(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, L"");
}

void ImagePeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Picture)
        InvalidateRect(window_.get(), nullptr, TRUE);
}

std::span<const Notice> ImagePeer::Notices() const {
    static constexpr Notice notices[] = {{STN_CLICKED, &tk::Control::Click}};
    return notices;
}

bool ImagePeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem,
             Light() ? GetSysColorBrush(COLOR_BTNFACE) : BrushOf(Colors().back));
    const auto& picture = static_cast<const tk::Image&>(control_).Picture();
    if (HBITMAP bitmap = BitmapOf(picture)) {
        const RECT at{item.rcItem.left, item.rcItem.top,
                      item.rcItem.left + Scale(picture.image->Width()),
                      item.rcItem.top + Scale(picture.image->Height())};
        DrawStretched(item.hDC, bitmap, at);
    }
    return true;
}

} // namespace win32
