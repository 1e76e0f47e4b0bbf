#pragma once

#include "platform/Shell.h"
#include "platform/win32/Handle.h"

namespace win32 {

// The system's show command for a show mode.
int ShowCommand(port::ShowMode show);

class Win32Shell : public port::Shell {
  public:
    // The window that owns what the shell shows (a program's first window).
    void SetOwnerWindow(HWND owner) { owner_ = owner; }
    // GetSystemDirectoryW, whole; "" when the system gives none.
    std::string SystemDirectory() override;
    // ShellExecuteExW with the default verb and SEE_MASK_FLAG_NO_UI; refused with the
    // message of GetLastError.
    port::LaunchResult Open(const std::string& file, const std::optional<std::string>& parameters,
                            port::ShowMode show) override;
    // CreateProcessW of the command line (the first token is the program, searched the
    // system's way) with STARTF_USESHOWWINDOW; refused with the message of GetLastError.
    port::LaunchResult RunCommandLine(const std::string& commandLine, port::ShowMode show) override;
    // ShellExecuteExW without the system's own error box; the owner of an ActiveWindow
    // launch is this thread's active window.
    port::LaunchResult OpenLink(const std::string& verb, const std::string& link,
                                port::ShellOwner owner, port::ShowMode show) override;
    // IShellLinkW loaded through IPersistFile, the raw path (SLGP_RAWPATH) and arguments;
    // never IShellLinkW::Resolve. Needs COM on the calling thread.
    std::optional<port::ShortcutTarget> ReadShortcut(const std::string& path) override;

  private:
    HWND owner_ = nullptr;
};

} // namespace win32
