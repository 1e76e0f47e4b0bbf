#pragma once

#include "app/ControlIds.h"
#include "app/TrayIcon.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// The main window: tool bar, page buttons, the seven pages of `Disks`, status bar,
// menus, timers and the tray icon. Control names are the form's own.
class TMainForm : public tk::Form {
  public:
    explicit TMainForm(Program& program);

    Program& Prog;

    // ---- Tool bar ----
    tk::SpeedButton SpeedButton1{*this, this, "SpeedButton1", ids::main::SpeedButton1};
    tk::Bevel Bevel1{*this, this, "Bevel1", ids::main::Bevel1};
    tk::SpeedButton SpeedButton7{*this, this, "SpeedButton7", ids::main::SpeedButton7};
    tk::SpeedButton SpeedButton8{*this, this, "SpeedButton8", ids::main::SpeedButton8};
    tk::SpeedButton SpeedButton9{*this, this, "SpeedButton9", ids::main::SpeedButton9};
    tk::SpeedButton SpeedButton12{*this, this, "SpeedButton12", ids::main::SpeedButton12};
    tk::Bevel Bevel2{*this, this, "Bevel2", ids::main::Bevel2};
    tk::SpeedButton SpeedButton2{*this, this, "SpeedButton2", ids::main::SpeedButton2};
    tk::SpeedButton SpeedButton3{*this, this, "SpeedButton3", ids::main::SpeedButton3};
    tk::SpeedButton SpeedButton4{*this, this, "SpeedButton4", ids::main::SpeedButton4};
    tk::SpeedButton SpeedButton5{*this, this, "SpeedButton5", ids::main::SpeedButton5};
    tk::SpeedButton SpeedButton6{*this, this, "SpeedButton6", ids::main::SpeedButton6};
    tk::SpeedButton SpeedButton10{*this, this, "SpeedButton10", ids::main::SpeedButton10};
    tk::SpeedButton SpeedButton11{*this, this, "SpeedButton11", ids::main::SpeedButton11};

    // ---- Page buttons ----
    tk::SpeedButton SpeedButton13{*this, this, "SpeedButton13", ids::main::SpeedButton13};
    tk::SpeedButton SpeedButton14{*this, this, "SpeedButton14", ids::main::SpeedButton14};
    tk::SpeedButton SpeedButton15{*this, this, "SpeedButton15", ids::main::SpeedButton15};
    tk::SpeedButton SpeedButton16{*this, this, "SpeedButton16", ids::main::SpeedButton16};
    tk::SpeedButton SpeedButton17{*this, this, "SpeedButton17", ids::main::SpeedButton17};
    tk::SpeedButton SpeedButton18{*this, this, "SpeedButton18", ids::main::SpeedButton18};
    tk::SpeedButton SpeedButton19{*this, this, "SpeedButton19", ids::main::SpeedButton19};

    // ---- Pages ----
    tk::PageControl Disks{*this, this, "Disks", ids::main::Disks};
    tk::TabSheet TabSheet1{*this, Disks, "TabSheet1", ids::main::TabSheet1};
    tk::TabSheet TabSheet2{*this, Disks, "TabSheet2", ids::main::TabSheet2};
    tk::TabSheet TabSheet3{*this, Disks, "TabSheet3", ids::main::TabSheet3};
    tk::TabSheet TabSheet4{*this, Disks, "TabSheet4", ids::main::TabSheet4};
    tk::TabSheet TabSheet5{*this, Disks, "TabSheet5", ids::main::TabSheet5};
    tk::TabSheet TabSheet7{*this, Disks, "TabSheet7", ids::main::TabSheet7};
    tk::TabSheet TabSheet6{*this, Disks, "TabSheet6", ids::main::TabSheet6};

