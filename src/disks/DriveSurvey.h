#pragma once

#include "disks/ChangeMarkers.h"
#include "disks/DriveQueries.h"
#include "disks/LowSpaceWarning.h"

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
// it, then run `then`. A drive that has not answered within DriveQueryDeadline shows its
// failure line. Asked for while one of its kind runs, a survey follows that one.

// Rebuilds the drive letters of DriveComboBox1 and DriveComboBox2; each keeps its drive.
void RefreshDrivePickers(Program& p, tk::Handler then = nullptr);
// Fills ListBox1..ListBox4, the tray summary and the presence flags.
void SurveyFixedDrives(Program& p, tk::Handler then = nullptr);
// Fills ListBox11 and puts its remembered selection back.
void SurveyRemovableDrives(Program& p, tk::Handler then = nullptr);
// Asks the fixed drives C: to Z: for their size and free space, quietly (no busy glyph, no
// list changes), and hands their figures to `done` on the window's thread.
void QueryFixedFreeSpace(Program& p, std::function<void(std::vector<DriveFreeSpace>)> done);
// A fixed-lists survey is waiting for its drives.
[[nodiscard]] bool FixedSurveyRunning(const Program& p);
// Puts the remembered selections back into ListBox1..ListBox4.
void ReselectDriveLists(Program& p);
// After a change of unit: the next survey of each kind begun from now on shows "==="
// everywhere. One begun before ends as though it had ended before the change.
void ResetChangeMarkers(Program& p);

} // namespace trelvix
