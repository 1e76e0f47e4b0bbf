#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trelvix {

class Program;

// What a check learnt of one fixed drive; -1 for a figure whose query failed or did not
// answer in time.
struct DriveFreeSpace {
    char letter = 'C';
    std::int64_t total = -1;
    std::int64_t free = -1;
};

// How far down a drive has been warned about: below the threshold, then below a fifth of it.
enum class LowSpaceLevel { None, Low, VeryLow };

inline std::array<std::int64_t, 26> UnknownFreeSpace() {
    std::array<std::int64_t, 26> unknown{};
    unknown.fill(-1);
    return unknown;
}

struct LowSpaceState {
    std::array<LowSpaceLevel, 26> warned{};
    // Each drive's free bytes at its last answer; -1 before it.
    std::array<std::int64_t, 26> lastFree = UnknownFreeSpace();
    // The threshold in bytes the warnings were given for.
    std::int64_t threshold = 0;
    // The last check's figures, shown again when the taskbar comes back.
    std::vector<DriveFreeSpace> lastFigures;
    // A 60-second check is waiting for its drives.
    bool checking = false;
};

// A drive due a warning, and the level it is warned at.
struct LowSpaceDue {
    DriveFreeSpace drive;
    LowSpaceLevel level = LowSpaceLevel::Low;
};

// The drives to warn about now. A drive warns once per level; it is re-armed when its free
// space rises above 1.1 x the threshold, and a new threshold re-arms every drive not below
// it. Drives smaller than the threshold (recovery partitions) and drives that did not answer
// are left alone. Nothing counts as warned until AcceptLowSpaceWarnings.
[[nodiscard]] std::vector<LowSpaceDue>
DueLowSpaceWarnings(LowSpaceState& state, const std::vector<DriveFreeSpace>& figures,
                    std::int64_t threshold);
// The warnings were shown.
void AcceptLowSpaceWarnings(LowSpaceState& state, const std::vector<LowSpaceDue>& due);

struct BalloonText {
    std::string title; // at most 63 characters
    std::string text;  // at most 255 characters
};

// The balloon of one check: one drive, or several with a line each. The figures are in the
// unit of the Disks page (`divisor`, `suffix`), written as its lists write them.
[[nodiscard]] BalloonText LowSpaceBalloon(const std::vector<LowSpaceDue>& due, std::int64_t divisor,
                                          const std::string& suffix,
                                          const std::string& decimalSeparator);

// The tag the program's balloon service carries for this warning.
inline constexpr char LowSpaceBalloonTag[] = "low-space";

// Warns about the drives of a survey or check that are running short, through the tray's
// balloon; nothing while LowSpaceGB is 0.
void CheckLowSpace(Program& p, std::vector<DriveFreeSpace> figures);
// The 60-second check, CheckLowSpaceNow, asks the fixed drives for their free space off the
// window's thread (disks/DriveSurvey.h).
// A warning the tray could not show before it was re-created is shown now.
void ShowPendingLowSpaceWarning(Program& p);
// The 60-second check runs while LowSpaceGB is above 0.
void ApplyLowSpaceTimer(Program& p);
// A click on the warning: the window on the FreeTemp page's "Total " sub-tab.
void ShowWhatCanBeDeleted(Program& p);

} // namespace trelvix
