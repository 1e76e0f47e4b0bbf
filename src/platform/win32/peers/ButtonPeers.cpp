#include "platform/win32/peers/ButtonPeers.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/peers/FormPeer.h"

#include <vssym32.h>

namespace win32 {

// ---- Plain button ----

void ButtonPeer::Create() {
    CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, Widen(control_.Caption()));
}

std::span<const Notice> ButtonPeer::Notices() const {
    static constexpr Notice notices[] = {{BN_CLICKED, &tk::Control::Click}};
    return notices;
}

// ---- Check box ----

void CheckBoxPeer::Create() {
    CreateControl(L"BUTTON", BS_CHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, Widen(control_.Caption()));
}

void CheckBoxPeer::SyncAll() {
    Sync(tk::Prop::Checked);
}

void CheckBoxPeer::Sync(tk::Prop prop) {
    if (prop != tk::Prop::Checked)
        return;
    const bool checked = static_cast<const tk::CheckBox&>(control_).Checked();
    SendMessageW(window_.get(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::span<const Notice> CheckBoxPeer::Notices() const {
    static constexpr Notice notices[] = {{BN_CLICKED, &tk::Control::Click}};
    return notices;
}

// ---- Buttons with glyphs ----

const tk::ButtonBase& GlyphButtonPeer::Button() const {
    return static_cast<const tk::ButtonBase&>(control_);
}

bool GlyphButtonPeer::Flat() const {
    return control_.GetKind() == tk::Kind::SpeedButton && Button().Flat();
}

void GlyphButtonPeer::Create() {
    // Tool buttons are not tab stops: they never take the keyboard on their own.
    const DWORD tabStop = control_.GetKind() == tk::Kind::SpeedButton ? 0 : WS_TABSTOP;
    CreateControl(L"BUTTON", BS_OWNERDRAW | tabStop, 0, AccessibleText());
}

std::wstring GlyphButtonPeer::AccessibleText() const {
    // A button with only a picture is named by its hint; its face draws the caption alone.
    return Widen(control_.Caption().empty() ? control_.Hint() : control_.Caption());
}

void GlyphButtonPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Caption || prop == tk::Prop::Hint)
        SetWindowTextW(window_.get(), AccessibleText().c_str());
    if (prop == tk::Prop::Glyph || prop == tk::Prop::Flat || prop == tk::Prop::Enabled ||
        prop == tk::Prop::Caption)
        InvalidateRect(window_.get(), nullptr, FALSE);
}

std::span<const Notice> GlyphButtonPeer::Notices() const {
    // An owner-drawn button reports the second press of a quick pair as a double
    // click: it is a click all the same.
    static constexpr Notice notices[] = {{BN_CLICKED, &tk::Control::Click},
                                         {BN_DOUBLECLICKED, &tk::Control::Click}};
    return notices;
}

bool GlyphButtonPeer::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                LRESULT& /*result*/) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_.get(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(window_.get(), nullptr, FALSE);
        }
        return false;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(window_.get(), nullptr, FALSE);
        return false;
    case WM_THEMECHANGED:
        theme_.reset();
        themeOpened_ = false;
        return false;
    case WM_ERASEBKGND: // the face is painted whole in OnDrawItem
        return true;
    default:
        return false;
    }
}

const GlyphImage& GlyphButtonPeer::Glyph(bool disabled) {
    const tk::Bitmap& picture = Button().Glyph();
    const int width = picture.Empty() ? 0 : Scale(picture.image->Width());
    const int height = picture.Empty() ? 0 : Scale(picture.image->Height());
    if (picture.image.get() != glyphSource_ || width != glyphSize_[0] || height != glyphSize_[1] ||
        disabled != glyphDisabled_) {
        glyph_ = GlyphImage::Make(BitmapOf(picture), width, height, disabled);
        glyphSource_ = picture.image.get();
        glyphSize_[0] = width;
        glyphSize_[1] = height;
        glyphDisabled_ = disabled;
    }
    return glyph_;
}

