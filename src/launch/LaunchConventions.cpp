#include "launch/LaunchConventions.h"

#include "app/Program.h"
#include "toolkit/Errors.h"

namespace trelvix {

namespace {
// `what` is the program or file as the caller named it.
bool Started(Program& p, const std::string& what, const port::LaunchResult& result) {
    if (!result.started)
        p.App.ShowException(tk::Exception("Cannot start " + what + ": " + result.reason));
    return result.started;
}
} // namespace

bool LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters) {
    return OpenWithShell(p, p.Ports.shell.SystemDirectory() + target, parameters);
}

bool RunCommandLine(Program& p, const std::string& commandLine) {
    return Started(p, commandLine,
                   p.Ports.shell.RunCommandLine(commandLine, port::ShowMode::Shown));
}

bool OpenWithShell(Program& p, const std::string& file,
                   const std::optional<std::string>& parameters) {
    return Started(p, file, p.Ports.shell.Open(file, parameters, port::ShowMode::Normal));
}

bool OpenLink(Program& p, const std::string& verb, const std::string& link, port::ShellOwner owner,
              port::ShowMode show) {
    return Started(p, link, p.Ports.shell.OpenLink(verb, link, owner, show));
}

} // namespace trelvix
