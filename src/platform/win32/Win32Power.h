#pragma once

#include "platform/Power.h"
#include "platform/win32/Handle.h"

#include <string>

namespace win32 {

// LookupPrivilegeValueW of the shutdown privilege on this machine; false with the system's
// message in `reason` when the system does not know it.
bool LookupShutdownPrivilege(LUID& privilege, std::string& reason);

class Win32Power : public port::Power {
  public:
    // AdjustTokenPrivileges on the process's own token. A privilege the account does not hold
    // is refused (ERROR_NOT_ALL_ASSIGNED), although the call itself reports success.
    bool EnableShutdownPrivilege(std::string& reason) override;
    // ExitWindowsEx with EWX_POWEROFF | EWX_FORCE, recorded as a planned shutdown.
    bool PowerOff(std::string& reason) override;
    // IsPwrHibernateAllowed.
    bool HibernationAllowed() override;
    // SetSuspendState(TRUE, FALSE, FALSE): hibernate, wake events left enabled. Only the
    // program calls it: no test may put the machine to sleep.
    bool Hibernate(std::string& reason) override;
};

} // namespace win32
