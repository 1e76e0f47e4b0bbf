#include "app/Main.h"

#include "app/MainWindowLayout.h"
#include "app/Program.h"
#include "app/RefreshCycle.h"
#include "app/ResourceGlyphs.h"
#include "app/Settings.h"
#include "app/ShownFigures.h"
#include "app/StatusLine.h"
#include "app/Version.h"
#include "app/WindowModes.h"
#include "app/WindowPlacement.h"
#include "autostart/RunEntries.h"
#include "cleanup/DeleteActions.h"
#include "cleanup/OptionalFiles.h"
#include "cleanup/PlaceChecks.h"
#include "disks/DriveActions.h"
#include "disks/DriveLines.h"
#include "disks/DriveNotices.h"
#include "disks/DriveSurvey.h"
#include "autostart/AutoStartWatch.h"
#include "disks/LowSpaceWarning.h"
#include "launch/Catalogues.h"
#include "launch/LaunchPage.h"
#include "power/ShutdownSchedule.h"
#include "tools/Stopwatch.h"
#include "tools/SystemPanel.h"

namespace trelvix {

namespace {
constexpr int LastPage = 6;
constexpr char Escape = 27;

// The start-up refresh; what reads the survey's findings follows them.
tk::Task FirstRefresh(Program& p) {
    auto refreshed = RefreshAll(p);
    co_await refreshed;
    p.FixedPresent = p.CdPresent = p.NetPresent = p.RamPresent = false;
    p.MainForm->TrayIcon1.SetHint(p.TraySummary);
}
} // namespace

TMainForm::TMainForm(Program& program)
    : tk::Form(program.App, "MainForm", ids::main::Form), Prog(program),
      TrayIcon1(program.App, program.Ports.tray, program.Ports.desktop) {
    DesignMainWindow(*this);
    NameFieldsByLabels(*this);
    BindEvents();
}

// ---- Events ----

void TMainForm::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this] { FormClose(); };
    OnKeyPress = [this](char& key) { FormKeyPress(key); };
    OnScreenChanged = [this] { MainWindowScreenChanged(Prog); };

    Disks.OnChange = [this] { DisksChange(); };
    PageControl1.OnChange = [this] { PageControl1Change(); };
    PageControl2.OnChange = [this] { PageControl2Change(); };
    tk::SpeedButton* pageButtons[] = {&SpeedButton13, &SpeedButton14, &SpeedButton15,
                                      &SpeedButton16, &SpeedButton17, &SpeedButton18,
                                      &SpeedButton19};
    tk::MenuItem* pageItems[] = {&Disks1,     &QuickLaunch1, &FreeTemp1, &ShutDown1,
                                 &StopWatch1, &Reminder1,    &AutoStart1};
    for (int page = 0; page <= LastPage; ++page) {
        pageButtons[page]->OnClick = [this, page] { SelectPage(page); };
        pageItems[page]->OnClick = [this, page] { TrayPageItemClick(page); };
    }
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3.OnClick = [this] { SpeedButton3Click(); };

    SpeedButton1.OnClick = [this] { RefreshCommand(); };
    Refresh1.OnClick = [this] { RefreshCommand(); };
    Exit1.OnClick = [this] { Close(); };
    Exit2.OnClick = [this] { Exit2Click(); };
    Options1.OnClick = [this] { Prog.App.ShowModal(*Prog.Options); };
    SpeedButton9.OnClick = [this] { Prog.App.ShowModal(*Prog.Options); };
    About1.OnClick = [this] { Prog.App.ShowModal(*Prog.About); };
    // The menu item decides from its check mark, the tool button from the stored mode.
    StayOnTop1.OnClick = [this] { ToggleStayOnTop(Prog, StayOnTop1.Checked()); };
    SpeedButton7.OnClick = [this] { ToggleStayOnTop(Prog, Prog.StayOnTop); };
    AutoRun1.OnClick = [this] { ToggleAutoRun(Prog); };
    SpeedButton8.OnClick = [this] { ToggleAutoRun(Prog); };
    SpeedButton12.OnClick = [this] { DeleteAllOptionalFilesClick(Prog); };
    EjectCdrom1.OnClick = [this] { EjectCdrom(Prog); };
    CloseCdrom2.OnClick = [this] { CloseCdrom(Prog); };
    Button1.OnClick = [this] { BringWindowBack(); };

    TrayIcon1.OnClick = [this] { BringWindowBack(); };
    TrayIcon1.OnMinimize = [this] { TrayIcon1Minimize(); };
    TrayIcon1.OnRestore = [this] { TrayIcon1Restore(); };
    TrayIcon1.OnVolumesChanged = [this](std::uint32_t drives) { NoteVolumesChanged(Prog, drives); };
    TrayIcon1.OnDrivesChanged = [this] { NoteDrivesChanged(Prog); };
    DriveNoticeTimer.OnTimer = [this] { RefreshAfterDriveNotices(Prog); };
    TrayIcon1.OnBalloonClicked = [this](const std::string& tag) { TrayIcon1BalloonClick(tag); };
    TrayIcon1.OnIconRestored = [this] {
        ShowPendingLowSpaceWarning(Prog);
        ShowPendingAutoStartNotice(Prog);
    };

    Timer1.OnTimer = [this] { RefreshOnTimer(Prog); };
    TimerControl.OnTimer = [this] { TimerControlTimer(); };
    Check1000.OnTimer = [this] { Check1000Timer(); };
    Timer2ShutDown.OnTimer = [this] { CheckScheduledPowerAction(Prog); };
    StopWatchTimer2.OnTimer = [this] { StopWatchTick(Prog); };
    StatusNoteTimer.OnTimer = [this] { ClearStatusNote(Prog); };
    ProgressTimer.OnTimer = [this] { ShowWorkProgress(Prog); };

    // Launchers
    ListBox5.OnClick = [this] { ControlPanelSelectionChanged(Prog); };
    ListBox6.OnClick = [this] { AdministrativeToolsSelectionChanged(Prog); };
    ListBox7.OnClick = [this] { UsefulToolsSelectionChanged(Prog); };
    ListBox5.OnDblClick = [this] { LaunchControlPanelEntry(Prog); };
    ListBox6.OnDblClick = [this] { LaunchAdministrativeToolsEntry(Prog); };
    ListBox7.OnDblClick = [this] { LaunchUsefulToolsEntry(Prog); };
    mia1.OnClick = [this] { LaunchControlPanelEntry(Prog); };
    mia2.OnClick = [this] { LaunchAdministrativeToolsEntry(Prog); };
    mia3.OnClick = [this] { LaunchUsefulToolsEntry(Prog); };
    BitBtn3.OnClick = [this] { OpenControlPanel(Prog); };
    SpeedButton6.OnClick = [this] { OpenControlPanel(Prog); };
    ControlPanel1.OnClick = [this] { OpenControlPanel(Prog); };
    BitBtn5.OnClick = [this] { OpenAdministrativeToolsFolder(Prog); };
    SpeedButton10.OnClick = [this] { OpenAdministrativeToolsFolder(Prog); };
    AdministrativeTools1.OnClick = [this] { OpenAdministrativeToolsFolder(Prog); };
    SpeedButton4.OnClick = [this] { OpenExplorer(Prog); };
    Explorer1.OnClick = [this] { OpenExplorer(Prog); };
    SpeedButton5.OnClick = [this] { OpenInternetExplorer(Prog); };
    SpeedButton11.OnClick = [this] { OpenDateAndTime(Prog); };

    // Small tools
    BitBtn6.OnClick = [this] { ToggleStopWatch(Prog); };
    BitBtn8.OnClick = [this] { ContinueStopWatch(Prog); };
    BitBtn9.OnClick = [this] { StartTaskManager(Prog); };
    BitBtn10.OnClick = [this] { StartDirectXDiagnostics(Prog); };
}

