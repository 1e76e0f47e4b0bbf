#include "cleanup/PlaceChecks.h"

#include "autostart/DeletedEntriesFile.h"
#include "cleanup/FolderWalk.h"
#include "platform/Ports.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

namespace trelvix {

namespace {

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

// Takes the root off `rest`: "C:" of a drive path, "\\server\share" of a share path; ""
// when the path has no such root.
std::string TakeRoot(std::string& rest) {
    if (rest.size() >= 3 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':' &&
        rest[2] == '\\') {
        std::string root{static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0]))), ':'};
        rest.erase(0, 3);
        return root;
    }
    if (!StartsWith(rest, "\\\\"))
        return {};
    const size_t server = rest.find('\\', 2);
    if (server == std::string::npos || server == 2)
        return {};
    size_t share = rest.find('\\', server + 1);
    if (share == std::string::npos)
        share = rest.size();
    if (share == server + 1)
        return {};
    std::string root = rest.substr(0, share);
    rest.erase(0, share);
    return root;
}

// Windows drops trailing dots and blanks from each name of an ordinary path.
std::string TrimmedName(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name;
}

} // namespace

std::string NormalFolderPath(const std::string& path) {
    std::string rest = path;
    std::replace(rest.begin(), rest.end(), '/', '\\');
    // Names after these prefixes are taken as they are: no dots or blanks dropped.
    bool verbatim = false;
    for (const char* prefix : {"\\\\?\\", "\\\\.\\"}) {
        if (!StartsWith(rest, prefix))
            continue;
        verbatim = true;
        rest.erase(0, 4);
        if (StartsWith(rest, "UNC\\"))
            rest.replace(0, 4, "\\\\");
        break;
    }
    std::string root = TakeRoot(rest);
    if (root.empty())
        return {};

    std::vector<std::string> names;
    size_t at = 0;
    while (at <= rest.size()) {
        size_t end = std::min(rest.find('\\', at), rest.size());
        std::string name = rest.substr(at, end - at);
        at = end + 1;
        if (name.empty() || name == ".") {
            if (verbatim && !name.empty())
                return {};
            continue;
        }
        if (name == "..") {
            if (verbatim)
                return {};
            if (!names.empty())
                names.pop_back();
            continue;
        }
        if (!verbatim)
            name = TrimmedName(name);
        if (!name.empty())
            names.push_back(name);
    }
    std::string normal = root;
    for (const std::string& name : names)
        normal += "\\" + name;
    if (names.empty() && root.size() == 2)
        normal += "\\";
    return normal;
}

bool FolderWithin(const std::string& inner, const std::string& outer) {
    if (inner.size() < outer.size() || !SameLetters(inner.substr(0, outer.size()), outer))
        return false;
    return inner.size() == outer.size() || outer.back() == '\\' || inner[outer.size()] == '\\';
}

namespace {

bool IsRoot(const std::string& normal) {
    if (normal.size() == 3 && normal[1] == ':')
        return true;
    // "\\server\share": one backslash after the leading two.
    return StartsWith(normal, "\\\\") && std::count(normal.begin() + 2, normal.end(), '\\') == 1;
}

// Two final paths name the same folder; a path the system could not follow names none.
bool SameFolder(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && SameLetters(a, b);
}

std::string LastName(const std::string& normal) {
    return normal.substr(normal.rfind('\\') + 1);
}

std::string Parent(const std::string& normal) {
    const size_t last = normal.rfind('\\');
    return IsRoot(normal) || last == std::string::npos ? std::string() : normal.substr(0, last);
}

bool AnyWithin(const std::string& place, const std::vector<std::string>& folders, bool exactly) {
    return std::any_of(folders.begin(), folders.end(), [&](const std::string& folder) {
        return exactly ? SameLetters(place, folder) : FolderWithin(place, folder);
    });
}

// The spellings of a folder: as given and with its links followed; none for "".
std::vector<std::string> Spellings(port::Files& files, const std::string& path) {
    std::vector<std::string> spellings;
    const std::string normal = NormalFolderPath(path);
    if (normal.empty())
        return spellings;
    spellings.push_back(normal);
    const std::string final = NormalFolderPath(files.FinalPath(normal));
    if (!final.empty() && !SameLetters(final, normal))
        spellings.push_back(final);
    return spellings;
}

std::vector<std::string> Below(const std::vector<std::string>& folders, const std::string& name) {
    std::vector<std::string> paths;
    for (const std::string& folder : folders)
        paths.push_back(PathIn(folder, name));
    return paths;
}

// What the rules call the required folders when one is missing.
struct RequiredFolder {
    port::KnownFolder folder;
    const char* name;
};
constexpr RequiredFolder Required[] = {
    {port::KnownFolder::Windows, "Windows"},
    {port::KnownFolder::ProgramFiles, "Program Files"},
    {port::KnownFolder::Users, "Users"},
    {port::KnownFolder::Profile, "profile"},
    {port::KnownFolder::RoamingAppData, "Roaming"},
    {port::KnownFolder::LocalAppData, "Local"},
    {port::KnownFolder::LocalAppDataLow, "LocalLow"},
};

// Folders of the user's own files: a place may not be, hold or lie in one of them.
constexpr port::KnownFolder UserFolders[] = {
    port::KnownFolder::Desktop,    port::KnownFolder::Documents,   port::KnownFolder::Downloads,
    port::KnownFolder::Pictures,   port::KnownFolder::Music,       port::KnownFolder::Videos,
    port::KnownFolder::Favorites,  port::KnownFolder::Links,       port::KnownFolder::Contacts,
    port::KnownFolder::SavedGames, port::KnownFolder::Searches,    port::KnownFolder::OneDrive,
    port::KnownFolder::Public,     port::KnownFolder::ProgramData,
};

class RulesReader {
  public:
    explicit RulesReader(port::Ports& ports) : ports_(ports) {}

