#pragma once

#include <string>

namespace port {

struct Point {
    int x = 0;
    int y = 0;
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
};

} // namespace port
