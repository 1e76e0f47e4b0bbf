#include "disks/DriveSurvey.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "disks/CapacityText.h"
#include "disks/DriveLines.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace trelvix {

namespace {

// The system's "insert a disk" boxes are off on this thread while one letter is probed.
class CriticalErrorsOff {
  public:
    explicit CriticalErrorsOff(port::Drives& drives)
        : drives_(drives), previous_(drives.SuppressCriticalErrors()) {}
    ~CriticalErrorsOff() { drives_.RestoreCriticalErrors(previous_); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

  private:
    port::Drives& drives_;
    std::uint32_t previous_;
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

const DriveAnswer& AnswerOf(const DriveAnswers& answers, char letter) {
    return answers[static_cast<std::size_t>(SlotOf(letter))];
}

// A volume that did not answer in time reads as one that cannot be read.
bool VolumeReadable(const DriveAnswer& answer) {
    return answer.answered && answer.volume.ok;
}

// The line of a drive whose volume (or, with capacityFailed, whose size) cannot be read.
std::string FailureLine(char letter, DriveClass c, bool capacityFailed) {
    return c == DriveClass::CdRom ? CdRomLine(letter, capacityFailed) : AccessDeniedLine(letter);
}

// ---- Off the window's thread: what each survey asks of one letter ----

DriveClass Classify(port::Drives& drives, char letter, std::atomic<int>& kindSeen) {
    const DriveClass c = ClassifyDrive(drives.Type(letter));
    kindSeen = static_cast<int>(c);
    return c;
}

// The volume, and when it reads, the capacity.
void ReadVolumeAndSpace(port::Drives& drives, char letter, DriveAnswer& answer) {
    answer.volumeRead = true;
    answer.volume = drives.Volume(letter);
    if (!answer.volume.ok)
        return;
    answer.spaceRead = true;
    answer.space = drives.FreeSpace(letter);
}

// Classified before the volume is touched: letters that are listed nowhere are never
// probed, so a removable drive is not woken by the timer. C: is first asked for its size:
// the floppy letters are surveyed only when it has one, so that a machine without a hard
// disk is not made to spin its floppy drives. The icon is for the drive pickers of the same
// refresh, which take this answer.
DriveAnswer AskForFixedLists(port::Drives& drives, char letter, std::atomic<int>& kindSeen) {
    CriticalErrorsOff quiet(drives);
    DriveAnswer answer;
    answer.icon = drives.IconIndex(letter);
    if (letter == 'C')
        answer.systemDriveHasSize = drives.FreeSpace('C').total > 0;
    answer.kind = Classify(drives, letter, kindSeen);
    if (ListOf(answer.kind) >= 0)
        ReadVolumeAndSpace(drives, letter, answer);
    return answer;
}

// The low-space check needs the size alone.
DriveAnswer AskForFreeSpace(port::Drives& drives, char letter, std::atomic<int>& kindSeen) {
    CriticalErrorsOff quiet(drives);
    DriveAnswer answer;
    answer.kind = Classify(drives, letter, kindSeen);
    if (answer.kind == DriveClass::Fixed) {
        answer.spaceRead = true;
        answer.space = drives.FreeSpace(letter);
    }
    return answer;
}

// The fixed drives' figures; -1 for one that did not answer.
std::vector<DriveFreeSpace> FixedFreeSpaceOf(const DriveAnswers& answers) {
    std::vector<DriveFreeSpace> figures;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const DriveAnswer& answer = AnswerOf(answers, letter);
        if (answer.kind != DriveClass::Fixed)
            continue;
        DriveFreeSpace drive{letter};
        if (answer.answered && answer.spaceRead) {
            drive.total = answer.space.total;
            drive.free = answer.space.free;
        }
        figures.push_back(drive);
    }
    return figures;
}

// The error mode is left alone: this survey runs only when the user asks for it, and a
// drive without a medium may then ask for one.
DriveAnswer AskForRemovableList(port::Drives& drives, char letter, std::atomic<int>& kindSeen) {
    DriveAnswer answer;
    answer.kind = Classify(drives, letter, kindSeen);
    if (answer.kind == DriveClass::Removable)
        ReadVolumeAndSpace(drives, letter, answer);
    return answer;
}

// Removable and CD drives show their letter alone: reading their volume would wait for
// the medium.
bool PickerShowsLabel(DriveClass c) {
    return c == DriveClass::Fixed || c == DriveClass::Network || c == DriveClass::Ram;
}

DriveAnswer AskForPicker(port::Drives& drives, char letter, std::atomic<int>& kindSeen) {
    CriticalErrorsOff quiet(drives);
    DriveAnswer answer;
    answer.icon = drives.IconIndex(letter);
    answer.kind = Classify(drives, letter, kindSeen);
    if (PickerShowsLabel(answer.kind)) {
        answer.volumeRead = true;
        answer.volume = drives.Volume(letter);
    }
    return answer;
}

// ---- On the window's thread: the lines ----

// What the figures of one survey are written in, and the change-marker stores, as they
// were when the survey began.
struct Units {
    std::int64_t divisor;
    std::string suffix;
    std::string separator;
    int markerEpoch;
    bool fixedPrimed, removablePrimed, generalPrimed;
};

// A survey compares with the store as it stood when the survey began: one begun before a
// change of unit compares in its own unit, as it would have had it ended at once, and
// leaves the store unprimed.
ChangeMarker MarkerOf(FreeHistory& history, bool primedThen, int slot, double current) {
    return history.Compare(slot, current, primedThen);
}

void Prime(Program& p, const Units& units, FreeHistory& history) {
    if (units.markerEpoch == p.DiskMonitor.MarkerEpoch)
        history.primed = true;
}

using DriveLists = std::array<std::vector<std::string>, 4>;

// A: and B: add nothing to the General sums.
void ShowFloppyLetters(Program& p, const DriveAnswers& answers, const Units& units,
                       DriveLists& lists) {
    for (char letter : {'A', 'B'}) {
        const DriveAnswer& answer = AnswerOf(answers, letter);
        const DriveClass c = answer.kind;
        const int list = ListOf(c);
        if (list < 0) // removable drives are left to the removable survey
            continue;
        auto& lines = lists[static_cast<std::size_t>(list)];
        if (!VolumeReadable(answer)) {
            lines.push_back(FailureLine(letter, c, false));
            continue;
        }
        if (BothFailed(answer.space)) {
            lines.push_back(FailureLine(letter, c, true));
            if (CapacityFailureRaisesPresence(letter, c))
                PresenceOf(p, c) = true;
            continue;
        }
        Capacity total = FormatCapacity(answer.space.total, units.divisor, units.separator);
        Capacity free = FormatCapacity(answer.space.free, units.divisor, units.separator);
        ChangeMarker marker =
            MarkerOf(p.DiskMonitor.FixedFreeHistory, units.fixedPrimed, SlotOf(letter), free.value);
        lines.push_back(ComposeDriveLine(letter, answer.volume.label, answer.volume.fileSystem,
                                         total.text, free.text, units.suffix, MarkerText(marker)));
        PresenceOf(p, c) = true;
    }
}

// C: to Z:. Fixed drives feed the General sums and the tray summary, also when their
// capacity cannot be read (then with -1 / divisor).
void ShowHardLetters(Program& p, const DriveAnswers& answers, const Units& units, DriveLists& lists,
                     double& generalTotal, double& generalFree, std::string& summary) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const DriveAnswer& answer = AnswerOf(answers, letter);
        const DriveClass c = answer.kind;
        const int list = ListOf(c);
        if (list < 0)
            continue;
        PresenceOf(p, c) = true;
        auto& lines = lists[static_cast<std::size_t>(list)];
        if (!VolumeReadable(answer)) {
            lines.push_back(FailureLine(letter, c, false));
            continue;
        }
        Capacity total = FormatCapacity(answer.space.total, units.divisor, units.separator);
        Capacity free = FormatCapacity(answer.space.free, units.divisor, units.separator);
        ChangeMarker marker =
            MarkerOf(p.DiskMonitor.FixedFreeHistory, units.fixedPrimed, SlotOf(letter), free.value);
        if (c == DriveClass::Fixed) {
            generalTotal += total.value;
            generalFree += free.value;
            summary += TrayFragment(letter, total.text, free.text);
        }
        if (BothFailed(answer.space)) {
            lines.push_back(FailureLine(letter, c, true));
            continue;
        }
        lines.push_back(ComposeDriveLine(letter, answer.volume.label, answer.volume.fileSystem,
                                         total.text, free.text, units.suffix,
                                         MarkerText(marker, c == DriveClass::Ram)));
    }
}

