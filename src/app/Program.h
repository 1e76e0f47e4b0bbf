#pragma once

#include "app/Look.h"
#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/Settings.h"
#include "app/WorkProgress.h"
#include "cleanup/OptionalFiles.h"
#include "autostart/AutoStartWatch.h"
#include "autostart/RunEntries.h"
#include "disks/DriveSurvey.h"
#include "disks/VolumeLabelDialog.h"
#include "platform/Ports.h"
#include "power/ShutdownSchedule.h"
#include "toolkit/Application.h"
#include "tools/AboutForm.h"
#include "tools/Stopwatch.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace trelvix {

// The whole program: the application object, the four forms and every
// program-wide value, over the ports it was given. Tests make a fresh one each.
class Program {
  public:
    explicit Program(port::Ports& ports, tk::Host* host = nullptr);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The program entry: creates the four forms in order (each creation handler runs
    // as its form is created), then shows the main window.
    void Start();

    port::Ports& Ports;
    tk::Application App;

    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TAbout> About;
    std::unique_ptr<TOptions> Options;
    std::unique_ptr<TSetVolumeName> SetVolumeName;

    // ---- Settings, named after their registry values ----
    std::int32_t Interval = 0;
    bool IntervalFlag = false;
    std::int64_t ChangeOfBytes = 0;
    std::int32_t TopForm = 0;
    std::int32_t LeftForm = 0;
    std::int32_t WindowStates = 0;
    std::int32_t IndexOfTab = 0;
    std::int32_t IndexOfTabOptions = 0;
    bool StayOnTop = false;
    std::int32_t ControlPanelIndex = 0;
    std::int32_t AdministrativeToolsIndex = 0;
    std::int32_t UsefulToolsIndex = 0;
    bool IndexOfTemp = false;
    std::int32_t IndexOfRemoveable = 0;
    std::int32_t IndexOfFreeTemp = 0;
    // Gigabytes of free space below which a fixed drive is warned about; 0 = never.
    std::int32_t LowSpaceGB = DefaultLowSpaceGB;
    // Tell the user when a program adds itself to the programs that start with Windows.
    bool WatchAutoStart = true;
    std::string CommonAdministrativeToolsPath;

    // ---- Other program-wide values ----
    bool AutoRunOn = false;
    bool ShutDownPlanned = false;
    std::string UnitSuffix;
    std::string TraySummary;
    bool FixedPresent = false, CdPresent = false, NetPresent = false, RamPresent = false;
    // Remembered selections of ListBox1..ListBox4; 100 = none.
    int FixedSelection = 100, CdSelection = 100, NetSelection = 100, RamSelection = 100;

    std::string VersionLine;

    DiskMonitorState DiskMonitor;
    OptionalFilesState OptionalFiles;
    StopWatchState StopWatch;
    AutoStartState AutoStart;
    AutoStartWatchState AutoStartWatch;
    ShutdownScheduleState Schedule;

    // Busy glyphs alive now: the Refresh button shows the idle one when the last goes.
    int BusyDepth = 0;
    // The work among those jobs that reports its progress, oldest first, and whether the
    // status bar shows it.
    std::vector<WorkProgressPtr> Work;
    bool ProgressShown = false;

    // The once-a-second check of the temporary folder runs off the window's thread.
    bool TempFolderCheck = false;

    // `.\Resource\` files whose failure to load was already reported this run.
    std::set<std::string> ReportedGlyphFailures;

    // Last, so that it stops following the system's look before any form goes.
    std::unique_ptr<LookFollower> Look;
};

// A task's first parameter names the program, whose error box shows what escapes it.
inline tk::Application& TaskApplication(Program& p) {
    return p.App;
}

} // namespace trelvix
