#include "launch/ProceduresOfAdministrativeToolsInput.h"

#include "app/Program.h"

namespace trelvix {

namespace {
constexpr LaunchEntry Entries[] = {
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
} // namespace

Catalogue AdministrativeToolsCatalogue() {
    return Entries;
}

void LaunchAdministrativeToolsEntry(Program& p) {
    LaunchSelectedEntry(p, AdministrativeToolsCatalogue(), p.MainForm->ListBox6);
}

} // namespace trelvix
