#include "app/MainWindowLayout.h"

#include "app/Main.h"
#include "app/Program.h"
#include "cleanup/FreeTempPage.h"
#include "autostart/RunEntries.h"
#include "disks/DriveSurvey.h"
#include "launch/LaunchPage.h"
#include "power/ShutdownSchedule.h"
#include "tools/Stopwatch.h"
#include "tools/SystemPanel.h"

namespace trelvix {

namespace {
constexpr int LastPage = 6;
} // namespace

void DesignMainWindow(TMainForm& f) {
    f.SetCaption("Trelvix");
    f.SetClientSize(668, 435);
    f.KeyPreview = true;
    f.CenterOnScreen = true;
    f.Menu = &f.MainMenu1;

    auto builtIn = [&](const std::string& name) {
        return tk::Bitmap{name, f.Prog.Ports.bitmaps.LoadBuiltIn(name)};
    };
    struct ToolButton {
        tk::SpeedButton& button;
        int left, width;
        const char* hint;
        const char* image;
    };
    const ToolButton toolBar[] = {
        {f.SpeedButton1, 1, 98, "Refresh", nullptr},
        {f.SpeedButton7, 108, 29, "Stay On Top", nullptr},
        {f.SpeedButton8, 139, 33, "", nullptr},
        {f.SpeedButton9, 174, 30, "Options", "options.bmp"},
        {f.SpeedButton12, 206, 31, " Delete All Optional Files", "deleteall.bmp"},
        {f.SpeedButton2, 246, 54, "Back", "back.bmp"},
        {f.SpeedButton3, 302, 27, "Forward", "forward.bmp"},
        {f.SpeedButton4, 332, 30, "Explorer", "explorer.bmp"},
        {f.SpeedButton5, 365, 28, "Internet Explorer", "iexplore.bmp"},
        {f.SpeedButton6, 395, 30, "Control Panel", "controlpanel.bmp"},
        {f.SpeedButton10, 426, 31, "Administrative Tools", "admintools.bmp"},
        {f.SpeedButton11, 458, 204, "Date and Time", nullptr},
    };
    for (const ToolButton& t : toolBar) {
        t.button.SetBounds(t.left, 2, t.width, 32);
        t.button.SetHint(t.hint);
        t.button.SetFlat(true);
        t.button.SetHandCursor(true);
        if (t.image != nullptr)
            t.button.SetGlyph(builtIn(t.image));
    }
    tk::Font bold = f.GetFont();
    bold.bold = true;
    f.SpeedButton1.SetCaption("Refresh");
    f.SpeedButton1.SetFont(bold);
    f.SpeedButton11.SetFont(bold);
    f.Bevel1.SetBounds(100, 2, 4, 32);
    f.Bevel2.SetBounds(240, 2, 4, 32);

    struct PageButton {
        tk::SpeedButton& button;
        const char* hint;
        const char* image;
    };
    const PageButton pageButtons[] = {
        {f.SpeedButton13, "Disks", "disks.bmp"},
        {f.SpeedButton14, "QuickLaunch", "quicklaunch.bmp"},
        {f.SpeedButton15, "FreeTemp", "freetemp.bmp"},
        {f.SpeedButton16, "ShutDown", "shutdown_page.bmp"},
        {f.SpeedButton17, "StopWatch", "stopwatch.bmp"},
        {f.SpeedButton18, "System", "system.bmp"},
        {f.SpeedButton19, "AutoStart", "autostart.bmp"},
    };
    int top = 40;
    for (const PageButton& b : pageButtons) {
        b.button.SetBounds(3, top, 38, 50);
        b.button.SetHint(b.hint);
        b.button.SetFlat(true);
        b.button.SetHandCursor(true);
        b.button.SetGlyph(builtIn(b.image));
        top += 53;
    }

    f.Disks.SetBounds(45, 40, 620, 377);
    tk::Font tabFont = f.GetFont();
    tabFont.color = tk::clMagenta;
    f.Disks.SetFont(tabFont);
    f.Disks.MultiLine = true;
    f.Disks.HotTrack = true;
    const char* pageCaptions[] = {"Disks",     "QuickLaunch", "FreeTemp", "ShutDown",
                                  "StopWatch", "System",      "AutoStart"};
    for (int i = 0; i <= LastPage; ++i)
        f.Disks.Pages()[static_cast<size_t>(i)]->SetCaption(pageCaptions[i]);

    f.PageControl2.SetBounds(0, 0, 612, 349);
    f.PageControl2.Style = tk::TabStyle::FlatButtons;
    f.PageControl2.MultiLine = true;
    f.PageControl2.HotTrack = true;
    const char* freeTempCaptions[] = {
        "Total ",        "Temporary Files", "Temporary Internet Files", "Internet History Files",
        "Cookies files", "Recycle Bin",     "Browser and App Caches"};
    for (int i = 0; i < 7; ++i)
        f.PageControl2.Pages()[static_cast<size_t>(i)]->SetCaption(freeTempCaptions[i]);

    f.StatusBar1.SetBounds(0, 416, 668, 19);
    // At the right end of the bar, inside its second part.
    f.ProgressBar1.SetBounds(668 - 4 - 100, 3, 100, 14);
    f.ProgressBar1.SetVisible(false);
    f.StatusBar1.KeepRoomFor(f.ProgressBar1);
    f.Button1.SetCaption("Button1");
    f.Button1.SetVisible(false);

    f.Timer1.SetInterval(0);
    f.DriveNoticeTimer.SetInterval(0);
    f.TimerControl.SetInterval(1000);
    f.Check1000.SetInterval(1000);
    f.Timer2ShutDown.SetInterval(5000);
    // Checks only while a power action is armed.
    f.Timer2ShutDown.SetEnabled(false);
    f.StopWatchTimer2.SetInterval(1000);
    f.StatusNoteTimer.SetInterval(5000);
    f.StatusNoteTimer.SetEnabled(false);
    f.ProgressTimer.SetInterval(500);
    f.ProgressTimer.SetEnabled(false);

    f.TrayIcon1.PopupMenu = &f.PopupMenu1;

    DesignDisksPage(f);
    DesignQuickLaunchPage(f);
    DesignFreeTempPage(f);
    DesignShutDownPage(f);
    DesignStopWatchPage(f);
    DesignSystemPage(f);
    DesignAutoStartPage(f);
}

void NameByLabel(tk::Label& label, const std::string& name) {
    const auto first = name.find_first_not_of(' ');
    const auto last = name.find_last_not_of(' ');
    label.SetCaption(first == std::string::npos ? name : name.substr(first, last - first + 1));
    label.SetBounds(0, 0, 0, 0);
}

void NameFieldsByLabels(TMainForm& f) {
    const std::pair<tk::Label&, const tk::Control&> byGroup[] = {
        {f.ListBox1Name, f.GroupBox3},   {f.ListBox2Name, f.GroupBox4},
        {f.ListBox3Name, f.GroupBox5},   {f.ListBox4Name, f.GroupBox6},
        {f.ListBox11Name, f.GroupBox2},  {f.ListBox5Name, f.GroupBox7},
        {f.ListBox6Name, f.GroupBox8},   {f.ListBox7Name, f.GroupBox9},
        {f.ListBox8Name, f.GroupBox13},  {f.ListBox12Name, f.GroupBox14},
        {f.ListBox13Name, f.GroupBox15}, {f.ListBox14Name, f.GroupBox16},
        {f.ListBox15Name, f.GroupBox17},
    };
    for (const auto& [label, group] : byGroup)
        NameByLabel(label, group.Caption());
    NameByLabel(f.DriveComboBox1Name, "Drive");
    NameByLabel(f.DriveComboBox2Name, "Removable drive");
    NameByLabel(f.Memo1Name, "Shutdown note");
    NameByLabel(f.Memo2Name, "Hibernate note");
}

} // namespace trelvix
