#pragma once

#include <string>
#include <vector>

namespace port {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in screen pixels; right and bottom lie just outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// Modifier keys held down, read from the keyboard state at the moment of asking.
struct ModifierKeys {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Message box flags and results use the system's numbers (MB_*, ID*), so the
// values the program passes are the ones a Windows developer expects.
namespace mb {
inline constexpr unsigned Ok = 0x0;
inline constexpr unsigned YesNo = 0x4;
inline constexpr unsigned IconError = 0x10;
inline constexpr unsigned IconQuestion = 0x20;
inline constexpr unsigned IconExclamation = 0x30;
inline constexpr unsigned IconInformation = 0x40;
inline constexpr unsigned DefButton2 = 0x100;
inline constexpr int IdOk = 1;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
} // namespace mb

class Desktop {
  public:
    virtual ~Desktop() = default;
    // A modal message box owned by the program's active window.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               unsigned flags) = 0;
    [[nodiscard]] virtual Point CursorPos() = 0;
    [[nodiscard]] virtual ModifierKeys KeyState() = 0;
    // The work area (the screen less the taskbar) of every monitor attached now.
    [[nodiscard]] virtual std::vector<Rect> WorkAreas() = 0;
    // Height of a window's title bar and top frame, in pixels.
    [[nodiscard]] virtual int TitleBarHeight() = 0;
    // The longest time between two clicks of a double click, in milliseconds.
    [[nodiscard]] virtual unsigned DoubleClickTime() = 0;
};

} // namespace port
