#pragma once

namespace trelvix {

class Program;
class TMainForm;

void DesignQuickLaunchPage(TMainForm& f);

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

} // namespace trelvix
