#include "cleanup/PlaceChecks.h"

#include "platform/Ports.h"

#include <algorithm>
#include <cctype>
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

// The folders no place may be or hold, in both spellings: as the system names them and
// with their links followed.
std::vector<std::string> ProtectedFolders(port::Ports& ports) {
    using port::KnownFolder;
    std::vector<std::string> named = {ports.shell.SystemDirectory()};
    for (KnownFolder known :
         {KnownFolder::Windows, KnownFolder::SystemX86, KnownFolder::ProgramFiles,
          KnownFolder::ProgramFilesX86, KnownFolder::ProgramFilesX64, KnownFolder::Users,
          KnownFolder::Profile})
        named.push_back(ports.files.KnownFolderPath(known));
    std::vector<std::string> folders;
    for (const std::string& path : named) {
        const std::string normal = NormalFolderPath(path);
        if (normal.empty())
            continue;
        folders.push_back(normal);
        const std::string final = NormalFolderPath(ports.files.FinalPath(normal));
        if (!final.empty())
            folders.push_back(final);
    }
    return folders;
}

bool IsProtected(const std::string& normal, const std::vector<std::string>& folders) {
    return IsRoot(normal) || std::any_of(folders.begin(), folders.end(), [&](const auto& folder) {
               return FolderWithin(folder, normal);
           });
}

} // namespace

Place CheckPlace(port::Ports& ports, const std::string& path) {
    auto verdictOnly = [](PlaceVerdict verdict) { return Place{verdict, {}, false}; };
    if (path.empty())
        return verdictOnly(PlaceVerdict::Empty);
    const std::string normal = NormalFolderPath(path);
    if (normal.empty())
        return verdictOnly(PlaceVerdict::NotAbsolute);
    const std::vector<std::string> folders = ProtectedFolders(ports);
    if (IsProtected(normal, folders))
        return verdictOnly(PlaceVerdict::Protected);
    const std::string final = NormalFolderPath(ports.files.FinalPath(normal));
    if (final.empty())
        return verdictOnly(PlaceVerdict::Missing);
    if (IsProtected(final, folders))
        return verdictOnly(PlaceVerdict::Protected);
    return {PlaceVerdict::Usable, final, !SameLetters(final, normal)};
}

std::string RefusalText(const std::string& path, PlaceVerdict verdict) {
    if (verdict == PlaceVerdict::NotAbsolute)
        return path + " is not cleaned: it is not a full path.";
    return path + " is not cleaned: it is a drive, system or profile folder.";
}

} // namespace trelvix