void ShowFixedLists(Program& p, const DriveAnswers& answers, const Units& units) {
    TMainForm& f = *p.MainForm;
    tk::ListBox* listBoxes[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
    for (tk::ListBox* list : listBoxes)
        list->Clear();

    DriveLists lists;
    double generalTotal = 0;
    double generalFree = 0;
    std::string summary;
    ShowFloppyLetters(p, answers, units, lists);
    ShowHardLetters(p, answers, units, lists, generalTotal, generalFree, summary);
    Prime(p, units, p.DiskMonitor.FixedFreeHistory);

    lists[0].push_back(SeparatorLine());
    ChangeMarker marker =
        MarkerOf(p.DiskMonitor.GeneralFreeHistory, units.generalPrimed, 0, generalFree);
    Prime(p, units, p.DiskMonitor.GeneralFreeHistory);
    lists[0].push_back(GeneralLine(CapacityNumberText(generalTotal, units.separator),
                                   CapacityNumberText(generalFree, units.separator), units.suffix,
                                   MarkerText(marker)));
    p.TraySummary = summary + "\"Trelvix\"";

    // One change per list, so that a native list box is refilled once.
    for (std::size_t i = 0; i < lists.size(); ++i)
        listBoxes[i]->SetItems(std::move(lists[i]));
    CheckLowSpace(p, FixedFreeSpaceOf(answers));
}

void ShowRemovableList(Program& p, const DriveAnswers& answers, const Units& units) {
    TMainForm& f = *p.MainForm;
    f.ListBox11.Clear();
    std::vector<std::string> lines;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const DriveAnswer& answer = AnswerOf(answers, letter);
        if (answer.kind != DriveClass::Removable)
            continue;
        if (!VolumeReadable(answer)) {
            lines.push_back(AccessDeniedLine(letter));
            continue;
        }
        Capacity total = FormatCapacity(answer.space.total, units.divisor, units.separator);
        Capacity free = FormatCapacity(answer.space.free, units.divisor, units.separator);
        ChangeMarker marker = MarkerOf(p.DiskMonitor.RemovableFreeHistory, units.removablePrimed,
                                       SlotOf(letter), free.value);
        lines.push_back(ComposeDriveLine(letter, answer.volume.label, answer.volume.fileSystem,
                                         total.text, free.text, units.suffix, MarkerText(marker)));
    }
    Prime(p, units, p.DiskMonitor.RemovableFreeHistory);
    f.ListBox11.SetItems(std::move(lines));
    f.ListBox11.SetItemIndex(p.DiskMonitor.RemovableSelection);
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

void ShowPickers(Program& p, std::uint32_t present, const DriveAnswers& answers) {
    std::vector<tk::DriveItem> items;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if ((present & (std::uint32_t{1} << SlotOf(letter))) == 0)
            continue;
        const DriveAnswer& answer = AnswerOf(answers, letter);
        tk::DriveItem item;
        item.letter = letter;
        item.text = std::string(1, letter) + ":";
        item.icon = answer.icon;
        if (answer.volumeRead && VolumeReadable(answer) && PickerShowsLabel(answer.kind))
            item.text += " [" + answer.volume.label + "]";
        // The pickers show their whole text in lower case, volume names too.
        item.text = p.Ports.system.LowerCase(item.text);
        items.push_back(std::move(item));
    }
    TMainForm& f = *p.MainForm;
    KeepDrive(f.DriveComboBox1, items);
    KeepDrive(f.DriveComboBox2, items);
}

