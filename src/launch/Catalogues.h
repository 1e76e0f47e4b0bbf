#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tk {
class ListBox;
}

namespace trelvix {

class Program;

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
    std::string_view text;
    LaunchAction action;
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

// Starts an action as its row names it.
void RunLaunchAction(Program& p, const LaunchAction& action);
// Launches the row whose text equals the selected entry of `list`, as this Windows can
// (LaunchCatalogueLine). Nothing selected raises tk::EListError and launches nothing.
void LaunchSelectedEntry(Program& p, Catalogue catalogue, const tk::ListBox& list);

// The three lists of the QuickLaunch page, in list order.
Catalogue ControlPanelCatalogue();
Catalogue AdministrativeToolsCatalogue();
Catalogue UsefulToolsCatalogue();

// Double click or tray item: run the selected entry of ListBox5, ListBox6 or ListBox7.
void LaunchControlPanelEntry(Program& p);
void LaunchAdministrativeToolsEntry(Program& p);
void LaunchUsefulToolsEntry(Program& p);
// The Useful Tools line "Defragmenter", which the cleanup starts too.
void LaunchDefragmenter(Program& p);

} // namespace trelvix
