#include "platform/win32/peers/PagePeers.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/peers/DarkLook.h"
#include "platform/win32/peers/FormPeer.h"

#include <uxtheme.h>

namespace win32 {

// ---- Page control ----

void PageControlPeer::Create() {
    const tk::PageControl& pages = Pages();
    DWORD style = WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (pages.MultiLine)
        style |= TCS_MULTILINE;
    if (pages.HotTrack)
        style |= TCS_HOTTRACK;
    if (pages.Style == tk::TabStyle::Buttons)
        style |= TCS_BUTTONS;
    else if (pages.Style == tk::TabStyle::FlatButtons)
        style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    const bool left = pages.TabsAt == tk::TabPosition::Left;
    if (left)
        style |= TCS_VERTICAL | TCS_MULTILINE;
    // Captions in a colour of their own and captions running upwards are drawn here.
    designOwnerDrawn_ = left || pages.GetFont().color != tk::clDefault;
    if (designOwnerDrawn_)
        style |= TCS_OWNERDRAWFIXED;
    CreateControl(WC_TABCONTROLW, style, 0, L"");
    // The visual styles do not draw tabs at the side: that control keeps the classic look.
    if (window_ && left) {
        SetWindowTheme(window_.get(), L"", L"");
        lightTheme_ = appliedTheme_ = NoTheme;
    }
}

void PageControlPeer::ApplyLook() {
    if (!window_)
        return;
    const bool ownerDrawn = designOwnerDrawn_ || !Light();
    const LONG style = GetWindowLongW(window_.get(), GWL_STYLE);
    const LONG wanted = ownerDrawn ? style | TCS_OWNERDRAWFIXED : style & ~TCS_OWNERDRAWFIXED;
    if (wanted != style)
        SetWindowLongW(window_.get(), GWL_STYLE, wanted);
    ControlPeer::ApplyLook();
}

bool PageControlPeer::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    return ErasePaletteBackground(message, wParam, result);
}

void PageControlPeer::Sync(tk::Prop prop) {
    switch (prop) {
    case tk::Prop::ActivePage:
        ShowActive();
        break;
    case tk::Prop::Bounds:
    case tk::Prop::Font:
        LayoutSheets();
        break;
    default:
        break;
    }
}

void PageControlPeer::Relayout() {
    ControlPeer::Relayout();
    LayoutSheets();
}

void PageControlPeer::SheetBuilt(const tk::TabSheet& sheet, HWND window) {
    const auto index = static_cast<size_t>(sheet.PageIndex());
    if (sheets_.size() <= index)
        sheets_.resize(index + 1, nullptr);
    sheets_[index] = window;
    SendTab(TCM_INSERTITEMW, sheet);
    LayoutSheets();
    ShowActive();
}

void PageControlPeer::SheetCaptionChanged(const tk::TabSheet& sheet) {
    SendTab(TCM_SETITEMW, sheet);
    // The rows of tabs may have changed, and with them the display area.
    LayoutSheets();
}

void PageControlPeer::SheetGone(const tk::TabSheet& sheet) {
    const auto index = static_cast<size_t>(sheet.PageIndex());
    if (index < sheets_.size())
        sheets_[index] = nullptr;
}

