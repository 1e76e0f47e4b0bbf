#pragma once

#include <optional>
#include <string>

namespace trelvix {

class Program;

// The two ways the program starts another program.
// A file of the Windows system directory opened by the shell: `target` starts
// with a backslash.
void LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters = std::nullopt);
// A command line started by the system, shown normally.
void RunCommandLine(Program& p, const std::string& commandLine);

} // namespace trelvix