    // Page 0: Disks
    tk::PageControl PageControl1{*this, &TabSheet1, "PageControl1", ids::main::PageControl1};
    tk::TabSheet TabSheet9{*this, PageControl1, "TabSheet9", ids::main::TabSheet9};
    tk::TabSheet TabSheet10{*this, PageControl1, "TabSheet10", ids::main::TabSheet10};
    tk::GroupBox GroupBox1{*this, &TabSheet9, "GroupBox1", ids::main::GroupBox1};
    tk::GroupBox GroupBox3{*this, &GroupBox1, "GroupBox3", ids::main::GroupBox3};
    tk::Label ListBox1Name{*this, &GroupBox3, "ListBox1Name", ids::main::ListBox1Name};
    tk::ListBox ListBox1{*this, &GroupBox3, "ListBox1", ids::main::ListBox1};
    tk::GroupBox GroupBox4{*this, &GroupBox1, "GroupBox4", ids::main::GroupBox4};
    tk::Label ListBox2Name{*this, &GroupBox4, "ListBox2Name", ids::main::ListBox2Name};
    tk::ListBox ListBox2{*this, &GroupBox4, "ListBox2", ids::main::ListBox2};
    tk::GroupBox GroupBox5{*this, &GroupBox1, "GroupBox5", ids::main::GroupBox5};
    tk::Label ListBox3Name{*this, &GroupBox5, "ListBox3Name", ids::main::ListBox3Name};
    tk::ListBox ListBox3{*this, &GroupBox5, "ListBox3", ids::main::ListBox3};
    tk::GroupBox GroupBox6{*this, &GroupBox1, "GroupBox6", ids::main::GroupBox6};
    tk::Label ListBox4Name{*this, &GroupBox6, "ListBox4Name", ids::main::ListBox4Name};
    tk::ListBox ListBox4{*this, &GroupBox6, "ListBox4", ids::main::ListBox4};
    tk::Label DriveComboBox1Name{*this, &TabSheet9, "DriveComboBox1Name",
                                 ids::main::DriveComboBox1Name};
    tk::DriveComboBox DriveComboBox1{*this, &TabSheet9, "DriveComboBox1",
                                     ids::main::DriveComboBox1};
    tk::GroupBox GroupBox2{*this, &TabSheet10, "GroupBox2", ids::main::GroupBox2};
    tk::Label ListBox11Name{*this, &GroupBox2, "ListBox11Name", ids::main::ListBox11Name};
    tk::ListBox ListBox11{*this, &GroupBox2, "ListBox11", ids::main::ListBox11};
    tk::Label DriveComboBox2Name{*this, &TabSheet10, "DriveComboBox2Name",
                                 ids::main::DriveComboBox2Name};
    tk::DriveComboBox DriveComboBox2{*this, &TabSheet10, "DriveComboBox2",
                                     ids::main::DriveComboBox2};
    // Context menus of the drive lists
    tk::PopupMenu PopupMenu4{*this, "PopupMenu4", ids::main::PopupMenu4};
    tk::MenuItem ChangeVolumeLabel1{*this, PopupMenu4, "ChangeVolumeLabel1",
                                    ids::main::ChangeVolumeLabel1, "Change Volume Label"};
    tk::PopupMenu PopupMenu3{*this, "PopupMenu3", ids::main::PopupMenu3};
    tk::MenuItem EjectInputCdrom1{*this, PopupMenu3, "EjectInputCdrom1",
                                  ids::main::EjectInputCdrom1, "Eject Cd-rom"};
    tk::MenuItem CloseCdrom1{*this, PopupMenu3, "CloseCdrom1", ids::main::CloseCdrom1,
                             "Close Cd-rom"};
    tk::PopupMenu PopupMenu2{*this, "PopupMenu2", ids::main::PopupMenu2};
    tk::MenuItem Disc1{*this, PopupMenu2, "Disc1", ids::main::Disc1, "Disconnect"};
    tk::PopupMenu PopupMenu5{*this, "PopupMenu5", ids::main::PopupMenu5};
    tk::MenuItem ChangeVolumeLabel2{*this, PopupMenu5, "ChangeVolumeLabel2",
                                    ids::main::ChangeVolumeLabel2, "Change Volume Label"};

