#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace port {

// What the notification area shows for the program's one icon.
struct NotifyIconData {
    bool hasMessage = true; // NIF_MESSAGE
    bool hasIcon = true;    // NIF_ICON
    bool hasTip = false;    // NIF_TIP
    std::string tip;        // at most 63 characters
    unsigned callbackMessage = 1025;
};

// Messages arriving at the tray component's hidden window.
struct TrayMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

inline constexpr unsigned WM_QUERYENDSESSION_ = 17;
inline constexpr unsigned WM_ENDSESSION_ = 22;
// The shell's "TaskbarCreated" broadcast, whatever number the system registered it as.
inline constexpr unsigned TaskbarCreatedMessage = 0xC0DE;

class Tray {
  public:
    virtual ~Tray() = default;
    // Creates the hidden message window; every message reaching it goes to `handler`,
    // whose result is the window procedure's result.
    virtual void CreateMessageWindow(std::function<std::intptr_t(const TrayMessage&)> handler) = 0;
    [[nodiscard]] virtual bool Add(const NotifyIconData& data) = 0;
    [[nodiscard]] virtual bool Modify(const NotifyIconData& data) = 0;
    [[nodiscard]] virtual bool Delete() = 0;
    // Makes the hidden window the foreground window, so that a menu opened next
    // closes when the user clicks elsewhere.
    virtual void SetForeground() = 0;
};

} // namespace port
