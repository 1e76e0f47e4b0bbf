#include "e2e/Driver.h"

#include "app/ControlIds.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

constexpr UINT SendTimeoutMs = 5000;
constexpr const wchar_t* SettingsKey = L"SOFTWARE\\Ostrand\\tvx";

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    // From another process, always synchronous with a time-out: a hung program must
    // fail the test, not hang it.
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs,
                            &result) == 0)
        throw std::runtime_error("the program did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

PROCESS_INFORMATION StartProcess(const wchar_t* exe, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start " + Narrow(commandLine));
    return process;
}

PROCESS_INFORMATION StartTrelvix() {
    const std::wstring exe = ExePath();
    return StartProcess(exe.c_str(), L"\"" + exe + L"\"");
}

// The middle of a list's item, in the list's coordinates. Wine copies the rectangle across
// processes itself.
POINT ItemMiddle(HWND list, int index) {
    RECT rect{};
    Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (ready())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ready();
}

Trelvix::Trelvix() = default;

Trelvix::~Trelvix() {
    if (process_.hProcess != nullptr) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void Trelvix::Start(bool shown) {
    process_ = StartTrelvix();
    bool found = WaitFor([this] {
        for (HWND window : TopLevelWindows()) {
            wchar_t title[64] = {};
            GetWindowTextW(window, title, 64);
            if (ProcessOf(window) == process_.dwProcessId && std::wstring(title) == L"Trelvix" &&
                GetDlgItem(window, 1023) != nullptr)
                main_ = window;
        }
        return main_ != nullptr;
    });
    if (!found)
        throw std::runtime_error("the main window did not appear");
    // The window exists before its creation handler has run: wait until the program
    // first waits for input, which is after start-up.
    WaitForInputIdle(process_.hProcess, 20000);
    if (shown && !WaitFor([this] { return MainVisible(); }))
        throw std::runtime_error("the main window was not shown");
    WaitFor([this] { return Running() && Send(main_, WM_NULL, 0, 0) == 0; });
    answered_ = std::chrono::steady_clock::now();
    // The pages not shown first and the dialogs are made after the window shows, and all of
    // them before the first survey result: the fixed drives' lines.
    WaitFor([this] {
        HWND fixed = Control(ids::main::ListBox1);
        return !Running() || (fixed != nullptr && !ListItems(fixed).empty());
    });
}

void Trelvix::Close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.hProcess, 15000);
}

bool Trelvix::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Trelvix::Control(int id, HWND window) const {
    for (HWND child : Children(window != nullptr ? window : main_))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

std::vector<HWND> Trelvix::OtherWindows() const {
    std::vector<HWND> windows = TopLevelWindows();
    std::erase_if(windows, [this](HWND window) {
        return window == main_ || ProcessOf(window) != process_.dwProcessId;
    });
    return windows;
}

HWND Trelvix::WaitForWindow(const std::wstring& className, const std::string& caption,
                            std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : OtherWindows())
                if (IsWindowVisible(window) != FALSE &&
                    (className.empty() || ClassOf(window) == className) &&
                    (caption.empty() || Text(window) == caption)) {
                    found = window;
                    return true;
                }
            return false;
        },
        timeout);
    return found;
}

std::string Trelvix::Text(HWND window) const {
    auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return Narrow(text);
}

std::vector<std::string> Trelvix::ListItems(HWND list) const {
    std::vector<std::string> items;
    auto count = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        auto length = static_cast<size_t>(Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        std::wstring text(length + 1, L'\0');
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        items.push_back(Narrow(text));
    }
    return items;
}

void Trelvix::WithRemoteBuffer(std::size_t size,
                               const std::function<void(void* remote)>& work) const {
    void* remote =
        VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr)
        throw std::runtime_error("VirtualAllocEx failed");
    try {
        work(remote);
    } catch (...) {
        VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
        throw;
    }
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
}

void Trelvix::Read(const void* remote, void* local, std::size_t size) const {
    SIZE_T done = 0;
    if (!ReadProcessMemory(process_.hProcess, remote, local, size, &done) || done != size)
        throw std::runtime_error("ReadProcessMemory failed");
}

void Trelvix::Write(void* remote, const void* local, std::size_t size) const {
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_.hProcess, remote, local, size, &done) || done != size)
        throw std::runtime_error("WriteProcessMemory failed");
}

std::string Trelvix::StatusText(HWND statusBar) const {
    constexpr size_t Chars = 1024;
    std::wstring text(Chars, L'\0');
    WithRemoteBuffer(Chars * sizeof(wchar_t), [&](void* remote) {
        // A simple-mode status bar answers for part 0 under Wine.
        LRESULT result = Send(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote));
        Read(remote, text.data(), Chars * sizeof(wchar_t));
        text.resize(std::min<size_t>(LOWORD(result), Chars - 1));
    });
    return Narrow(text);
}

int Trelvix::TabIndex(HWND tabs) const {
    return static_cast<int>(Send(tabs, TCM_GETCURSEL, 0, 0));
}

