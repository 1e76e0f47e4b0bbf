#include "cleanup/AppCaches.h"

#include "cleanup/FolderWalk.h"
#include "cleanup/OptionalFiles.h"
#include "cleanup/PlaceChecks.h"
#include "platform/Ports.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace trelvix {

namespace {

// A browser built on Chromium: its user data folder below the local application data,
// and, for one that keeps its profiles in the roaming folder, that one too.
struct ChromiumBrowser {
    const char* name;
    const char* userData;
    const char* roamingUserData;
    // Older versions keep the caches in the user data folder itself.
    bool cachesWithoutProfile;
};
// Current Opera keeps its profiles (Preferences, cookies, history) in the roaming folder
// and each profile's caches in a folder of the same name in the local one.
constexpr ChromiumBrowser ChromiumBrowsers[] = {
    {"Chrome", "Google\\Chrome\\User Data", nullptr, false},
    {"Edge", "Microsoft\\Edge\\User Data", nullptr, false},
    {"Brave", "BraveSoftware\\Brave-Browser\\User Data", nullptr, false},
    {"Vivaldi", "Vivaldi\\User Data", nullptr, false},
    {"Chromium", "Chromium\\User Data", nullptr, false},
    {"Opera", "Opera Software\\Opera Stable", "Opera Software\\Opera Stable", true},
};
constexpr const char* ChromiumCaches[] = {"Cache", "Code Cache", "GPUCache"};

constexpr const char* FirefoxProfiles = "Mozilla\\Firefox\\Profiles";

struct SystemCache {
    const char* name;
    std::vector<const char*> folders;
};

const std::vector<SystemCache>& SystemCaches() {
    static const std::vector<SystemCache> caches = {
        {"Crash dumps", {"CrashDumps"}},
        {"Error reports",
         {"Microsoft\\Windows\\WER\\ReportArchive", "Microsoft\\Windows\\WER\\ReportQueue"}},
        {"DirectX shader cache", {"D3DSCache"}},
    };
    return caches;
}

std::string Join(const std::string& relative, const std::string& name) {
    return relative + "\\" + name;
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

class CacheFinder {
  public:
    CacheFinder(port::Ports& ports, const PlaceRules& rules) : ports_(ports), rules_(rules) {}

    std::vector<CacheGroup> Find() {
        if (rules_.localAppData.empty()) {
            // The checks refuse every folder alike; one group says why.
            AddGroup("", "", false, {"CrashDumps"});
            return std::move(groups_);
        }
        for (const ChromiumBrowser& browser : ChromiumBrowsers)
            FindChromium(browser);
        FindFirefox();
        for (const SystemCache& cache : SystemCaches())
            AddGroup(cache.name, "", false, {cache.folders.begin(), cache.folders.end()});
        return std::move(groups_);
    }

  private:
    std::string Local(const std::string& relative) const {
        return PathIn(rules_.localAppData.front(), relative);
    }
    std::string Roaming(const std::string& relative) const {
        return PathIn(rules_.roamingAppData, relative);
    }

    // A lock that cannot be opened is held by a running browser; one that could not be
    // checked counts as held.
    bool Held(const std::string& lock) {
        return ports_.files.TryOpenFile(lock) == port::FileOpening::Refused;
    }

    // The plain folders of a folder, in numeric order; links are never taken as profiles.
    std::vector<std::string> Subfolders(const std::string& folder) {
        std::vector<std::string> names;
        const port::FolderListing listing = ports_.files.ListFolder(folder, false);
        if (listing.kind != port::FolderKind::Folder)
            return names;
        for (const port::FolderEntry& entry : listing.entries)
            if ((entry.attributes & port::attr::Directory) != 0 && entry.name != "." &&
                entry.name != ".." && !entry.name.empty())
                names.push_back(entry.name);
        std::sort(names.begin(), names.end(), NumericLess);
        return names;
    }

    void FindChromium(const ChromiumBrowser& browser) {
        const std::string userData = browser.userData;
        if (ports_.files.ListFolder(Local(userData), false).kind != port::FolderKind::Folder)
            return;
        bool running = Held(Local(Join(userData, "lockfile")));
        if (browser.roamingUserData != nullptr)
            running = running || Held(Roaming(Join(browser.roamingUserData, "lockfile")));
        if (browser.cachesWithoutProfile)
            AddGroup(browser.name, browser.name, running, CachesOf(userData));
        for (const std::string& profile : Subfolders(Local(userData))) {
            const std::string relative = Join(userData, profile);
            bool isProfile = ports_.files.FileExists(Local(Join(relative, "Preferences")));
            if (browser.roamingUserData != nullptr)
                isProfile =
                    isProfile || ports_.files.FileExists(Roaming(
                                     Join(Join(browser.roamingUserData, profile), "Preferences")));
            if (isProfile)
                AddGroup(std::string(browser.name) + " (" + profile + ")", browser.name, running,
                         CachesOf(relative));
        }
    }

    static std::vector<std::string> CachesOf(const std::string& relative) {
        std::vector<std::string> caches;
        for (const char* cache : ChromiumCaches)
            caches.push_back(Join(relative, cache));
        return caches;
    }

    // Only the local profiles' caches: the roaming profile holds cookies and passwords and
    // is only looked at for its lock.
    void FindFirefox() {
        for (const std::string& profile : Subfolders(Local(FirefoxProfiles))) {
            const std::string relative = Join(FirefoxProfiles, profile);
            const bool running = Held(Local(Join(relative, "parent.lock"))) ||
                                 Held(Roaming(Join(relative, "parent.lock")));
            AddGroup("Firefox (" + profile + ")", "Firefox", running, {Join(relative, "cache2")});
        }
    }

    // A group that has a cache folder, or a refusal to say.
    void AddGroup(std::string name, std::string browser, bool running,
                  const std::vector<std::string>& relatives) {
        CacheGroup group{std::move(name), std::move(browser), running, {}, {}, 0, 0};
        for (const std::string& relative : relatives) {
            Place place = CheckCachePlace(ports_, rules_, relative);
            if (place.verdict == PlaceVerdict::Usable)
                group.folders.push_back(std::move(place.folder));
            else if (place.verdict == PlaceVerdict::Refused)
                group.refusals.push_back(std::move(place.refusal));
        }
        if (!group.folders.empty() || !group.refusals.empty())
            groups_.push_back(std::move(group));
    }

    port::Ports& ports_;
    const PlaceRules& rules_;
    std::vector<CacheGroup> groups_;
};

} // namespace

bool NumericLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            size_t iEnd = i, jEnd = j;
            while (iEnd < a.size() && IsDigit(a[iEnd]))
                ++iEnd;
            while (jEnd < b.size() && IsDigit(b[jEnd]))
                ++jEnd;
            std::string_view x(a.data() + i, iEnd - i), y(b.data() + j, jEnd - j);
            while (x.size() > 1 && x.front() == '0')
                x.remove_prefix(1);
            while (y.size() > 1 && y.front() == '0')
                y.remove_prefix(1);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (x != y)
                return x < y;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const auto x = std::tolower(static_cast<unsigned char>(a[i]));
        const auto y = std::tolower(static_cast<unsigned char>(b[j]));
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::vector<CacheGroup> FindAppCaches(port::Ports& ports, const PlaceRules& rules) {
    return CacheFinder(ports, rules).Find();
}

void SizeAppCaches(port::Files& files, std::vector<CacheGroup>& groups, WalkProgress& progress) {
    for (CacheGroup& group : groups) {
        const std::int64_t before = progress.files;
        for (const std::string& folder : group.folders)
            group.size += DirSize(files, folder, &progress);
        group.files = progress.files - before;
    }
}

CacheSummary SummariseAppCaches(const std::vector<CacheGroup>& groups) {
    CacheSummary summary;
    for (const CacheGroup& group : groups) {
        if (group.folders.empty())
            continue;
        summary.lines.push_back(group.name + ": " + FormatGrouped(group.size) + " bytes");
        if (group.running)
            continue;
        summary.deletable += group.size;
        summary.files += group.files;
    }
    return summary;
}

CacheEmptying EmptyAppCaches(port::Files& files, const std::vector<CacheGroup>& groups,
                             WalkProgress& progress) {
    CacheEmptying done;
    for (const CacheGroup& group : groups) {
        for (const std::string& refusal : group.refusals)
            if (std::find(done.refusals.begin(), done.refusals.end(), refusal) ==
                done.refusals.end())
                done.refusals.push_back(refusal);
        if (group.running) {
            if (!group.folders.empty() && std::find(done.running.begin(), done.running.end(),
                                                    group.browser) == done.running.end())
                done.running.push_back(group.browser);
            continue;
        }
        for (const std::string& folder : group.folders) {
            if (progress.stop.stop_requested())
                return done;
            DeleteFolderContent(files, folder, {}, &progress);
        }
    }
    return done;
}

std::string RunningBrowsersNote(const std::vector<std::string>& browsers) {
    if (browsers.empty())
        return {};
    std::string names = browsers.front();
    for (size_t i = 1; i < browsers.size(); ++i)
        names += (i + 1 == browsers.size() ? " and " : ", ") + browsers[i];
    return "Close " + names +
           (browsers.size() == 1 ? " to clean its caches." : " to clean their caches.");
}

} // namespace trelvix
