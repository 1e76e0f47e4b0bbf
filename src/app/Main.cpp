#include "app/Main.h"

#include "app/ProceduresOfOthers.h"
#include "app/ProceduresOfReestr.h"
#include "app/Program.h"
#include "app/Version.h"
#include "autostart/ProceduresOfAutoStart.h"
#include "cleanup/ProceduresOfFreeTemp.h"
#include "disks/ProceduresOfDisks.h"
#include "launch/ProceduresOfAdministrativeToolsInput.h"
#include "launch/ProceduresOfControlPanelInput.h"
#include "launch/ProceduresOfQuickLaunch.h"
#include "launch/ProceduresOfUseFulToolsInput.h"
#include "power/ProceduresOfShutDown.h"
#include "tools/ProceduresOfStopWatch.h"
#include "tools/ProceduresOfSystem.h"

namespace trelvix {

namespace {
constexpr int LastPage = 6;
constexpr char Escape = 27;
} // namespace

TMainForm::TMainForm(Program& program)
    : tk::Form(program.App, "MainForm", ids::main::Form), P(program),
      TrayIcon1(program.App, program.Ports.tray, program.Ports.desktop) {
    DesignLayout();
    BindEvents();
}

// ---- Design ----

void TMainForm::DesignLayout() {
    SetCaption("Trelvix");
    SetClientSize(668, 435);
    KeyPreview = true;
    CenterOnScreen = true;
    Menu = &MainMenu1;

    auto builtIn = [&](const std::string& name) {
        return tk::Bitmap{name, P.Ports.bitmaps.LoadBuiltIn(name)};
    };
    struct ToolButton {
        tk::SpeedButton& button;
        int left, width;
        const char* hint;
        const char* image;
    };
    const ToolButton toolBar[] = {
        {SpeedButton1, 1, 98, "Refresh", nullptr},
        {SpeedButton7, 108, 29, "Stay On Top", nullptr},
        {SpeedButton8, 139, 33, "", nullptr},
        {SpeedButton9, 174, 30, "Options", "options.bmp"},
        {SpeedButton12, 206, 31, " Delete All Optional Files", "deleteall.bmp"},
        {SpeedButton2, 246, 54, "Back", "back.bmp"},
        {SpeedButton3, 302, 27, "Forward", "forward.bmp"},
        {SpeedButton4, 332, 30, "Explorer", "explorer.bmp"},
        {SpeedButton5, 365, 28, "Internet Explorer", "iexplore.bmp"},
        {SpeedButton6, 395, 30, "Control Panel", "controlpanel.bmp"},
        {SpeedButton10, 426, 31, "Administrative Tools", "admintools.bmp"},
        {SpeedButton11, 458, 204, "Date and Time", nullptr},
    };
    for (const ToolButton& t : toolBar) {
        t.button.SetBounds(t.left, 2, t.width, 32);
        t.button.SetHint(t.hint);
        t.button.SetFlat(true);
        t.button.SetHandCursor(true);
        if (t.image != nullptr)
            t.button.SetGlyph(builtIn(t.image));
    }
    tk::Font bold = GetFont();
    bold.bold = true;
    SpeedButton1.SetCaption("Refresh");
    SpeedButton1.SetFont(bold);
    SpeedButton11.SetFont(bold);
    Bevel1.SetBounds(100, 2, 4, 32);
    Bevel2.SetBounds(240, 2, 4, 32);

    struct PageButton {
        tk::SpeedButton& button;
        const char* hint;
        const char* image;
    };
    const PageButton pageButtons[] = {
        {SpeedButton13, "Disks", "disks.bmp"},
        {SpeedButton14, "QuickLaunch", "quicklaunch.bmp"},
        {SpeedButton15, "FreeTemp", "freetemp.bmp"},
        {SpeedButton16, "ShutDown", "shutdown_page.bmp"},
        {SpeedButton17, "StopWatch", "stopwatch.bmp"},
        {SpeedButton18, "System", "system.bmp"},
        {SpeedButton19, "AutoStart", "autostart.bmp"},
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

    Disks.SetBounds(45, 40, 620, 377);
    tk::Font tabFont = GetFont();
    tabFont.color = tk::clMagenta;
    Disks.SetFont(tabFont);
    Disks.MultiLine = true;
    Disks.HotTrack = true;
    const char* pageCaptions[] = {"Disks",     "QuickLaunch", "FreeTemp", "ShutDown",
                                  "StopWatch", "System",      "AutoStart"};
    for (int i = 0; i <= LastPage; ++i)
        Disks.Pages()[static_cast<size_t>(i)]->SetCaption(pageCaptions[i]);

    PageControl2.SetBounds(0, 0, 612, 349);
    PageControl2.Style = tk::TabStyle::FlatButtons;
    PageControl2.MultiLine = true;
    PageControl2.HotTrack = true;
    const char* freeTempCaptions[] = {
        "Total ",        "Temporary Files", "Temporary Internet Files", "Internet History Files",
        "Cookies files", "Recycle Bin"};
    for (int i = 0; i < 6; ++i)
        PageControl2.Pages()[static_cast<size_t>(i)]->SetCaption(freeTempCaptions[i]);

    ListBox9.SetBounds(5, 20, 600, 150);
    ListBox10.SetBounds(5, 190, 600, 150);

    StatusBar1.SetBounds(0, 416, 668, 19);
    Button1.SetCaption("Button1");
    Button1.SetVisible(false);

    Timer1.SetInterval(0);
    TimerControl.SetInterval(1000);
    Check1000.SetInterval(1000);
    Timer2ShutDown.SetInterval(5000);
    StopWatchTimer2.SetInterval(1000);

    TrayIcon1.PopupMenu = &PopupMenu1;

    DesignDisksPage(*this);
    DesignQuickLaunchPage(*this);
    DesignStopWatchPage(*this);
    DesignSystemPage(*this);
}

void TMainForm::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this] { FormClose(); };
    OnKeyPress = [this](char& key) { FormKeyPress(key); };

