#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>

namespace trelvix {

class Program;
class SharedPlaceRules;

// The four folder places, in the order of their sub-tabs.
enum class FolderPlace { Temp, Cache, History, Cookies };

// What the FreeTemp page keeps between refreshes.
struct OptionalFilesState {
    // The shell-folder paths read at the last refresh of their place.
    std::string CachePath, HistoryPath, CookiesPath;
    // Bytes found at the last refresh of each place, and their sum at the last RefreshTotal.
    std::int64_t TempSize = 0, CacheSize = 0, HistorySize = 0, CookiesSize = 0, RecycleSize = 0;
    std::int64_t TotalSize = 0;
    // The browser and app caches at their last walk: the bytes and files a deletion may take.
    std::int64_t AppCachesSize = 0, AppCacheFiles = 0;
    // Files found at the last sizing walk of each folder place: what its deletion expects.
    std::array<std::int64_t, 4> FilesFound{};
    // Per folder place, the path its last walk checked and whether no folder was there.
    std::array<std::string, 4> WalkedPath;
    std::array<bool, 4> FolderMissing{};
    // The item last clicked in ListBox8, put back after every refill.
    std::int32_t TempListIndex = 0;
    // The deletion warning was dealt with during the delete action now running.
    bool AskedThisAction = false;
    // Per place, the four folders, the Recycle Bin, then the caches: a walk runs off the
    // window's thread (or, for the caches, waits for the others), one more was asked for
    // while it ran, a result has arrived since the start.
    std::array<bool, 6> Walking{}, WalkAgain{}, Counted{};
    // The caches' walk waits for the places' walks to end, with the rules it was given.
    bool AppCachesWaiting = false;
    std::shared_ptr<SharedPlaceRules> AppCachesRules;
    // RefreshTotal was asked for while walks ran: it follows the last of them.
    bool TotalWanted = false, TotalCounted = false;
    // A delete action runs; a stop asked of it stops it between two files.
    bool Deleting = false;
    std::stop_source StopDeleting;
};

// A byte count in groups of three digits, separated by one blank: 1234567 -> "1 234 567".
std::string FormatGrouped(std::int64_t n);

// The temporary folder as the system gives it (with its trailing backslash).
std::string GetTempDir(Program& p);
// The folder of a place as the last refresh read it (the temporary folder: as now).
std::string PlacePath(Program& p, FolderPlace place);
// The caption of a place's sub-tab, naming it in progress texts; the Recycle Bin's without
// a place.
std::string PlaceCaption(Program& p, FolderPlace place);
std::string RecycleBinCaption(Program& p);
std::string AppCachesCaption(Program& p);

// Each refresh of a place walks it off the window's thread and shows what it found when
// the walk ends; a refresh asked for while a walk of the same place runs makes one more walk
// follow it. Until a place's first result, its size lines read "Counting...".
void RefreshTemp(Program& p);
void RefreshTempLabel(Program& p);
void RefreshInternetCache(Program& p);
void RefreshHistory(Program& p);
void RefreshCookies(Program& p);
void RefreshRecycleBin(Program& p);
// The browser and app caches: their walk starts once the places' walks have ended, so the
// temporary folder's size shows first.
void RefreshAppCaches(Program& p, std::shared_ptr<SharedPlaceRules> rules = nullptr);
// The sum of the sizes, once no walk is running.
void RefreshTotal(Program& p);
// All of the above, in that order.
void RefreshFreeTemp(Program& p);
// The refresh of one folder place: RefreshTemp for the temporary folder. The place is checked
// against `rules`, those of the refresh or action it is part of (when none are given, its own).
void RefreshPlace(Program& p, FolderPlace place, std::shared_ptr<SharedPlaceRules> rules = nullptr);

// The place has no folder to show: its path is empty, or, for a shell-folder place, its
// last walk found none at that path. Asks nothing of the disk.
[[nodiscard]] bool PlaceHasNoFolder(Program& p, FolderPlace place);

// The delete and browse buttons of the five places share the first ones' glyphs.
void ShareFreeTempGlyphs(Program& p);

} // namespace trelvix
