// Records how it was started: its command line (UTF-8) on the first line, the show mode it was
// given on the second and whether STARTF_USESHOWWINDOW was set on the third. The file is named
// by TRELVIX_ECHO_ARGS_OUT, else by the first argument. It appears whole or not at all.

#include <windows.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring target(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"TRELVIX_ECHO_ARGS_OUT", target.data(),
                                                 static_cast<DWORD>(target.size()));
    if (length > 0 && length < target.size())
        target.resize(length);
    else if (argc >= 2)
        target = argv[1];
    else
        return 2;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::string record = Utf8(GetCommandLineW()) + "\n" +
                               std::to_string(startup.wShowWindow) + "\n" +
                               ((startup.dwFlags & STARTF_USESHOWWINDOW) ? "1" : "0") + "\n";

    const std::wstring partial = target + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != record.size())
        return 4;
    return MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
