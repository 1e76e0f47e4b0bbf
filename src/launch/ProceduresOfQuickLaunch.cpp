#include "launch/ProceduresOfQuickLaunch.h"

#include "app/Program.h"
#include "launch/ProceduresOfAdministrativeToolsInput.h"
#include "launch/ProceduresOfControlPanelInput.h"
#include "launch/ProceduresOfUseFulToolsInput.h"

namespace trelvix {

void DesignQuickLaunchPage(TMainForm& f) {
    f.GroupBox7.SetCaption(" Control Panel ");
    f.GroupBox7.SetBounds(5, 5, 195, 340);
    f.BitBtn3.SetBounds(8, 16, 179, 25);
    f.BitBtn3.SetHint("Click Here To Launch Control Panel");
    f.ListBox5.SetBounds(8, 46, 179, 284);
    f.GroupBox8.SetCaption(" Administrative Tools ");
    f.GroupBox8.SetBounds(205, 5, 195, 340);
    f.BitBtn5.SetBounds(8, 16, 179, 25);
    f.BitBtn5.SetHint("Click Here to Launch Administrative Tools");
    f.ListBox6.SetBounds(8, 46, 179, 284);
    f.GroupBox9.SetCaption(" Useful Tools ");
    f.GroupBox9.SetBounds(405, 5, 200, 340);
    f.ListBox7.SetBounds(8, 16, 184, 314);
}

void LaunchInSystemDirectory(Program&, const std::string&, const std::optional<std::string>&) {}
void RunCommandLine(Program&, const std::string&) {}
void UpdateTrayLaunchItems(Program&) {}

void SelectStoredCatalogueEntries(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ListBox5.SetItemIndex(p.ControlPanelIndex);
    f.ListBox6.SetItemIndex(p.AdministrativeToolsIndex);
    f.ListBox7.SetItemIndex(p.UsefulToolsIndex);
}

void OpenControlPanel(Program&) {}
void OpenAdministrativeToolsFolder(Program&) {}
void OpenExplorer(Program&) {}
void OpenInternetExplorer(Program&) {}
void OpenDateAndTime(Program&) {}

void ControlPanelSelectionChanged(Program&) {}
void AdministrativeToolsSelectionChanged(Program&) {}
void UsefulToolsSelectionChanged(Program&) {}

void LaunchControlPanelEntry(Program&) {}
void LaunchAdministrativeToolsEntry(Program&) {}
void LaunchUsefulToolsEntry(Program&) {}

} // namespace trelvix
