#include "launch/LaunchPage.h"

#include "app/Settings.h"
#include "app/Program.h"
#include "launch/Catalogues.h"
#include "launch/LaunchConventions.h"

#include <vector>

namespace trelvix {

namespace {

std::vector<std::string> ListTexts(Catalogue catalogue) {
    std::vector<std::string> texts;
    texts.reserve(catalogue.size());
    for (const LaunchEntry& entry : catalogue)
        texts.emplace_back(entry.text);
    return texts;
}

// A list with nothing selected (a stored position past its end) leaves its tray
// item empty: the item's click still reports the missing selection.
std::string SelectedText(const tk::ListBox& list) {
    return list.ItemIndex() < 0 ? std::string() : list.Item(list.ItemIndex());
}

} // namespace

void DesignQuickLaunchPage(TMainForm& f) {
    f.GroupBox7.SetCaption(" Control Panel ");
    f.GroupBox7.SetBounds(5, 5, 195, 340);
    f.BitBtn3.SetBounds(8, 16, 179, 25);
    f.BitBtn3.SetHint("Click Here To Launch Control Panel");
    f.BitBtn3.SetGlyph({"controlpanel.bmp", f.Prog.Ports.bitmaps.LoadBuiltIn("controlpanel.bmp")});
    f.ListBox5.SetBounds(8, 46, 179, 284);
    f.ListBox5.SetItems(ListTexts(ControlPanelCatalogue()));
    f.GroupBox8.SetCaption(" Administrative Tools ");
    f.GroupBox8.SetBounds(205, 5, 195, 340);
    f.BitBtn5.SetBounds(8, 16, 179, 25);
    f.BitBtn5.SetHint("Click Here to Launch Administrative Tools");
    f.BitBtn5.SetGlyph({"admintools.bmp", f.Prog.Ports.bitmaps.LoadBuiltIn("admintools.bmp")});
    f.ListBox6.SetBounds(8, 46, 179, 284);
    f.ListBox6.SetItems(ListTexts(AdministrativeToolsCatalogue()));
    f.GroupBox9.SetCaption(" Useful Tools ");
    f.GroupBox9.SetBounds(405, 5, 200, 340);
    f.ListBox7.SetBounds(8, 16, 184, 314);
    f.ListBox7.SetItems(ListTexts(UsefulToolsCatalogue()));
}

// ---- Selections and the tray items ----

void UpdateTrayLaunchItems(Program& p) {
    TMainForm& f = *p.MainForm;
    f.mia1.SetCaption(SelectedText(f.ListBox5));
    f.mia2.SetCaption(SelectedText(f.ListBox6));
    f.mia3.SetCaption(SelectedText(f.ListBox7));
}

void SelectStoredCatalogueEntries(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ListBox5.SetItemIndex(p.ControlPanelIndex);
    f.ListBox6.SetItemIndex(p.AdministrativeToolsIndex);
    f.ListBox7.SetItemIndex(p.UsefulToolsIndex);
}

void ControlPanelSelectionChanged(Program& p) {
    p.ControlPanelIndex = p.MainForm->ListBox5.ItemIndex();
    UpdateTrayLaunchItems(p);
    SaveSettings(p);
}

void AdministrativeToolsSelectionChanged(Program& p) {
    p.AdministrativeToolsIndex = p.MainForm->ListBox6.ItemIndex();
    UpdateTrayLaunchItems(p);
    SaveSettings(p);
}

void UsefulToolsSelectionChanged(Program& p) {
    p.UsefulToolsIndex = p.MainForm->ListBox7.ItemIndex();
    UpdateTrayLaunchItems(p);
    SaveSettings(p);
}

// ---- Fixed commands ----

void OpenControlPanel(Program& p) {
    RunCommandLine(p, "rundll32 shell32.dll, Control_RunDLLA");
}

void OpenAdministrativeToolsFolder(Program& p) {
    RunCommandLine(p, "Explorer.exe \"" + p.CommonAdministrativeToolsPath + "\"");
}

void OpenExplorer(Program& p) {
    RunCommandLine(p, "Explorer");
}

// Found by the shell on its search path, not in the system directory.
void OpenInternetExplorer(Program& p) {
    OpenWithShell(p, "Iexplore");
}

void OpenDateAndTime(Program& p) {
    LaunchInSystemDirectory(p, "\\timedate.cpl");
}

} // namespace trelvix
