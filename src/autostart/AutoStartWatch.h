#pragma once

#include "autostart/RunEntries.h"
#include "disks/LowSpaceWarning.h"
#include "platform/Ports.h"

#include <optional>
#include <string>
#include <vector>

namespace trelvix {

class Program;

// What the watcher tells the user about one entry.
enum class AutoStartNoticeKind { New, Changed };

struct AutoStartNotice {
    AutoStartNoticeKind kind = AutoStartNoticeKind::New;
    RunEntry entry;
};

// The watcher's state, for the run only.
struct AutoStartWatchState {
    bool Watching = false;
    // The entries at the last reread; known from the first reread on.
    std::vector<RunEntry> Baseline;
    bool BaselineKnown = false;
    // The lists no longer show what there is: they refill when the page is shown.
    bool ChangeNoticed = false;
    // Notices the tray could not show yet, and whether they came while the program was not
    // running.
    std::vector<AutoStartNotice> PendingNotices;
    bool PendingSinceLastRan = false;
    // The entry the last balloon was about: a click on it selects its line.
    std::optional<RunEntry> NoticedEntry;
    // A baseline that cannot be kept is said once a run.
    bool BaselineRefusalShown = false;
};

// The keys the AutoStart lists read, as the watcher watches them.
[[nodiscard]] std::vector<port::WatchedKey> WatchedAutoStartKeys();

// The entries that start with Windows now and did not before, or start something else.
// Removed entries and the program's own value (`ownData`, its data as a list line shows it)
// never count; a change of the disable record alone is no change.
[[nodiscard]] std::vector<AutoStartNotice> AutoStartNotices(const std::vector<RunEntry>& before,
                                                            const std::vector<RunEntry>& now,
                                                            const std::string& ownData);

// One balloon for the notices of one reread, cut to what the notification area shows.
// `sinceLastRan`: the entries came while the program was not running.
[[nodiscard]] BalloonText AutoStartBalloon(const std::vector<AutoStartNotice>& notices,
                                           bool sinceLastRan);

// The entries as the baseline file keeps them, and back; nullopt for a file that is not one.
[[nodiscard]] std::vector<std::uint8_t> BaselineBytes(const std::vector<RunEntry>& entries);
[[nodiscard]] std::optional<std::vector<RunEntry>>
ParseBaseline(const std::vector<std::uint8_t>& bytes);

inline constexpr char AutoStartBalloonTag[] = "autostart";
inline constexpr const char* BaselineFileName = "Programs at logon.txt";

// Starts the watcher while WatchAutoStart is 1, stops it while 0.
void ApplyAutoStartWatch(Program& p);
// A notice the tray could not show before it was re-created is shown now.
void ShowPendingAutoStartNotice(Program& p);
// The AutoStart page was shown: its lists refill when a change was noticed since.
void AutoStartPageShown(Program& p);
// A click on the notice: the window on the AutoStart page with the entry's line selected.
void ShowNoticedEntry(Program& p);

} // namespace trelvix