// ---- Start-up ----

void TMainForm::FormCreate() {
    // Each step stands alone: an error in one shows its box and start-up goes on,
    // so the window never opens half built.
    auto step = [this](const tk::Handler& work) { Prog.App.Guard(work); };

    step([this] { ShowWindowsUptime(Prog); });
    step([this] { ListBox11.Add(RemovablePromptLine()); });
    step([this] { PageControl1.SetActivePageIndex(0); });
    step([this] { Prog.ChangeOfBytes = KnownDivisor(Prog.ChangeOfBytes); });
    step([this] {
        Prog.FixedSelection = Prog.CdSelection = Prog.NetSelection = Prog.RamSelection = 100;
    });
    step([this] { LoadSettings(Prog); });
    // Loading replaces a stored divisor that is none of the units' (KnownDivisor).
    step([this] { LoadSettings(Prog); });
    step([this] { FirstRefresh(Prog); });
    step([this] { ComposeStatusLine(Prog); });
    step([this] { ApplyRefreshInterval(Prog); });
    step([this] { ApplyLowSpaceTimer(Prog); });
    step([this] {
        Disks.SetActivePageIndex(Prog.IndexOfTab);
        UpdateBackForward();
    });
    step([this] { SetStayOnTop(Prog, Prog.StayOnTop); });
    step([this] {
        DetectAutoRun(Prog);
        ShowAutoRun(Prog);
    });
    step([this] { SelectStoredCatalogueEntries(Prog); });
    step([this] {
        PageControl1.SetActivePageIndex(Prog.IndexOfRemoveable);
        PageControl2.SetActivePageIndex(Prog.IndexOfFreeTemp);
    });
    step([this] { UpdateTrayLaunchItems(Prog); });
    // The start-up's places share one reading of the place rules.
    auto placeRules = std::make_shared<SharedPlaceRules>();
    step([this, placeRules] {
        RefreshTempLabel(Prog);
        RefreshPlace(Prog, FolderPlace::Temp, placeRules);
    });
    step([this] {
        FillDateTimeNow(Prog);
        ShowNotArmedGlyphs(Prog);
    });
    step([this] {
        StopWatchTimer2.SetInterval(0);
        Label9.SetCaption("");
        BitBtn6.SetGlyph(LoadResourceGlyph(Prog, "Clock.bmp"));
    });
    step([this] { ShowMemoryFigures(Prog); });
    // Nothing on screen yet: the second's figures wait until the window shows.
    step([this] { MainWindowScreenChanged(Prog); });
    step([this] { ApplyAutoStartWatch(Prog); });
    step([this] { ShareFreeTempGlyphs(Prog); });
    step([this, placeRules] {
        for (FolderPlace place : {FolderPlace::Cache, FolderPlace::History, FolderPlace::Cookies})
            RefreshPlace(Prog, place, placeRules);
        RefreshRecycleBin(Prog);
        RefreshAppCaches(Prog, placeRules);
        RefreshTotal(Prog);
    });
    // Read after the walks have started, so that the temporary folder's size comes first.
    step([this] { RefreshAutoStart(Prog); });
}

