#include "cleanup/OptionalFiles.h"

#include "app/BackgroundJobs.h"
#include "app/Program.h"
#include "cleanup/AppCaches.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

#include <algorithm>

namespace trelvix {

namespace {

constexpr const char* ShellFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// How one folder place shows on the page.
struct PlaceView {
    const char* shellFolder; // the value naming its folder; nullptr for the temporary folder
    std::string OptionalFilesState::*path;
    std::int64_t OptionalFilesState::*size;
    const char* titlePrefix;
    const char* sizeSuffix;
    const char* linePrefix;
    tk::Label TMainForm::*title;
    tk::ListBox TMainForm::*list;
    tk::Label TMainForm::*sizeLabel;
    tk::Label TMainForm::*line;
};

const PlaceView& ViewOf(FolderPlace place) {
    using S = OptionalFilesState;
    using F = TMainForm;
    static const PlaceView views[] = {
        {nullptr, nullptr, &S::TempSize, "Temporary Directory is: \r",
         " Bytes \rin Temporary Files!", "Temporary Files: ", &F::Label1, &F::ListBox8, &F::Label2,
         &F::Label33},
        {"Cache", &S::CachePath, &S::CacheSize, "Temporary Internet Directory is: \r",
         " Bytes \rin Temporary Internet Files!", "Temporary Internet Files: ", &F::Label22,
         &F::ListBox12, &F::Label26, &F::Label34},
        {"History", &S::HistoryPath, &S::HistorySize, "Internet History Directory is: \r",
         " Bytes \rin Internet History Files!", "Internet History Files: ", &F::Label24,
         &F::ListBox13, &F::Label27, &F::Label35},
        {"Cookies", &S::CookiesPath, &S::CookiesSize, "Cookies Directory is: \r",
         " Bytes \rin Cookies Files!", "Cookies Files: ", &F::Label25, &F::ListBox14, &F::Label28,
         &F::Label36},
    };
    return views[static_cast<int>(place)];
}

// A key that does not open leaves the path as it was; a missing value empties it. A value
// of another type is reported and counts as missing.
void ReadShellFolder(Program& p, const PlaceView& view) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
    if (!reg.OpenKeyReadOnly(ShellFoldersKey))
        return;
    std::string& path = p.OptionalFiles.*view.path;
    try {
        path = reg.ReadString(view.shellFolder);
    } catch (const tk::Exception& error) {
        path.clear();
        p.App.ShowException(error);
    }
}

constexpr size_t RecycleBinWalk = 4;
constexpr size_t AppCachesWalk = 5;
constexpr const char* Counting = "Counting...";

// What a walk of a folder place found.
struct PlaceFindings {
    std::string path;
    bool missing = false;
    std::vector<std::string> content;
    std::int64_t size = 0;
    std::int64_t files = 0;
};

// Lists the place's top level and sizes it, when the place check lets it, counting its files
// into `work`. Runs off the window's thread: ports only.
PlaceFindings WalkPlace(port::Ports& ports, SharedPlaceRules& rules, FolderPlace kind,
                        const std::string& path, WorkProgress& work) {
    PlaceFindings found;
    found.path = path;
    const Place place = CheckPlace(ports, rules.Get(ports), kind, path);
    found.missing = place.verdict == PlaceVerdict::Missing;
    if (place.verdict == PlaceVerdict::Usable) {
        found.content = FolderContent(ports.files, place.folder);
        WalkProgress progress;
        progress.onFile = [&work](std::int64_t files) { work.files = files; };
        found.size = DirSize(ports.files, place.folder, &progress);
        found.files = progress.files;
    }
    return found;
}

void ShowPlace(Program& p, FolderPlace place, PlaceFindings found) {
    const PlaceView& view = ViewOf(place);
    TMainForm& f = *p.MainForm;
    tk::ListBox& list = f.*view.list;
    list.Clear();
    list.SetItems(std::move(found.content));
    if (view.shellFolder == nullptr)
        f.ListBox8.SetItemIndex(p.OptionalFiles.TempListIndex);
    const auto which = static_cast<size_t>(place);
    p.OptionalFiles.*view.size = found.size;
    p.OptionalFiles.FilesFound[which] = found.files;
    p.OptionalFiles.WalkedPath[which] = std::move(found.path);
    p.OptionalFiles.FolderMissing[which] = found.missing;
    (f.*view.sizeLabel).SetCaption(FormatGrouped(found.size) + view.sizeSuffix);
    (f.*view.line).SetCaption(view.linePrefix + FormatGrouped(found.size) + " bytes");
}

bool AnyWalking(const OptionalFilesState& s) {
    for (bool walking : s.Walking)
        if (walking)
            return true;
    return false;
}

bool AnyPlaceWalking(const OptionalFilesState& s) {
    return std::any_of(s.Walking.begin(), s.Walking.begin() + AppCachesWalk,
                       [](bool walking) { return walking; });
}

void StartAppCachesWalk(Program& p);

// Starts the walk of one place, or asks for one more after the walk running. False when
// one runs already.
bool BeginWalk(Program& p, size_t which, std::initializer_list<tk::Label*> sizeLabels) {
    OptionalFilesState& s = p.OptionalFiles;
    if (s.Walking[which]) {
        s.WalkAgain[which] = true;
        return false;
    }
    s.Walking[which] = true;
    if (!s.Counted[which])
        for (tk::Label* label : sizeLabels)
            label->SetCaption(Counting);
    return true;
}

// After a walk's result: the walk asked for meanwhile, or the total waiting for the last.
void EndWalk(Program& p, size_t which, const std::function<void()>& walkAgain) {
    OptionalFilesState& s = p.OptionalFiles;
    s.Walking[which] = false;
    s.Counted[which] = true;
    if (s.WalkAgain[which]) {
        s.WalkAgain[which] = false;
        walkAgain();
    }
    if (s.AppCachesWaiting && !AnyPlaceWalking(s))
        StartAppCachesWalk(p);
    if (s.TotalWanted && !AnyWalking(s)) {
        s.TotalWanted = false;
        RefreshTotal(p);
    }
}

PlaceRulesPtr RulesOrNew(PlaceRulesPtr rules) {
    return rules ? rules : std::make_shared<SharedPlaceRules>();
}

// The walk of one place off the window's thread, its findings shown, then the walk asked
// for meanwhile or the total.
tk::Task WalkAndShowPlace(Program& p, FolderPlace place, std::string path, PlaceRulesPtr rules) {
    BusyGlyph busy(p);
    port::Ports& ports = p.Ports;
    auto work = CountingProgress(PlaceCaption(p, place));
    ShownStep<PlaceFindings> walk(p, work, [&ports, rules, place, path, work] {
        return WalkPlace(ports, *rules, place, path, *work);
    });
    try {
        PlaceFindings found = co_await walk;
        ShowPlace(p, place, std::move(found));
    } catch (...) {
        p.App.ShowCurrentException();
    }
    EndWalk(p, static_cast<size_t>(place), [&p, place] { RefreshPlace(p, place); });
}

void FillPlace(Program& p, FolderPlace place, const std::string& path, PlaceRulesPtr rules) {
    const PlaceView& view = ViewOf(place);
    TMainForm& f = *p.MainForm;
    if (BeginWalk(p, static_cast<size_t>(place), {&(f.*view.sizeLabel), &(f.*view.line)}))
        WalkAndShowPlace(p, place, path, RulesOrNew(std::move(rules)));
}

void ShowRecycleBin(Program& p, port::RecycleBinContent bin) {
    if (!bin.ok)
        bin = {};
    TMainForm& f = *p.MainForm;
    f.Label29.SetCaption("Number of Files in Recycle Bin: " + std::to_string(bin.items));
    p.OptionalFiles.RecycleSize = bin.bytes;
    f.Label30.SetCaption(FormatGrouped(bin.bytes) + " Bytes \rin Recycle Bin");
    f.Label37.SetCaption("Recycle Bin: " + FormatGrouped(bin.bytes) + " bytes");
}

tk::Task QueryAndShowRecycleBin(Program& p) {
    BusyGlyph busy(p);
    port::Files& files = p.Ports.files;
    ShownStep<port::RecycleBinContent> query(p, CountingProgress(RecycleBinCaption(p), false),
                                             [&files] { return files.QueryRecycleBin(); });
    try {
        port::RecycleBinContent bin = co_await query;
        ShowRecycleBin(p, bin);
    } catch (...) {
        p.App.ShowCurrentException();
    }
    EndWalk(p, RecycleBinWalk, [&p] { RefreshRecycleBin(p); });
}

std::string CachesTotalLine(std::int64_t bytes) {
    return "Browser and App Caches: " + FormatGrouped(bytes) + " bytes";
}

// Finds and sizes the caches; off the window's thread, ports only.
CacheSummary WalkAppCaches(port::Ports& ports, SharedPlaceRules& rules, WorkProgress& work) {
    std::vector<CacheGroup> groups = FindAppCaches(ports, rules.Get(ports));
    WalkProgress progress;
    progress.onFile = [&work](std::int64_t files) { work.files = files; };
    SizeAppCaches(ports.files, groups, progress);
    return SummariseAppCaches(groups);
}

void ShowAppCaches(Program& p, CacheSummary found) {
    OptionalFilesState& s = p.OptionalFiles;
    s.AppCachesSize = found.deletable;
    s.AppCacheFiles = found.files;
    found.lines.push_back("Total: " + FormatGrouped(found.deletable) + " bytes");
    TMainForm& f = *p.MainForm;
    f.ListBox15.Clear();
    f.ListBox15.SetItems(std::move(found.lines));
    f.Label39.SetCaption(CachesTotalLine(found.deletable));
}

tk::Task WalkAndShowAppCaches(Program& p, PlaceRulesPtr rules) {
    BusyGlyph busy(p);
    port::Ports& ports = p.Ports;
    auto work = CountingProgress(AppCachesCaption(p));
    ShownStep<CacheSummary> walk(
        p, work, [&ports, rules, work] { return WalkAppCaches(ports, *rules, *work); });
    try {
        CacheSummary found = co_await walk;
        ShowAppCaches(p, std::move(found));
    } catch (...) {
        p.App.ShowCurrentException();
    }
    EndWalk(p, AppCachesWalk, [&p] { RefreshAppCaches(p); });
}

void StartAppCachesWalk(Program& p) {
    OptionalFilesState& s = p.OptionalFiles;
    s.AppCachesWaiting = false;
    WalkAndShowAppCaches(p, RulesOrNew(std::move(s.AppCachesRules)));
    s.AppCachesRules.reset();
}

void RefreshShellFolderPlace(Program& p, FolderPlace place, PlaceRulesPtr rules) {
    const PlaceView& view = ViewOf(place);
    ReadShellFolder(p, view);
    const std::string& path = p.OptionalFiles.*view.path;
    ((*p.MainForm).*view.title).SetCaption(view.titlePrefix + path);
    FillPlace(p, place, path, std::move(rules));
}

} // namespace