    // Page 1: QuickLaunch
    tk::GroupBox GroupBox7{*this, &TabSheet2, "GroupBox7", ids::main::GroupBox7};
    tk::BitBtn BitBtn3{*this, &GroupBox7, "BitBtn3", ids::main::BitBtn3};
    tk::Label ListBox5Name{*this, &GroupBox7, "ListBox5Name", ids::main::ListBox5Name};
    tk::ListBox ListBox5{*this, &GroupBox7, "ListBox5", ids::main::ListBox5};
    tk::GroupBox GroupBox8{*this, &TabSheet2, "GroupBox8", ids::main::GroupBox8};
    tk::BitBtn BitBtn5{*this, &GroupBox8, "BitBtn5", ids::main::BitBtn5};
    tk::Label ListBox6Name{*this, &GroupBox8, "ListBox6Name", ids::main::ListBox6Name};
    tk::ListBox ListBox6{*this, &GroupBox8, "ListBox6", ids::main::ListBox6};
    tk::GroupBox GroupBox9{*this, &TabSheet2, "GroupBox9", ids::main::GroupBox9};
    tk::Label ListBox7Name{*this, &GroupBox9, "ListBox7Name", ids::main::ListBox7Name};
    tk::ListBox ListBox7{*this, &GroupBox9, "ListBox7", ids::main::ListBox7};

