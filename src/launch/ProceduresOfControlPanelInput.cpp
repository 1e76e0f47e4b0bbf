#include "launch/ProceduresOfControlPanelInput.h"

#include "app/Program.h"

namespace trelvix {

namespace {
// With a control panel file, the shell takes the parameter as the applet inside it.
constexpr LaunchEntry Entries[] = {
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
} // namespace

Catalogue ControlPanelCatalogue() {
    return Entries;
}

void LaunchControlPanelEntry(Program& p) {
    LaunchSelectedEntry(p, ControlPanelCatalogue(), p.MainForm->ListBox5);
}

} // namespace trelvix
