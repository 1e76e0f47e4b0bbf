#include "cleanup/DeleteActions.h"

#include "app/BackgroundJobs.h"
#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "app/StatusLine.h"
#include "cleanup/AppCaches.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "launch/Catalogues.h"
#include "launch/LaunchConventions.h"

#include <algorithm>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace trelvix {

namespace {

constexpr const char* WarningText =
    "Do You Really want to Delete content? \r Press Yes and you never see this Warning "
    "again!\rPress No, if you are not sure what you are doing!";
constexpr unsigned WarningFlags =
    port::mb::YesNo | port::mb::IconExclamation | port::mb::DefButton2; // 0x134

// The warning, when it is due; true when deleting is allowed.
bool DeletionAllowed(Program& p) {
    OptionalFilesState& s = p.OptionalFiles;
    if (!p.IndexOfTemp && !s.AskedThisAction &&
        p.App.MessageBox(WarningText, "Warning!", WarningFlags) == port::mb::IdYes)
        p.IndexOfTemp = true;
    s.AskedThisAction = true;
    return p.IndexOfTemp;
}

// A delete action from its start to its end, a scope object of the action's task: the busy
// glyph, the delete buttons disabled, and at the end one settings save and the warning's
// answer forgotten, also when an error cut the action short. At the program's end it
// touches no control and saves nothing.
class DeleteAction {
  public:
    DeleteAction(Program& p, bool savesSettings) : p_(p), busy_(p), saves_(savesSettings) {
        p_.OptionalFiles.Deleting = true;
        p_.OptionalFiles.StopDeleting = std::stop_source();
        stop_ = p_.OptionalFiles.StopDeleting.get_token();
        EnableDeleteButtons(false);
    }
    ~DeleteAction() {
        p_.OptionalFiles.Deleting = false;
        p_.OptionalFiles.AskedThisAction = false;
        // The program ends with the deletion still out: it stops between two files.
        if (p_.App.Ending()) {
            p_.OptionalFiles.StopDeleting.request_stop();
            return;
        }
        p_.App.Guard([this] { EnableDeleteButtons(true); });
        if (saves_)
            p_.App.Guard([this] { SaveSettings(p_); });
    }
    DeleteAction(const DeleteAction&) = delete;
    DeleteAction& operator=(const DeleteAction&) = delete;

    // The warning, when it is due; true when deleting is allowed and the program goes on.
    [[nodiscard]] bool MayDelete() const { return DeletionAllowed(p_) && !stop_.stop_requested(); }
    // Asked to stop when the program ends: the deletion stops between two files.
    [[nodiscard]] const std::stop_token& Stop() const { return stop_; }

    // The place rules of the whole action, read once.
    const PlaceRulesPtr rules = std::make_shared<SharedPlaceRules>();

  private:
    void EnableDeleteButtons(bool enabled) {
        TMainForm& f = *p_.MainForm;
        tk::Control* buttons[] = {&f.BitBtn1,  &f.BitBtn12, &f.BitBtn15,
                                  &f.BitBtn18, &f.BitBtn20, &f.BitBtn23,
                                  &f.BitBtn24, &f.BitBtn26, &f.SpeedButton12};
        for (tk::Control* button : buttons)
            button->SetEnabled(enabled);
    }