void PageControlPeer::SendTab(UINT message, const tk::TabSheet& sheet) {
    std::wstring caption = Widen(sheet.Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(window_.get(), message, static_cast<WPARAM>(sheet.PageIndex()),
                 reinterpret_cast<LPARAM>(&item));
}

void PageControlPeer::LayoutSheets() {
    RECT area{};
    GetClientRect(window_.get(), &area);
    SendMessageW(window_.get(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND sheet : sheets_)
        if (sheet != nullptr)
            SetWindowPos(sheet, nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageControlPeer::ShowActive() {
    const int active = Pages().ActivePageIndex();
    const bool known = active >= 0 && static_cast<size_t>(active) < sheets_.size();
    if (known)
        SendMessageW(window_.get(), TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
    // The new sheet is shown before the old one goes, so nothing blinks in between.
    if (known && sheets_[static_cast<size_t>(active)] != nullptr)
        SetWindowPos(sheets_[static_cast<size_t>(active)], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    for (size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i] != nullptr && static_cast<int>(i) != active)
            ShowWindow(sheets_[i], SW_HIDE);
}

bool PageControlPeer::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != TCN_SELCHANGE)
        return false;
    result = 0;
    Pages().SelectTab(static_cast<int>(SendMessageW(window_.get(), TCM_GETCURSEL, 0, 0)));
    // The model may have refused the page (a disabled control): it decides what shows.
    if (window_)
        ShowActive();
    return true;
}

bool PageControlPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto& pages = Pages().Pages();
    if (item.itemID >= pages.size())
        return false;
    const std::wstring caption = Widen(pages[item.itemID]->Caption());
    const tk::Font& font = control_.GetFont();
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    SetBkMode(dc, TRANSPARENT);
    if (!Light()) {
        const auto [text, back] = Colors();
        FillRect(dc, &rect, BrushOf(back));
        SetTextColor(dc, text);
    } else {
        SetTextColor(dc, !control_.Enabled()           ? GetSysColor(COLOR_GRAYTEXT)
                         : font.color != tk::clDefault ? font.color
                                                       : GetSysColor(COLOR_BTNTEXT));
    }
    const SelectedObject upright(dc, Font());
    if (Pages().TabsAt == tk::TabPosition::Left) {
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        const SelectedObject upward(dc, form_.Host().GetFonts().Get(font, form_.Dpi(), 900));
        // Upward text: it starts at the bottom and its top faces left.
        const int x = rect.left + (rect.right - rect.left - size.cy) / 2;
        const int y = rect.bottom - (rect.bottom - rect.top - size.cx) / 2;
        TextOutW(dc, x, y, caption.c_str(), static_cast<int>(caption.size()));
    } else {
        RECT at = rect;
        DrawTextW(dc, caption.c_str(), -1, &at, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return true;
}

// ---- Tab sheet ----

PageControlPeer* TabSheetPeer::Pages() const {
    tk::Control* parent = control_.Parent();
    return parent != nullptr ? dynamic_cast<PageControlPeer*>(parent->GetPeer()) : nullptr;
}

TabSheetPeer::~TabSheetPeer() {
    if (PageControlPeer* pages = Pages())
        pages->SheetGone(static_cast<const tk::TabSheet&>(control_));
}

void TabSheetPeer::Build() {
    ContainerPeer::Build();
    if (PageControlPeer* pages = Pages(); pages != nullptr && window_)
        pages->SheetBuilt(static_cast<const tk::TabSheet&>(control_), window_.get());
}

void TabSheetPeer::Changed(tk::Prop prop) {
    // Its page control decides where the sheet goes and whether it shows.
    if (prop == tk::Prop::Bounds || prop == tk::Prop::Visible)
        return;
    ContainerPeer::Changed(prop);
    if (prop == tk::Prop::Caption)
        if (PageControlPeer* pages = Pages())
            pages->SheetCaptionChanged(static_cast<const tk::TabSheet&>(control_));
}

void TabSheetPeer::Relayout() {
    if (window_)
        ApplyFont();
}

// ---- Group box ----

void GroupBoxPeer::Create() {
    CreateControl(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                  DisplayText(control_.Caption()));
}

bool GroupBoxPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_PAINT || Light())
        return ContainerPeer::OnMessage(message, wParam, lParam, result);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_.get(), &paint);
    Paint(dc);
    EndPaint(window_.get(), &paint);
    result = 0;
    return true;
}

void GroupBoxPeer::Paint(HDC dc) {
    const auto [text, back] = Colors();
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillRect(dc, &client, BrushOf(back));
    const SelectedObject font(dc, Font());
    const std::wstring caption = DisplayText(control_.Caption());
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    // The frame runs through the middle of the caption's line, as the system draws it.
    RECT frame{client.left, client.top + size.cy / 2, client.right, client.bottom};
    const UniqueGdi line(CreateSolidBrush(Palette().border));
    FrameRect(dc, &frame, static_cast<HBRUSH>(line.get()));
    if (caption.empty())
        return;
    RECT at{client.left + Scale(8), client.top, client.left + Scale(8) + size.cx, size.cy};
    FillRect(dc, &at, BrushOf(back));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    DrawTextW(dc, caption.c_str(), -1, &at, DT_SINGLELINE | DT_NOPREFIX);
}

// ---- Panel ----

bool PanelPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_PAINT)
        return ContainerPeer::OnMessage(message, wParam, lParam, result);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_.get(), &paint);
    RECT client{};
    GetClientRect(window_.get(), &client);
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    EndPaint(window_.get(), &paint);
    result = 0;
    return true;
}

} // namespace win32
