#include "disks/LowSpaceWarning.h"

#include "app/Program.h"
#include "disks/CapacityText.h"
#include "disks/DriveSurvey.h"

#include <utility>

namespace trelvix {

namespace {

constexpr std::int64_t Gigabyte = 1073741824;
constexpr int CheckPeriod = 60000; // milliseconds

std::size_t SlotOf(char letter) {
    return static_cast<std::size_t>(letter - 'A');
}

bool Answered(const DriveFreeSpace& drive) {
    return drive.letter >= 'A' && drive.letter <= 'Z' && drive.total >= 0 && drive.free >= 0;
}

// The threshold is at most 100000 GB, so neither side overflows.
LowSpaceLevel LevelOf(std::int64_t free, std::int64_t threshold) {
    if (free >= threshold)
        return LowSpaceLevel::None;
    return free * 5 < threshold ? LowSpaceLevel::VeryLow : LowSpaceLevel::Low;
}

// Well clear of the threshold again: the next fall below it warns anew. The first test
// keeps a huge figure from overflowing the second.
bool Recovered(std::int64_t free, std::int64_t threshold) {
    return free / 11 > threshold / 10 || free * 10 > threshold * 11;
}

std::string FiguresText(const DriveFreeSpace& drive, std::int64_t divisor,
                        const std::string& suffix, const std::string& separator) {
    return FormatCapacity(drive.free, divisor, separator).text + suffix + " free of " +
           FormatCapacity(drive.total, divisor, separator).text + suffix;
}

// "C:", "C: and D:", "C:, D: and E:".
std::string LetterList(const std::vector<LowSpaceDue>& due) {
    std::string list;
    for (std::size_t i = 0; i < due.size(); ++i) {
        if (i > 0)
            list += i + 1 == due.size() ? " and " : ", ";
        list += std::string(1, due[i].drive.letter) + ":";
    }
    return list;
}

constexpr char Advice[] = "Open FreeTemp to see what can be deleted.";

} // namespace

std::vector<LowSpaceDue> DueLowSpaceWarnings(LowSpaceState& state,
                                             const std::vector<DriveFreeSpace>& figures,
                                             std::int64_t threshold) {
    for (const DriveFreeSpace& drive : figures)
        if (Answered(drive))
            state.lastFree[SlotOf(drive.letter)] = drive.free;
    if (threshold != state.threshold) {
        for (std::size_t slot = 0; slot < state.warned.size(); ++slot)
            if (state.lastFree[slot] >= threshold)
                state.warned[slot] = LowSpaceLevel::None;
        state.threshold = threshold;
    }
    std::vector<LowSpaceDue> due;
    if (threshold <= 0)
        return due;
    for (const DriveFreeSpace& drive : figures) {
        if (!Answered(drive) || drive.total < threshold)
            continue;
        LowSpaceLevel& warned = state.warned[SlotOf(drive.letter)];
        if (Recovered(drive.free, threshold)) {
            warned = LowSpaceLevel::None;
            continue;
        }
        const LowSpaceLevel level = LevelOf(drive.free, threshold);
        if (level > warned)
            due.push_back({drive, level});
    }
    return due;
}

void AcceptLowSpaceWarnings(LowSpaceState& state, const std::vector<LowSpaceDue>& due) {
    for (const LowSpaceDue& d : due)
        state.warned[SlotOf(d.drive.letter)] = d.level;
}

BalloonText LowSpaceBalloon(const std::vector<LowSpaceDue>& due, std::int64_t divisor,
                            const std::string& suffix, const std::string& decimalSeparator) {
    BalloonText balloon;
    if (due.empty())
        return balloon;
    if (due.size() == 1) {
        balloon.title = "Drive " + LetterList(due) + " is running out of space";
        balloon.text =
            FiguresText(due.front().drive, divisor, suffix, decimalSeparator) + ". " + Advice;
        return balloon;
    }
    balloon.title = "Drives " + LetterList(due) + " are running out of space";
    for (const LowSpaceDue& d : due)
        balloon.text += std::string(1, d.drive.letter) + ": " +
                        FiguresText(d.drive, divisor, suffix, decimalSeparator) + "\n";
    balloon.text += Advice;
    return balloon;
}

void CheckLowSpace(Program& p, std::vector<DriveFreeSpace> figures) {
    if (p.LowSpaceGB <= 0)
        return;
    LowSpaceState& state = p.DiskMonitor.LowSpace;
    const std::vector<LowSpaceDue> due =
        DueLowSpaceWarnings(state, figures, std::int64_t{p.LowSpaceGB} * Gigabyte);
    state.lastFigures = std::move(figures);
    if (due.empty())
        return;
    // The unit the Disks page shows, also before its first survey chose the suffix.
    const std::string suffix = UnitSuffixOf(p.ChangeOfBytes).value_or(p.UnitSuffix);
    const BalloonText balloon =
        LowSpaceBalloon(due, p.ChangeOfBytes, suffix, p.Ports.system.DecimalSeparator());
    // Not shown (no taskbar yet): not warned, so the next check or the taskbar's return
    // shows it.
    if (p.MainForm->TrayIcon1.ShowBalloon(balloon.title, balloon.text, port::BalloonIcon::Warning,
                                          LowSpaceBalloonTag))
        AcceptLowSpaceWarnings(state, due);
}

void ShowPendingLowSpaceWarning(Program& p) {
    CheckLowSpace(p, p.DiskMonitor.LowSpace.lastFigures);
}

void ApplyLowSpaceTimer(Program& p) {
    p.MainForm->LowSpaceTimer.SetInterval(p.LowSpaceGB > 0 ? CheckPeriod : 0);
}

void ShowWhatCanBeDeleted(Program& p) {
    TMainForm& f = *p.MainForm;
    f.PageControl2.SetActivePageIndex(0);
    p.IndexOfFreeTemp = 0;
    f.TrayPageItemClick(2);
}

} // namespace trelvix