    PlaceRules Read() {
        using K = port::KnownFolder;
        for (const RequiredFolder& required : Required) {
            known_[required.folder] = Known(required.folder);
            if (known_[required.folder].empty()) {
                rules_.missing = required.name;
                return std::move(rules_);
            }
        }
        const auto& windows = known_[K::Windows];
        const auto& local = known_[K::LocalAppData];
        const auto& profile = known_[K::Profile];
        std::vector<std::string> windowsTemps = Below(windows, "Temp");
        for (std::string& folder : Below(windows, "SystemTemp"))
            windowsTemps.push_back(std::move(folder));
        for (const std::string& folder : windows)
            rules_.guards.push_back({folder, true, windowsTemps});
        for (const std::string& path :
             {Path(K::SystemX86), Path(K::ProgramFiles), Path(K::ProgramFilesX86),
              Path(K::ProgramFilesX64), ports_.shell.SystemDirectory()})
            Guard(path, true);
        for (const std::string& folder : local)
            Guard(PathIn(folder, DeletedEntriesFolder), true);
        for (K folder :
             {K::Users, K::Profile, K::RoamingAppData, K::LocalAppData, K::LocalAppDataLow})
            for (const std::string& spelling : known_[folder])
                rules_.guards.push_back({spelling, false, {}});
        for (K folder : UserFolders)
            GuardUserFolder(Path(folder));
        for (const std::string& folder : ports_.files.OneDriveFolders())
            GuardUserFolder(folder);
        for (const std::string& folder : ports_.files.ProfileFolders())
            if (!AnyOf(Spellings(ports_.files, folder), profile))
                GuardUserFolder(folder);

        for (const auto& base : {local, profile})
            for (const std::string& folder : base)
                Add(rules_.tempFolders, PathIn(folder, "Temp"));
        for (const std::string& folder : windowsTemps)
            Add(rules_.tempFolders, folder);
        for (const std::string& folder : local)
            Add(rules_.sessionParents, PathIn(folder, "Temp"));
        rules_.localAppData = local;
        rules_.roamingAppData = known_[K::RoamingAppData].front();
        const K browser[] = {K::InternetCache, K::History, K::Cookies};
        for (size_t i = 0; i < std::size(browser); ++i)
            rules_.browserFolders[i] =
                NormalFolderPath(ports_.files.FinalPath(NormalFolderPath(Path(browser[i]))));
        return std::move(rules_);
    }

  private:
    std::string Path(port::KnownFolder folder) { return ports_.files.KnownFolderPath(folder); }
    std::vector<std::string> Known(port::KnownFolder folder) {
        return Spellings(ports_.files, Path(folder));
    }
    static bool AnyOf(const std::vector<std::string>& spellings,
                      const std::vector<std::string>& of) {
        return std::any_of(spellings.begin(), spellings.end(),
                           [&](const std::string& s) { return AnyWithin(s, of, true); });
    }
    void Add(std::vector<std::string>& to, const std::string& path) {
        for (std::string& spelling : Spellings(ports_.files, path))
            to.push_back(std::move(spelling));
    }
    void Guard(const std::string& path, bool inside) {
        for (std::string& spelling : Spellings(ports_.files, path))
            rules_.guards.push_back({std::move(spelling), inside, {}});
    }
    // One moved to a drive's root guards only the root itself.
    void GuardUserFolder(const std::string& path) {
        for (std::string& spelling : Spellings(ports_.files, path)) {
            const bool root = IsRoot(spelling);
            rules_.guards.push_back({std::move(spelling), !root, {}});
        }
    }