    // Page 2: FreeTemp
    tk::PageControl PageControl2{*this, &TabSheet3, "PageControl2", ids::main::PageControl2};
    tk::TabSheet TabSheet11{*this, PageControl2, "TabSheet11", ids::main::TabSheet11};
    tk::TabSheet TabSheet12{*this, PageControl2, "TabSheet12", ids::main::TabSheet12};
    tk::TabSheet TabSheet13{*this, PageControl2, "TabSheet13", ids::main::TabSheet13};
    tk::TabSheet TabSheet14{*this, PageControl2, "TabSheet14", ids::main::TabSheet14};
    tk::TabSheet TabSheet15{*this, PageControl2, "TabSheet15", ids::main::TabSheet15};
    tk::TabSheet TabSheet16{*this, PageControl2, "TabSheet16", ids::main::TabSheet16};
    tk::TabSheet TabSheet17{*this, PageControl2, "TabSheet17", ids::main::TabSheet17};
    // "Total "
    tk::Label Label32{*this, &TabSheet11, "Label32", ids::main::Label32};
    tk::Panel Panel10{*this, &TabSheet11, "Panel10", ids::main::Panel10};
    tk::Panel Panel11{*this, &TabSheet11, "Panel11", ids::main::Panel11};
    tk::Panel Panel12{*this, &TabSheet11, "Panel12", ids::main::Panel12};
    tk::Panel Panel13{*this, &TabSheet11, "Panel13", ids::main::Panel13};
    tk::Panel Panel14{*this, &TabSheet11, "Panel14", ids::main::Panel14};
    tk::Panel Panel15{*this, &TabSheet11, "Panel15", ids::main::Panel15};
    tk::Panel Panel16{*this, &TabSheet11, "Panel16", ids::main::Panel16};
    tk::Panel Panel17{*this, &TabSheet11, "Panel17", ids::main::Panel17};
    tk::Panel Panel18{*this, &TabSheet11, "Panel18", ids::main::Panel18};
    tk::Panel Panel19{*this, &TabSheet11, "Panel19", ids::main::Panel19};
    tk::Label Label33{*this, &TabSheet11, "Label33", ids::main::Label33};
    tk::Label Label34{*this, &TabSheet11, "Label34", ids::main::Label34};
    tk::Label Label35{*this, &TabSheet11, "Label35", ids::main::Label35};
    tk::Label Label36{*this, &TabSheet11, "Label36", ids::main::Label36};
    tk::Label Label37{*this, &TabSheet11, "Label37", ids::main::Label37};
    tk::Label Label39{*this, &TabSheet11, "Label39", ids::main::Label39};
    tk::Label Label38{*this, &TabSheet11, "Label38", ids::main::Label38};
    tk::BitBtn BitBtn23{*this, &TabSheet11, "BitBtn23", ids::main::BitBtn23};
    tk::BitBtn BitBtn24{*this, &TabSheet11, "BitBtn24", ids::main::BitBtn24};
    tk::BitBtn BitBtn22{*this, &TabSheet11, "BitBtn22", ids::main::BitBtn22};
    // "Temporary Files"
    tk::Label Label1{*this, &TabSheet12, "Label1", ids::main::Label1};
    tk::GroupBox GroupBox13{*this, &TabSheet12, "GroupBox13", ids::main::GroupBox13};
    tk::Label ListBox8Name{*this, &GroupBox13, "ListBox8Name", ids::main::ListBox8Name};
    tk::ListBox ListBox8{*this, &GroupBox13, "ListBox8", ids::main::ListBox8};
    tk::Label Label2{*this, &TabSheet12, "Label2", ids::main::Label2};
    tk::BitBtn BitBtn1{*this, &TabSheet12, "BitBtn1", ids::main::BitBtn1};
    tk::BitBtn BitBtn2{*this, &TabSheet12, "BitBtn2", ids::main::BitBtn2};
    tk::BitBtn BitBtn7{*this, &TabSheet12, "BitBtn7", ids::main::BitBtn7};
    // "Temporary Internet Files"
    tk::Label Label22{*this, &TabSheet13, "Label22", ids::main::Label22};
    tk::GroupBox GroupBox14{*this, &TabSheet13, "GroupBox14", ids::main::GroupBox14};
    tk::Label ListBox12Name{*this, &GroupBox14, "ListBox12Name", ids::main::ListBox12Name};
    tk::ListBox ListBox12{*this, &GroupBox14, "ListBox12", ids::main::ListBox12};
    tk::Label Label26{*this, &TabSheet13, "Label26", ids::main::Label26};
    tk::BitBtn BitBtn12{*this, &TabSheet13, "BitBtn12", ids::main::BitBtn12};
    tk::BitBtn BitBtn13{*this, &TabSheet13, "BitBtn13", ids::main::BitBtn13};
    tk::BitBtn BitBtn11{*this, &TabSheet13, "BitBtn11", ids::main::BitBtn11};
    // "Internet History Files"
    tk::Label Label24{*this, &TabSheet14, "Label24", ids::main::Label24};
    tk::GroupBox GroupBox15{*this, &TabSheet14, "GroupBox15", ids::main::GroupBox15};
    tk::Label ListBox13Name{*this, &GroupBox15, "ListBox13Name", ids::main::ListBox13Name};
    tk::ListBox ListBox13{*this, &GroupBox15, "ListBox13", ids::main::ListBox13};
    tk::Label Label27{*this, &TabSheet14, "Label27", ids::main::Label27};
    tk::BitBtn BitBtn15{*this, &TabSheet14, "BitBtn15", ids::main::BitBtn15};
    tk::BitBtn BitBtn16{*this, &TabSheet14, "BitBtn16", ids::main::BitBtn16};
    tk::BitBtn BitBtn14{*this, &TabSheet14, "BitBtn14", ids::main::BitBtn14};
    // "Cookies files"
    tk::Label Label25{*this, &TabSheet15, "Label25", ids::main::Label25};
    tk::GroupBox GroupBox16{*this, &TabSheet15, "GroupBox16", ids::main::GroupBox16};
    tk::Label ListBox14Name{*this, &GroupBox16, "ListBox14Name", ids::main::ListBox14Name};
    tk::ListBox ListBox14{*this, &GroupBox16, "ListBox14", ids::main::ListBox14};
    tk::Label Label28{*this, &TabSheet15, "Label28", ids::main::Label28};
    tk::BitBtn BitBtn18{*this, &TabSheet15, "BitBtn18", ids::main::BitBtn18};
    tk::BitBtn BitBtn19{*this, &TabSheet15, "BitBtn19", ids::main::BitBtn19};
    tk::BitBtn BitBtn17{*this, &TabSheet15, "BitBtn17", ids::main::BitBtn17};
    // "Recycle Bin"
    tk::Label Label31{*this, &TabSheet16, "Label31", ids::main::Label31};
    tk::Label Label29{*this, &TabSheet16, "Label29", ids::main::Label29};
    tk::Label Label30{*this, &TabSheet16, "Label30", ids::main::Label30};
    tk::BitBtn BitBtn20{*this, &TabSheet16, "BitBtn20", ids::main::BitBtn20};
    tk::BitBtn BitBtn21{*this, &TabSheet16, "BitBtn21", ids::main::BitBtn21};
    // Browser and App Caches
    tk::Label Label40{*this, &TabSheet17, "Label40", ids::main::Label40};
    tk::GroupBox GroupBox17{*this, &TabSheet17, "GroupBox17", ids::main::GroupBox17};
    tk::Label ListBox15Name{*this, &GroupBox17, "ListBox15Name", ids::main::ListBox15Name};
    tk::ListBox ListBox15{*this, &GroupBox17, "ListBox15", ids::main::ListBox15};
    tk::BitBtn BitBtn26{*this, &TabSheet17, "BitBtn26", ids::main::BitBtn26};

