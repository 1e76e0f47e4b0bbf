// The program entry: the real ports, the native toolkit, the program over them, and the
// message loop until the main window closes.

#include "app/Program.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Ports.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>

namespace {

// Shell launches and drive icons may run shell extensions, which need COM on this thread.
class ComApartment {
  public:
    ComApartment()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    ComApartment com;
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
