#pragma once

#include "platform/win32/Handle.h"
#include "platform/win32/Window.h"
#include "platform/win32/peers/NativePeer.h"
#include "toolkit/Controls.h"
#include "toolkit/Palette.h"

#include <commctrl.h>

#include <span>
#include <string>

namespace win32 {

class FormPeer;
class Win32Host;

// The class of the plain windows that hold other controls (tab sheets, panels).
inline constexpr wchar_t ContainerClass[] = L"TrelvixContainer";

// A notification code of a control's window and the model's event it raises.
struct Notice {
    UINT code;
    void (tk::Control::*event)();
};

// The peer of a control that is a child window of its form. Mirrors the properties
// every control has; the kinds add their own. The control's ID is its component's ID.
class ControlPeer : public NativePeer {
  public:
    ControlPeer(FormPeer& form, tk::Control& control);
    ~ControlPeer() override;
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    void Build() override;
    void Changed(tk::Prop prop) override;
    void Repaint() override;
    void Focus() override;
    [[nodiscard]] std::uintptr_t Handle() const override;

    [[nodiscard]] HWND Window() const { return window_.get(); }
    [[nodiscard]] tk::Control& Model() const { return control_; }
    [[nodiscard]] FormPeer& Form() const { return form_; }
    // The window that the control's children are made in.
    [[nodiscard]] virtual HWND ChildParent() const { return Window(); }
    // Whether the window holds controls whose notifications it passes to the form.
    [[nodiscard]] virtual bool IsContainer() const { return false; }

    // Notifications from the control, passed on by its parent window. True when handled.
    // A WM_COMMAND notification raises the event its kind's Notices() give it.
    virtual bool OnCommand(UINT code);
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnScroll(UINT /*code*/) { return false; }
    // The colours of the control's text and background; nullptr for the system's.
    virtual HBRUSH OnCtlColor(UINT message, HDC dc);

    // The window's DPI changed: size, place and font again.
    virtual void Relayout();

    // The application's palette changed (or the window was just made): the kind's way into
    // the look (DarkWayOf), then a repaint.
    virtual void ApplyLook();
    // The visual style this peer set for the look; nullptr: the system's own.
    [[nodiscard]] const wchar_t* AppliedTheme() const { return appliedTheme_; }

  protected:
    // Makes the window (CreateControl) with the kind's class and styles.
    virtual void Create() = 0;
    // The WM_COMMAND notifications that are the user's clicks and double clicks.
    [[nodiscard]] virtual std::span<const Notice> Notices() const { return {}; }
    // A property only this kind has.
    virtual void Sync(tk::Prop /*prop*/) {}
    // Every property of the kind, once, after the window was made.
    virtual void SyncAll() {}
    // A message of the control's own window, before its class sees it. True when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           LRESULT& /*result*/) {
        return false;
    }
    // The message to the window's own procedure, as if the peer were not there.
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    // Where the window goes, in its parent's client pixels.
    [[nodiscard]] virtual RECT Placement() const;
    // The screen point a context menu opened from the keyboard appears at.
    [[nodiscard]] virtual POINT KeyboardMenuPoint() const;

    void CreateControl(const wchar_t* windowClass, DWORD style, DWORD exStyle,
                       const std::wstring& text);
    [[nodiscard]] const tk::Palette& Palette() const;
    // In the light look, the system's colours wherever the design leaves them.
    [[nodiscard]] tk::ControlColors Colors() const;
    [[nodiscard]] bool Light() const { return Palette().look == tk::Look::Light; }
    // `chosen`, or the system's colour `system` when it is clDefault.
    [[nodiscard]] static COLORREF Shown(tk::Color chosen, int system);
    // A solid brush of `color`, kept until another colour is asked for.
    [[nodiscard]] HBRUSH BrushOf(COLORREF color);
    // Outside the light look, a WM_ERASEBKGND fills the window with the palette's colour for
    // the kind. True when it did.
    bool ErasePaletteBackground(UINT message, WPARAM wParam, LRESULT& result);
    void ApplyBounds();
    void ApplyFont();
    [[nodiscard]] HFONT Font() const;
    [[nodiscard]] int Scale(int value) const;
    [[nodiscard]] std::wstring WindowText() const;
    // Control text with lone carriage returns made into line breaks.
    [[nodiscard]] static std::wstring DisplayText(const std::string& text);

    FormPeer& form_;
    tk::Control& control_;
    UniqueWindow window_;
    // The visual style the kind has in the light look (nullptr: the system's), and the one
    // set now.
    const wchar_t* lightTheme_ = nullptr;
    const wchar_t* appliedTheme_ = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowContextMenu(LPARAM at);
    [[nodiscard]] HWND ParentWindow() const;

    UniqueGdi background_;
    tk::Color backgroundColor_ = tk::clDefault;
    // Declared last: the window's own procedure is back before the window is destroyed.
    ProcedureHook hook_;
};

// Tab sheets and panels: plain windows whose children's notifications go to the form.
class ContainerPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    [[nodiscard]] bool IsContainer() const override { return true; }

  protected:
    void Create() override;
    // Outside the light look the background is the palette's face.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace win32