    // Page 3: ShutDown
    tk::Label Label8{*this, &TabSheet4, "Label8", ids::main::Label8};
    tk::Panel Panel1{*this, &TabSheet4, "Panel1", ids::main::Panel1};
    tk::Panel Panel2{*this, &TabSheet4, "Panel2", ids::main::Panel2};
    tk::Panel Panel3{*this, &TabSheet4, "Panel3", ids::main::Panel3};
    tk::Panel Panel4{*this, &TabSheet4, "Panel4", ids::main::Panel4};
    tk::Panel Panel5{*this, &TabSheet4, "Panel5", ids::main::Panel5};
    tk::Panel Panel6{*this, &TabSheet4, "Panel6", ids::main::Panel6};
    tk::Panel Panel7{*this, &TabSheet4, "Panel7", ids::main::Panel7};
    tk::Panel Panel8{*this, &TabSheet4, "Panel8", ids::main::Panel8};
    tk::Panel Panel9{*this, &TabSheet4, "Panel9", ids::main::Panel9};
    tk::Label Label3{*this, &TabSheet4, "Label3", ids::main::Label3};
    tk::Edit Edit1{*this, &TabSheet4, "Edit1", ids::main::Edit1};
    tk::UpDown SpinButton1{*this, &TabSheet4, "SpinButton1", ids::main::SpinButton1};
    tk::Label Label4{*this, &TabSheet4, "Label4", ids::main::Label4};
    tk::ComboBox ComboBox1{*this, &TabSheet4, "ComboBox1", ids::main::ComboBox1};
    tk::Label Label5{*this, &TabSheet4, "Label5", ids::main::Label5};
    tk::ComboBox ComboBox2{*this, &TabSheet4, "ComboBox2", ids::main::ComboBox2};
    tk::Label Label6{*this, &TabSheet4, "Label6", ids::main::Label6};
    tk::ComboBox ComboBox3{*this, &TabSheet4, "ComboBox3", ids::main::ComboBox3};
    tk::Label Label7{*this, &TabSheet4, "Label7", ids::main::Label7};
    tk::ComboBox ComboBox4{*this, &TabSheet4, "ComboBox4", ids::main::ComboBox4};
    tk::Button Button2{*this, &TabSheet4, "Button2", ids::main::Button2};
    tk::BitBtn BitBtn4{*this, &TabSheet4, "BitBtn4", ids::main::BitBtn4};
    tk::BitBtn BitBtn25{*this, &TabSheet4, "BitBtn25", ids::main::BitBtn25};
    tk::Label Memo1Name{*this, &TabSheet4, "Memo1Name", ids::main::Memo1Name};
    tk::Memo Memo1{*this, &TabSheet4, "Memo1", ids::main::Memo1};
    tk::Label Memo2Name{*this, &TabSheet4, "Memo2Name", ids::main::Memo2Name};
    tk::Memo Memo2{*this, &TabSheet4, "Memo2", ids::main::Memo2};

