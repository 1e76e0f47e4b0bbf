#pragma once

// The Linux side of a Wine prefix, reached from a test: Linux programs and the Unix names of
// Windows paths. Links are made there because Wine's CreateSymbolicLinkW makes none.

#include "platform/win32/Handle.h"
#include "platform/win32/Unicode.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace win32 {

// A Linux program, started the way Wine starts one.
inline void RunUnix(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
}

// The Unix name Wine gives a Windows path; "" when not under Wine.
inline std::string UnixName(const std::string& path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr)
        return {};
    char* unixName = convert(Widen(path).c_str());
    std::string name = unixName == nullptr ? "" : unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return name;
}

// A link made from the Linux side. Wine shows a folder link as a reparse point, a file link
// as the file it leads to (and its own DeleteFileW deletes that file).
inline void MakeUnixLink(const std::string& link, const std::string& target) {
    RunUnix(L"Z:\\bin\\ln -s \"" + Widen(UnixName(target)) + L"\" \"" + Widen(UnixName(link)) +
            L"\"");
    for (int i = 0; i < 100 && GetFileAttributesW((L"\\\\?\\" + Widen(link)).c_str()) ==
                                   INVALID_FILE_ATTRIBUTES;
         ++i)
        Sleep(50);
}

// Removes a tree from the Linux side, which removes links as links.
inline void RemoveTreeFromUnix(const std::string& path) {
    const std::string unixName = UnixName(path);
    if (!unixName.empty())
        RunUnix(L"Z:\\bin\\rm -rf \"" + Widen(unixName) + L"\"");
    for (int i = 0; i < 100 && GetFileAttributesW((L"\\\\?\\" + Widen(path)).c_str()) !=
                                   INVALID_FILE_ATTRIBUTES;
         ++i)
        Sleep(50);
}

} // namespace win32
