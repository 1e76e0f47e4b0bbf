#pragma once

#include "platform/Media.h"

#include <windows.h>

namespace win32 {

class Win32Media : public port::Media {
  public:
    // The window that the multimedia devices notify (the main window).
    void SetOwnerWindow(HWND owner) { owner_ = owner; }
    // mciSendStringW with no return buffer, the owner window as callback; the text of
    // mciGetErrorStringW.
    unsigned SendCommand(const std::string& command, std::string& reason) override;
    // WNetCancelConnection2W with no flags: the connection stays remembered for the next
    // logon.
    int CancelConnection(const std::string& name, bool force, std::string& reason) override;

  private:
    HWND owner_ = nullptr;
};

} // namespace win32
