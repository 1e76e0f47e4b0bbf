// The floor for start-up and memory: a bare top-level window that shows and answers, and
// nothing else. Given DLL names on its command line it loads them first: the same floor with
// the program's imports, which tells the DLLs' share of its cost from its own.

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Loads each name of the command line after the program's own path (names hold no spaces).
void LoadNamedLibraries() {
    const wchar_t* at = GetCommandLineW();
    const wchar_t end = *at == L'"' ? L'"' : L' ';
    for (++at; *at != L'\0' && *at != end;)
        ++at;
    while (*at != L'\0') {
        while (*at == L' ' || *at == L'"')
            ++at;
        const wchar_t* start = at;
        while (*at != L'\0' && *at != L' ')
            ++at;
        if (at != start)
            LoadLibraryW(std::wstring(start, at).c_str());
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    LoadNamedLibraries();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TrelvixBenchBareWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 560, 420, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
