#pragma once

#include "platform/win32/Handle.h"

#include <string>

namespace win32 {

// One running instance per user and session: a named mutex in the session's own
// namespace, named after the user's SID. The system releases it when its holder ends,
// however it ends, so a crashed instance never blocks the next start.
class InstanceLock {
  public:
    // True when this process now holds the lock (also when an ended holder abandoned it);
    // false when another live process of this user in this session holds it.
    [[nodiscard]] bool Acquire();

  private:
    UniqueHandle mutex_;
};

// Asks the running instance of this user and session to show its window, as a click on its
// tray icon does; waits a few seconds for it when it is still starting. False when no
// instance answered.
bool HandOverToRunningInstance();

// "Local\Trelvix.<SID of the process's user>".
[[nodiscard]] std::wstring InstanceLockName();

} // namespace win32