Units CurrentUnits(Program& p) {
    const DiskMonitorState& d = p.DiskMonitor;
    return {p.ChangeOfBytes,
            p.UnitSuffix,
            p.Ports.system.DecimalSeparator(),
            d.MarkerEpoch,
            d.FixedFreeHistory.primed,
            d.RemovableFreeHistory.primed,
            d.GeneralFreeHistory.primed};
}

// C: to Z:, each where the system lists a drive (known without touching one).
void AskPresentLetters(Program& p, DriveQueries& queries) {
    const std::uint32_t present = p.Ports.drives.LogicalDrives();
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if ((present & (std::uint32_t{1} << SlotOf(letter))) != 0)
            queries.Ask(letter);
        else
            queries.Absent(letter);
}

// The fixed lists' round: C: is asked first for its size, and the floppy letters only once
// it has one.
tk::Task FixedListsSurvey(Program& p) {
    SurveyRounds rounds(p, p.DiskMonitor.Queries.fixedLists);
    if (!rounds.Taken())
        co_return;
    BusyGlyph busy(p);
    do {
        if (auto suffix = UnitSuffixOf(p.ChangeOfBytes))
            p.UnitSuffix = *suffix;
        const Units units = CurrentUnits(p); // the epoch as this round's queries start
        DriveQueries queries(p, AskForFixedLists, DriveSharing::Offers);
        AskPresentLetters(p, queries);
        for (;;) {
            auto next = queries.Next();
            const std::optional<char> back = co_await next;
            if (!back)
                break;
            if (*back == 'C' && queries.Answer('C').systemDriveHasSize)
                for (char floppy : {'A', 'B'})
                    queries.Ask(floppy);
        }
        const DriveAnswers& answers = queries.Finish();
        p.App.Guard([&] { ShowFixedLists(p, answers, units); });
    } while (rounds.Another());
}

