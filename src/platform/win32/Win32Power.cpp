#include "platform/win32/Win32Power.h"

#include "platform/win32/SystemMessage.h"

#include <powrprof.h>

namespace win32 {

namespace {
bool Refused(std::string& reason) {
    reason = SystemMessage(GetLastError());
    return false;
}
} // namespace

bool LookupShutdownPrivilege(LUID& privilege, std::string& reason) {
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privilege))
        return Refused(reason);
    return true;
}

bool Win32Power::EnableShutdownPrivilege(std::string& reason) {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &opened))
        return Refused(reason);
    const UniqueHandle token(opened);
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupShutdownPrivilege(wanted.Privileges[0].Luid, reason))
        return false;
    if (!AdjustTokenPrivileges(token.get(), FALSE, &wanted, 0, nullptr, nullptr))
        return Refused(reason);
    // Success with ERROR_NOT_ALL_ASSIGNED means the account does not hold the privilege.
    if (GetLastError() != ERROR_SUCCESS)
        return Refused(reason);
    return true;
}

bool Win32Power::PowerOff(std::string& reason) {
    constexpr DWORD planned =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    if (!ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, planned))
        return Refused(reason);
    return true;
}

bool Win32Power::HibernationAllowed() {
    return IsPwrHibernateAllowed() != FALSE;
}

bool Win32Power::Hibernate(std::string& reason) {
    if (!EnableShutdownPrivilege(reason))
        return false;
    if (!SetSuspendState(TRUE, FALSE, FALSE))
        return Refused(reason);
    return true;
}

} // namespace win32
