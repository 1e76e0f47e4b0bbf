#include "platform/win32/Win32Shell.h"

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

} // namespace win32
