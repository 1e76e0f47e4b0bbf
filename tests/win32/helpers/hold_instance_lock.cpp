// Takes the program's instance lock, signals the named event given as its first argument,
// and waits to be killed (at most a minute, so a broken test leaves nothing running).

#include "platform/win32/InstanceLock.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    win32::InstanceLock lock;
    if (!lock.Acquire())
        return 3;
    win32::UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]));
    if (!ready || SetEvent(ready.get()) == FALSE)
        return 4;
    Sleep(60000);
    return 0;
}
