#pragma once

#include <optional>
#include <string>

namespace port {

// Show commands as the system numbers them.
inline constexpr int SW_HIDE_ = 0;
inline constexpr int SW_SHOWNORMAL_ = 1;
inline constexpr int SW_SHOW_ = 5;

class Shell {
  public:
    virtual ~Shell() = default;
    // The Windows system directory, whole, without a trailing backslash.
    [[nodiscard]] virtual std::string SystemDirectory() = 0;
    // Opens `file` through the shell with the default verb (no operation),
    // owner = the main window. Returns whether the shell accepted it.
    virtual bool Open(const std::string& file, const std::optional<std::string>& parameters,
                      int showCommand) = 0;
    // Starts a complete command line as a new process with the given show mode.
    virtual bool RunCommandLine(const std::string& commandLine, int showCommand) = 0;
};

} // namespace port
