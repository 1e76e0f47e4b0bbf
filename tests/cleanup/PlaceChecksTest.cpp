#include "cleanup/PlaceChecks.h"
#include "fakes/Fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using trelvix::FolderPlace;
using trelvix::PlaceVerdict;
using Arrange = std::function<void(fakes::FakeFiles&)>;

const std::string Profile = "C:\\Users\\user";
const std::string Local = Profile + "\\AppData\\Local";
const std::string Documents = Profile + "\\Documents";
const std::string InetCache = Local + "\\Microsoft\\Windows\\INetCache";

enum class Expect { Cleaned, Guarded, NotOfKind, Missing };

struct Row {
    std::string path;
    FolderPlace kind;
    Expect expect;
    Arrange arrange = nullptr;
};

const char* Name(Expect e) {
    switch (e) {
    case Expect::Cleaned:
        return "cleaned";
    case Expect::Guarded:
        return "a drive, system or user folder";
    case Expect::NotOfKind:
        return "not of its kind";
    case Expect::Missing:
        return "missing";
    }
    return "";
}

// What the place check says of `row` on a usual machine arranged as the row asks; the
// place's folder exists unless the row expects it missing.
Expect Verdict(const Row& row, std::string* refusal = nullptr) {
    fakes::FakePorts fake;
    fake.files.profileFolders.push_back("C:\\Users\\other");
    fake.files.AddFolder("C:\\Users\\other\\AppData\\Local\\Temp");
    fake.files.AddFolder(InetCache);
    if (row.arrange)
        row.arrange(fake.files);
    if (row.expect != Expect::Missing)
        fake.files.AddFolder(row.path);
    const trelvix::Place place =
        trelvix::CheckPlace(fake.ports, trelvix::ReadPlaceRules(fake.ports), row.kind, row.path);
    if (refusal != nullptr)
        *refusal = place.refusal;
    switch (place.verdict) {
    case PlaceVerdict::Usable:
        return Expect::Cleaned;
    case PlaceVerdict::Missing:
        return Expect::Missing;
    case PlaceVerdict::Refused:
        return place.refusal.find("drive, system or user") != std::string::npos ? Expect::Guarded
                                                                                : Expect::NotOfKind;
    case PlaceVerdict::Empty:
        break;
    }
    ADD_FAILURE() << "no path";
    return Expect::Missing;
}

// A folder the rules keep, and whether a folder named Temp inside it may be cleaned.
struct Kept {
    std::string folder;
    bool tempInsideCleaned;
    Arrange arrange = nullptr;
};

// Every folder kept from the cleanup as the place itself, as its parent and as its child; the
// child is called Temp, so that only the rule of the folder above it decides.
TEST(PlaceChecks, EveryKeptFolderAsThePlaceItsParentAndItsChild) {
    const Arrange oneDrive = [](fakes::FakeFiles& files) {
        files.knownFolders[port::KnownFolder::OneDrive] = Profile + "\\OneDrive";
    };
    const Arrange account = [](fakes::FakeFiles& files) {
        files.oneDriveFolders = {"D:\\OneDrive - Contoso"};
    };
    const Kept kept[] = {
        {"C:\\WINDOWS", true}, // its Temp is the one folder in it that is cleaned
        {"C:\\WINDOWS\\system32", false},
        {"C:\\WINDOWS\\SysWOW64", false},
        {"C:\\Program Files", false},
        {"C:\\Program Files (x86)", false},
        {"C:\\Users", true},
        {Profile, true},
        {Profile + "\\AppData\\Roaming", true},
        {Local, true},
        {Profile + "\\AppData\\LocalLow", true},
        {Local + "\\Trelvix", false}, // the program's own, with its backup of deleted entries
        {Profile + "\\Desktop", false},
        {Documents, false},
        {Profile + "\\Downloads", false},
        {Profile + "\\Pictures", false},
        {Profile + "\\Music", false},
        {Profile + "\\Videos", false},
        {Profile + "\\Favorites", false},
        {Profile + "\\Links", false},
        {Profile + "\\Contacts", false},
        {Profile + "\\Saved Games", false},
        {Profile + "\\Searches", false},
        {Profile + "\\OneDrive", false, oneDrive},
        {"D:\\OneDrive - Contoso", false, account},
        {"C:\\Users\\Public", false},
        {"C:\\Users\\Public\\Documents", false},
        {"C:\\ProgramData", false},
        {"C:\\Users\\other", false},
        {"C:\\Users\\Default", false},
    };
    for (const Kept& k : kept) {
        SCOPED_TRACE(k.folder);
        const std::string parent = k.folder.substr(0, k.folder.rfind('\\'));
        const Row rows[] = {
            {k.folder, FolderPlace::Temp, Expect::Guarded, k.arrange},
            {parent.size() == 2 ? parent + "\\" : parent, FolderPlace::Temp, Expect::Guarded,
             k.arrange},
            {k.folder + "\\Temp", FolderPlace::Temp,
             k.tempInsideCleaned ? Expect::Cleaned : Expect::Guarded, k.arrange},
        };
        for (const Row& row : rows)
            EXPECT_STREQ(Name(Verdict(row)), Name(row.expect)) << row.path;
    }
}

