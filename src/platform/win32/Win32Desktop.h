#pragma once

#include "platform/win32/Handle.h"
#include "platform/Desktop.h"

namespace win32 {

class Win32Desktop : public port::Desktop {
  public:
    // The window that owns message boxes when none of this thread's windows is active.
    void SetOwnerWindow(HWND owner) { owner_ = owner; }
    // MessageBoxW owned by this thread's active window (else the owner window); returns the
    // system's ID* result, 0 when the box could not be shown.
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned flags) override;
    // GetCursorPos in screen coordinates; (0, 0) when the system refuses.
    port::Point CursorPos() override;
    // GetKeyState of Shift, Ctrl and Alt: the state as of the message being handled.
    port::ModifierKeys KeyState() override;
    // rcWork of each monitor EnumDisplayMonitors finds.
    std::vector<port::Rect> WorkAreas() override;
    // Caption plus sizing frame at the owner window's DPI.
    int TitleBarHeight() override;
    // GetDoubleClickTime.
    unsigned DoubleClickTime() override;

  private:
    HWND owner_ = nullptr;
};

} // namespace win32
