#pragma once

#include "platform/Shell.h"

#include <optional>
#include <string>

namespace trelvix {

class Program;

// The ways the program starts another program. A launch the system refuses shows the
// standard error box "Cannot start <file or command line>: <the system's reason>" and
// returns false; the handler goes on.

// A file of the Windows system directory opened by the shell, shown normally: `target`
// starts with a backslash.
bool LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters = std::nullopt);
// A command line started by the system, shown.
bool RunCommandLine(Program& p, const std::string& commandLine);
// A file, folder or address opened by the shell as it stands (found on the search path
// when it has no folder), shown normally.
bool OpenWithShell(Program& p, const std::string& file,
                   const std::optional<std::string>& parameters = std::nullopt);

// A document or link ("mailto:", a web address) opened by the shell with `verb`
// ("" = the default verb).
bool OpenLink(Program& p, const std::string& verb, const std::string& link, port::ShellOwner owner,
              port::ShowMode show);

} // namespace trelvix