    // Page 4: StopWatch
    tk::BitBtn BitBtn6{*this, &TabSheet5, "BitBtn6", ids::main::BitBtn6};
    tk::BitBtn BitBtn8{*this, &TabSheet5, "BitBtn8", ids::main::BitBtn8};
    tk::Label Label9{*this, &TabSheet5, "Label9", ids::main::Label9};

    // Page 5: System
    tk::GroupBox GroupBox10{*this, &TabSheet7, "GroupBox10", ids::main::GroupBox10};
    tk::Label Label10{*this, &GroupBox10, "Label10", ids::main::Label10};
    tk::Label Label11{*this, &GroupBox10, "Label11", ids::main::Label11};
    tk::Label Label12{*this, &GroupBox10, "Label12", ids::main::Label12};
    tk::Label Label13{*this, &GroupBox10, "Label13", ids::main::Label13};
    tk::Label Label14{*this, &GroupBox10, "Label14", ids::main::Label14};
    tk::Label Label15{*this, &GroupBox10, "Label15", ids::main::Label15};
    tk::Label Label16{*this, &GroupBox10, "Label16", ids::main::Label16};
    tk::Label Label17{*this, &GroupBox10, "Label17", ids::main::Label17};
    tk::GroupBox GroupBox12{*this, &TabSheet7, "GroupBox12", ids::main::GroupBox12};
    tk::Label Label23{*this, &GroupBox12, "Label23", ids::main::Label23};
    tk::BitBtn BitBtn9{*this, &TabSheet7, "BitBtn9", ids::main::BitBtn9};
    tk::BitBtn BitBtn10{*this, &TabSheet7, "BitBtn10", ids::main::BitBtn10};

    // Page 6: AutoStart
    tk::Label Label18{*this, &TabSheet6, "Label18", ids::main::Label18};
    tk::Label Label19{*this, &TabSheet6, "Label19", ids::main::Label19};
    tk::ListBox ListBox9{*this, &TabSheet6, "ListBox9", ids::main::ListBox9};
    tk::Label Label20{*this, &TabSheet6, "Label20", ids::main::Label20};
    tk::Label Label21{*this, &TabSheet6, "Label21", ids::main::Label21};
    tk::ListBox ListBox10{*this, &TabSheet6, "ListBox10", ids::main::ListBox10};
    // The lists' context menus. The items' names are the form's own: each deletes from the
    // root its caption names.
    tk::PopupMenu PopupMenu6{*this, "PopupMenu6", ids::main::PopupMenu6};
    tk::MenuItem DeleteThisKeyFrom1{*this, PopupMenu6, "DeleteThisKeyFrom1",
                                    ids::main::DeleteThisKeyFrom1,
                                    "Click Here To Delete Selected Key From HKEY_LOCAL_MACHINE"};
    tk::PopupMenu PopupMenu7{*this, "PopupMenu7", ids::main::PopupMenu7};
    tk::MenuItem DeleteThisKeyFromHKEYLOCALMACHINE1{
        *this, PopupMenu7, "DeleteThisKeyFromHKEYLOCALMACHINE1",
        ids::main::DeleteThisKeyFromHKEYLOCALMACHINE1,
        "Click Here To Delete Selected Key From HKEY_CURRENT_USER"};
    // Disabling keeps the value and tells Windows not to start it.
    tk::MenuItem Disable1{*this, PopupMenu6, "Disable1", ids::main::Disable1, "Disable"};
    tk::MenuItem Enable1{*this, PopupMenu6, "Enable1", ids::main::Enable1, "Enable"};
    tk::MenuItem Disable2{*this, PopupMenu7, "Disable2", ids::main::Disable2, "Disable"};
    tk::MenuItem Enable2{*this, PopupMenu7, "Enable2", ids::main::Enable2, "Enable"};

