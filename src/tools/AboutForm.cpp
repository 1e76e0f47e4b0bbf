#include "tools/AboutForm.h"

#include "app/MainWindowLayout.h"
#include "app/Program.h"
#include "launch/LaunchConventions.h"
#include "app/ResourceGlyphs.h"
#include "toolkit/Errors.h"
#include "tools/CrossFade.h"

#include <vector>

namespace trelvix {

namespace {

constexpr char Escape = 27;
constexpr const char* ContactAddress = "trelvix@ostrand.example";
constexpr const char* WebSite = "https://www.trelvix.example";
constexpr const char* MailHint = "Find any bugs or  want to give suggestions click here and write!";

// Where the pictures of the effect are drawn: the place of Image1.
constexpr int PictureLeft = 13;
constexpr int PictureTop = 5;

// Every line as it was written, trailing blanks included.
const std::vector<std::string> VersionHistory = {
    "+ Add new Feature",
    "* Fix small errors",
    "- Fix big errors",
    "",
    "Trelvix 3.008 08/22/2005",
    "1. +Now user can Hibernate his PC in ShutDown Tab.",
    "",
    "Trelvix 3.007a 07/04/2005",
    "1. +Adapted for American users.",
    "",
    "Trelvix 3.006a 09.12.2004",
    "1. *Fix interface error",
    "",
    "Trelvix 3.006 08.12.2004",
    "1. *Fix error with problem of autorefresh of disks.",
    "",
    "Trelvix 3.005, 06.12.2004",
    "1. -Fix some bugs with interface.",
    "2 +Now you can select elements in FreeTemp by clicking on labels of ",
    "Total.",
    "3. +I make possible to pay for program.",
    "",
    "",
    "Trelvix 3.004, 28.09.2004",
    "1. *Change version in about.",
    "2. *Fix error in FreeTemp, Total size don't refresh, when press Delete.",
    "3. *Fix error in Shut Down, now you can choose 0 hour and 0 min.",
    "4. *Change Color in Autostart for best interface.",
    "5. -Fix error, when open Temporarity directory with file and press delete",
    "directory is disappear. Now all Ok. ",
    "6. +Now when delete filles Refresh icon is stop.",
    "",
    "Trelvix 3.003, 24.09.2004",
    "1. -Now Trelvix don't eat CPU of PC every 1 minute. I have a ",
    "problem in Quake3 :))). Now press button Refresh for Refresh ",
    "information about FreeTemp and AutoStart.",
    "",
    "Trelvix 3.002, 22.09.2004",
    "1. +Make analog show <<< === >>> for Disks, Now you can see what ",
    "happen with disks, more or less space became.",
    "2. *Fixed error of User Interfaces in Options for Interval of devices ",
    "information refreshing, it was incorrect color.",
    "3. +Make refresh when you choose in which capacity show information.",
    "4. +Make saving information about category of disks. Now save last ",
    "condition.",
    "5. +Make correct show of icons, when application is refresh.",
    "6. *Now ToolBar don't blink, when refresh information of application.",
    "7. +Now you can control Temporary Internet Files, History, Cockies, ",
    "Recycle Bin.",
    "8. *Change button Refresh, for more comfortable interface.",
    "9. *Fixed error, when work with Temporarity files.",
    "10. *Changed About.",
    "11. +Add more icons for more comfortable work.",
    "12. +Now all that you can press have hand.",
    "13. +Change color for best interface.",
    "14. *Fixed error, which show error when press double at fixed disks.",
    "15. +Add possibility in FreeTemp delete optional files automatically ",
    "and delete optional files automatically and start Defragmenter.",
    "16. *Change icons in StopWatch.",
    "17. -Delete Picture NoAutoRun.jpg from Folder Resource.",
    "18. +Add Button Direct X in System, for get more information about ",
    "system.",
    "19. +Now you can delete records from regestry in AutoStart.",
    "20. *We have change interface a little.",
    "21. *Change min in Shut Down from 0 to 59.",
    "22. *Fixed problem with Start On Top.",
    "",
    "Trelvix 3.001, 14.05.2004",
    "1. Change size of GroupBox. Now you can scroll disks, If you have many ",
    "of them.",
    "",
    "Trelvix 3.000, 21.04.2004",
    "1. +Add New Interface",
    "2.*Changed Tabsheet Disks.",
    "3. +Add QuickLaunch.",
    "4. +Add FreeTemp.",
    "5. +Add ShutDown.",
    "6. +Add StopWatch.",
    "7. +Add System.",
    "8. +Add AutoStart.",
};

// clang-format off
const std::vector<std::string> Credits = {
    "Programming:",
    "Ostrand",
    "",
    "Thanks for Testing:",
    "Mira Talvik",
    "Jonas Erdmann",
    "Paulo Venn",
    "Ilse Korhonen",
    "",
    "Special Thanks for",
    "programming help:",
    "Dario Quint",
    "Lena Marsh",
};
// clang-format on

const std::vector<std::string> Thanks = {
    "Thank you very much for buy this program!",
    "I can make more Feachers with your Help!",
    "Ostrand and his team",
};

// A new message to the developers, with its subject and first words.
std::string MailLink() {
    return std::string("mailto:Trelvix developers <") + ContactAddress +
           ">?Body=Hello!&Subject=About Trelvix";
}

} // namespace

TAbout::TAbout(Program& program) : tk::Form(program.App, "About", ids::about::Form), Prog(program) {
    Design();
    OnActivate = [this] { PlayAboutPicture(); };
    // Hidden again, so that the next showing plays the effect anew.
    OnClose = [this] { Image1.SetVisible(false); };
    OnKeyPress = [this](char& key) {
        if (key == Escape)
            Close();
    };
    BitBtn1.OnClick = [this] { Close(); };
    Label1.OnClick = [this] { OpenMailLink(); };
    Label2.OnClick = [this] { OpenWebSite(); };
}

void TAbout::Design() {
    SetCaption("About");
    SetClientSize(376, 364);
    Dialog = true;
    KeyPreview = true;
    CenterOnScreen = true;

    Image1.SetBounds(PictureLeft, PictureTop, 76, 81);
    Image1.SetPicture(tk::Bitmap{"about.bmp", Prog.Ports.bitmaps.LoadBuiltIn("about.bmp")});
    Image1.SetHint("Trelvix");
    Image1.SetVisible(false);

    tk::Font bold = GetFont();
    bold.bold = true;
    tk::Font version = bold;
    version.color = tk::clGreen;
    tk::Font link = bold;
    link.underline = true;
    link.color = tk::clBlue;

    Label3.SetBounds(144, 8, 220, 13);
    Label3.SetFont(version);
    Label3.SetCaption("Version in code");

    struct Line {
        tk::Label& label;
        int left, top, width;
        const tk::Font& font;
        const char* caption;
        const char* hint;
    };
    const Line lines[] = {
        {Label5, 104, 32, 60, bold, "Our Email:", MailHint},
        {Label1, 166, 32, 200, link, ContactAddress, MailHint},
        {Label6, 104, 50, 60, bold, "Our Site:", "Visit Our Site"},
        {Label2, 166, 50, 200, link, WebSite, "Visit our site!"},
    };
    for (const Line& l : lines) {
        l.label.SetBounds(l.left, l.top, l.width, 13);
        l.label.SetFont(l.font);
        l.label.SetCaption(l.caption);
        l.label.SetHint(l.hint);
    }
    Label1.SetHandCursor(true);
    Label2.SetHandCursor(true);

    BitBtn1.SetBounds(344, 80, 25, 25);
    BitBtn1.SetHint("Close");

    PageControl1.SetBounds(4, 88, 369, 273);
    TabSheet1.SetCaption("Version History");
    TabSheet2.SetCaption("Credits");
    TabSheet3.SetCaption("Pay for Trelvix !");
    NameByLabel(ListBox1Name, TabSheet1.Caption());
    NameByLabel(ListBox2Name, TabSheet2.Caption());
    NameByLabel(ListBox3Name, TabSheet3.Caption());
    struct Page {
        tk::ListBox& list;
        const std::vector<std::string>& lines;
        const char* hint;
    };
    const Page pages[] = {{ListBox1, VersionHistory, "Version History"},
                          {ListBox2, Credits, "Information about us!"},
                          {ListBox3, Thanks, ""}};
    for (const Page& page : pages) {
        page.list.SetBounds(0, 0, 361, 245);
        page.list.SetItems(page.lines);
        page.list.SetHint(page.hint);
    }
    PageControl1.SetActivePageIndex(0);
}

void TAbout::PlayAboutPicture() {
    // Both files are tried, so that each one missing is reported.
    const tk::Bitmap first = LoadResourceGlyph(Prog, "about0.bmp");
    const tk::Bitmap second = LoadResourceGlyph(Prog, "about1.bmp");
    if (!first.Empty() && !second.Empty()) {
        port::RgbPixels p = first.image->Pixels();
        port::RgbPixels q = second.image->Pixels();
        CropToCommonSize(p, q);
        // What would fall outside the dialog is never seen: pictures of any size cost no more
        // than the dialog's area.
        for (port::RgbPixels* picture : {&p, &q})
            CropTopLeft(*picture, ClientWidth() - PictureLeft, ClientHeight() - PictureTop);
        if (!p.Empty()) {
            DrawPicture(p, PictureLeft, PictureTop);
            for (int k = 1; k <= FadeFrames && !Prog.App.Terminated(); ++k)
                DrawPicture(FadeFrame(p, q, k), PictureLeft, PictureTop);
        }
    }
    Image1.SetVisible(true);
}

void TAbout::OpenMailLink() {
    OpenLink(Prog, "open", MailLink(), port::ShellOwner::None, port::ShowMode::Normal);
}

void TAbout::OpenWebSite() {
    OpenLink(Prog, "", Label2.Caption(), port::ShellOwner::ActiveWindow, port::ShowMode::Shown);
}

} // namespace trelvix
