// Records how it was started into the file named by its first argument (without one, into
// "echo_args.out" beside itself): its command line (UTF-8), the show mode it was given and
// whether STARTF_USESHOWWINDOW was set, one a line. The file appears whole or not at all.

#include <windows.h>

#include <filesystem>
#include <fstream>

int wmain(int argc, wchar_t** argv) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    std::filesystem::path target;
    if (argc >= 2) {
        target = argv[1];
    } else {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        target = std::filesystem::path(self).replace_filename(L"echo_args.out");
    }
    const std::filesystem::path partial = target.wstring() + L".part";
    {
        const std::u8string commandLine = std::filesystem::path(GetCommandLineW()).u8string();
        std::ofstream out(partial, std::ios::binary);
        out << std::string(commandLine.begin(), commandLine.end()) << '\n'
            << startup.wShowWindow << '\n'
            << ((startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0) << '\n';
        if (!out.flush())
            return 3;
    }
    std::error_code error;
    std::filesystem::rename(partial, target, error);
    return error ? 4 : 0;
}