    // ---- Frame ----
    tk::StatusBar StatusBar1{*this, this, "StatusBar1", ids::main::StatusBar1};
    tk::ProgressBar ProgressBar1{*this, &StatusBar1, "ProgressBar1", ids::main::ProgressBar1};
    tk::Button Button1{*this, this, "Button1", ids::main::Button1};

    // ---- Timers ----
    tk::Timer Timer1{*this, "Timer1", ids::main::Timer1};
    tk::Timer TimerControl{*this, "TimerControl", ids::main::TimerControl};
    tk::Timer Check1000{*this, "Check1000", ids::main::Check1000};
    tk::Timer Timer2ShutDown{*this, "Timer2ShutDown", ids::main::Timer2ShutDown};
    tk::Timer StopWatchTimer2{*this, "StopWatchTimer2", ids::main::StopWatchTimer2};
    // Runs once, half a second after the first of a burst of drive notices.
    tk::Timer DriveNoticeTimer{*this, "DriveNoticeTimer", ids::main::DriveNoticeTimer};
    tk::Timer StatusNoteTimer{*this, "StatusNoteTimer", ids::main::StatusNoteTimer};
    tk::Timer ProgressTimer{*this, "ProgressTimer", ids::main::ProgressTimer};
    // Fires when drives have kept a survey waiting too long.
    tk::Timer DriveQueryTimer{*this, "DriveQueryTimer", ids::main::DriveQueryTimer};
    // Checks the fixed drives' free space while a low-space threshold is set.
    tk::Timer LowSpaceTimer{*this, "LowSpaceTimer", ids::main::LowSpaceTimer};

    // ---- Main menu ----
    tk::MainMenu MainMenu1{*this, "MainMenu1", ids::main::MainMenu1};
    tk::MenuItem File1{*this, MainMenu1, "File1", ids::main::File1, "&File"};
    tk::MenuItem Exit1{*this, File1, "Exit1", ids::main::Exit1, "E&xit", 16472};
    tk::MenuItem Tools1{*this, MainMenu1, "Tools1", ids::main::Tools1, "&Tools"};
    tk::MenuItem Options1{*this, Tools1, "Options1", ids::main::Options1, "&Options", 122};
    tk::MenuItem N1{*this, Tools1, "N1", ids::main::N1, "-"};
    tk::MenuItem Refresh1{*this, Tools1, "Refresh1", ids::main::Refresh1, "&Refresh", 116};
    tk::MenuItem N2{*this, Tools1, "N2", ids::main::N2, "-"};
    tk::MenuItem StayOnTop1{*this,          Tools1, "StayOnTop1", ids::main::StayOnTop1,
                            "&Stay On Top", 16451};
    tk::MenuItem AutoRun1{*this, Tools1, "AutoRun1", ids::main::AutoRun1, "AutoRun", 49234};
    tk::MenuItem Help1{*this, MainMenu1, "Help1", ids::main::Help1, "&Help"};
    tk::MenuItem About1{*this, Help1, "About1", ids::main::About1, "&About", 16449};

