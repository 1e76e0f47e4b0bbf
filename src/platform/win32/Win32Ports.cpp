#include "platform/win32/Win32Ports.h"

namespace win32 {

Win32Ports::Win32Ports()
    : ports_{registry_, drives_,  files_,   shell_, power_,    tray_, media_,
             system_,   desktop_, bitmaps_, look_,  keyWatch_, tasks_} {}

void Win32Ports::SetOwnerWindow(HWND main) {
    desktop_.SetOwnerWindow(main);
    shell_.SetOwnerWindow(main);
    media_.SetOwnerWindow(main);
}

} // namespace win32
