#include "platform/win32/Win32Media.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Unicode.h"

#include <mmsystem.h>
#include <winnetwk.h>

namespace win32 {

unsigned Win32Media::SendCommand(const std::string& command, std::string& reason) {
    const MCIERROR code = mciSendStringW(Widen(command).c_str(), nullptr, 0, owner_);
    if (code != 0) {
        wchar_t text[MAXERRORLENGTH] = {};
        reason = mciGetErrorStringW(code, text, MAXERRORLENGTH) != FALSE
                     ? Narrow(text)
                     : "Multimedia error " + std::to_string(code);
    }
    return code;
}

int Win32Media::CancelConnection(const std::string& name, bool force, std::string& reason) {
    const DWORD code = WNetCancelConnection2W(Widen(name).c_str(), 0, force ? TRUE : FALSE);
    if (code != NO_ERROR)
        reason = SystemMessage(code);
    return static_cast<int>(code);
}

} // namespace win32