std::string FormatGrouped(std::int64_t n) {
    std::string digits = std::to_string(n);
    std::string sign;
    if (!digits.empty() && digits[0] == '-') {
        sign = "-";
        digits.erase(0, 1);
    }
    std::string result;
    while (digits.size() > 3) {
        result = " " + digits.substr(digits.size() - 3) + result;
        digits.resize(digits.size() - 3);
    }
    return sign + digits + result;
}

std::string GetTempDir(Program& p) {
    return p.Ports.files.TempPath();
}

std::string PlacePath(Program& p, FolderPlace place) {
    if (place == FolderPlace::Temp)
        return GetTempDir(p);
    return p.OptionalFiles.*ViewOf(place).path;
}

bool PlaceHasNoFolder(Program& p, FolderPlace place) {
    const std::string path = PlacePath(p, place);
    if (path.empty())
        return true;
    // The temporary folder is made again within a second when something removed it.
    if (place == FolderPlace::Temp)
        return false;
    const auto which = static_cast<size_t>(place);
    return p.OptionalFiles.FolderMissing[which] && p.OptionalFiles.WalkedPath[which] == path;
}

std::string PlaceCaption(Program& p, FolderPlace place) {
    // The sub-tabs: the total first, then the four places, then the Recycle Bin.
    return p.MainForm->PageControl2.Pages().at(static_cast<size_t>(place) + 1)->Caption();
}