    Program& p_;
    BusyGlyph busy_;
    bool saves_;
    std::stop_token stop_;
};

// Off the window's thread: empties a folder place when the place check lets it. Returns the
// text saying why the place was refused, or "". An empty path is never deleted and needs no
// word: its page already shows it empty.
std::string EmptyPlaceNow(port::Ports& ports, SharedPlaceRules& rules, FolderPlace which,
                          const std::string& path, std::stop_token stop, WorkProgress& work) {
    const Place place = CheckPlace(ports, rules.Get(ports), which, path);
    if (place.verdict != PlaceVerdict::Usable)
        return place.refusal;
    WalkProgress progress;
    progress.onFile = [&work](std::int64_t files) { work.files = files; };
    progress.stop = std::move(stop);
    // The place is emptied where it is, links on its way followed; the folder stays.
    DeleteFolderContent(ports.files, place.folder, place.kept, &progress);
    return {};
}

// The emptying of a folder place off the window's thread, when deleting is allowed; its
// result is the refusal text, or "".
ShownStep<std::string> EmptyingOf(Program& p, const DeleteAction& action, FolderPlace which) {
    if (!action.MayDelete())
        return {};
    port::Ports& ports = p.Ports;
    auto work = DeletingProgress(PlaceCaption(p, which),
                                 p.OptionalFiles.FilesFound[static_cast<size_t>(which)]);
    return ShownStep<std::string>(
        p, work,
        [&ports, which, path = PlacePath(p, which), rules = action.rules, stop = action.Stop(),
         work] { return EmptyPlaceNow(ports, *rules, which, path, stop, *work); });
}

// The Recycle Bin emptied off the window's thread, when deleting is allowed.
ShownStep<bool> RecycleBinEmptyingOf(Program& p, const DeleteAction& action) {
    if (!action.MayDelete())
        return {};
    port::Files& files = p.Ports.files;
    return ShownStep<bool>(p, DeletingProgress(RecycleBinCaption(p), 0, false),
                           [&files] { return files.EmptyRecycleBin(); });
}

// Off the window's thread: finds the caches as they are now, a browser started since the
// last walk included, and empties those of the browsers not running.
CacheEmptying EmptyAppCachesNow(port::Ports& ports, SharedPlaceRules& rules, std::stop_token stop,
                                WorkProgress& work) {
    const std::vector<CacheGroup> groups = FindAppCaches(ports, rules.Get(ports));
    WalkProgress progress;
    progress.onFile = [&work](std::int64_t files) { work.files = files; };
    progress.stop = std::move(stop);
    return EmptyAppCaches(ports.files, groups, progress);
}

ShownStep<CacheEmptying> AppCachesEmptyingOf(Program& p, const DeleteAction& action) {
    if (!action.MayDelete())
        return {};
    port::Ports& ports = p.Ports;
    auto work = DeletingProgress(AppCachesCaption(p), p.OptionalFiles.AppCacheFiles);
    return ShownStep<CacheEmptying>(p, work,
                                    [&ports, rules = action.rules, stop = action.Stop(), work] {
                                        return EmptyAppCachesNow(ports, *rules, stop, *work);
                                    });
}

// The refusals "Delete All" gathered on its way, shown together at its end.
struct Refusals {
    std::vector<std::string> texts;
    // Each text once: a missing system folder refuses every place alike.
    void Note(std::string refusal) {
        if (!refusal.empty() && std::ranges::find(texts, refusal) == texts.end())
            texts.push_back(std::move(refusal));
    }
    void Show(Program& p) const {
        if (texts.empty())
            return;
        std::string text = texts.front();
        for (size_t i = 1; i < texts.size(); ++i)
            text += "\r" + texts[i];
        p.App.ShowNotice(text);
    }
};

constexpr FolderPlace ShellFolderPlaces[] = {FolderPlace::Cache, FolderPlace::History,
                                             FolderPlace::Cookies};

tk::Task EmptyOnePlace(Program& p, FolderPlace place) {
    DeleteAction action(p, true);
    if (place == FolderPlace::Temp)
        RefreshTempLabel(p);
    else
        RefreshPlace(p, place, action.rules);
    auto emptying = EmptyingOf(p, action, place);
    const std::string refusal = co_await emptying;
    if (!refusal.empty())
        p.App.ShowNotice(refusal);
    RefreshPlace(p, place, action.rules);
    RefreshTotal(p);
}

// Names the browsers whose caches stayed because they run.
void NoteRunningBrowsers(Program& p, const std::vector<std::string>& running) {
    if (!running.empty())
        ShowStatusNote(p, RunningBrowsersNote(running));
}

tk::Task EmptyAppCachesAction(Program& p) {
    DeleteAction action(p, true);
    auto emptying = AppCachesEmptyingOf(p, action);
    const CacheEmptying done = co_await emptying;
    Refusals refusals;
    for (const std::string& refusal : done.refusals)
        refusals.Note(refusal);
    refusals.Show(p);
    if (emptying.Runs())
        RefreshAppCaches(p, action.rules);
    RefreshTotal(p);
    NoteRunningBrowsers(p, done.running);
}

tk::Task EmptyRecycleBin(Program& p) {
    DeleteAction action(p, false);
    auto emptying = RecycleBinEmptyingOf(p, action);
    co_await emptying;
    if (emptying.Runs())
        RefreshRecycleBin(p);
    RefreshTotal(p);
}

// The four places, the caches and the Recycle Bin in one action, under one answer; the
// defragmenter after them when asked for and deleting was allowed.
tk::Task EmptyAllPlaces(Program& p, bool startDefragmenter) {
    DeleteAction action(p, true);
    Refusals refusals;
    {
        auto emptying = EmptyingOf(p, action, FolderPlace::Temp);
        std::string refusal = co_await emptying;
        refusals.Note(std::move(refusal));
        RefreshTempLabel(p);
        RefreshPlace(p, FolderPlace::Temp, action.rules);
    }
    for (const FolderPlace place : ShellFolderPlaces) {
        RefreshPlace(p, place, action.rules);
        auto emptying = EmptyingOf(p, action, place);
        std::string refusal = co_await emptying;
        refusals.Note(std::move(refusal));
        RefreshPlace(p, place, action.rules);
    }
    CacheEmptying caches;
    {
        auto emptying = AppCachesEmptyingOf(p, action);
        caches = co_await emptying;
        for (std::string& refusal : caches.refusals)
            refusals.Note(std::move(refusal));
        if (emptying.Runs())
            RefreshAppCaches(p, action.rules);
    }
    auto binEmptying = RecycleBinEmptyingOf(p, action);
    co_await binEmptying;
    if (binEmptying.Runs())
        RefreshRecycleBin(p);
    refusals.Show(p);
    RefreshTotal(p);
    NoteRunningBrowsers(p, caches.running);
    if (startDefragmenter && p.IndexOfTemp)
        LaunchDefragmenter(p);
}

} // namespace

void DeletePlaceContent(Program& p, FolderPlace place) {
    if (!p.OptionalFiles.Deleting)
        EmptyOnePlace(p, place);
}

void DeleteRecycleBinContent(Program& p) {
    if (!p.OptionalFiles.Deleting)
        EmptyRecycleBin(p);
}

void DeleteAppCachesClick(Program& p) {
    if (!p.OptionalFiles.Deleting)
        EmptyAppCachesAction(p);
}

void DeleteAllOptionalFilesClick(Program& p) {
    if (!p.OptionalFiles.Deleting)
        EmptyAllPlaces(p, false);
}

void DeleteAllAndStartDefragmenter(Program& p) {
    if (!p.OptionalFiles.Deleting)
        EmptyAllPlaces(p, true);
}

void StopDeletion(Program& p) {
    p.OptionalFiles.StopDeleting.request_stop();
}

} // namespace trelvix