    Disks.OnChange = [this] { DisksChange(); };
    PageControl1.OnChange = [this] { PageControl1Change(); };
    PageControl2.OnChange = [this] { PageControl2Change(); };
    tk::SpeedButton* pageButtons[] = {&SpeedButton13, &SpeedButton14, &SpeedButton15,
                                      &SpeedButton16, &SpeedButton17, &SpeedButton18,
                                      &SpeedButton19};
    tk::MenuItem* pageItems[] = {&Disks1,     &QuickLaunch1, &FreeTemp1, &ShutDown1,
                                 &StopWatch1, &Reminder1,    &AutoStart1};
    for (int page = 0; page <= LastPage; ++page) {
        pageButtons[page]->OnClick = [this, page] { PageButtonClick(page); };
        pageItems[page]->OnClick = [this, page] { TrayPageItemClick(page); };
    }
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3.OnClick = [this] { SpeedButton3Click(); };

    SpeedButton1.OnClick = [this] { RefreshCommand(); };
    Refresh1.OnClick = [this] { RefreshCommand(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    Exit2.OnClick = [this] { Exit2Click(); };
    Options1.OnClick = [this] { Options1Click(); };
    SpeedButton9.OnClick = [this] { Options1Click(); };
    About1.OnClick = [this] { About1Click(); };
    StayOnTop1.OnClick = [this] { StayOnTop1Click(); };
    SpeedButton7.OnClick = [this] { SpeedButton7Click(); };
    AutoRun1.OnClick = [this] { AutoRun1Click(); };
    SpeedButton8.OnClick = [this] { SpeedButton8Click(); };
    SpeedButton12.OnClick = [this] { DeleteAllOptionalFiles(P); };
    EjectCdrom1.OnClick = [this] { EjectCdrom(P); };
    CloseCdrom2.OnClick = [this] { CloseCdrom(P); };
    Button1.OnClick = [this] { Button1Click(); };

    TrayIcon1.OnClick = [this] { Button1Click(); };
    TrayIcon1.OnMinimize = [this] { TrayIcon1Minimize(); };
    TrayIcon1.OnRestore = [this] { TrayIcon1Restore(); };

    Timer1.OnTimer = [this] { Timer1Timer(); };
    TimerControl.OnTimer = [this] { TimerControlTimer(); };
    Check1000.OnTimer = [this] { Check1000Timer(); };
    Timer2ShutDown.OnTimer = [this] { Timer2ShutDownTimer(); };
    StopWatchTimer2.OnTimer = [this] { StopWatchTimer2Timer(); };

    // Launchers
    ListBox5.OnClick = [this] { ControlPanelSelectionChanged(P); };
    ListBox6.OnClick = [this] { AdministrativeToolsSelectionChanged(P); };
    ListBox7.OnClick = [this] { UsefulToolsSelectionChanged(P); };
    ListBox5.OnDblClick = [this] { LaunchControlPanelEntry(P); };
    ListBox6.OnDblClick = [this] { LaunchAdministrativeToolsEntry(P); };
    ListBox7.OnDblClick = [this] { LaunchUsefulToolsEntry(P); };
    mia1.OnClick = [this] { LaunchControlPanelEntry(P); };
    mia2.OnClick = [this] { LaunchAdministrativeToolsEntry(P); };
    mia3.OnClick = [this] { LaunchUsefulToolsEntry(P); };
    BitBtn3.OnClick = [this] { OpenControlPanel(P); };
    SpeedButton6.OnClick = [this] { OpenControlPanel(P); };
    ControlPanel1.OnClick = [this] { OpenControlPanel(P); };
    BitBtn5.OnClick = [this] { OpenAdministrativeToolsFolder(P); };
    SpeedButton10.OnClick = [this] { OpenAdministrativeToolsFolder(P); };
    AdministrativeTools1.OnClick = [this] { OpenAdministrativeToolsFolder(P); };
    SpeedButton4.OnClick = [this] { OpenExplorer(P); };
    Explorer1.OnClick = [this] { OpenExplorer(P); };
    SpeedButton5.OnClick = [this] { OpenInternetExplorer(P); };
    SpeedButton11.OnClick = [this] { OpenDateAndTime(P); };

    // Small tools
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    BitBtn9.OnClick = [this] { StartTaskManager(P); };
    BitBtn10.OnClick = [this] { StartDirectXDiagnostics(P); };
}

// ---- Start-up ----

void TMainForm::FormCreate() {
    // Each step stands alone: an error in one shows its box and start-up goes on,
    // so the window never opens half built.
    auto step = [this](const tk::Handler& work) { P.App.Guard(work); };
    auto ensureDivisor = [this] {
        if (P.ChangeOfBytes == 0)
            P.ChangeOfBytes = 1048576;
    };

    step([this] { ShowWindowsUptime(P); });
    step([this] { ListBox11.Add("Press Refresh or F5 for Access to disks"); });
    step([this] { PageControl1.SetActivePageIndex(0); });
    step(ensureDivisor);
    step([this] { P.FixedSelection = P.CdSelection = P.NetSelection = P.RamSelection = 100; });
    step([this] { LoadSettings(P); });
    step([this] { LoadSettings(P); });
    // A stored divisor of 0 would divide every capacity by zero.
    step(ensureDivisor);
    step([this] { RefreshAll(P); });
    step([this] { P.FixedPresent = P.CdPresent = P.NetPresent = P.RamPresent = false; });
    step([this] { ComposeStatusLine(P); });
    step([this] { Timer1.SetInterval(P.Interval * 1000); });
    step([this] { TrayIcon1.SetHint(P.TraySummary); });
    step([this] {
        Disks.SetActivePageIndex(P.IndexOfTab);
        UpdateBackForward();
    });
    step([this] { ApplyStayOnTop(P); });
    step([this] {
        DetectAutoRun(P);
        ApplyAutoRun(P);
    });
    step([this] { SelectStoredCatalogueEntries(P); });
    step([this] {
        PageControl1.SetActivePageIndex(P.IndexOfRemoveable);
        PageControl2.SetActivePageIndex(P.IndexOfFreeTemp);
    });
    step([this] { UpdateTrayLaunchItems(P); });
    step([this] {
        RefreshTempLabel(P);
        RefreshTemp(P);
    });
    step([this] {
        FillDateTimeNow(P);
        ShowNotArmedGlyphs(P);
    });
    step([this] {
        StopWatchTimer2.SetInterval(0);
        Label9.SetCaption("");
        BitBtn6.SetGlyph(LoadResourceGlyph(P, "Clock.bmp"));
    });
    step([this] { ShowMemoryFigures(P); });
    step([this] { RefreshAutoStart(P); });
    step([this] { ShareFreeTempGlyphs(P); });
    step([this] {
        RefreshInternetCache(P);
        RefreshHistory(P);
        RefreshCookies(P);
        RefreshRecycleBin(P);
        RefreshTotal(P);
    });
}

void TMainForm::FormActivate() {
    // The dialogs' close buttons share one picture.
    if (P.Options) {
        P.Options->BitBtn2.SetGlyph(P.Options->BitBtn3.Glyph());
        if (P.About)
            P.About->BitBtn1.SetGlyph(P.Options->BitBtn3.Glyph());
    }
    P.VersionLine = VersionText;
    if (P.About)
        P.About->Label1.SetCaption(P.VersionLine);
    SetBounds(P.LeftForm, P.TopForm, Width(), Height());
    if (P.WindowStates == 0) {
        SetWindowState(tk::WindowState::Normal);
    } else if (P.WindowStates == 1) {
        SetWindowState(tk::WindowState::Minimized);
        SetVisible(false);
    }
}

void TMainForm::FormClose() {
    SaveSettings(P);
}

void TMainForm::FormKeyPress(char& key) {
    if (key != Escape)
        return;
    P.App.Minimize();
    P.WindowStates = 1;
    SaveSettings(P);
}

// ---- Pages ----

void TMainForm::UpdateBackForward() {
    SpeedButton2.SetEnabled(P.IndexOfTab != 0);
    SpeedButton3.SetEnabled(P.IndexOfTab != LastPage);
}

void TMainForm::SelectPage(int page) {
    Disks.SetActivePageIndex(page);
    P.IndexOfTab = page;
    UpdateBackForward();
    SaveSettings(P);
}

void TMainForm::DisksChange() {
    P.IndexOfTab = Disks.ActivePageIndex();
    UpdateBackForward();
    SaveSettings(P);
}

void TMainForm::PageControl1Change() {
    P.IndexOfRemoveable = PageControl1.ActivePageIndex();
    SaveSettings(P);
}

void TMainForm::PageControl2Change() {
    P.IndexOfFreeTemp = PageControl2.ActivePageIndex();
    SaveSettings(P);
}

void TMainForm::PageButtonClick(int page) {
    SelectPage(page);
}

void TMainForm::SpeedButton2Click() {
    Disks.SetActivePageIndex(P.IndexOfTab - 1);
    --P.IndexOfTab;
    UpdateBackForward();
    SaveSettings(P);
}

void TMainForm::SpeedButton3Click() {
    Disks.SetActivePageIndex(P.IndexOfTab + 1);
    ++P.IndexOfTab;
    UpdateBackForward();
    SaveSettings(P);
}

void TMainForm::TrayPageItemClick(int page) {
    SelectPage(page);
    BringWindowBack();
}

void TMainForm::BringWindowBack() {
    SetVisible(true);
    if (P.App.Minimized())
        P.App.Restore();
    BringToFront();
    SetZOrderFromStayOnTop(P);
}

// ---- Commands ----

void TMainForm::RefreshCommand() {
    int page = Disks.ActivePageIndex();
    if (page == 0 && PageControl1.ActivePageIndex() == 0) {
        RefreshAll(P);
        RefreshTemp(P);
        RefreshTempLabel(P);
        ListBox9.Clear();
        RefreshAutoStart(P);
    } else if (page == 0 && PageControl1.ActivePageIndex() == 1) {
        ShowBusy(P);
        SurveyRemovableDrives(P);
        RefreshDrivePickers(P);
        ShowIdle(P);
    } else if (page == 2) {
        ShowBusy(P);
        RefreshFreeTemp(P);
        ShowIdle(P);
    } else if (page == LastPage) {
        ShowBusy(P);
        RefreshAutoStart(P);
        ShowIdle(P);
    }
}

void TMainForm::Exit1Click() {
    Close();
}

void TMainForm::Exit2Click() {
    SaveSettings(P);
    Close();
}

void TMainForm::Options1Click() {
    P.App.ShowModal(*P.Options);
}

void TMainForm::About1Click() {
    P.App.ShowModal(*P.About);
}

void TMainForm::StayOnTop1Click() {
    ToggleStayOnTopFromMenu(P);
}

void TMainForm::SpeedButton7Click() {
    ToggleStayOnTopFromButton(P);
}

void TMainForm::AutoRun1Click() {
    ToggleAutoRunFromMenu(P);
}

void TMainForm::SpeedButton8Click() {
    ToggleAutoRunFromButton(P);
}

void TMainForm::Button1Click() {
    BringWindowBack();
}

void TMainForm::TrayIcon1Minimize() {
    P.WindowStates = 1;
    SaveSettings(P);
}

void TMainForm::TrayIcon1Restore() {
    SetZOrderFromStayOnTop(P);
    P.WindowStates = 0;
    SetWindowState(tk::WindowState::Normal);
    SaveSettings(P);
}

// ---- Timers ----

void TMainForm::Timer1Timer() {
    RefreshAll(P);
}

void TMainForm::TimerControlTimer() {
    ComposeStatusLine(P);
    ShowMemoryFigures(P);
}

void TMainForm::Check1000Timer() {
    ShowWindowsUptime(P);
    EnsureTempFolder(P);
}

void TMainForm::Timer2ShutDownTimer() {
    CheckScheduledPowerAction(P);
}

void TMainForm::StopWatchTimer2Timer() {
    StopWatchTick(P);
}

void TMainForm::BitBtn6Click() {
    ToggleStopWatch(P);
}

void TMainForm::BitBtn8Click() {
    ContinueStopWatch(P);
}

} // namespace trelvix
