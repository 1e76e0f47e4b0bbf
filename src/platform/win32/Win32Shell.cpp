#include "platform/win32/Win32Shell.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <shellapi.h>

namespace win32 {

std::string Win32Shell::SystemDirectory() {
    std::wstring path;
    UINT needed = GetSystemDirectoryW(nullptr, 0);
    // Asked again while the answer says the buffer was too small, so the path is never cut.
    while (needed > path.size()) {
        path.resize(needed);
        needed = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
        if (needed == 0)
            return {};
        if (needed < path.size()) {
            path.resize(needed);
            return Narrow(path);
        }
    }
    return {};
}

bool Win32Shell::Open(const std::string& file, const std::optional<std::string>& parameters,
                      int showCommand) {
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = parameters ? Widen(*parameters) : std::wstring();
    const HINSTANCE result =
        ShellExecuteW(owner_, nullptr, wideFile.c_str(),
                      parameters ? wideParameters.c_str() : nullptr, nullptr, showCommand);
    // Values up to 32 are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::RunCommandLine(const std::string& commandLine, int showCommand) {
    // CreateProcessW may write into the command line: it gets its own copy.
    std::wstring command = Widen(commandLine);
    if (command.empty())
        return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // The program does not wait for what it started.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    return true;
}

bool Win32Shell::OpenLink(const std::string& verb, const std::string& link, port::ShellOwner owner,
                          int showCommand, std::string& reason) {
    const std::wstring wideVerb = Widen(verb);
    const std::wstring wideLink = Widen(link);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The program says itself why a link did not open.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner == port::ShellOwner::ActiveWindow ? GetActiveWindow() : nullptr;
    info.lpVerb = wideVerb.empty() ? nullptr : wideVerb.c_str();
    info.lpFile = wideLink.c_str();
    info.nShow = showCommand;
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExW(&info) != FALSE)
        return true;
    const DWORD error = GetLastError();
    // A refusal without a code is, in practice, a link no program is registered for.
    reason = SystemMessage(error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION);
    return false;
}

} // namespace win32
