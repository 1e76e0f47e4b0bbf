#include "cleanup/DeleteActions.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "launch/LaunchConventions.h"

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

// A delete action from its start to its end: the busy glyph, and at the end one settings
// save and the warning's answer forgotten, also when an error cut the action short.
class DeleteAction {
  public:
    DeleteAction(Program& p, bool savesSettings) : p_(p), busy_(p), saves_(savesSettings) {}
    ~DeleteAction() {
        p_.OptionalFiles.AskedThisAction = false;
        if (saves_)
            p_.App.Guard([this] { SaveSettings(p_); });
    }
    DeleteAction(const DeleteAction&) = delete;
    DeleteAction& operator=(const DeleteAction&) = delete;

  private:
    Program& p_;
    BusyGlyph busy_;
    bool saves_;
};

// Empties a folder place when deleting is allowed and the place check lets it. Returns
// the text saying why the place was refused, or "". An empty path is never deleted and
// needs no word: its page already shows it empty.
std::string EmptyPlace(Program& p, FolderPlace which) {
    if (!DeletionAllowed(p))
        return {};
    const std::string path = PlacePath(p, which);
    const Place place = CheckPlace(p.Ports, path);
    switch (place.verdict) {
    case PlaceVerdict::Usable:
        // A place moved elsewhere by a link is emptied where it is; the link and the
        // folder it leads to both stay.
        DeleteFolderContent(p.Ports.files, place.folder, !place.reachedByOtherName);
        return {};
    case PlaceVerdict::NotAbsolute:
    case PlaceVerdict::Protected:
        return RefusalText(path, place.verdict);
    case PlaceVerdict::Empty:
    case PlaceVerdict::Missing:
        break;
    }
    return {};
}

void MakeTempFolderAgain(Program& p) {
    const std::string temp = GetTempDir(p);
    if (!temp.empty())
        p.Ports.files.MakeDirectory(temp);
}

void EmptyRecycleBinWhenAllowed(Program& p) {
    if (!DeletionAllowed(p))
        return;
    p.Ports.files.EmptyRecycleBin();
    RefreshRecycleBin(p);
}

} // namespace

void DeletePlaceContent(Program& p, FolderPlace place) {
    DeleteAction action(p, true);
    if (place == FolderPlace::Temp)
        RefreshTempLabel(p);
    else
        RefreshPlace(p, place);
    const std::string refusal = EmptyPlace(p, place);
    if (!refusal.empty())
        p.App.ShowNotice(refusal);
    if (place == FolderPlace::Temp)
        MakeTempFolderAgain(p);
    RefreshPlace(p, place);
    RefreshTotal(p);
}

void DeleteRecycleBinContent(Program& p) {
    DeleteAction action(p, false);
    EmptyRecycleBinWhenAllowed(p);
    RefreshTotal(p);
}

void DeleteAllOptionalFiles(Program& p) {
    std::vector<std::string> refusals;
    auto note = [&refusals](std::string refusal) {
        if (!refusal.empty())
            refusals.push_back(std::move(refusal));
    };
    note(EmptyPlace(p, FolderPlace::Temp));
    MakeTempFolderAgain(p);
    RefreshTempLabel(p);
    RefreshTemp(p);
    for (FolderPlace place : {FolderPlace::Cache, FolderPlace::History, FolderPlace::Cookies}) {
        RefreshPlace(p, place);
        note(EmptyPlace(p, place));
        RefreshPlace(p, place);
    }
    EmptyRecycleBinWhenAllowed(p);
    if (refusals.empty())
        return;
    std::string text = refusals.front();
    for (size_t i = 1; i < refusals.size(); ++i)
        text += "\r" + refusals[i];
    p.App.ShowNotice(text);
}

void DeleteAllOptionalFilesClick(Program& p) {
    DeleteAction action(p, true);
    DeleteAllOptionalFiles(p);
    RefreshTotal(p);
}

void DeleteAllAndStartDefragmenter(Program& p) {
    DeleteAction action(p, true);
    DeleteAllOptionalFiles(p);
    RefreshTotal(p);
    if (p.IndexOfTemp)
        LaunchInSystemDirectory(p, "\\dfrg.msc");
}

} // namespace trelvix
