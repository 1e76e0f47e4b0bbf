#pragma once

// The system's reg.exe, run from a test the way an administrator types it.

#include "platform/win32/Handle.h"

#include <windows.h>
#include <winternl.h>

#include <string>

namespace win32 {

struct RegRun {
    DWORD exitCode = 1;
    std::string output;
};

// Runs the system's reg.exe with `arguments` and collects what it prints.
inline RegRun RunReg(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return {};
    const UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writer.get();
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"reg.exe " + arguments;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return {};
    const UniqueHandle child(process.hProcess), thread(process.hThread);
    writer.reset(); // the pipe ends when reg.exe closes its copy
    RegRun run;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(reader.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
    WaitForSingleObject(child.get(), 30000);
    GetExitCodeProcess(child.get(), &run.exitCode);
    return run;
}

// Writes a string value whose name may hold a NUL, as only the native call that takes a
// counted name can; false when the key cannot be opened or the call fails.
inline bool SetValueWithCountedName(HKEY root, const std::wstring& path, std::wstring name,
                                    std::wstring data) {
    using SetValue = LONG(NTAPI*)(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG);
    const auto setValue = reinterpret_cast<SetValue>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    HKEY raw = nullptr;
    if (setValue == nullptr || RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                               nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    const UniqueKey key(raw);
    const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    UNICODE_STRING counted{bytes, bytes, name.data()};
    return setValue(key.get(), &counted, 0, REG_SZ, data.data(),
                    static_cast<ULONG>((data.size() + 1) * sizeof(wchar_t))) == 0;
}

// Deletes a value whose name may hold a NUL; false when it is not there.
inline bool DeleteValueWithCountedName(HKEY root, const std::wstring& path, std::wstring name) {
    using DeleteValue = LONG(NTAPI*)(HANDLE, PUNICODE_STRING);
    const auto deleteValue = reinterpret_cast<DeleteValue>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteValueKey")));
    HKEY raw = nullptr;
    if (deleteValue == nullptr ||
        RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS)
        return false;
    const UniqueKey key(raw);
    const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    UNICODE_STRING counted{bytes, bytes, name.data()};
    return deleteValue(key.get(), &counted) == 0;
}

} // namespace win32
