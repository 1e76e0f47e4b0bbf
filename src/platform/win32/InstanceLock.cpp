#include "platform/win32/InstanceLock.h"

#include "platform/win32/Win32Tray.h"

#include <sddl.h>

#include <vector>

namespace win32 {

namespace {

// The SID of the user this process runs as, as text; the user name when the token
// cannot be read.
std::wstring UserIdentity() {
    HANDLE raw = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw) != FALSE) {
        UniqueHandle token(raw);
        DWORD size = 0;
        GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
        std::vector<BYTE> buffer(size);
        LPWSTR text = nullptr;
        if (size != 0 &&
            GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) != FALSE &&
            ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text) !=
                FALSE) {
            std::wstring sid = text;
            LocalFree(text);
            return sid;
        }
    }
    wchar_t name[257]{};
    DWORD length = 257;
    return GetUserNameW(name, &length) != FALSE ? std::wstring(name) : std::wstring(L"user");
}

} // namespace

std::wstring InstanceLockName() {
    return L"Local\\Trelvix." + UserIdentity();
}

bool InstanceLock::Acquire() {
    if (mutex_)
        return true;
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, InstanceLockName().c_str()));
    if (!mutex)
        return false;
    const DWORD waited = WaitForSingleObject(mutex.get(), 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        return false;
    mutex_ = std::move(mutex);
    return true;
}

bool HandOverToRunningInstance() {
    const UINT showRequest = RegisterWindowMessageW(ShowMainWindowMessage);
    if (showRequest == 0)
        return false;
    // The instance holding the lock may still be creating its windows.
    for (int tries = 0; tries < 50; ++tries, Sleep(100)) {
        HWND running = FindWindowW(TrayWindowClass, nullptr);
        if (running == nullptr)
            continue;
        DWORD process = 0;
        GetWindowThreadProcessId(running, &process);
        // Windows gives the foreground only to a process the foreground process allows.
        AllowSetForegroundWindow(process);
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(running, showRequest, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) !=
               0;
    }
    return false;
}

} // namespace win32
