// The floor of the resident benchmarks: a bare window doing, in its one thread, the least the
// program's resident work can cost. It runs until it is killed.
//
//   trelvix_bench_floor idle      a hidden window with a notification-area icon and a one-second
//                                timer that puts the temporary folder back (what the program
//                                keeps doing while it sits in the tray)
//   trelvix_bench_floor queries   the same, and every second the questions the timed refresh
//                                asks: the letters there are, then for each its type, volume,
//                                free space and icon (the drive pickers' part), critical-error
//                                boxes off
//   trelvix_bench_floor walk DIR  no window: sizes DIR with a bare FindFirstFileExW walk and
//                                prints the milliseconds, files and bytes

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT_PTR SecondTimer = 1;
bool askDrives = false;

void AskEveryDrive() {
    const DWORD previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD letters = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((letters & (1u << i)) == 0)
            continue;
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', 0};
        const UINT type = GetDriveTypeW(root);
        if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM) {
            SHFILEINFOW info{};
            SHGetFileInfoW(root, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                           SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
            continue;
        }
        wchar_t label[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
        GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem,
                              MAX_PATH + 1);
        ULARGE_INTEGER freeToCaller{}, total{};
        GetDiskFreeSpaceExW(root, &freeToCaller, &total, nullptr);
        SHFILEINFOW info{};
        SHGetFileInfoW(root, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    SetErrorMode(previous);
}

void PutTempFolderBack() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp) != 0)
        CreateDirectoryW(temp, nullptr);
}

LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == SecondTimer) {
        if (askDrives)
            AskEveryDrive();
        PutTempFolderBack();
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Receive;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrelvixBenchFloor";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_APP;
    icon.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    std::wcscpy(icon.szTip, L"bare");
    Shell_NotifyIconW(NIM_ADD, &icon);
    SetTimer(window, SecondTimer, 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}

struct Sum {
    std::int64_t files = 0, bytes = 0;
};

void Walk(const std::wstring& folder, Sum& sum) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
                Walk(folder + L"\\" + name, sum);
        } else {
            ++sum.files;
            sum.bytes += static_cast<std::int64_t>(
                (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

int RunWalk(const std::string& folder) {
    const auto start = std::chrono::steady_clock::now();
    Sum sum;
    Walk(std::wstring(folder.begin(), folder.end()), sum); // the benchmark's paths are ASCII
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("walk %.1f ms, %lld files, %lld bytes\n", ms, static_cast<long long>(sum.files),
                static_cast<long long>(sum.bytes));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "walk" && argc > 2)
        return RunWalk(argv[2]);
    if (mode == "idle" || mode == "queries") {
        askDrives = mode == "queries";
        return RunWindow();
    }
    std::fprintf(stderr, "usage: trelvix_bench_floor idle | queries | walk DIR\n");
    return 2;
}
