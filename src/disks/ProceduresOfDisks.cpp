#include "disks/ProceduresOfDisks.h"

#include "app/Program.h"

namespace trelvix {

void RefreshDrivePickers(Program&) {}
void SurveyFixedDrives(Program&) {}
void SurveyRemovableDrives(Program&) {}

void ReselectDriveLists(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ListBox1.SetItemIndex(p.FixedSelection);
    f.ListBox2.SetItemIndex(p.CdSelection);
    f.ListBox3.SetItemIndex(p.NetSelection);
    f.ListBox4.SetItemIndex(p.RamSelection);
}

void ResetChangeMarkers(Program&) {}

} // namespace trelvix
