#include "cleanup/FreeTempPage.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "cleanup/DeleteActions.h"
#include "cleanup/OptionalFiles.h"
#include "launch/LaunchConventions.h"

namespace trelvix {

namespace {

constexpr tk::Color clFuchsia = tk::clMagenta;

tk::Font BoldIn(const TMainForm& f, tk::Color color) {
    tk::Font font = f.GetFont();
    font.bold = true;
    font.color = color;
    return font;
}

// One of the four folder places' sub-tabs.
struct PlaceSheet {
    tk::Label& title;
    tk::GroupBox& group;
    const char* groupCaption;
    tk::ListBox& list;
    tk::Label& size;
    tk::BitBtn& remove;
    const char* removeCaption;
    tk::BitBtn& browse;
    const char* browseCaption;
    tk::BitBtn& refresh;
};

void DesignPlaceSheet(TMainForm& f, const PlaceSheet& s) {
    s.title.SetFont(BoldIn(f, tk::clBlue));
    s.title.SetBounds(8, 6, 590, 30);
    s.group.SetCaption(s.groupCaption);
    s.group.SetBounds(8, 40, 360, 270);
    s.list.SetBounds(8, 16, 344, 246);
    s.size.SetFont(BoldIn(f, tk::clRed));
    s.size.SetBounds(376, 48, 228, 30);
    s.remove.SetCaption(s.removeCaption);
    s.remove.SetBounds(376, 96, 228, 28);
    s.browse.SetCaption(s.browseCaption);
    s.browse.SetBounds(376, 132, 228, 28);
    s.refresh.SetBounds(400, 280, 75, 25);
    s.refresh.SetVisible(false);
}

void DesignRecycleBinSheet(TMainForm& f) {
    f.Label31.SetCaption("Recycle Bin");
    f.Label31.SetFont(BoldIn(f, tk::clBlue));
    f.Label31.SetBounds(8, 6, 590, 16);
    f.Label29.SetFont(BoldIn(f, tk::clRed));
    f.Label29.SetBounds(8, 40, 590, 16);
    f.Label30.SetFont(BoldIn(f, tk::clRed));
    f.Label30.SetBounds(8, 64, 300, 30);
    f.BitBtn20.SetCaption("Delete files from Recycle Bin");
    f.BitBtn20.SetBounds(8, 110, 220, 28);
    f.BitBtn21.SetBounds(400, 280, 75, 25);
    f.BitBtn21.SetVisible(false);
}

void DesignAppCachesSheet(TMainForm& f) {
    f.Label40.SetCaption("Browser and App Caches");
    f.Label40.SetFont(BoldIn(f, tk::clBlue));
    f.Label40.SetBounds(8, 6, 590, 16);
    f.GroupBox17.SetCaption(" Caches ");
    f.GroupBox17.SetBounds(8, 30, 360, 250);
    f.ListBox15.SetBounds(8, 16, 344, 226);
    f.BitBtn26.SetCaption("Delete Browser and App Caches");
    f.BitBtn26.SetBounds(376, 38, 228, 28);
}

// The six location lines and the total line in a table ruled by thin bars.
void DesignTotalSheet(TMainForm& f) {
    f.Label32.SetCaption("Total Control of optional files (you can delete this files, when need "
                         "more space on fixed disk of PC)");
    f.Label32.SetFont(BoldIn(f, tk::clBlue));
    f.Label32.SetBounds(8, 6, 590, 30);

    constexpr int Left = 8, Top = 40, Width = 420, Bar = 3, Row = 24, Rows = 7;
    tk::Panel* rules[] = {&f.Panel10, &f.Panel11, &f.Panel12, &f.Panel13,
                          &f.Panel14, &f.Panel15, &f.Panel16, &f.Panel19};
    for (int i = 0; i <= Rows; ++i)
        rules[i]->SetBounds(Left, Top + i * Row, Width, Bar);
    f.Panel17.SetBounds(Left, Top, Bar, Rows * Row + Bar);
    f.Panel18.SetBounds(Left + Width - Bar, Top, Bar, Rows * Row + Bar);

    struct Line {
        tk::Label& label;
        const char* hint;
    };
    const Line lines[] = {
        {f.Label33, "Click here to goto Temporary Files"},
        {f.Label34, "Click here to goto Temporary Internet Files"},
        {f.Label35, "Click here to goto Internet History Files"},
        {f.Label36, "Click here to goto Cookies files"},
        {f.Label37, "Click here to goto Recycle Bin"},
        {f.Label39, "Click here to goto Browser and App Caches"},
    };
    int row = 0;
    for (const Line& line : lines) {
        line.label.SetFont(BoldIn(f, tk::clRed));
        line.label.SetBounds(Left + 8, Top + Bar + 4 + row++ * Row, Width - 16, 16);
        line.label.SetHint(line.hint);
        line.label.SetHandCursor(true);
    }
    f.Label38.SetFont(BoldIn(f, clFuchsia));
    f.Label38.SetBounds(Left + 8, Top + Bar + 4 + row * Row, Width - 16, 16);

    f.BitBtn23.SetCaption("Delete All Optional Files");
    f.BitBtn23.SetHint("Delete all Optional Files");
    constexpr int Buttons = Top + Rows * Row + Bar + 8;
    f.BitBtn23.SetBounds(Left, Buttons, 330, 28);
    f.BitBtn24.SetCaption("Delete All Optional Files and Start Defragmenter");
    f.BitBtn24.SetHint("Delete all Optional Files");
    f.BitBtn24.SetBounds(Left, Buttons + 32, 330, 28);
    f.BitBtn24.SetGlyph({"deleteall.bmp", f.Prog.Ports.bitmaps.LoadBuiltIn("deleteall.bmp")});
    f.BitBtn22.SetBounds(400, 280, 75, 25);
    f.BitBtn22.SetVisible(false);
}

// A location line shows its place's sub-tab. The switch is made by the program, which
// raises no change event, so the line stores the page itself.
void GoToSubTab(Program& p, int index) {
    p.MainForm->PageControl2.SetActivePageIndex(index);
    p.IndexOfFreeTemp = index;
    SaveSettings(p);
}

// Explorer given no folder would open the root of the current drive.
void Browse(Program& p, FolderPlace place, const std::string& folder) {
    if (PlaceHasNoFolder(p, place))
        p.App.ShowNotice(PlaceCaption(p, place) + " has no folder on this computer.");
    else
        RunCommandLine(p, "Explorer " + folder);
}

// The browse buttons of the shell-folder places read their folder again first.
void BrowsePlace(Program& p, FolderPlace place) {
    RefreshPlace(p, place);
    Browse(p, place, PlacePath(p, place) + "\\");
}

void BindFreeTempPage(TMainForm& f) {
    Program& p = f.Prog;
    f.ListBox8.OnClick = [&p] { p.OptionalFiles.TempListIndex = p.MainForm->ListBox8.ItemIndex(); };
    tk::Label* lines[] = {&f.Label33, &f.Label34, &f.Label35, &f.Label36, &f.Label37, &f.Label39};
    for (int i = 0; i < 6; ++i)
        lines[i]->OnClick = [&p, i] { GoToSubTab(p, i + 1); };

    f.BitBtn2.OnClick = [&p] { Browse(p, FolderPlace::Temp, GetTempDir(p)); };
    f.BitBtn13.OnClick = [&p] { BrowsePlace(p, FolderPlace::Cache); };
    f.BitBtn16.OnClick = [&p] { BrowsePlace(p, FolderPlace::History); };
    f.BitBtn19.OnClick = [&p] { BrowsePlace(p, FolderPlace::Cookies); };

    f.BitBtn1.OnClick = [&p] { DeletePlaceContent(p, FolderPlace::Temp); };
    f.BitBtn12.OnClick = [&p] { DeletePlaceContent(p, FolderPlace::Cache); };
    f.BitBtn15.OnClick = [&p] { DeletePlaceContent(p, FolderPlace::History); };
    f.BitBtn18.OnClick = [&p] { DeletePlaceContent(p, FolderPlace::Cookies); };
    f.BitBtn20.OnClick = [&p] { DeleteRecycleBinContent(p); };
    f.BitBtn26.OnClick = [&p] { DeleteAppCachesClick(p); };
    f.BitBtn23.OnClick = [&p] { DeleteAllOptionalFilesClick(p); };
    f.BitBtn24.OnClick = [&p] { DeleteAllAndStartDefragmenter(p); };

    // The hidden refresh buttons.
    f.BitBtn7.OnClick = [&p] {
        RefreshTemp(p);
        RefreshTempLabel(p);
    };
    f.BitBtn11.OnClick = [&p] { RefreshInternetCache(p); };
    f.BitBtn14.OnClick = [&p] { RefreshHistory(p); };
    f.BitBtn17.OnClick = [&p] { RefreshCookies(p); };
    f.BitBtn21.OnClick = [&p] { RefreshRecycleBin(p); };
    f.BitBtn22.OnClick = [&p] { RefreshTotal(p); };
}

} // namespace

void DesignFreeTempPage(TMainForm& f) {
    DesignTotalSheet(f);
    DesignPlaceSheet(f, {f.Label1, f.GroupBox13, " Temporary Files Content ", f.ListBox8, f.Label2,
                         f.BitBtn1, "Delete from Temporary Directory", f.BitBtn2,
                         "Browse Temporary Directory", f.BitBtn7});
    DesignPlaceSheet(f, {f.Label22, f.GroupBox14, " Temporary Internet Files Content ", f.ListBox12,
                         f.Label26, f.BitBtn12, "Delete Files from Temporary Internet", f.BitBtn13,
                         "Browse Files from Temporary Internet ", f.BitBtn11});
    DesignPlaceSheet(f, {f.Label24, f.GroupBox15, " History Content ", f.ListBox13, f.Label27,
                         f.BitBtn15, "Delete Files From History", f.BitBtn16,
                         "Browse Files from History", f.BitBtn14});
    DesignPlaceSheet(f, {f.Label25, f.GroupBox16, " Cookies Content ", f.ListBox14, f.Label28,
                         f.BitBtn18, "Delete Files from Cookies", f.BitBtn19,
                         "Browse Files from Cookies", f.BitBtn17});
    DesignRecycleBinSheet(f);
    DesignAppCachesSheet(f);
    f.BitBtn1.SetGlyph({"delete.bmp", f.Prog.Ports.bitmaps.LoadBuiltIn("delete.bmp")});
    f.BitBtn2.SetGlyph({"browse.bmp", f.Prog.Ports.bitmaps.LoadBuiltIn("browse.bmp")});
    BindFreeTempPage(f);
}

} // namespace trelvix
