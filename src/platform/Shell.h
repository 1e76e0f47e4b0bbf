#pragma once

#include <optional>
#include <string>

namespace port {

// How a started program shows its first window.
enum class ShowMode {
    Hidden, // no window shown
    Normal, // shown at its normal size and place, activated
    Shown,  // shown as it last was, activated
};

// What the system answered to a launch.
struct LaunchResult {
    bool started = false;
    std::string reason; // the system's message when it refused
};

// What a shortcut (.lnk file) holds, as it is stored.
struct ShortcutTarget {
    std::string path;
    std::string arguments;
};

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
    // owner = the main window. The system shows no box of its own when it refuses.
    virtual LaunchResult Open(const std::string& file, const std::optional<std::string>& parameters,
                              ShowMode show) = 0;
    // Starts a complete command line as a new process with the given show mode.
    virtual LaunchResult RunCommandLine(const std::string& commandLine, ShowMode show) = 0;
    // Opens a document or a link (a "mailto:" or web address) through the shell with `verb`
    // ("" = the default verb) and no parameters; the system shows no box of its own.
    virtual LaunchResult OpenLink(const std::string& verb, const std::string& link,
                                  ShellOwner owner, ShowMode show) = 0;
    // The target and arguments of a shortcut, read without resolving it: nothing is searched
    // and nothing shown. nullopt when the file is no shortcut or cannot be read.
    [[nodiscard]] virtual std::optional<ShortcutTarget> ReadShortcut(const std::string& path) = 0;
};

} // namespace port