void Trelvix::ClickTab(HWND tabs, int index) const {
    RECT rect{};
    WithRemoteBuffer(sizeof(RECT), [&](void* remote) {
        Send(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
        Read(remote, &rect, sizeof rect);
    });
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Send(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(tabs, WM_LBUTTONUP, 0, at);
}

int Trelvix::ListSelection(HWND list) const {
    return static_cast<int>(Send(list, LB_GETCURSEL, 0, 0));
}

void Trelvix::SelectListItem(HWND list, int index) const {
    const POINT middle = ItemMiddle(list, index);
    const LPARAM at = MAKELPARAM(middle.x, middle.y);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
}

void Trelvix::DoubleClickListItem(HWND list, int index) const {
    const POINT middle = ItemMiddle(list, index);
    const LPARAM at = MAKELPARAM(middle.x, middle.y);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

void Trelvix::TrayMouse(unsigned mouseMessage) const {
    for (HWND window : OtherWindows())
        if (ClassOf(window) == L"TrelvixTrayIconWindow")
            Send(window, WM_USER + 1, 0, static_cast<LPARAM>(mouseMessage));
}

void Trelvix::PressKeys(std::initializer_list<WORD> keys) const {
    SetForegroundWindow(main_);
    WaitFor([this] { return GetForegroundWindow() == main_; }, std::chrono::seconds(5));
    std::vector<INPUT> strokes;
    const auto stroke = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        strokes.push_back(input);
    };
    for (WORD key : keys)
        stroke(key, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        stroke(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

void Trelvix::MoveTrackBar(HWND bar, int position) const {
    Send(bar, TBM_SETPOS, TRUE, position);
    // A window handle is the same in every process, so the notification crosses as it is.
    HWND parent = GetParent(bar);
    Send(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(bar));
    Send(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bar));
}

std::wstring ExePath() {
    wchar_t exe[MAX_PATH * 4] = {};
    if (GetEnvironmentVariableW(L"TRELVIX_EXE", exe, static_cast<DWORD>(std::size(exe))) == 0)
        throw std::runtime_error("TRELVIX_EXE is not set");
    return exe;
}

std::optional<std::uint32_t> StoredSetting(const std::string& name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey, Widen(name).c_str(), RRF_RT_REG_DWORD, nullptr,
                     &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void ForgetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
}

void StoreSetting(const std::string& name, std::uint32_t value) {
    const DWORD data = value;
    RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, Widen(name).c_str(), REG_DWORD, &data,
                    sizeof data);
}

std::optional<DWORD> StartAnotherInstance(std::chrono::milliseconds timeout) {
    PROCESS_INFORMATION process = StartTrelvix();
    CloseHandle(process.hThread);
    std::optional<DWORD> exitCode;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout.count())) ==
        WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        exitCode = code;
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

int CountWindows(const wchar_t* className, const wchar_t* title) {
    return static_cast<int>(std::ranges::count_if(TopLevelWindows(), [&](HWND window) {
        wchar_t text[64] = {};
        GetWindowTextW(window, text, 64);
        return ClassOf(window) == className && (title == nullptr || lstrcmpW(text, title) == 0);
    }));
}

// ---- Input and boxes, from outside ----

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PostChar(HWND target, wchar_t ch) {
    PostMessageW(target, WM_CHAR, ch, 1);
}

std::string BoxText(HWND box) {
    std::string text;
    for (HWND child : Children(box))
        if (lstrcmpiW(ClassOf(child).c_str(), L"Static") == 0) {
            wchar_t part[1024] = {};
            GetWindowTextW(child, part, 1024);
            text += Narrow(part);
        }
    return text;
}

void AnswerBox(HWND box, int button) {
    HWND pressed = GetDlgItem(box, button);
    if (pressed == nullptr)
        throw std::runtime_error("the box has no button " + std::to_string(button));
    PostMessageW(pressed, BM_CLICK, 0, 0);
    if (!WaitFor([box] { return IsWindow(box) == FALSE; }))
        throw std::runtime_error("the box did not close");
}

void SetFieldText(HWND field, const std::string& text) {
    const std::wstring wide = Widen(text);
    if (lstrcmpiW(ClassOf(field).c_str(), L"ComboBox") != 0) {
        Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        return;
    }
    // The edit window inside a combo box reports no change for WM_SETTEXT: the text is typed
    // over the whole field instead.
    HWND edit = GetWindow(field, GW_CHILD);
    Send(edit, EM_SETSEL, 0, -1);
    Send(edit, WM_CLEAR, 0, 0);
    for (wchar_t ch : wide)
        Send(edit, WM_CHAR, ch, 1);
}

void ClickSpin(HWND spin, bool up) {
    RECT rect{};
    GetClientRect(spin, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    Send(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(spin, WM_LBUTTONUP, 0, at);
}

void XdoTool(const std::string& arguments) {
    // Wine starts a Unix program given by its path on Z:, but cannot wait for it: the shell
    // around xdotool writes its exit status into a file of the prefix when it is done.
    char prefix[1024] = {};
    if (GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix) == 0)
        throw std::runtime_error("WINEPREFIX is not set");
    const std::string status = std::string(prefix) + "/.trelvix/xdotool.status";
    std::wstring statusName = L"Z:" + Widen(status);
    std::replace(statusName.begin(), statusName.end(), L'/', L'\\');
    const std::filesystem::path statusFile = statusName;
    DeleteFileW(statusFile.c_str());
    PROCESS_INFORMATION process =
        StartProcess(nullptr, Widen("Z:\\bin\\sh -c \"/usr/bin/xdotool " + arguments +
                                    "; echo $? > '" + status + "'\""));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string code;
    WaitFor([&] {
        std::ifstream(statusFile) >> code;
        return !code.empty();
    });
    if (code != "0")
        throw std::runtime_error("xdotool " + arguments +
                                 " failed: " + (code.empty() ? "no answer" : code));
}

void RealClick(POINT at, int button) {
    XdoTool("mousemove --sync " + std::to_string(at.x) + " " + std::to_string(at.y) + " click " +
            std::to_string(button));
}

POINT ItemPoint(HWND list, int index) {
    POINT at = ItemMiddle(list, index);
    ClientToScreen(list, &at);
    return at;
}

POINT MiddleOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int BalloonsShown() {
    int shown = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == L"tooltips_class32" && IsWindowVisible(window))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

} // namespace e2e