tk::Task RemovableListSurvey(Program& p) {
    SurveyRounds rounds(p, p.DiskMonitor.Queries.removable);
    if (!rounds.Taken())
        co_return;
    BusyGlyph busy(p);
    do {
        const Units units = CurrentUnits(p); // the epoch as this round's queries start
        DriveQueries queries(p, AskForRemovableList);
        for (char floppy : {'A', 'B'})
            queries.Ask(floppy);
        AskPresentLetters(p, queries);
        auto all = queries.All();
        co_await all;
        const DriveAnswers& answers = queries.Finish();
        p.App.Guard([&] { ShowRemovableList(p, answers, units); });
    } while (rounds.Another());
}

tk::Task DrivePickersSurvey(Program& p) {
    SurveyRounds rounds(p, p.DiskMonitor.Queries.pickers);
    if (!rounds.Taken())
        co_return;
    BusyGlyph busy(p);
    do {
        // Which letters exist is known without touching a drive.
        const std::uint32_t present = p.Ports.drives.LogicalDrives();
        DriveQueries queries(p, AskForPicker, DriveSharing::Takes);
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            if ((present & (std::uint32_t{1} << SlotOf(letter))) != 0)
                queries.Ask(letter);
        auto all = queries.All();
        co_await all;
        const DriveAnswers& answers = queries.Finish();
        p.App.Guard([&] { ShowPickers(p, present, answers); });
    } while (rounds.Another());
}

} // namespace

SurveyShown SurveyFixedDrives(Program& p) {
    SurveyShown shown(p.App, p.DiskMonitor.Queries.fixedLists);
    FixedListsSurvey(p);
    return shown;
}

SurveyShown SurveyRemovableDrives(Program& p) {
    SurveyShown shown(p.App, p.DiskMonitor.Queries.removable);
    RemovableListSurvey(p);
    return shown;
}

SurveyShown RefreshDrivePickers(Program& p) {
    SurveyShown shown(p.App, p.DiskMonitor.Queries.pickers);
    DrivePickersSurvey(p);
    return shown;
}

tk::Task CheckLowSpaceNow(Program& p) {
    LowSpaceState& state = p.DiskMonitor.LowSpace;
    if (p.LowSpaceGB <= 0 || state.checking)
        co_return;
    // One check at a time, however it ends.
    struct Checking {
        LowSpaceState& state;
        explicit Checking(LowSpaceState& s) : state(s) { state.checking = true; }
        ~Checking() { state.checking = false; }
    } checking(state);
    DriveQueries queries(p, AskForFreeSpace);
    AskPresentLetters(p, queries);
    auto all = queries.All();
    co_await all;
    std::vector<DriveFreeSpace> figures = FixedFreeSpaceOf(queries.Finish());
    state.checking = false;
    CheckLowSpace(p, std::move(figures));
}

void StartRefreshTick(Program& p) {
    ++p.DiskMonitor.Queries.tick;
}

bool FixedSurveyRunning(const Program& p) {
    return p.DiskMonitor.Queries.fixedLists.running;
}

void ReselectDriveLists(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ListBox1.SetItemIndex(p.FixedSelection);
    f.ListBox2.SetItemIndex(p.CdSelection);
    f.ListBox3.SetItemIndex(p.NetSelection);
    f.ListBox4.SetItemIndex(p.RamSelection);
}

void ResetChangeMarkers(Program& p) {
    ++p.DiskMonitor.MarkerEpoch;
    p.DiskMonitor.FixedFreeHistory.primed = false;
    p.DiskMonitor.RemovableFreeHistory.primed = false;
    p.DiskMonitor.GeneralFreeHistory.primed = false;
}

} // namespace trelvix
