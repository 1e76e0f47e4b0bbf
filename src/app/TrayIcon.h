#pragma once

#include "platform/Desktop.h"
#include "platform/Tray.h"
#include "toolkit/Application.h"

#include <functional>
#include <string>

namespace trelvix {

using MouseButton = port::MouseButton;

// Shift state bits: shift, alt, ctrl, left, right, middle.
namespace shift {
inline constexpr unsigned Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32;
}

using MouseEvent = std::function<void(MouseButton, unsigned shiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(unsigned shiftState, int x, int y)>;

// The program's one icon in the notification area. Turns the tray's mouse events
// into click events, opens its popup menu on a right click while the program is
// hidden in the tray, and hides the taskbar entry on minimise. From the keyboard, Enter or
// Space on the icon is a click, and Shift+F10 or the menu key opens the menu, shown or not.
class TTrayIcon {
  public:
    static constexpr std::size_t MaxTip = 63;
    static constexpr std::size_t MaxBalloonTitle = 63, MaxBalloonText = 255;

    TTrayIcon(tk::Application& app, port::Tray& tray, port::Desktop& desktop);
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    [[nodiscard]] const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& text);
    [[nodiscard]] const port::NotifyIconData& Data() const { return data_; }
    [[nodiscard]] bool IconShown() const { return shown_; }

    tk::PopupMenu* PopupMenu = nullptr;
    tk::Handler OnClick, OnDblClick, OnMinimize, OnRestore;
    MouseMoveEvent OnMouseMove;
    MouseEvent OnMouseDown, OnMouseUp;
    // The system's drive notices reach the program through the icon's hidden window:
    // volumes that arrived or left (bit 0 = A:), and drives the shell saw added or removed.
    std::function<void(std::uint32_t drives)> OnVolumesChanged;
    tk::Handler OnDrivesChanged;
    // The program's one balloon, at the icon: a newer one replaces the one shown. A click on it
    // raises OnBalloonClicked with its tag. False while the icon is not in the notification
    // area or when the shell refused it: nothing was shown.
    [[nodiscard]] bool ShowBalloon(const std::string& title, const std::string& text,
                                   port::BalloonIcon icon, const std::string& tag);
    std::function<void(const std::string& tag)> OnBalloonClicked;
    // The icon is back in a re-created taskbar: what could not be shown meanwhile may be now.
    tk::Handler OnIconRestored;

    // What happened to the icon or around it.
    void HandleEvent(const port::TrayEvent& event);

    void ShowPopup();
    void RemoveIcon();
    void Minimize();
    void Restore();

  private:
    void AddIcon();
    void Modify();
    void HandleMouse(const port::TrayEvent& event);
    void HandleContextMenu(const port::TrayEvent& event);
    void OpenPopupAt(port::Point at);
    [[nodiscard]] unsigned ShiftState() const;

    tk::Application& app_;
    port::Tray& tray_;
    port::Desktop& desktop_;
    port::NotifyIconData data_;
    std::string hint_;
    bool leftDown_ = false;
    // The last release of the right button, which the shell follows with its own menu request.
    bool rightUpSeen_ = false;
    std::uint32_t rightUpTime_ = 0;
    bool shown_ = false;
};

} // namespace trelvix