void TMainForm::FormActivate() {
    // The dialogs' close buttons share one picture.
    if (Prog.Options) {
        Prog.Options->BitBtn2.SetGlyph(Prog.Options->BitBtn3.Glyph());
        if (Prog.About)
            Prog.About->BitBtn1.SetGlyph(Prog.Options->BitBtn3.Glyph());
    }
    Prog.VersionLine = VersionText;
    if (Prog.About)
        Prog.About->Label3.SetCaption(Prog.VersionLine);
    SetBounds(Prog.LeftForm, Prog.TopForm, Width(), Height());
    KeepMainWindowReachable(Prog);
    if (Prog.WindowStates == 0) {
        SetWindowState(tk::WindowState::Normal);
    } else if (Prog.WindowStates == 1) {
        SetWindowState(tk::WindowState::Minimized);
        SetVisible(false);
    }
}

void TMainForm::FormClose() {
    StopDeletion(Prog);
    SaveSettings(Prog);
}

void TMainForm::FormKeyPress(char& key) {
    if (key != Escape)
        return;
    Prog.App.Minimize();
    Prog.WindowStates = 1;
    SaveSettings(Prog);
}

// ---- Pages ----

void TMainForm::UpdateBackForward() {
    SpeedButton2.SetEnabled(Prog.IndexOfTab != 0);
    SpeedButton3.SetEnabled(Prog.IndexOfTab != LastPage);
}

