#include "app/RefreshCycle.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "disks/DriveGroupLayout.h"
#include "disks/DriveSurvey.h"
#include "tools/SystemPanel.h"

namespace trelvix {

void RefreshAll(Program& p) {
    ShowWindowsUptime(p);
    RefreshDrivePickers(p);
    p.TraySummary.clear();
    {
        BusyGlyph busy(p);
        RefreshDrives(p);
    }
    p.MainForm->TrayIcon1.SetHint(p.TraySummary);
}

void RefreshDrives(Program& p) {
    {
        BusyGlyph busy(p);
        SurveyFixedDrives(p);
        LayOutDriveGroups(p);
    }
    ReselectDriveLists(p);
}

void EnsureTempFolder(Program& p) {
    std::string temp = p.Ports.files.TempPath();
    if (!temp.empty())
        p.Ports.files.MakeDirectory(temp);
}

} // namespace trelvix
