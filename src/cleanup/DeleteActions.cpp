#include "cleanup/DeleteActions.h"

#include "app/BackgroundJobs.h"
#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "launch/Catalogues.h"
#include "launch/LaunchConventions.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <memory>
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

// A delete action from its start to its end: the busy glyph, the delete buttons disabled,
// and at the end one settings save and the warning's answer forgotten, also when an error
// cut the action short. The steps still to come hold it; it ends when the last lets go.
class DeleteAction {
  public:
    DeleteAction(Program& p, bool savesSettings) : p_(p), busy_(p), saves_(savesSettings) {
        p_.OptionalFiles.Deleting = true;
        p_.OptionalFiles.StopDeleting = stop;
        EnableDeleteButtons(false);
    }
    ~DeleteAction() {
        p_.OptionalFiles.Deleting = false;
        p_.OptionalFiles.AskedThisAction = false;
        p_.App.Guard([this] { EnableDeleteButtons(true); });
        if (saves_)
            p_.App.Guard([this] { SaveSettings(p_); });
    }
    DeleteAction(const DeleteAction&) = delete;
    DeleteAction& operator=(const DeleteAction&) = delete;

    // Set when the program ends: the deletion stops between two files.
    const std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    // The place rules of the whole action, read once.
    const PlaceRulesPtr rules = std::make_shared<SharedPlaceRules>();

  private:
    void EnableDeleteButtons(bool enabled) {
        TMainForm& f = *p_.MainForm;
        tk::Control* buttons[] = {&f.BitBtn1,  &f.BitBtn12, &f.BitBtn15, &f.BitBtn18,
                                  &f.BitBtn20, &f.BitBtn23, &f.BitBtn24, &f.SpeedButton12};
        for (tk::Control* button : buttons)
            button->SetEnabled(enabled);
    }

    Program& p_;
    BusyGlyph busy_;
    bool saves_;
};
using Action = std::shared_ptr<DeleteAction>;

// Thrown between two files when the program ends during a deletion.
struct DeletionStopped {};

// Off the window's thread: empties a folder place when the place check lets it. Returns the
// text saying why the place was refused, or "". An empty path is never deleted and needs no
// word: its page already shows it empty.
std::string EmptyPlaceNow(port::Ports& ports, SharedPlaceRules& rules, FolderPlace which,
                          const std::string& path, const std::atomic<bool>& stop,
                          WorkProgress& work) {
    const Place place = CheckPlace(ports, rules.Get(ports), which, path);
    if (place.verdict != PlaceVerdict::Usable)
        return place.refusal;
    WalkProgress progress;
    progress.onFile = [&stop, &work](std::int64_t files) {
        work.files = files;
        if (stop)
            throw DeletionStopped{};
    };
    try {
        // The place is emptied where it is, links on its way followed; the folder stays.
        DeleteFolderContent(ports.files, place.folder, place.kept, &progress);
    } catch (const DeletionStopped&) {
    }
    return {};
}

// Empties a folder place off the window's thread when deleting is allowed, then `then` with
// the refusal text (or "") on the window's thread.
void EmptyPlace(Program& p, FolderPlace which, const Action& action,
                std::function<void(std::string refusal)> then) {
    if (!DeletionAllowed(p) || *action->stop) {
        then({});
        return;
    }
    port::Ports& ports = p.Ports;
    auto work = DeletingProgress(PlaceCaption(p, which),
                                 p.OptionalFiles.FilesFound[static_cast<size_t>(which)]);
    RunJob<std::string>(
        p,
        [&ports, which, path = PlacePath(p, which), rules = action->rules, stop = action->stop,
         work] { return EmptyPlaceNow(ports, *rules, which, path, *stop, *work); },
        [action, then = std::move(then)](std::string refusal) { then(std::move(refusal)); },
        nullptr, work);
}

// The Recycle Bin emptied off the window's thread when deleting is allowed, then `then`.
void EmptyRecycleBinWhenAllowed(Program& p, const Action& action, std::function<void()> then) {
    if (!DeletionAllowed(p) || *action->stop) {
        then();
        return;
    }
    port::Files& files = p.Ports.files;
    RunJob<bool>(
        p, [&files] { return files.EmptyRecycleBin(); },
        [&p, action, then = std::move(then)](bool) {
            RefreshRecycleBin(p);
            then();
        },
        nullptr, DeletingProgress(RecycleBinCaption(p), 0, false));
}