void GlyphButtonPeer::DrawFrame(HDC dc, const RECT& rect, UINT state) {
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_DISABLED) != 0;
    if (!Light()) {
        DrawOwnFrame(dc, rect, state);
        return;
    }
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (Flat()) {
        if (disabled)
            return;
        RECT edge = rect;
        if (pressed)
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        else if (hot_)
            DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    if (!themeOpened_) {
        themeOpened_ = true;
        if (IsAppThemed() != FALSE)
            theme_.reset(OpenThemeData(window_.get(), L"BUTTON"));
    }
    if (theme_) {
        int part = PBS_NORMAL;
        if (disabled)
            part = PBS_DISABLED;
        else if (pressed)
            part = PBS_PRESSED;
        else if (hot_)
            part = PBS_HOT;
        else if ((state & ODS_FOCUS) != 0)
            part = PBS_DEFAULTED;
        RECT parent = rect;
        DrawThemeParentBackground(window_.get(), dc, &parent);
        DrawThemeBackground(theme_.get(), dc, BP_PUSHBUTTON, part, &rect, nullptr);
    } else {
        RECT frame = rect;
        DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
}

void GlyphButtonPeer::DrawOwnFrame(HDC dc, const RECT& rect, UINT state) {
    // The system's button pictures are light: outside the light look the frame is a line in
    // the palette's colours, as flat as the buttons of Windows' own dark programs.
    const tk::Palette& palette = Palette();
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_DISABLED) != 0;
    FillRect(dc, &rect, BrushOf(pressed ? palette.highlight : Colors().back));
    if (Flat() && (disabled || (!pressed && !hot_)))
        return;
    const UniqueGdi frame(CreateSolidBrush(hot_ && !disabled ? palette.highlight : palette.border));
    FrameRect(dc, &rect, static_cast<HBRUSH>(frame.get()));
}

void GlyphButtonPeer::DrawFace(HDC dc, const RECT& rect, UINT state) {
    const bool disabled = (state & ODS_DISABLED) != 0;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const GlyphImage& glyph = Glyph(disabled);
    const std::wstring caption = Widen(control_.Caption());

    const SelectedObject font(dc, Font());
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, 0, 0};
        DrawTextW(dc, caption.c_str(), -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        text = SIZE{measure.right, measure.bottom};
    }
    const int spacing = glyph.Empty() || caption.empty() ? 0 : Scale(4);
    const int total = glyph.Width() + spacing + text.cx;
    const int shift = pressed ? 1 : 0;
    int x = rect.left + (rect.right - rect.left - total) / 2 + shift;
    const int middle = (rect.top + rect.bottom) / 2 + shift;
    if (!glyph.Empty()) {
        glyph.Draw(dc, x, middle - glyph.Height() / 2);
        x += glyph.Width() + spacing;
    }
    if (!caption.empty()) {
        RECT at{x, middle - text.cy / 2, x + text.cx, middle - text.cy / 2 + text.cy};
        SetBkMode(dc, TRANSPARENT);
        const tk::Color color = Colors().text;
        if (!Light())
            SetTextColor(dc, pressed ? Palette().highlightText : color);
        else
            SetTextColor(dc, disabled                 ? GetSysColor(COLOR_GRAYTEXT)
                             : color != tk::clDefault ? color
                                                      : GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, caption.c_str(), -1, &at, DT_SINGLELINE | DT_NOCLIP);
    }
    if ((state & ODS_FOCUS) != 0 && (state & ODS_NOFOCUSRECT) == 0 && !Flat()) {
        RECT focus = rect;
        InflateRect(&focus, -Scale(4), -Scale(4));
        DrawFocusRect(dc, &focus);
    }
}

bool GlyphButtonPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& rect = item.rcItem;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    // Painted off screen first, so the face does not flicker while it is rebuilt.
    const UniqueDC memory(CreateCompatibleDC(item.hDC));
    const UniqueBitmap canvas(CreateCompatibleBitmap(item.hDC, width, height));
    if (!memory || !canvas) {
        DrawFrame(item.hDC, rect, item.itemState);
        DrawFace(item.hDC, rect, item.itemState);
        return true;
    }
    const SelectedObject selected(memory.get(), canvas.get());
    const RECT local{0, 0, width, height};
    DrawFrame(memory.get(), local, item.itemState);
    DrawFace(memory.get(), local, item.itemState);
    BitBlt(item.hDC, rect.left, rect.top, width, height, memory.get(), 0, 0, SRCCOPY);
    return true;
}

} // namespace win32
