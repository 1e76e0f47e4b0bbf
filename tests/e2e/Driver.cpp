#include "e2e/Driver.h"

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

struct FindData {
    DWORD pid;
    std::vector<HWND> found;
};

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
    wchar_t exe[MAX_PATH * 4] = {};
    if (GetEnvironmentVariableW(L"TRELVIX_EXE", exe, static_cast<DWORD>(std::size(exe))) == 0)
        throw std::runtime_error("TRELVIX_EXE is not set");
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        throw std::runtime_error("cannot start " + Narrow(exe));
    bool found = WaitFor([this] {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* self = reinterpret_cast<Trelvix*>(data);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                wchar_t title[64] = {};
                GetWindowTextW(window, title, 64);
                if (pid == self->process_.dwProcessId && std::wstring(title) == L"Trelvix" &&
                    GetDlgItem(window, 1023) != nullptr) {
                    self->main_ = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
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
}

void Trelvix::Close() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.hProcess, 15000);
}

bool Trelvix::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Trelvix::Control(int id) const {
    return ControlIn(main_, id);
}

std::vector<HWND> Trelvix::OtherWindows() const {
    FindData data{process_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* d = reinterpret_cast<FindData*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == d->pid)
                d->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&data));
    std::erase(data.found, main_);
    return data.found;
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

std::vector<std::string> Trelvix::TabCaptions(HWND tabs) const {
    constexpr size_t Chars = 256;
    std::vector<std::string> captions;
    auto count = static_cast<int>(Send(tabs, TCM_GETITEMCOUNT, 0, 0));
    WithRemoteBuffer(sizeof(TCITEMW) + Chars * sizeof(wchar_t), [&](void* remote) {
        auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TCITEMW));
        for (int i = 0; i < count; ++i) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = remoteText;
            item.cchTextMax = static_cast<int>(Chars);
            Write(remote, &item, sizeof item);
            std::wstring text(Chars, L'\0');
            Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
            Read(remoteText, text.data(), Chars * sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), Chars));
            captions.push_back(Narrow(text));
        }
    });
    return captions;
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
    // Wine copies this rectangle across processes itself.
    RECT rect{};
    Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
}

void Trelvix::Click(HWND button) const {
    Send(button, BM_CLICK, 0, 0);
}

void Trelvix::PostChar(wchar_t ch) const {
    HWND target = main_;
    PostMessageW(target, WM_CHAR, ch, 1);
}

void Trelvix::TrayMouse(unsigned mouseMessage) const {
    for (HWND window : OtherWindows()) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring(className) == L"TrelvixTrayIconWindow")
            Send(window, WM_USER + 1, 0, static_cast<LPARAM>(mouseMessage));
    }
}

void Trelvix::PressKeys(std::initializer_list<WORD> keys) const {
    SetForegroundWindow(main_);
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

HWND Trelvix::Dialog(const std::string& caption) const {
    for (HWND window : OtherWindows())
        if (IsWindowVisible(window) != FALSE && Text(window) == caption)
            return window;
    return nullptr;
}

HWND Trelvix::ControlIn(HWND window, int id) const {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Trelvix::PostKey(WORD virtualKey) const {
    PostMessageW(main_, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(main_, WM_KEYUP, virtualKey, 1 | (1u << 30) | (1u << 31));
}

void Trelvix::PostChar(HWND target, wchar_t ch) const {
    PostMessageW(target, WM_CHAR, ch, 1);
}

void Trelvix::MoveTrackBar(HWND bar, int position) const {
    Send(bar, TBM_SETPOS, TRUE, position);
    // A window handle is the same in every process, so the notification crosses as it is.
    HWND parent = GetParent(bar);
    Send(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(bar));
    Send(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bar));
}

void Trelvix::DoubleClickListItem(HWND list, int index) const {
    RECT rect{};
    Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

HWND Trelvix::WaitForMessageBox(std::chrono::milliseconds timeout) const {
    HWND box = nullptr;
    WaitFor(
        [&] {
            for (HWND window : OtherWindows()) {
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (std::wstring(className) == L"#32770" && IsWindowVisible(window) != FALSE) {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return box;
}

Trelvix::BoxText Trelvix::ReadMessageBox(HWND box) const {
    BoxText read{Text(box), {}};
    // The message is the box's one static control with a text (the icon's has none).
    std::vector<HWND> statics;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, L"Static") == 0)
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&statics));
    for (HWND child : statics)
        if (std::string text = Text(child); !text.empty())
            read.text = text;
    return read;
}

void Trelvix::CloseMessageBox(HWND box) const {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([box] { return IsWindow(box) == FALSE; });
}

void Trelvix::PressCtrlKey(WORD key) const {
    // Shortcuts look at the real state of Ctrl, which only real input sets.
    SetForegroundWindow(main_);
    WaitFor([this] { return GetForegroundWindow() == main_; }, std::chrono::seconds(5));
    INPUT keys[4] = {};
    const WORD order[4][2] = {
        {VK_CONTROL, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.dwFlags = order[i][1];
    }
    SendInput(4, keys, sizeof(INPUT));
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
    wchar_t exe[MAX_PATH * 4] = {};
    if (GetEnvironmentVariableW(L"TRELVIX_EXE", exe, static_cast<DWORD>(std::size(exe))) == 0)
        throw std::runtime_error("TRELVIX_EXE is not set");
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start " + Narrow(exe));
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
    struct Search {
        const wchar_t* className;
        const wchar_t* title;
        int count;
    } search{className, title, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {}, text[64] = {};
            GetClassNameW(window, name, 64);
            GetWindowTextW(window, text, 64);
            if (lstrcmpW(name, s->className) == 0 &&
                (s->title == nullptr || lstrcmpW(text, s->title) == 0))
                ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// ---- Message boxes and fields, from outside ----

void PostClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

HWND WaitForBox(const Trelvix& app, std::chrono::milliseconds timeout) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            for (HWND window : app.OtherWindows()) {
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return box;
}

std::string BoxText(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, L"Static") == 0) {
                wchar_t part[1024] = {};
                GetWindowTextW(child, part, 1024);
                *reinterpret_cast<std::string*>(data) += Narrow(part);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
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
    wchar_t className[16] = {};
    GetClassNameW(field, className, 16);
    const std::wstring wide = Widen(text);
    if (lstrcmpiW(className, L"ComboBox") != 0) {
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
    std::wstring command =
        Widen("Z:\\bin\\sh -c \"/usr/bin/xdotool " + arguments + "; echo $? > '" + status + "'\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start xdotool (tools/install-deps)");
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
    RECT rect{};
    Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &at);
    return at;
}

POINT MiddleOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace e2e
