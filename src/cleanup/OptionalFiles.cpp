#include "cleanup/OptionalFiles.h"

#include "app/Program.h"
#include "cleanup/FolderWalk.h"
#include "cleanup/PlaceChecks.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

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

// Lists the place's top level and sizes it, when the place check lets it.
void FillPlace(Program& p, const PlaceView& view, const std::string& path) {
    TMainForm& f = *p.MainForm;
    const Place place = CheckPlace(p.Ports, path);
    std::vector<std::string> content;
    std::int64_t size = 0;
    if (place.verdict == PlaceVerdict::Usable) {
        content = FolderContent(p.Ports.files, place.folder);
        size = DirSize(p.Ports.files, place.folder);
    }
    tk::ListBox& list = f.*view.list;
    list.Clear();
    list.SetItems(std::move(content));
    if (view.shellFolder == nullptr)
        f.ListBox8.SetItemIndex(p.OptionalFiles.TempListIndex);
    p.OptionalFiles.*view.size = size;
    (f.*view.sizeLabel).SetCaption(FormatGrouped(size) + view.sizeSuffix);
    (f.*view.line).SetCaption(view.linePrefix + FormatGrouped(size) + " bytes");
}

void RefreshShellFolderPlace(Program& p, FolderPlace place) {
    const PlaceView& view = ViewOf(place);
    ReadShellFolder(p, view);
    const std::string& path = p.OptionalFiles.*view.path;
    ((*p.MainForm).*view.title).SetCaption(view.titlePrefix + path);
    FillPlace(p, view, path);
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

void RefreshTempLabel(Program& p) {
    p.MainForm->Label1.SetCaption(ViewOf(FolderPlace::Temp).titlePrefix + GetTempDir(p));
}

void RefreshTemp(Program& p) {
    FillPlace(p, ViewOf(FolderPlace::Temp), GetTempDir(p));
}

void RefreshInternetCache(Program& p) {
    RefreshShellFolderPlace(p, FolderPlace::Cache);
}

void RefreshHistory(Program& p) {
    RefreshShellFolderPlace(p, FolderPlace::History);
}

void RefreshCookies(Program& p) {
    RefreshShellFolderPlace(p, FolderPlace::Cookies);
}

void RefreshPlace(Program& p, FolderPlace place) {
    if (place == FolderPlace::Temp)
        RefreshTemp(p);
    else
        RefreshShellFolderPlace(p, place);
}

void RefreshRecycleBin(Program& p) {
    TMainForm& f = *p.MainForm;
    port::RecycleBinContent bin = p.Ports.files.QueryRecycleBin();
    if (!bin.ok)
        bin = {};
    f.Label29.SetCaption("Number of Files in Recycle Bin: " + std::to_string(bin.items));
    p.OptionalFiles.RecycleSize = bin.bytes;
    f.Label30.SetCaption(FormatGrouped(bin.bytes) + " Bytes \rin Recycle Bin");
    f.Label37.SetCaption("Recycle Bin: " + FormatGrouped(bin.bytes) + " bytes");
}

void RefreshTotal(Program& p) {
    OptionalFilesState& s = p.OptionalFiles;
    s.TotalSize = s.TempSize + s.CacheSize + s.HistorySize + s.CookiesSize + s.RecycleSize;
    p.MainForm->Label38.SetCaption("Total size of all temps: " + FormatGrouped(s.TotalSize) +
                                   " bytes");
}

void RefreshFreeTemp(Program& p) {
    RefreshTemp(p);
    RefreshTempLabel(p);
    RefreshInternetCache(p);
    RefreshHistory(p);
    RefreshCookies(p);
    RefreshRecycleBin(p);
    RefreshTotal(p);
}

void ShareFreeTempGlyphs(Program& p) {
    TMainForm& f = *p.MainForm;
    for (tk::BitBtn* button : {&f.BitBtn12, &f.BitBtn15, &f.BitBtn18, &f.BitBtn20, &f.BitBtn23})
        button->SetGlyph(f.BitBtn1.Glyph());
    for (tk::BitBtn* button : {&f.BitBtn13, &f.BitBtn16, &f.BitBtn19})
        button->SetGlyph(f.BitBtn2.Glyph());
}

} // namespace trelvix
