#include "app/RefreshCycle.h"

#include "app/Program.h"
#include "app/ShownFigures.h"
#include "disks/DriveGroupLayout.h"
#include "disks/DriveSurvey.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace trelvix {

tk::Task RefreshAll(Program& p) {
    ShowUptimeOnView(p);
    // The survey first: the pickers take its answers.
    StartRefreshTick(p);
    auto drives = RefreshDrives(p);
    RefreshDrivePickers(p);
    co_await drives;
    p.MainForm->TrayIcon1.SetHint(p.TraySummary);
}

void RefreshOnTimer(Program& p) {
    // Surveys do not pile up behind a drive that is slow to answer.
    if (!FixedSurveyRunning(p))
        RefreshAll(p);
}

void ApplyRefreshInterval(Program& p) {
    // A hand-edited period can be far too large for milliseconds in 32 bits.
    const std::int64_t ms = std::clamp<std::int64_t>(std::int64_t{p.Interval} * 1000, 0,
                                                     std::numeric_limits<std::int32_t>::max());
    p.MainForm->Timer1.SetInterval(static_cast<int>(ms));
}

tk::Task RefreshDrives(Program& p) {
    auto shown = SurveyFixedDrives(p);
    co_await shown;
    LayOutDriveGroups(p);
    ReselectDriveLists(p);
}

void EnsureTempFolder(Program& p) {
    // Off the window's thread: a temporary folder on a share that does not answer would hold
    // the window up every second. One check at a time, not shown as work.
    if (p.TempFolderCheck)
        return;
    p.TempFolderCheck = true;
    port::Files& files = p.Ports.files;
    p.App.RunInBackground<bool>(
        [&files] {
            const std::string temp = files.TempPath();
            return !temp.empty() && files.MakeDirectory(temp);
        },
        [](bool) {}, [&p] { p.TempFolderCheck = false; });
}

} // namespace trelvix