void TMainForm::SelectPage(int page) {
    Disks.SetActivePageIndex(page);
    Prog.IndexOfTab = page;
    UpdateBackForward();
    SaveSettings(Prog);
    PageShownChanged(Prog);
    if (page == LastPage)
        AutoStartPageShown(Prog);
}

void TMainForm::DisksChange() {
    Prog.IndexOfTab = Disks.ActivePageIndex();
    UpdateBackForward();
    SaveSettings(Prog);
    PageShownChanged(Prog);
    if (Prog.IndexOfTab == LastPage)
        AutoStartPageShown(Prog);
}

void TMainForm::PageControl1Change() {
    Prog.IndexOfRemoveable = PageControl1.ActivePageIndex();
    SaveSettings(Prog);
}

void TMainForm::PageControl2Change() {
    Prog.IndexOfFreeTemp = PageControl2.ActivePageIndex();
    SaveSettings(Prog);
}

void TMainForm::SpeedButton2Click() {
    Disks.SetActivePageIndex(Prog.IndexOfTab - 1);
    --Prog.IndexOfTab;
    UpdateBackForward();
    SaveSettings(Prog);
    PageShownChanged(Prog);
}

void TMainForm::SpeedButton3Click() {
    Disks.SetActivePageIndex(Prog.IndexOfTab + 1);
    ++Prog.IndexOfTab;
    UpdateBackForward();
    SaveSettings(Prog);
    PageShownChanged(Prog);
    if (Prog.IndexOfTab == LastPage)
        AutoStartPageShown(Prog);
}

void TMainForm::TrayPageItemClick(int page) {
    SelectPage(page);
    BringWindowBack();
}

void TMainForm::TrayIcon1BalloonClick(const std::string& tag) {
    if (tag == LowSpaceBalloonTag)
        ShowWhatCanBeDeleted(Prog);
    else if (tag == AutoStartBalloonTag)
        ShowNoticedEntry(Prog);
}

void TMainForm::BringWindowBack() {
    SetVisible(true);
    if (Prog.App.Minimized())
        Prog.App.Restore();
    BringToFront();
    SetTopmost(Prog.StayOnTop);
}

// ---- Commands ----

void TMainForm::RefreshCommand() {
    int page = Disks.ActivePageIndex();
    if (page == 0 && PageControl1.ActivePageIndex() == 0) {
        RefreshAll(Prog);
        RefreshTemp(Prog);
        RefreshTempLabel(Prog);
        ListBox9.Clear();
        RefreshAutoStart(Prog);
    } else if (page == 0 && PageControl1.ActivePageIndex() == 1) {
        SurveyRemovableDrives(Prog);
        RefreshDrivePickers(Prog);
    } else if (page == 2) {
        BusyGlyph busy(Prog);
        RefreshFreeTemp(Prog);
    } else if (page == LastPage) {
        RefreshAutoStart(Prog, true);
    }
}

void TMainForm::Exit2Click() {
    SaveSettings(Prog);
    Close();
}

void TMainForm::TrayIcon1Minimize() {
    Prog.WindowStates = 1;
    SaveSettings(Prog);
}

void TMainForm::TrayIcon1Restore() {
    SetTopmost(Prog.StayOnTop);
    Prog.WindowStates = 0;
    SetWindowState(tk::WindowState::Normal);
    SaveSettings(Prog);
}

// ---- Timers ----

void TMainForm::TimerControlTimer() {
    ShowSecondFigures(Prog);
}

void TMainForm::Check1000Timer() {
    // Results whose wake was lost arrive here, at most a second late.
    Prog.App.DeliverResults();
    ShowUptimeOnView(Prog);
    EnsureTempFolder(Prog);
}

} // namespace trelvix