TEST(PlaceChecks, WhatIsCleanedAndWhatIsRefusedBesideIt) {
    const Arrange docsElsewhere = [](fakes::FakeFiles& files) {
        files.knownFolders[port::KnownFolder::Documents] = "D:\\Docs";
    };
    const Arrange docsOnARoot = [](fakes::FakeFiles& files) {
        files.knownFolders[port::KnownFolder::Documents] = "D:\\";
    };
    const Arrange cacheByLink = [](fakes::FakeFiles& files) {
        files.AddLink(Profile + "\\CacheLink", InetCache);
    };
    const Arrange docsLink = [](fakes::FakeFiles& files) {
        files.AddLink(Local + "\\Microsoft\\Windows\\Looks like a cache", Documents);
    };
    const Arrange noSystemCache = [](fakes::FakeFiles& files) {
        files.knownFolders.erase(port::KnownFolder::InternetCache);
    };
    const Arrange noOptional = [](fakes::FakeFiles& files) {
        for (auto folder : {port::KnownFolder::ProgramFilesX86, port::KnownFolder::ProgramFilesX64,
                            port::KnownFolder::SystemX86, port::KnownFolder::OneDrive})
            files.knownFolders.erase(folder);
    };
    const auto T = FolderPlace::Temp;
    const auto C = FolderPlace::Cache;
    const Row rows[] = {
        // Temporary folders.
        {Local + "\\Temp", T, Expect::Cleaned},
        {Local + "\\Temp\\2", T, Expect::Cleaned}, // a session's own
        {Profile + "\\Temp", T, Expect::Cleaned},  // as Wine lays it out
        {"D:\\Temp", T, Expect::Cleaned},
        {"E:\\build\\tmp", T, Expect::Cleaned},
        {"C:\\WINDOWS\\Temp", T, Expect::Cleaned},
        {"C:\\WINDOWS\\SystemTemp", T, Expect::Cleaned},
        {Local + "\\Temp", T, Expect::Cleaned, noOptional},
        {"D:\\Photos", T, Expect::NotOfKind},
        {Local + "\\Google\\Chrome\\User Data", T, Expect::NotOfKind},
        {Local + "\\Temp\\2a", T, Expect::NotOfKind},
        {"C:\\WINDOWS\\Temp\\sub", T, Expect::NotOfKind},
        {"C:\\WINDOWS\\system32\\Temp", T, Expect::Guarded},
        {"C:\\Users\\other\\AppData\\Local\\Temp", T, Expect::Guarded}, // another user's
        {"D:\\", T, Expect::Guarded},                                   // a root on another letter
        {"\\\\server\\share", T, Expect::Guarded},
        {"D:\\Temp", T, Expect::Missing},
        // Documents moved: the new folder is kept, the usual places are still cleaned.
        {"D:\\Docs", T, Expect::Guarded, docsElsewhere},
        {"D:\\Docs\\Temp", T, Expect::Guarded, docsElsewhere},
        {Local + "\\Temp", T, Expect::Cleaned, docsElsewhere},
        {InetCache, C, Expect::Cleaned, docsElsewhere},
        // Documents moved to a drive's root keeps only the root.
        {"D:\\", T, Expect::Guarded, docsOnARoot},
        {"D:\\Temp", T, Expect::Cleaned, docsOnARoot},
        // Browser folders: only the system's own.
        {InetCache, C, Expect::Cleaned},
        {Profile + "\\CacheLink", C, Expect::Cleaned, cacheByLink},
        {Local + "\\Microsoft\\Windows\\Temporary Internet Files", C, Expect::NotOfKind},
        {Local + "\\Microsoft\\Windows\\Looks like a cache", C, Expect::Guarded, docsLink},
        {InetCache + "\\Content.IE5", C, Expect::NotOfKind},
        {InetCache, FolderPlace::History, Expect::NotOfKind},
        {InetCache, C, Expect::NotOfKind, noSystemCache},
        {InetCache + "\\gone", C, Expect::Missing, noSystemCache},
        {Documents, C, Expect::Guarded},
        {Profile + "\\Desktop", T, Expect::Guarded},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(Name(Verdict(row)), Name(row.expect)) << row.path;
}

TEST(PlaceChecks, TheBoxSaysWhyInTheWordsOfThePlace) {
    const std::pair<Row, std::string> cases[] = {
        {{"D:\\Photos\\", FolderPlace::Temp, Expect::NotOfKind},
         "D:\\Photos\\ is not cleaned: it is not a temporary folder."},
        {{Documents, FolderPlace::Cache, Expect::NotOfKind},
         Documents + " is not cleaned: it is a drive, system or user folder."},
        {{"D:\\Cache", FolderPlace::Cache, Expect::NotOfKind},
         "D:\\Cache is not cleaned: it is not this computer's Temporary Internet Files folder."},
        {{"D:\\History", FolderPlace::History, Expect::NotOfKind},
         "D:\\History is not cleaned: it is not this computer's Internet History folder."},
        {{"D:\\Cookies", FolderPlace::Cookies, Expect::NotOfKind},
         "D:\\Cookies is not cleaned: it is not this computer's Cookies folder."},
    };
    for (const auto& [row, text] : cases) {
        std::string refusal;
        Verdict(row, &refusal);
        EXPECT_EQ(refusal, text);
    }
}

// Without a folder the rules need, nothing is cleaned and the box names the folder; the
// optional ones may be missing (see above).
TEST(PlaceChecks, AMissingRequiredFolderRefusesEveryPlace) {
    const std::pair<port::KnownFolder, const char*> required[] = {
        {port::KnownFolder::Windows, "Windows"},
        {port::KnownFolder::ProgramFiles, "Program Files"},
        {port::KnownFolder::Users, "Users"},
        {port::KnownFolder::Profile, "profile"},
        {port::KnownFolder::RoamingAppData, "Roaming"},
        {port::KnownFolder::LocalAppData, "Local"},
        {port::KnownFolder::LocalAppDataLow, "LocalLow"},
    };
    for (const auto& [folder, name] : required) {
        for (const char* given : {"", "Temp"}) {
            fakes::FakePorts fake;
            fake.files.AddFolder(InetCache);
            if (*given == 0)
                fake.files.knownFolders.erase(folder);
            else
                fake.files.knownFolders[folder] = given; // not a full path: no better
            const trelvix::PlaceRules rules = trelvix::ReadPlaceRules(fake.ports);
            for (const auto& [kind, path] : {std::pair{FolderPlace::Temp, Local + "\\Temp"},
                                             {FolderPlace::Cache, InetCache}}) {
                const trelvix::Place place = trelvix::CheckPlace(fake.ports, rules, kind, path);
                EXPECT_EQ(place.verdict, PlaceVerdict::Refused) << name;
                EXPECT_EQ(place.refusal, std::string("Nothing is cleaned: this computer's ") +
                                             name + " folder could not be found.");
            }
        }
    }
}

} // namespace
