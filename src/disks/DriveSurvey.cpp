#include "disks/DriveSurvey.h"

#include "app/Program.h"
#include "disks/CapacityText.h"
#include "disks/DriveLines.h"

#include <array>
#include <vector>

namespace trelvix {

namespace {

// The system's "insert a disk" boxes are off while one letter is probed.
class CriticalErrorsOff {
  public:
    explicit CriticalErrorsOff(port::Drives& drives) : drives_(drives) {
        drives_.SuppressCriticalErrors(true);
    }
    ~CriticalErrorsOff() { drives_.SuppressCriticalErrors(false); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

  private:
    port::Drives& drives_;
};

// ListBox1..ListBox4 by class; -1 for the classes the fixed-lists survey does not list.
int ListOf(DriveClass c) {
    switch (c) {
    case DriveClass::Fixed:
        return 0;
    case DriveClass::CdRom:
        return 1;
    case DriveClass::Network:
        return 2;
    case DriveClass::Ram:
        return 3;
    default:
        return -1;
    }
}

bool& PresenceOf(Program& p, DriveClass c) {
    switch (c) {
    case DriveClass::CdRom:
        return p.CdPresent;
    case DriveClass::Network:
        return p.NetPresent;
    case DriveClass::Ram:
        return p.RamPresent;
    default:
        return p.FixedPresent;
    }
}

// Whether a capacity-failure line of A: or B: shows the group of its class.
bool CapacityFailureRaisesPresence(char letter, DriveClass c) {
    if (c == DriveClass::Network)
        return true;
    return letter == 'A' && (c == DriveClass::Fixed || c == DriveClass::CdRom);
}

bool BothFailed(const port::DiskSpace& space) {
    return space.total == -1 && space.free == -1;
}

int SlotOf(char letter) {
    return letter - 'A';
}

// The line of a drive whose volume (or, with capacityFailed, whose size) cannot be read.
std::string FailureLine(char letter, DriveClass c, bool capacityFailed) {
    return c == DriveClass::CdRom ? CdRomLine(letter, capacityFailed) : AccessDeniedLine(letter);
}

using DriveLists = std::array<std::vector<std::string>, 4>;

// A: and B:, surveyed only when C: has a size, so that a machine without a hard disk
// is not made to spin its floppy drives. Adds nothing to the General sums.
void SurveyFloppyLetters(Program& p, DriveLists& lists, const std::string& separator) {
    port::Drives& drives = p.Ports.drives;
    bool systemDriveHasSize = false;
    {
        CriticalErrorsOff quiet(drives);
        systemDriveHasSize = drives.FreeSpace('C').total > 0;
    }
    if (!systemDriveHasSize)
        return;
    for (char letter : {'A', 'B'}) {
        CriticalErrorsOff quiet(drives);
        DriveClass c = ClassifyDrive(drives.Type(letter));
        int list = ListOf(c);
        if (list < 0) // removable drives are left to the removable survey
            continue;
        port::VolumeInfo volume = drives.Volume(letter);
        auto& lines = lists[static_cast<std::size_t>(list)];
        if (!volume.ok) {
            lines.push_back(FailureLine(letter, c, false));
            continue;
        }
        port::DiskSpace space = drives.FreeSpace(letter);
        if (BothFailed(space)) {
            lines.push_back(FailureLine(letter, c, true));
            if (CapacityFailureRaisesPresence(letter, c))
                PresenceOf(p, c) = true;
            continue;
        }
        Capacity total = FormatCapacity(space.total, p.ChangeOfBytes, separator);
        Capacity free = FormatCapacity(space.free, p.ChangeOfBytes, separator);
        ChangeMarker marker = p.DiskMonitor.FixedFreeHistory.Compare(SlotOf(letter), free.value);
        lines.push_back(ComposeDriveLine(letter, volume.label, volume.fileSystem, total.text,
                                         free.text, p.UnitSuffix, MarkerText(marker)));
        PresenceOf(p, c) = true;
    }
}

// C: to Z:. Fixed drives feed the General sums and the tray summary, also when their
// capacity cannot be read (then with -1 / divisor).
void SurveyHardLetters(Program& p, DriveLists& lists, const std::string& separator,
                       double& generalTotal, double& generalFree) {
    port::Drives& drives = p.Ports.drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        CriticalErrorsOff quiet(drives);
        // Classified before the volume is touched: letters that are listed nowhere are
        // never probed, so a removable drive is not woken by the timer.
        DriveClass c = ClassifyDrive(drives.Type(letter));
        int list = ListOf(c);
        if (list < 0)
            continue;
        port::VolumeInfo volume = drives.Volume(letter);
        PresenceOf(p, c) = true;
        auto& lines = lists[static_cast<std::size_t>(list)];
        if (!volume.ok) {
            lines.push_back(FailureLine(letter, c, false));
            continue;
        }
        port::DiskSpace space = drives.FreeSpace(letter);
        Capacity total = FormatCapacity(space.total, p.ChangeOfBytes, separator);
        Capacity free = FormatCapacity(space.free, p.ChangeOfBytes, separator);
        ChangeMarker marker = p.DiskMonitor.FixedFreeHistory.Compare(SlotOf(letter), free.value);
        if (c == DriveClass::Fixed) {
            generalTotal += total.value;
            generalFree += free.value;
            p.TraySummary += TrayFragment(letter, total.text, free.text);
        }
        if (BothFailed(space)) {
            lines.push_back(FailureLine(letter, c, true));
            continue;
        }
        lines.push_back(ComposeDriveLine(letter, volume.label, volume.fileSystem, total.text,
                                         free.text, p.UnitSuffix,
                                         MarkerText(marker, c == DriveClass::Ram)));
    }
}

// The picker keeps its drive while that drive is present; otherwise C:, else the first.
void KeepDrive(tk::DriveComboBox& picker, const std::vector<tk::DriveItem>& items) {
    auto present = [&](char letter) {
        for (const tk::DriveItem& item : items)
            if (item.letter == letter)
                return true;
        return false;
    };
    char drive = picker.Drive();
    if (!present(drive))
        drive = present('C') ? 'C' : items.empty() ? ' ' : items.front().letter;
    picker.SetDrives(items);
    picker.SetDrive(drive);
}

} // namespace

void SurveyFixedDrives(Program& p) {
    TMainForm& f = *p.MainForm;
    if (auto suffix = UnitSuffixOf(p.ChangeOfBytes))
        p.UnitSuffix = *suffix;
    tk::ListBox* listBoxes[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
    for (tk::ListBox* list : listBoxes)
        list->Clear();

    const std::string separator = p.Ports.system.DecimalSeparator();
    DriveLists lists;
    double generalTotal = 0;
    double generalFree = 0;
    SurveyFloppyLetters(p, lists, separator);
    SurveyHardLetters(p, lists, separator, generalTotal, generalFree);
    p.DiskMonitor.FixedFreeHistory.primed = true;

    lists[0].push_back(SeparatorLine());
    ChangeMarker marker = p.DiskMonitor.GeneralFreeHistory.Compare(0, generalFree);
    p.DiskMonitor.GeneralFreeHistory.primed = true;
    lists[0].push_back(GeneralLine(CapacityNumberText(generalTotal, separator),
                                   CapacityNumberText(generalFree, separator), p.UnitSuffix,
                                   MarkerText(marker)));
    p.TraySummary += "\"Trelvix\"";

    // One change per list, so that a native list box is refilled once.
    for (std::size_t i = 0; i < lists.size(); ++i)
        listBoxes[i]->SetItems(std::move(lists[i]));
}

void SurveyRemovableDrives(Program& p) {
    TMainForm& f = *p.MainForm;
    port::Drives& drives = p.Ports.drives;
    f.ListBox11.Clear();
    const std::string separator = p.Ports.system.DecimalSeparator();
    std::vector<std::string> lines;
    // The error mode is left alone: this survey runs only when the user asks for it, and
    // a drive without a medium may then ask for one.
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (ClassifyDrive(drives.Type(letter)) != DriveClass::Removable)
            continue;
        port::VolumeInfo volume = drives.Volume(letter);
        if (!volume.ok) {
            lines.push_back(AccessDeniedLine(letter));
            continue;
        }
        port::DiskSpace space = drives.FreeSpace(letter);
        Capacity total = FormatCapacity(space.total, p.ChangeOfBytes, separator);
        Capacity free = FormatCapacity(space.free, p.ChangeOfBytes, separator);
        ChangeMarker marker =
            p.DiskMonitor.RemovableFreeHistory.Compare(SlotOf(letter), free.value);
        lines.push_back(ComposeDriveLine(letter, volume.label, volume.fileSystem, total.text,
                                         free.text, p.UnitSuffix, MarkerText(marker)));
    }
    p.DiskMonitor.RemovableFreeHistory.primed = true;
    f.ListBox11.SetItems(std::move(lines));
    f.ListBox11.SetItemIndex(p.DiskMonitor.RemovableSelection);
}

void RefreshDrivePickers(Program& p) {
    port::Drives& drives = p.Ports.drives;
    std::uint32_t present = drives.LogicalDrives();
    std::vector<tk::DriveItem> items;
    for (int i = 0; i < 26; ++i) {
        if ((present & (std::uint32_t{1} << i)) == 0)
            continue;
        char letter = static_cast<char>('A' + i);
        CriticalErrorsOff quiet(drives);
        tk::DriveItem item;
        item.letter = letter;
        item.text = std::string(1, letter) + ":";
        item.icon = drives.IconIndex(letter);
        // Removable and CD drives show their letter alone: reading their volume would
        // wait for the medium.
        DriveClass c = ClassifyDrive(drives.Type(letter));
        if (c == DriveClass::Fixed || c == DriveClass::Network || c == DriveClass::Ram) {
            port::VolumeInfo volume = drives.Volume(letter);
            if (volume.ok)
                item.text += " [" + volume.label + "]";
        }
        // The pickers show their whole text in lower case, volume names too.
        item.text = p.Ports.system.LowerCase(item.text);
        items.push_back(std::move(item));
    }
    TMainForm& f = *p.MainForm;
    KeepDrive(f.DriveComboBox1, items);
    KeepDrive(f.DriveComboBox2, items);
}

void ReselectDriveLists(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ListBox1.SetItemIndex(p.FixedSelection);
    f.ListBox2.SetItemIndex(p.CdSelection);
    f.ListBox3.SetItemIndex(p.NetSelection);
    f.ListBox4.SetItemIndex(p.RamSelection);
}

void ResetChangeMarkers(Program& p) {
    p.DiskMonitor.FixedFreeHistory.primed = false;
    p.DiskMonitor.RemovableFreeHistory.primed = false;
    p.DiskMonitor.GeneralFreeHistory.primed = false;
}

} // namespace trelvix
