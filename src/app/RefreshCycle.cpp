#include "app/RefreshCycle.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "disks/DriveGroupLayout.h"
#include "disks/DriveSurvey.h"
#include "tools/SystemPanel.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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

void ApplyRefreshInterval(Program& p) {
    // A hand-edited period can be far too large for milliseconds in 32 bits.
    const std::int64_t ms = std::clamp<std::int64_t>(std::int64_t{p.Interval} * 1000, 0,
                                                     std::numeric_limits<std::int32_t>::max());
    p.MainForm->Timer1.SetInterval(static_cast<int>(ms));
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
