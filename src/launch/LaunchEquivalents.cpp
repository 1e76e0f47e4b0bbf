#include "launch/LaunchEquivalents.h"

#include "app/Program.h"
#include "launch/LaunchConventions.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

#include <array>
#include <string_view>

namespace trelvix {

namespace {

// When a line's equivalent takes the place of what its row names.
enum class Replace {
    WhenMissing,    // the row's program is not in the system folder
    Always,         // the program is there but no longer does what the line says
    OnHomeEditions, // the program is there but refuses to run on Home editions
};

// What the box says when nothing can start.
enum class Refusal {
    None, // the row's own program is started, and the system says why it cannot
    NotPartOfWindows,
    NotInstalled, // an optional feature, or a tool Home editions lack
};

// A file of the system folder ("\..."), a settings page ("ms-settings:...") or a command line.
struct Alternative {
    std::string_view target;
    bool onlyWhenPresent = false; // a file of an optional feature
};

struct Equivalent {
    std::string_view line;
    Replace when;
    std::array<Alternative, 2> alternatives{}; // in order of preference
    Refusal refusal = Refusal::None;
};

constexpr Alternative WherePresent(std::string_view file) {
    return {file, true};
}

constexpr Equivalent Equivalents[] = {
    // Control Panel
    {"Accessibility Options", Replace::WhenMissing, {{{"ms-settings:easeofaccess"}}}},
    {"Automatic Updates", Replace::WhenMissing, {{{"ms-settings:windowsupdate"}}}},
    {"Fax", Replace::WhenMissing, {{WherePresent("\\WFS.exe"), {"ms-settings:printers"}}}},
    // appwiz.cpl no longer holds the folder options.
    {"Folder Options", Replace::Always, {{{"rundll32 shell32.dll,Options_RunDLL 0"}}}},
    {"Scanner and Cameras", Replace::WhenMissing, {{{"ms-settings:printers"}}}},
    // Administrative Tools
    {"Component Services", Replace::WhenMissing, {{{"\\comexp.msc"}}}},
    {"Internet Services Manager",
     Replace::WhenMissing,
     {{WherePresent("\\inetsrv\\InetMgr.exe")}},
     Refusal::NotInstalled},
    {"Local Security Policy", Replace::WhenMissing, {}, Refusal::NotInstalled},
    {"Personal Web Manager", Replace::WhenMissing, {}, Refusal::NotPartOfWindows},
    {"Telnet Server Administrator", Replace::WhenMissing, {}, Refusal::NotPartOfWindows},
    // Useful Tools
    {"Copy Disk To Disk", Replace::WhenMissing, {}, Refusal::NotPartOfWindows},
    {"ClipBoard Viewer", Replace::WhenMissing, {{{"ms-settings:clipboard"}}}},
    {"Defragmenter", Replace::WhenMissing, {{{"\\dfrgui.exe"}}}},
    {"IIS Stop", Replace::WhenMissing, {}, Refusal::NotInstalled},
    {"IIS Start", Replace::WhenMissing, {}, Refusal::NotInstalled},
    {"Local Users and Groups", Replace::OnHomeEditions, {{{"\\netplwiz.exe"}}}},
    {"System Information", Replace::WhenMissing, {{{"\\msinfo32.exe"}}}},
};

const Equivalent* EquivalentOf(std::string_view line) {
    for (const Equivalent& e : Equivalents)
        if (e.line == line)
            return &e;
    return nullptr;
}

bool IsSystemFile(std::string_view target) {
    return target.starts_with('\\');
}

bool IsSettingsPage(std::string_view target) {
    return target.starts_with("ms-settings:");
}

// Settings pages came with Windows 10.
bool SettingsPagesExist(Program& p) {
    return p.Ports.system.OsVersion().major >= 10;
}

// Home editions are "Core..." from Windows 10 on, "Home..." before.
bool IsHomeEdition(Program& p) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::LocalMachine);
    if (!reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"))
        return false;
    try {
        const std::string edition = reg.ReadString("EditionID");
        return edition.starts_with("Core") || edition.starts_with("Home");
    } catch (const tk::Exception&) {
        return false; // a damaged value: the tool the row names is tried
    }
}

bool ActionPresent(Program& p, const std::string& folder, const LaunchAction& action) {
    const std::string file = FileOfAction(folder, action);
    return file.empty() || p.Ports.files.FileExists(file);
}

bool Due(Program& p, const Equivalent& e, const std::string& folder, const LaunchAction& row) {
    switch (e.when) {
    case Replace::Always:
        return true;
    case Replace::OnHomeEditions:
        return IsHomeEdition(p);
    case Replace::WhenMissing:
        break;
    }
    return !ActionPresent(p, folder, row);
}

// Starts the first alternative this computer has; false when it has none.
bool StartAlternative(Program& p, const Equivalent& e, const std::string& folder) {
    for (const Alternative& a : e.alternatives) {
        if (a.target.empty())
            break;
        const std::string target(a.target);
        if (IsSettingsPage(a.target)) {
            if (!SettingsPagesExist(p))
                continue;
            OpenLink(p, "open", target, port::ShellOwner::None, port::ShowMode::Normal);
        } else if (IsSystemFile(a.target)) {
            if (a.onlyWhenPresent && !p.Ports.files.FileExists(folder + target))
                continue;
            LaunchInSystemDirectory(p, target);
        } else {
            RunCommandLine(p, target);
        }
        return true;
    }
    return false;
}

// The program the box names: the optional feature's file looked for, else the row's own.
std::string NamedInRefusal(const Equivalent& e, const std::string& folder,
                           const LaunchAction& row) {
    for (const Alternative& a : e.alternatives)
        if (a.onlyWhenPresent)
            return folder + std::string(a.target);
    if (row.kind == LaunchKind::SystemDirectory)
        return folder + std::string(row.target);
    return std::string(row.target);
}

const char* RefusalText(Refusal refusal) {
    return refusal == Refusal::NotInstalled ? "it is not installed on this computer"
                                            : "it is not part of this version of Windows";
}

} // namespace

std::string FileOfAction(const std::string& systemFolder, const LaunchAction& action) {
    if (action.kind == LaunchKind::SystemDirectory)
        return systemFolder + std::string(action.target);
    constexpr std::string_view runDll = "rundll32 ";
    if (!action.target.starts_with(runDll))
        return {};
    std::string_view dll = action.target.substr(runDll.size());
    dll = dll.substr(0, dll.find_first_of(", "));
    if (dll.empty())
        return {};
    std::string file = systemFolder + "\\" + std::string(dll);
    if (dll.find('.') == std::string_view::npos)
        file += ".dll";
    return file;
}

void LaunchCatalogueLine(Program& p, const LaunchEntry& entry) {
    if (const Equivalent* e = EquivalentOf(entry.text)) {
        const std::string folder = p.Ports.shell.SystemDirectory();
        if (Due(p, *e, folder, entry.action)) {
            if (StartAlternative(p, *e, folder))
                return;
            if (e->refusal != Refusal::None) {
                p.App.ShowException(tk::Exception("Cannot start " +
                                                  NamedInRefusal(*e, folder, entry.action) + ": " +
                                                  RefusalText(e->refusal)));
                return;
            }
        }
    }
    RunLaunchAction(p, entry.action);
}

} // namespace trelvix
