#include "launch/Catalogues.h"

#include "app/Program.h"
#include "launch/LaunchConventions.h"
#include "launch/LaunchEquivalents.h"

namespace trelvix {

namespace {
// With a control panel file, the shell takes the parameter as the applet inside it.
constexpr LaunchEntry ControlPanelEntries[] = {
    {"Accessibility Options", SystemFile("\\access.cpl")},
    {"Add/Remove Hardware", SystemFile("\\hdwwiz.cpl")},
    {"Add/Remove Programs", SystemFile("\\appwiz.cpl")},
    {"Automatic Updates", SystemFile("\\wuaucpl.cpl")},
    {"Date/Time", SystemFile("\\timedate.cpl")},
    {"Display", SystemFile("\\desk.cpl")},
    {"Fax", SystemFile("\\fax.cpl")},
    {"Folder Options", SystemFile("\\appwiz.cpl", "Folder Options")},
    {"Fonts", Command("rundll32 SHELL32,SHHelpShortcuts_RunDLL FontsFolder")},
    {"Gaming Options", SystemFile("\\joy.cpl")},
    {"Internet Options", SystemFile("\\inetcpl.cpl")},
    {"Keyboard", SystemFile("\\main.cpl", "Keyboard")},
    {"Mouse", SystemFile("\\main.cpl")},
    {"Network and Dial-up Connections", SystemFile("\\ncpa.cpl")},
    {"Phone and Modem Options", SystemFile("\\telephon.cpl")},
    {"Power Options", SystemFile("\\powercfg.cpl")},
    {"Printers", Command("rundll32 SHELL32,SHHelpShortcuts_RunDLL PrintersFolder")},
    {"Regional Options", SystemFile("\\intl.cpl")},
    {"Scanner and Cameras", SystemFile("\\sticpl.cpl")},
    {"Sound and Multimedia", SystemFile("\\mmsys.cpl")},
    {"System", SystemFile("\\sysdm.cpl")},
};

constexpr LaunchEntry AdministrativeToolsEntries[] = {
    {"Component Services", SystemFile("\\Com\\comexp.msc")},
    {"Computer Management", SystemFile("\\compmgmt.msc")},
    {"Data Sources (ODBC)", SystemFile("\\odbcad32.exe")},
    {"Event Viewer", SystemFile("\\eventvwr.msc")},
    {"Internet Services Manager", SystemFile("\\Inetsrv\\iis.msc")},
    {"Local Security Policy", SystemFile("\\secpol.msc")},
    {"Performance", SystemFile("\\perfmon.msc")},
    {"Personal Web Manager", SystemFile("\\inetsrv\\pws.exe")},
    {"Services", SystemFile("\\services.msc")},
    {"Telnet Server Administrator", SystemFile("\\tlntadmn.exe")},
};

constexpr LaunchEntry UsefulToolsEntries[] = {
    {"Copy Disk To Disk", Command("rundll32 diskcopy,DiskCopyRunDll")},
    {"Add Network Place Wizard", Command("rundll32 netplwiz.dll,AddNetPlaceRunDll")},
    // The text after the entry point is the title of the About box it shows.
    {"Windows Information", Command("rundll32 shell32,ShellAboutA Trelvix")},
    {"Format Floppy Disk", Command("rundll32 shell32,SHFormatDrive")},
    {"Calculator", SystemFile("\\calc.exe")},
    {"Clean Manager", SystemFile("\\cleanmgr.exe")},
    {"ClipBoard Viewer", SystemFile("\\clipbrd.exe")},
    {"Command", SystemFile("\\cmd.exe")},
    {"Device Manager", SystemFile("\\devmgmt.msc")},
    {"Defragmenter", SystemFile("\\dfrg.msc")},
    {"Disk Management", SystemFile("\\diskmgmt.msc")},
    {"DirectX Diagnostic Tool", SystemFile("\\dxdiag.exe")},
    {"Shared Folders", SystemFile("\\fsmgmt.msc")},
    // Killing every dllhost.exe as well would end every COM surrogate on the machine.
    {"IIS Stop", SystemFile("\\iisreset.exe", "/stop")},
    {"IIS Start", SystemFile("\\iisreset.exe", "/start")},
    {"Local Users and Groups", SystemFile("\\lusrmgr.msc", "/start")},
    {"RegEdit", Command("regedit")},
    {"Services", SystemFile("\\services.msc")},
    {"Create Shared Folder", SystemFile("\\shrpubw.exe")},
    {"TaskManager", SystemFile("\\TaskMgr.exe")},
    {"System Information", SystemFile("\\Winmsd.exe")},
};
} // namespace

Catalogue ControlPanelCatalogue() {
    return ControlPanelEntries;
}

Catalogue AdministrativeToolsCatalogue() {
    return AdministrativeToolsEntries;
}

Catalogue UsefulToolsCatalogue() {
    return UsefulToolsEntries;
}

void RunLaunchAction(Program& p, const LaunchAction& action) {
    if (action.kind == LaunchKind::CommandLine) {
        RunCommandLine(p, std::string(action.target));
        return;
    }
    std::optional<std::string> parameters;
    if (action.parameters)
        parameters.emplace(*action.parameters);
    LaunchInSystemDirectory(p, std::string(action.target), parameters);
}

namespace {
void LaunchLine(Program& p, Catalogue catalogue, std::string_view text) {
    for (const LaunchEntry& entry : catalogue)
        if (entry.text == text)
            LaunchCatalogueLine(p, entry);
}
} // namespace

void LaunchSelectedEntry(Program& p, Catalogue catalogue, const tk::ListBox& list) {
    LaunchLine(p, catalogue, list.Item(list.ItemIndex()));
}

void LaunchControlPanelEntry(Program& p) {
    LaunchSelectedEntry(p, ControlPanelCatalogue(), p.MainForm->ListBox5);
}

void LaunchAdministrativeToolsEntry(Program& p) {
    LaunchSelectedEntry(p, AdministrativeToolsCatalogue(), p.MainForm->ListBox6);
}

void LaunchUsefulToolsEntry(Program& p) {
    LaunchSelectedEntry(p, UsefulToolsCatalogue(), p.MainForm->ListBox7);
}

void LaunchDefragmenter(Program& p) {
    LaunchLine(p, UsefulToolsCatalogue(), "Defragmenter");
}

} // namespace trelvix
