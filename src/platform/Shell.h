#pragma once

#include <optional>
#include <string>

namespace port {

// Show commands as the system numbers them.
inline constexpr int SW_HIDE_ = 0;
inline constexpr int SW_SHOWNORMAL_ = 1;
inline constexpr int SW_SHOW_ = 5;

// The window that owns what the shell shows while it opens something.
enum class ShellOwner {
    None,
    ActiveWindow, // the program's window the user is working in (an open dialog)
};

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
    // Opens a document or a link (a "mailto:" or web address) through the shell with `verb`
    // ("" = the default verb) and no parameters. On failure returns false and puts the
    // system's reason into `reason`.
    virtual bool OpenLink(const std::string& verb, const std::string& link, ShellOwner owner,
                          int showCommand, std::string& reason) = 0;
};

} // namespace port
