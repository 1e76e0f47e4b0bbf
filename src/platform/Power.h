#pragma once

#include <string>

namespace port {

// Switching the machine off. A call the system refuses returns false with the system's
// message in `reason`.
class Power {
  public:
    virtual ~Power() = default;
    // Enables the shutdown privilege of the program's own process.
    [[nodiscard]] virtual bool EnableShutdownPrivilege(std::string& reason) = 0;
    // Ends the session and powers the machine off; other programs are closed without
    // being asked.
    [[nodiscard]] virtual bool PowerOff(std::string& reason) = 0;
    // The machine can hibernate: it supports it and hibernation is turned on.
    [[nodiscard]] virtual bool HibernationAllowed() = 0;
    // Enables the shutdown privilege and hibernates the machine.
    [[nodiscard]] virtual bool Hibernate(std::string& reason) = 0;
};

} // namespace port
