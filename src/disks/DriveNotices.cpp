#include "disks/DriveNotices.h"

#include "app/Program.h"
#include "app/RefreshCycle.h"
#include "disks/DriveLines.h"
#include "disks/DriveSurvey.h"

namespace trelvix {

namespace {

constexpr int NoticeDelay = 500; // milliseconds

void AwaitMoreNotices(Program& p) {
    // Setting the interval it already has does not restart the timer: later notices of the
    // burst do not put the refresh off.
    p.MainForm->DriveNoticeTimer.SetInterval(NoticeDelay);
}

bool ListShowsDrive(const tk::ListBox& list, char letter) {
    for (int i = 0; i < list.Count(); ++i)
        if (const std::string& line = list.Item(i);
            line.size() >= 2 && line[0] == letter && line[1] == ':')
            return true;
    return false;
}

// A drive of the fixed-drive survey's lists: one now (as the survey just made found it), or
// one they showed before it left.
bool InFixedLists(Program& p, char letter) {
    const DriveClass kind = p.DiskMonitor.Queries.lastKind[static_cast<std::size_t>(letter - 'A')];
    if (kind == DriveClass::Fixed || kind == DriveClass::CdRom || kind == DriveClass::Network ||
        kind == DriveClass::Ram)
        return true;
    TMainForm& f = *p.MainForm;
    for (const tk::ListBox* list : {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4})
        if (ListShowsDrive(*list, letter))
            return true;
    return false;
}

// The removable survey classifies every letter; what follows goes by its findings.
tk::Task RefreshAfterNotices(Program& p, std::uint32_t volumes, bool fixedLists) {
    auto removable = SurveyRemovableDrives(p);
    co_await removable;
    for (int slot = 0; slot < 26 && !fixedLists; ++slot)
        if ((volumes & (1u << slot)) != 0)
            fixedLists = InFixedLists(p, static_cast<char>('A' + slot));
    if (fixedLists)
        RefreshAll(p); // the drive pickers come with it
    else
        RefreshDrivePickers(p);
}

} // namespace

void NoteVolumesChanged(Program& p, std::uint32_t drives) {
    p.DiskMonitor.NoticedVolumes |= drives;
    AwaitMoreNotices(p);
}

void NoteDrivesChanged(Program& p) {
    p.DiskMonitor.NoticedDrives = true;
    AwaitMoreNotices(p);
}

void RefreshAfterDriveNotices(Program& p) {
    p.MainForm->DriveNoticeTimer.SetInterval(0);
    const std::uint32_t volumes = p.DiskMonitor.NoticedVolumes;
    bool fixedLists = p.DiskMonitor.NoticedDrives;
    p.DiskMonitor.NoticedVolumes = 0;
    p.DiskMonitor.NoticedDrives = false;
    RefreshAfterNotices(p, volumes, fixedLists);
}

} // namespace trelvix
