#include "launch/LaunchConventions.h"

#include "app/Program.h"

namespace trelvix {

void LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters) {
    port::Shell& shell = p.Ports.shell;
    shell.Open(shell.SystemDirectory() + target, parameters, port::SW_SHOWNORMAL_);
}

void RunCommandLine(Program& p, const std::string& commandLine) {
    p.Ports.shell.RunCommandLine(commandLine, port::SW_SHOW_);
}

} // namespace trelvix
