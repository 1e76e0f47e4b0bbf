#pragma once

#include <cstdint>
#include <string>

namespace trelvix {

class Program;

// What the FreeTemp page keeps between refreshes.
struct OptionalFilesState {
    // The shell-folder paths read at the last refresh of their place.
    std::string CachePath, HistoryPath, CookiesPath;
    // Bytes found at the last refresh of each place, and their sum at the last RefreshTotal.
    std::int64_t TempSize = 0, CacheSize = 0, HistorySize = 0, CookiesSize = 0, RecycleSize = 0;
    std::int64_t TotalSize = 0;
    // The item last clicked in ListBox8, put back after every refill.
    std::int32_t TempListIndex = 0;
    // The deletion warning was dealt with during the delete action now running.
    bool AskedThisAction = false;
};

// The four folder places, in the order of their sub-tabs.
enum class FolderPlace { Temp, Cache, History, Cookies };

// A byte count in groups of three digits, separated by one blank: 1234567 -> "1 234 567".
std::string FormatGrouped(std::int64_t n);

// The temporary folder as the system gives it (with its trailing backslash).
std::string GetTempDir(Program& p);
// The folder of a place as the last refresh read it (the temporary folder: as now).
std::string PlacePath(Program& p, FolderPlace place);

void RefreshTemp(Program& p);
void RefreshTempLabel(Program& p);
void RefreshInternetCache(Program& p);
void RefreshHistory(Program& p);
void RefreshCookies(Program& p);
void RefreshRecycleBin(Program& p);
void RefreshTotal(Program& p);
// All of the above, in that order.
void RefreshFreeTemp(Program& p);
// The refresh of one folder place: RefreshTemp for the temporary folder.
void RefreshPlace(Program& p, FolderPlace place);

// The delete and browse buttons of the five places share the first ones' glyphs.
void ShareFreeTempGlyphs(Program& p);

} // namespace trelvix