std::string RecycleBinCaption(Program& p) {
    return p.MainForm->PageControl2.Pages().at(RecycleBinWalk + 1)->Caption();
}

std::string AppCachesCaption(Program& p) {
    return p.MainForm->PageControl2.Pages().at(AppCachesWalk + 1)->Caption();
}

void RefreshTempLabel(Program& p) {
    p.MainForm->Label1.SetCaption(ViewOf(FolderPlace::Temp).titlePrefix + GetTempDir(p));
}

void RefreshTemp(Program& p) {
    RefreshPlace(p, FolderPlace::Temp);
}

void RefreshInternetCache(Program& p) {
    RefreshPlace(p, FolderPlace::Cache);
}

void RefreshHistory(Program& p) {
    RefreshPlace(p, FolderPlace::History);
}

void RefreshCookies(Program& p) {
    RefreshPlace(p, FolderPlace::Cookies);
}

void RefreshPlace(Program& p, FolderPlace place, PlaceRulesPtr rules) {
    if (place == FolderPlace::Temp)
        FillPlace(p, place, GetTempDir(p), std::move(rules));
    else
        RefreshShellFolderPlace(p, place, std::move(rules));
}

void RefreshRecycleBin(Program& p) {
    TMainForm& f = *p.MainForm;
    if (BeginWalk(p, RecycleBinWalk, {&f.Label30, &f.Label37}))
        QueryAndShowRecycleBin(p);
}

