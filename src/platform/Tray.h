#pragma once

#include "platform/Desktop.h"

#include <cstdint>
#include <functional>
#include <string>

namespace port {

// What the notification area shows for the program's one icon: the program's icon, and
// the tip when there is one.
struct NotifyIconData {
    bool hasTip = false;
    std::string tip; // at most 63 characters
};

enum class MouseButton { Left, Right, Middle };

// The picture beside a balloon's title.
enum class BalloonIcon { None, Info, Warning, Error };

// What happens to the icon and around it, as the program hears it.
struct TrayEvent {
    enum class Kind {
        ButtonDown,     // a mouse button pressed over the icon
        ButtonUp,       // and released
        DoubleClick,    // the second press of a double click
        Move,           // the mouse moved over the icon
        Select,         // the shell's own word for a left click, after its release
        KeySelect,      // Enter or Space on the icon the keyboard reached
        ContextMenu,    // the icon's menu asked for: after a right click, or Shift+F10
        TaskbarCreated, // the taskbar was (re)started and knows no icons
        SessionEnding,  // Windows is ending the session: the program goes with it
        ShowRequested,  // the program was started again and hands over to this instance
        VolumesChanged, // volumes arrived or left (a USB stick, a card, a CD)
        DrivesChanged,  // the shell saw a drive added or removed (a network drive mapped)
        BalloonClicked, // the user clicked the balloon shown last
    };
    Kind kind = Kind::Move;
    MouseButton button = MouseButton::Left; // for the button events
    std::uint32_t drives = 0;               // VolumesChanged: bit 0 = A:, bit 25 = Z:
    Point at{};                             // ContextMenu: where the shell anchors the menu
    std::uint32_t time = 0; // when the event happened, in milliseconds of the system's clock
    std::string tag = {};   // BalloonClicked: the tag the balloon was shown with
};

class Tray {
  public:
    virtual ~Tray() = default;
    // Creates the hidden window the icon's events, the program's hand-over and the system's
    // drive notices arrive at; each goes to `onEvent`. When
    // `onEvent` throws, `onError` runs inside the catch block, so the error can be reported
    // (std::current_exception); nothing goes on into the system's code.
    virtual void CreateMessageWindow(std::function<void(const TrayEvent&)> onEvent,
                                     std::function<void()> onError) = 0;
    [[nodiscard]] virtual bool Add(const NotifyIconData& data) = 0;
    [[nodiscard]] virtual bool Modify(const NotifyIconData& data) = 0;
    [[nodiscard]] virtual bool Delete() = 0;
    // Shows a balloon at the icon (title up to 63 characters, text up to 255); it replaces the
    // one shown, and a click on it comes back as BalloonClicked with `tag`. False when the
    // shell refused it (no icon, no taskbar).
    [[nodiscard]] virtual bool ShowBalloon(const std::string& title, const std::string& text,
                                           BalloonIcon icon, const std::string& tag) = 0;
    // Makes the hidden window the foreground window, so that a menu opened next
    // closes when the user clicks elsewhere.
    virtual void SetForeground() = 0;
};

} // namespace port
