#pragma once

#include "disks/ChangeMarkers.h"
#include "disks/DriveQueries.h"
#include "disks/LowSpaceWarning.h"
#include "toolkit/Task.h"

#include <cstdint>

#include <string>

namespace trelvix {

class Program;
class TMainForm;

// State of the disk monitor between surveys.
struct DiskMonitorState {
    // Remembered selection of ListBox11.
    int RemovableSelection = 0;
    // Change-marker stores: letters of the fixed-lists survey, letters of the removable
    // survey, and the General line (slot 0).
    FreeHistory FixedFreeHistory;
    FreeHistory RemovableFreeHistory;
    FreeHistory GeneralFreeHistory;
    // Counts the changes of unit: a survey begun under an older count never primes a store
    // with figures of the old unit.
    int MarkerEpoch = 0;
    // The list that opened the volume-label dialog (1 = ListBox1, 11 = ListBox11), and the
    // drive ("C:") last chosen for it in each of the two lists.
    int LabelSource = 1;
    std::string FixedLabelDrive;
    std::string RemovableLabelDrive;
    // Drive notices not yet acted on: the letters of volumes that came or went (bit 0 = A:),
    // and whether the shell saw drives added or removed.
    std::uint32_t NoticedVolumes = 0;
    bool NoticedDrives = false;
    // The drive queries out, per letter, and the surveys waiting for them.
    DriveQueryState Queries;
    // The drives warned about for running short of free space.
    LowSpaceState LowSpace;
};

// Lays out the Disks page and binds its list handlers.
void DesignDisksPage(TMainForm& f);

// The three surveys query the drives off the window's thread and show what they found on
// it. A drive that has not answered within DriveQueryDeadline shows its failure line. Asked
// for while one of its kind runs, a survey follows that one. Awaiting what they return
// waits until the survey that covers the request has shown its findings.

// Rebuilds the drive letters of DriveComboBox1 and DriveComboBox2; each keeps its drive.
SurveyShown RefreshDrivePickers(Program& p);
// Fills ListBox1..ListBox4, the tray summary and the presence flags.
SurveyShown SurveyFixedDrives(Program& p);
// Fills ListBox11 and puts its remembered selection back.
SurveyShown SurveyRemovableDrives(Program& p);
// The low-space check: asks the fixed drives C: to Z: for their size and free space,
// quietly (no busy glyph, no list changes), then warns of those running short. One runs at
// a time, and none while the warning is off.
tk::Task CheckLowSpaceNow(Program& p);
// The surveys begun from now until the next call are one refresh: the drive pickers take
// the fixed-lists survey's answers.
void StartRefreshTick(Program& p);
// A fixed-lists survey is waiting for its drives.
[[nodiscard]] bool FixedSurveyRunning(const Program& p);
// Puts the remembered selections back into ListBox1..ListBox4.
void ReselectDriveLists(Program& p);
// After a change of unit: the next survey of each kind begun from now on shows "==="
// everywhere. One begun before ends as though it had ended before the change.
void ResetChangeMarkers(Program& p);

} // namespace trelvix