void RefreshAppCaches(Program& p, PlaceRulesPtr rules) {
    OptionalFilesState& s = p.OptionalFiles;
    TMainForm& f = *p.MainForm;
    if (s.Walking[AppCachesWalk] && !s.AppCachesWaiting) {
        s.WalkAgain[AppCachesWalk] = true;
        return;
    }
    if (!s.Counted[AppCachesWalk]) {
        f.ListBox15.Clear();
        f.ListBox15.SetItems({Counting});
        f.Label39.SetCaption(Counting);
    }
    s.Walking[AppCachesWalk] = true;
    if (!s.AppCachesRules)
        s.AppCachesRules = std::move(rules);
    s.AppCachesWaiting = true;
    if (!AnyPlaceWalking(s))
        StartAppCachesWalk(p);
}

void RefreshTotal(Program& p) {
    OptionalFilesState& s = p.OptionalFiles;
    if (AnyWalking(s)) {
        if (!s.TotalCounted)
            p.MainForm->Label38.SetCaption(Counting);
        s.TotalWanted = true;
        return;
    }
    s.TotalCounted = true;
    s.TotalSize =
        s.TempSize + s.CacheSize + s.HistorySize + s.CookiesSize + s.RecycleSize + s.AppCachesSize;
    p.MainForm->Label38.SetCaption("Total size of all temps: " + FormatGrouped(s.TotalSize) +
                                   " bytes");
}

void RefreshFreeTemp(Program& p) {
    // One reading of the rules for the four places.
    auto rules = std::make_shared<SharedPlaceRules>();
    RefreshPlace(p, FolderPlace::Temp, rules);
    RefreshTempLabel(p);
    for (FolderPlace place : {FolderPlace::Cache, FolderPlace::History, FolderPlace::Cookies})
        RefreshPlace(p, place, rules);
    RefreshRecycleBin(p);
    RefreshAppCaches(p, rules);
    RefreshTotal(p);
}

void ShareFreeTempGlyphs(Program& p) {
    TMainForm& f = *p.MainForm;
    for (tk::BitBtn* button :
         {&f.BitBtn12, &f.BitBtn15, &f.BitBtn18, &f.BitBtn20, &f.BitBtn23, &f.BitBtn26})
        button->SetGlyph(f.BitBtn1.Glyph());
    for (tk::BitBtn* button : {&f.BitBtn13, &f.BitBtn16, &f.BitBtn19})
        button->SetGlyph(f.BitBtn2.Glyph());
}

} // namespace trelvix
