// The program entry: the real ports, the native toolkit, the program over them, and the
// message loop until the main window closes.

#include "app/Program.h"
#include "disks/DriveQueries.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/InstanceLock.h"
#include "platform/win32/Win32Background.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Ports.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

namespace {

// The program over the real ports: 0 when the user closed it, 1 when it could not start.
int RunProgramOver(win32::Win32Ports& ports, win32::Win32Background& background) {
    win32::Win32Host host;
    trelvix::Program program(ports.Ports(), &host);
    program.App.SetBackground(&background);
    try {
        program.Start();
    } catch (...) {
        // A window that cannot be made (out of resources): say why in the program's own box
        // rather than run a message loop with no window.
        program.App.ShowCurrentException();
        return 1;
    }
    if (program.MainForm && program.MainForm->GetPeer() != nullptr)
        ports.SetOwnerWindow(reinterpret_cast<HWND>(program.MainForm->GetPeer()->Handle()));
    return host.Run();
}

int RunProgram() {
    win32::Win32Ports ports;
    // A worker counts as hung when a drive query on it would have given up.
    win32::Win32Background background(port::PoolLimits{.hungAfter = trelvix::DriveQueryDeadline});
    const int code = RunProgramOver(ports, background);
    // A walk or a drive query still running uses the ports: the process ends here, without
    // waiting for it.
    if (background.Busy())
        ExitProcess(static_cast<UINT>(code));
    return code;
}

// Before the program exists there is no application title yet.
void ShowStartFailure(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Trelvix", MB_OK | MB_ICONERROR);
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // Before anything else, and before the settings are read (the first load writes the
    // missing ones): a second start hands over to the running instance and leaves.
    win32::InstanceLock lock;
    if (!lock.Acquire()) {
        (void)win32::HandOverToRunningInstance();
        return 0;
    }
    // Shell launches and drive icons may run shell extensions, which need COM on this thread.
    const win32::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    try {
        return RunProgram();
    } catch (const std::exception& error) {
        // Nothing of the program could start: say why rather than vanish.
        ShowStartFailure(win32::Widen(tk::ErrorBoxText(error.what())).c_str());
    } catch (...) {
        ShowStartFailure(L"Unexpected error.");
    }
    return 1;
}