    // ---- Tray menu ----
    tk::PopupMenu PopupMenu1{*this, "PopupMenu1", ids::main::PopupMenu1};
    tk::MenuItem EjectCdrom1{*this, PopupMenu1, "EjectCdrom1", ids::main::EjectCdrom1,
                             "Eject Cd-rom"};
    tk::MenuItem CloseCdrom2{*this, PopupMenu1, "CloseCdrom2", ids::main::CloseCdrom2,
                             "Close Cd-rom"};
    tk::MenuItem N7{*this, PopupMenu1, "N7", ids::main::N7, "-"};
    tk::MenuItem Explorer1{*this, PopupMenu1, "Explorer1", ids::main::Explorer1, "Explorer"};
    tk::MenuItem N6{*this, PopupMenu1, "N6", ids::main::N6, "-"};
    tk::MenuItem ControlPanel1{*this, PopupMenu1, "ControlPanel1", ids::main::ControlPanel1,
                               "Control Panel"};
    tk::MenuItem AdministrativeTools1{*this, PopupMenu1, "AdministrativeTools1",
                                      ids::main::AdministrativeTools1, "Administrative Tools"};
    tk::MenuItem N5{*this, PopupMenu1, "N5", ids::main::N5, "-"};
    tk::MenuItem mia1{*this, PopupMenu1, "mia1", ids::main::mia1, ""};
    tk::MenuItem mia2{*this, PopupMenu1, "mia2", ids::main::mia2, ""};
    tk::MenuItem mia3{*this, PopupMenu1, "mia3", ids::main::mia3, ""};
    tk::MenuItem N4{*this, PopupMenu1, "N4", ids::main::N4, "-"};
    tk::MenuItem Disks1{*this, PopupMenu1, "Disks1", ids::main::Disks1, "Disks"};
    tk::MenuItem QuickLaunch1{*this, PopupMenu1, "QuickLaunch1", ids::main::QuickLaunch1,
                              "QuickLaunch"};
    tk::MenuItem FreeTemp1{*this, PopupMenu1, "FreeTemp1", ids::main::FreeTemp1, "FreeTemp"};
    tk::MenuItem ShutDown1{*this, PopupMenu1, "ShutDown1", ids::main::ShutDown1, "ShutDown"};
    tk::MenuItem StopWatch1{*this, PopupMenu1, "StopWatch1", ids::main::StopWatch1, "StopWatch"};
    tk::MenuItem Reminder1{*this, PopupMenu1, "Reminder1", ids::main::Reminder1, "System"};
    tk::MenuItem AutoStart1{*this, PopupMenu1, "AutoStart1", ids::main::AutoStart1, "AutoStart"};
    tk::MenuItem N3{*this, PopupMenu1, "N3", ids::main::N3, "-"};
    tk::MenuItem Blank1{*this, PopupMenu1, "Blank1", ids::main::Blank1, "Close this popup-menu"};
    tk::MenuItem N8{*this, PopupMenu1, "N8", ids::main::N8, "-"};
    tk::MenuItem Exit2{*this, PopupMenu1, "Exit2", ids::main::Exit2, "Exit"};

    // Created with the window, before its creation handler runs.
    TTrayIcon TrayIcon1;

    // ---- Operations of the window ----
    // Shows page k of `Disks`, stores it, updates Back/Forward and saves.
    void SelectPage(int page);
    // Back is enabled unless IndexOfTab is 0, Forward unless it is 6.
    void UpdateBackForward();
    // Shows the window again from the tray or from behind other windows.
    void BringWindowBack();

    // ---- Handlers ----
    void FormCreate();
    void FormActivate();
    void FormClose();
    void FormKeyPress(char& key);

    void DisksChange();
    void PageControl1Change();
    void PageControl2Change();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void TrayPageItemClick(int page);

    void RefreshCommand();
    void Exit2Click();
    void TrayIcon1Minimize();
    void TrayIcon1Restore();

    void TimerControlTimer();
    void Check1000Timer();
    // A click on the program's balloon, by the tag it was shown with.
    void TrayIcon1BalloonClick(const std::string& tag);

  private:
    void BindEvents();
};

} // namespace trelvix
