#include "platform/win32/Win32Shell.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace win32 {

namespace {
port::LaunchResult Refused(DWORD error) {
    // A refusal without a code must not read "The operation completed successfully".
    return {false, error != ERROR_SUCCESS ? SystemMessage(error) : "The system gave no reason"};
}
} // namespace

int ShowCommand(port::ShowMode show) {
    switch (show) {
    case port::ShowMode::Hidden:
        return SW_HIDE;
    case port::ShowMode::Normal:
        return SW_SHOWNORMAL;
    case port::ShowMode::Shown:
        return SW_SHOW;
    }
    return SW_SHOWNORMAL;
}

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

port::LaunchResult Win32Shell::Open(const std::string& file,
                                    const std::optional<std::string>& parameters,
                                    port::ShowMode show) {
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = parameters ? Widen(*parameters) : std::wstring();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The program says itself why a launch failed: the system's own box would be a second.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner_;
    info.lpFile = wideFile.c_str();
    info.lpParameters = parameters ? wideParameters.c_str() : nullptr;
    info.nShow = ShowCommand(show);
    if (ShellExecuteExW(&info) != FALSE)
        return {true, {}};
    return Refused(GetLastError());
}

port::LaunchResult Win32Shell::RunCommandLine(const std::string& commandLine, port::ShowMode show) {
    // CreateProcessW may write into the command line: it gets its own copy.
    std::wstring command = Widen(commandLine);
    if (command.empty())
        return Refused(ERROR_INVALID_PARAMETER);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowCommand(show));
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return Refused(GetLastError());
    // The program does not wait for what it started.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    return {true, {}};
}

port::LaunchResult Win32Shell::OpenLink(const std::string& verb, const std::string& link,
                                        port::ShellOwner owner, port::ShowMode show) {
    const std::wstring wideVerb = Widen(verb);
    const std::wstring wideLink = Widen(link);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The program says itself why a link did not open.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner == port::ShellOwner::ActiveWindow ? GetActiveWindow() : nullptr;
    info.lpVerb = wideVerb.empty() ? nullptr : wideVerb.c_str();
    info.lpFile = wideLink.c_str();
    info.nShow = ShowCommand(show);
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExW(&info) != FALSE)
        return {true, {}};
    const DWORD error = GetLastError();
    // A refusal without a code is, in practice, a link no program is registered for.
    return Refused(error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION);
}

std::optional<port::ShortcutTarget> Win32Shell::ReadShortcut(const std::string& path) {
    IShellLinkW* link = nullptr;
    if (FAILED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return std::nullopt;
    const UniqueCom<IShellLinkW> shellLink(link);
    IPersistFile* file = nullptr;
    if (FAILED(shellLink->QueryInterface(IID_PPV_ARGS(&file))))
        return std::nullopt;
    const UniqueCom<IPersistFile> persist(file);
    if (FAILED(persist->Load(Widen(path).c_str(), STGM_READ)))
        return std::nullopt;
    // Both fields hold at most INFOTIPSIZE characters in the file.
    std::vector<wchar_t> target(INFOTIPSIZE + 1, L'\0'), arguments(INFOTIPSIZE + 1, L'\0');
    if (FAILED(shellLink->GetPath(target.data(), static_cast<int>(target.size()), nullptr,
                                  SLGP_RAWPATH)))
        target[0] = L'\0';
    if (FAILED(shellLink->GetArguments(arguments.data(), static_cast<int>(arguments.size()))))
        arguments[0] = L'\0';
    return port::ShortcutTarget{Narrow(target.data()), Narrow(arguments.data())};
}

} // namespace win32
