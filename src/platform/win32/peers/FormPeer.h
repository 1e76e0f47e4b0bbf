#pragma once

#include "platform/win32/Handle.h"
#include "platform/win32/TaskbarButton.h"
#include "platform/win32/peers/NativePeer.h"
#include "toolkit/Controls.h"

#include <set>
#include <string>

namespace win32 {

class ControlPeer;
class Win32Host;

inline constexpr wchar_t FormClass[] = L"TrelvixForm";

inline BOOL CloseAccelerators(HACCEL table) {
    return DestroyAcceleratorTable(table);
}
using UniqueAccelerators = Unique<HACCEL, &CloseAccelerators>;

// A form's top-level window. Its client area is the form's client size at the window's
// DPI; every notification of its controls comes through Route to the control's peer.
class FormPeer : public NativePeer {
  public:
    FormPeer(Win32Host& host, tk::Form& form);
    ~FormPeer() override;
    // The window classes of forms and containers, once per process.
    static void RegisterClasses();
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;

    void Build() override;
    void Changed(tk::Prop prop) override;
    void Repaint() override;
    void BringToFront() override;
    void DrawPicture(const port::RgbPixels& picture, int x, int y) override;
    [[nodiscard]] std::uintptr_t Handle() const override;

    [[nodiscard]] HWND Window() const { return window_.get(); }
    [[nodiscard]] tk::Form& Model() const { return form_; }
    [[nodiscard]] Win32Host& Host() const { return host_; }
    [[nodiscard]] UINT Dpi() const { return dpi_; }
    [[nodiscard]] int Scale(int value) const;
    [[nodiscard]] bool IsMain() const;

    // A notification that reached the form or one of its containers: handed to the peer
    // of the control it comes from. True when handled, with the window's answer in result.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    [[nodiscard]] ControlPeer* PeerById(int id) const;

    // Tool tips.
    void SetHint(HWND control, const std::string& hint);
    void RemoveHint(HWND control);
    // A mouse message of a control with a hint, passed to the hint's window, which shows and
    // hides the hint by them.
    void RelayToHint(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    // Shortcut keys of the form's main menu; rebuilt after the menu changed.
    [[nodiscard]] HACCEL Accelerators();
    void MenuChanged();
    // The form's key preview: the character the focused control then gets, 0 for none.
    [[nodiscard]] wchar_t PreviewKey(wchar_t key);

    // Sizes the window for the client size (after a menu bar came or the DPI changed).
    void ApplySize();
    // Places a dialog for its modal showing and brings it forward.
    void ShowModal(HWND owner);

    // The components are being destroyed: no message reaches the model any more.
    void Retire() { retired_ = true; }
    [[nodiscard]] bool Retired() const { return retired_; }

    // Inside a catch (...) at a window procedure's boundary: the error in the standard error
    // box. Never throws.
    void ReportCurrentException() const noexcept;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyVisible();
    // The title bar, the menus and every colour in the application's look.
    void ApplyLook();
    // Outside the light look the client area is the palette's face. True when painted.
    bool EraseBackground(HDC dc);
    void ApplyWindowState();
    void MoveTo(int left, int top);
    void Center(HWND over);
    void RecordPosition();
    void DpiChanged(UINT dpi, const RECT& suggested);
    [[nodiscard]] DWORD Style() const;
    [[nodiscard]] DWORD ExStyle() const;

    Win32Host& host_;
    tk::Form& form_;
    UINT dpi_ = 96;
    bool retired_ = false;
    bool acceleratorsStale_ = true;
    HWND focus_ = nullptr;
    UniqueWindow window_;
    // Declared after the window: an owned window goes first.
    UniqueWindow tooltip_;
    std::set<HWND> tools_;
    UniqueAccelerators accelerators_;
    UniqueGdi face_;
    tk::Color faceColor_ = tk::clDefault;
    TaskbarButton taskbar_;
};

} // namespace win32
