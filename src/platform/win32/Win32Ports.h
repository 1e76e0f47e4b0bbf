#pragma once

// The real ports over the Win32 API, one instance of each, for the program's whole run.

#include "platform/Ports.h"
#include "platform/win32/Win32Bitmaps.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Drives.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32KeyWatch.h"
#include "platform/win32/Win32Tasks.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32SystemLook.h"
#include "platform/win32/Win32Tray.h"

namespace win32 {

class Win32Ports {
  public:
    Win32Ports();
    Win32Ports(const Win32Ports&) = delete;
    Win32Ports& operator=(const Win32Ports&) = delete;

    port::Ports& Ports() { return ports_; }
    // The main window: owner of message boxes and shell launches, told of multimedia events.
    void SetOwnerWindow(HWND main);

  private:
    Win32Registry registry_;
    Win32Drives drives_;
    Win32Files files_;
    Win32Shell shell_;
    Win32Power power_;
    Win32Tray tray_;
    Win32Media media_;
    Win32System system_;
    Win32Desktop desktop_;
    Win32Bitmaps bitmaps_;
    Win32SystemLook look_;
    Win32Tasks tasks_;
    // After the ports its thread reads: it is stopped before they go.
    Win32KeyWatch keyWatch_;
    port::Ports ports_;
};

} // namespace win32
