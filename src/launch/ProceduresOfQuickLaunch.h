#pragma once

#include <optional>
#include <string>

namespace trelvix {

class Program;
class TMainForm;

void DesignQuickLaunchPage(TMainForm& f);

// A file of the Windows system directory opened by the shell: `target` starts
// with a backslash.
void LaunchInSystemDirectory(Program& p, const std::string& target,
                             const std::optional<std::string>& parameters = std::nullopt);
void RunCommandLine(Program& p, const std::string& commandLine);
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

} // namespace trelvix