    port::Ports& ports_;
    PlaceRules rules_;
    std::map<port::KnownFolder, std::vector<std::string>> known_;
};

bool Refuses(const PlaceRules::Guard& guard, const std::string& place) {
    if (FolderWithin(guard.folder, place))
        return true;
    return guard.inside && FolderWithin(place, guard.folder) &&
           !AnyWithin(place, guard.except, false);
}

bool IsGuarded(const PlaceRules& rules, const std::string& place) {
    return IsRoot(place) ||
           std::any_of(rules.guards.begin(), rules.guards.end(),
                       [&](const PlaceRules::Guard& guard) { return Refuses(guard, place); });
}

bool IsTemporaryFolder(const PlaceRules& rules, const std::string& final) {
    const std::string name = LastName(final);
    if (SameLetters(name, "Temp") || SameLetters(name, "Tmp") ||
        AnyWithin(final, rules.tempFolders, true))
        return true;
    const bool numbered = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    return numbered && AnyWithin(Parent(final), rules.sessionParents, true);
}

// What the box calls each place when it is not the folder it must be.
const char* KindName(FolderPlace kind) {
    switch (kind) {
    case FolderPlace::Temp:
        break;
    case FolderPlace::Cache:
        return "Temporary Internet Files";
    case FolderPlace::History:
        return "Internet History";
    case FolderPlace::Cookies:
        return "Cookies";
    }
    return "";
}

bool IsOfKind(const PlaceRules& rules, FolderPlace kind, const std::string& final) {
    if (kind == FolderPlace::Temp)
        return IsTemporaryFolder(rules, final);
    return SameFolder(final, rules.browserFolders.at(static_cast<size_t>(kind) - 1));
}

std::string NotOfKindText(const std::string& path, FolderPlace kind) {
    if (kind == FolderPlace::Temp)
        return path + " is not cleaned: it is not a temporary folder.";
    return path + " is not cleaned: it is not this computer's " + KindName(kind) + " folder.";
}

Place Refused(std::string text) {
    return {PlaceVerdict::Refused, {}, std::move(text), {}};
}

} // namespace

PlaceRules ReadPlaceRules(port::Ports& ports) {
    return RulesReader(ports).Read();
}

namespace {

// The checks every place goes through. Gives the place's final path, or the verdict that
// ends its check.
std::optional<Place> CheckAnyPlace(port::Ports& ports, const PlaceRules& rules,
                                   const std::string& path, std::string& final) {
    if (path.empty())
        return Place{};
    if (!rules.missing.empty())
        return Refused("Nothing is cleaned: this computer's " + rules.missing +
                       " folder could not be found.");
    const std::string normal = NormalFolderPath(path);
    if (normal.empty())
        return Refused(path + " is not cleaned: it is not a full path.");
    const std::string guarded = path + " is not cleaned: it is a drive, system or user folder.";
    if (IsGuarded(rules, normal))
        return Refused(guarded);
    final = NormalFolderPath(ports.files.FinalPath(normal));
    if (final.empty())
        return Place{PlaceVerdict::Missing, {}, {}, {}};
    if (IsGuarded(rules, final))
        return Refused(guarded);
    return std::nullopt;
}

bool HasDotName(const std::string& relative) {
    size_t at = 0;
    while (at <= relative.size()) {
        const size_t end = std::min(relative.find('\\', at), relative.size());
        const std::string name = relative.substr(at, end - at);
        if (name.empty() || name == "." || name == "..")
            return true;
        at = end + 1;
    }
    return false;
}

} // namespace

Place CheckPlace(port::Ports& ports, const PlaceRules& rules, FolderPlace kind,
                 const std::string& path) {
    std::string final;
    if (std::optional<Place> ended = CheckAnyPlace(ports, rules, path, final))
        return std::move(*ended);
    if (!IsOfKind(rules, kind, final))
        return Refused(NotOfKindText(path, kind));
    Place place{PlaceVerdict::Usable, final, {}, {}};
    // Outlook keeps the attachments it opened here, which the user may have changed.
    if (kind == FolderPlace::Cache)
        place.kept.push_back(PathIn(final, "Content.Outlook"));
    return place;
}

Place CheckCachePlace(port::Ports& ports, const PlaceRules& rules, const std::string& relative) {
    if (rules.localAppData.empty())
        return Refused("Nothing is cleaned: this computer's " +
                       (rules.missing.empty() ? std::string("Local") : rules.missing) +
                       " folder could not be found.");
    const std::string path = PathIn(rules.localAppData.front(), relative);
    if (HasDotName(relative))
        return Refused(path + " is not cleaned: it is not a full path.");
    std::string final;
    if (std::optional<Place> ended = CheckAnyPlace(ports, rules, path, final))
        return std::move(*ended);
    const std::string expected = NormalFolderPath(PathIn(rules.localAppData.back(), relative));
    if (!SameFolder(final, expected))
        return Refused(path + " is not cleaned: a link leads it elsewhere.");
    return {PlaceVerdict::Usable, final, {}, {}};
}

} // namespace trelvix
