#pragma once

#include "platform/Shell.h"
#include "platform/win32/Handle.h"

namespace win32 {

class Win32Shell : public port::Shell {
  public:
    // The window that owns what the shell shows (error boxes of a failed open).
    void SetOwnerWindow(HWND owner) { owner_ = owner; }
    // GetSystemDirectoryW, whole; "" when the system gives none.
    std::string SystemDirectory() override;
    // ShellExecuteW with the default verb; true when its result is above 32.
    bool Open(const std::string& file, const std::optional<std::string>& parameters,
              int showCommand) override;
    // CreateProcessW of the command line (the first token is the program, searched the
    // system's way) with STARTF_USESHOWWINDOW; true when the process was created.
    bool RunCommandLine(const std::string& commandLine, int showCommand) override;
    // ShellExecuteExW without the system's own error box; the owner of an ActiveWindow
    // launch is this thread's active window.
    bool OpenLink(const std::string& verb, const std::string& link, port::ShellOwner owner,
                  int showCommand, std::string& reason) override;

  private:
    HWND owner_ = nullptr;
};

} // namespace win32
