// The program entry: the real ports, the native toolkit, the program over them, and the
// message loop until the main window closes.

#include "app/Program.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Ports.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    try {
        win32::Win32Ports ports;
        win32::Win32Host host;
        trelvix::Program program(ports.Ports(), &host);
        program.Start();
        if (program.MainForm && program.MainForm->GetPeer() != nullptr)
            ports.SetOwnerWindow(reinterpret_cast<HWND>(program.MainForm->GetPeer()->Handle()));
        host.Run();
    } catch (const std::exception& error) {
        // Nothing of the program could start: say why rather than vanish.
        MessageBoxW(nullptr, win32::Widen(error.what()).c_str(), L"Trelvix", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
