#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tk {
class ListBox;
}

namespace trelvix {

class Program;
class TMainForm;

void DesignQuickLaunchPage(TMainForm& f);

// A file of the Windows system directory opened by the shell: `target` starts
// with a backslash.
void LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters = std::nullopt);
void RunCommandLine(Program& p, const std::string& commandLine);
// The tray items mia1..mia3 show the selected entries of ListBox5..ListBox7.
void UpdateTrayLaunchItems(Program& p);
// ListBox5..ListBox7 select their stored positions.
void SelectStoredCatalogueEntries(Program& p);

void OpenControlPanel(Program& p);
void OpenAdministrativeToolsFolder(Program& p);
void OpenExplorer(Program& p);
void OpenInternetExplorer(Program& p);
void OpenDateAndTime(Program& p);

// The selection of a catalogue list changed: remember it, mirror it, save.
void ControlPanelSelectionChanged(Program& p);
void AdministrativeToolsSelectionChanged(Program& p);
void UsefulToolsSelectionChanged(Program& p);

// ---- Catalogues ----

enum class LaunchKind {
    SystemDirectory, // LaunchInSystemDirectory(target, parameters)
    CommandLine,     // RunCommandLine(target)
};

struct LaunchAction {
    LaunchKind kind = LaunchKind::CommandLine;
    std::string_view target;
    std::optional<std::string_view> parameters;
};

// One row of a catalogue; its list text is the lookup key.
struct LaunchEntry {
    constexpr LaunchEntry(std::string_view text, LaunchAction first,
                          std::optional<LaunchAction> second = std::nullopt)
        : text(text), first(first), second(second) {}
    std::string_view text;
    LaunchAction first;
    std::optional<LaunchAction> second; // started right after the first, without waiting
};

using Catalogue = std::span<const LaunchEntry>;

// How the catalogue tables spell their rows.
constexpr LaunchAction SystemFile(std::string_view target,
                                  std::optional<std::string_view> parameters = std::nullopt) {
    return {LaunchKind::SystemDirectory, target, parameters};
}
constexpr LaunchAction Command(std::string_view line) {
    return {LaunchKind::CommandLine, line, std::nullopt};
}

void RunLaunchAction(Program& p, const LaunchAction& action);
// Runs every row whose text equals the selected entry of `list`. Nothing selected
// raises tk::EListError and launches nothing.
void LaunchSelectedEntry(Program& p, Catalogue catalogue, const tk::ListBox& list);

} // namespace trelvix
