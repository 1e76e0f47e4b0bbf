#pragma once

// The system's reg.exe, run from a test the way an administrator types it.

#include "platform/win32/Handle.h"

#include <windows.h>

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

} // namespace win32