// What "Delete All" gathered on its way: the refusals, shown together at the end.
struct DeleteAllState {
    std::vector<std::string> refusals;
    // Each text once: a missing system folder refuses every place alike.
    void Note(std::string refusal) {
        if (!refusal.empty() && std::ranges::find(refusals, refusal) == refusals.end())
            refusals.push_back(std::move(refusal));
    }
};

void ShowRefusals(Program& p, const DeleteAllState& state) {
    if (state.refusals.empty())
        return;
    std::string text = state.refusals.front();
    for (size_t i = 1; i < state.refusals.size(); ++i)
        text += "\r" + state.refusals[i];
    p.App.ShowNotice(text);
}

constexpr FolderPlace ShellFolderPlaces[] = {FolderPlace::Cache, FolderPlace::History,
                                             FolderPlace::Cookies};

// The shell-folder places from `index` on, one after the other, then the Recycle Bin.
void DeleteShellFolderPlaces(Program& p, size_t index, const Action& action,
                             const std::shared_ptr<DeleteAllState>& state,
                             const std::function<void()>& then) {
    if (index == std::size(ShellFolderPlaces)) {
        EmptyRecycleBinWhenAllowed(p, action, [&p, state, then] {
            ShowRefusals(p, *state);
            then();
        });
        return;
    }
    const FolderPlace place = ShellFolderPlaces[index];
    RefreshPlace(p, place, action->rules);
    EmptyPlace(p, place, action, [&p, index, place, action, state, then](std::string refusal) {
        state->Note(std::move(refusal));
        RefreshPlace(p, place, action->rules);
        DeleteShellFolderPlaces(p, index + 1, action, state, then);
    });
}

// The four places and the Recycle Bin in one action, under one answer, then `then`.
void DeleteAllOptionalFiles(Program& p, const Action& action, std::function<void()> then) {
    auto state = std::make_shared<DeleteAllState>();
    EmptyPlace(p, FolderPlace::Temp, action,
               [&p, action, state, then = std::move(then)](std::string refusal) {
                   state->Note(std::move(refusal));
                   RefreshTempLabel(p);
                   RefreshPlace(p, FolderPlace::Temp, action->rules);
                   DeleteShellFolderPlaces(p, 0, action, state, then);
               });
}

} // namespace

void DeletePlaceContent(Program& p, FolderPlace place) {
    if (p.OptionalFiles.Deleting)
        return;
    auto action = std::make_shared<DeleteAction>(p, true);
    if (place == FolderPlace::Temp)
        RefreshTempLabel(p);
    else
        RefreshPlace(p, place, action->rules);
    EmptyPlace(p, place, action, [&p, place, action](const std::string& refusal) {
        if (!refusal.empty())
            p.App.ShowNotice(refusal);
        RefreshPlace(p, place, action->rules);
        RefreshTotal(p);
    });
}

void DeleteRecycleBinContent(Program& p) {
    if (p.OptionalFiles.Deleting)
        return;
    auto action = std::make_shared<DeleteAction>(p, false);
    EmptyRecycleBinWhenAllowed(p, action, [&p, action] { RefreshTotal(p); });
}

void DeleteAllOptionalFilesClick(Program& p) {
    if (p.OptionalFiles.Deleting)
        return;
    auto action = std::make_shared<DeleteAction>(p, true);
    DeleteAllOptionalFiles(p, action, [&p, action] { RefreshTotal(p); });
}

void DeleteAllAndStartDefragmenter(Program& p) {
    if (p.OptionalFiles.Deleting)
        return;
    auto action = std::make_shared<DeleteAction>(p, true);
    DeleteAllOptionalFiles(p, action, [&p, action] {
        RefreshTotal(p);
        if (p.IndexOfTemp)
            LaunchDefragmenter(p);
    });
}

void StopDeletion(Program& p) {
    if (p.OptionalFiles.StopDeleting)
        *p.OptionalFiles.StopDeleting = true;
}

} // namespace trelvix
