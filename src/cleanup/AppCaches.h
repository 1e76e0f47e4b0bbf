#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace port {
struct Ports;
class Files;
} // namespace port

namespace trelvix {

struct PlaceRules;
struct WalkProgress;

// One line of the Browser and App Caches sub-tab: the caches of one browser profile, or one
// kind of the system's caches. Every folder is built from the user's local application data
// and fixed names, and went through the place checks.
struct CacheGroup {
    std::string name;    // "Chrome (Profile 1)", "Opera", "Crash dumps"
    std::string browser; // the browser whose running keeps them; "" for the system's caches
    // The browser holds its profile lock: the caches are shown but neither deleted nor counted.
    bool running = false;
    std::vector<std::string> folders;  // final paths of the cache folders the checks let through
    std::vector<std::string> refusals; // why the others were refused
    std::int64_t size = 0, files = 0;
};

// Every cache there is, in the sub-tab's order: the Chromium browsers' profiles in numeric
// order, Opera, Firefox's local profiles, crash dumps, error reports, the shader cache.
// Runs off the window's thread: ports only.
std::vector<CacheGroup> FindAppCaches(port::Ports& ports, const PlaceRules& rules);
// Sizes each group's folders; links inside are not followed.
void SizeAppCaches(port::Files& files, std::vector<CacheGroup>& groups, WalkProgress& progress);

// What the sub-tab shows of a sizing: one line per group that has a cache folder, and the
// bytes and files a deletion may take (those of running browsers left out).
struct CacheSummary {
    std::vector<std::string> lines;
    std::int64_t deletable = 0, files = 0;
};
CacheSummary SummariseAppCaches(const std::vector<CacheGroup>& groups);

// What an emptying left: why folders were refused, and the running browsers it left alone.
struct CacheEmptying {
    std::vector<std::string> refusals;
    std::vector<std::string> running;
};
// Empties the cache folders of every browser that is not running and of the system; the
// folders themselves stay. Stops between two files when `progress.stop` asks.
CacheEmptying EmptyAppCaches(port::Files& files, const std::vector<CacheGroup>& groups,
                             WalkProgress& progress);

// "Close Chrome and Firefox to clean their caches."; "" when no browser was left alone.
std::string RunningBrowsersNote(const std::vector<std::string>& browsers);

// Whether `a` comes before `b` with runs of digits compared as numbers ("Profile 2" before
// "Profile 10"), letters without regard to case.
bool NumericLess(const std::string& a, const std::string& b);

} // namespace trelvix
