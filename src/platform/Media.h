#pragma once

#include <string>

namespace port {

// The system's code for a network connection that still has files open on it.
inline constexpr int ErrorOpenFiles = 2401;

// Multimedia command strings and network-drive connections.
class Media {
  public:
    virtual ~Media() = default;
    // Sends a command string to the multimedia devices; notifications would go to the main
    // window. Returns once the command is done ("wait"), with the device's error code,
    // 0 for success; the error's text goes into `reason`.
    virtual unsigned SendCommand(const std::string& command, std::string& reason) = 0;
    // Cancels the network connection of a local name such as "X:", without forgetting it
    // for the next logon; `force` cancels it also while files are open on it. Returns the
    // system's code: 0 for success, ErrorOpenFiles, or another error, whose text goes into
    // `reason`.
    virtual int CancelConnection(const std::string& name, bool force, std::string& reason) = 0;
};

} // namespace port
