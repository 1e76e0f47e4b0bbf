#pragma once

// Fixed control IDs, one table per form, so that tests and accessibility tools can
// find a control from outside the program. Never renumber: only add.
namespace ids {

namespace main {
inline constexpr int Form = 1000;
// Tool bar
inline constexpr int SpeedButton1 = 1001; // Refresh
inline constexpr int SpeedButton2 = 1002; // Back
inline constexpr int SpeedButton3 = 1003; // Forward
inline constexpr int SpeedButton4 = 1004;
inline constexpr int SpeedButton5 = 1005;
inline constexpr int SpeedButton6 = 1006;
inline constexpr int SpeedButton7 = 1007; // stay on top
inline constexpr int SpeedButton8 = 1008; // start with Windows
inline constexpr int SpeedButton9 = 1009; // Options
inline constexpr int SpeedButton10 = 1010;
inline constexpr int SpeedButton11 = 1011; // date and time
inline constexpr int SpeedButton12 = 1012;
// Page buttons, pages 0..6
inline constexpr int SpeedButton13 = 1013;
inline constexpr int SpeedButton14 = 1014;
inline constexpr int SpeedButton15 = 1015;
inline constexpr int SpeedButton16 = 1016;
inline constexpr int SpeedButton17 = 1017;
inline constexpr int SpeedButton18 = 1018;
inline constexpr int SpeedButton19 = 1019;
inline constexpr int Bevel1 = 1020;
inline constexpr int Bevel2 = 1021;
inline constexpr int Button1 = 1022;
inline constexpr int StatusBar1 = 1023;
// Main tab control and its pages
inline constexpr int Disks = 1030;
inline constexpr int TabSheet1 = 1031;
inline constexpr int TabSheet2 = 1032;
inline constexpr int TabSheet3 = 1033;
inline constexpr int TabSheet4 = 1034;
inline constexpr int TabSheet5 = 1035;
inline constexpr int TabSheet7 = 1036;
inline constexpr int TabSheet6 = 1037;
// Disks page
inline constexpr int PageControl1 = 1100;
inline constexpr int TabSheet9 = 1101;
inline constexpr int TabSheet10 = 1102;
inline constexpr int GroupBox1 = 1103; // " Disks "
inline constexpr int GroupBox3 = 1104;
inline constexpr int GroupBox4 = 1105;
inline constexpr int GroupBox5 = 1106;
inline constexpr int GroupBox6 = 1107;
inline constexpr int ListBox1 = 1108;
inline constexpr int ListBox2 = 1109;
inline constexpr int ListBox3 = 1110;
inline constexpr int ListBox4 = 1111;
inline constexpr int DriveComboBox1 = 1112;
inline constexpr int GroupBox2 = 1113; // " Removeable "
inline constexpr int ListBox11 = 1114;
inline constexpr int DriveComboBox2 = 1115;
// QuickLaunch page
inline constexpr int GroupBox7 = 1200; // " Control Panel "
inline constexpr int GroupBox8 = 1201; // " Administrative Tools "
inline constexpr int GroupBox9 = 1202; // " Useful Tools "
inline constexpr int ListBox5 = 1203;
inline constexpr int ListBox6 = 1204;
inline constexpr int ListBox7 = 1205;
inline constexpr int BitBtn3 = 1206;
inline constexpr int BitBtn5 = 1207;
// FreeTemp page
inline constexpr int PageControl2 = 1300;
inline constexpr int TabSheet11 = 1301;
inline constexpr int TabSheet12 = 1302;
inline constexpr int TabSheet13 = 1303;
inline constexpr int TabSheet14 = 1304;
inline constexpr int TabSheet15 = 1305;
inline constexpr int TabSheet16 = 1306;
// "Total "
inline constexpr int Label32 = 1310;
inline constexpr int Panel10 = 1311;
inline constexpr int Panel11 = 1312;
inline constexpr int Panel12 = 1313;
inline constexpr int Panel13 = 1314;
inline constexpr int Panel14 = 1315;
inline constexpr int Panel15 = 1316;
inline constexpr int Panel16 = 1317;
inline constexpr int Panel17 = 1318;
inline constexpr int Panel18 = 1319;
inline constexpr int Label33 = 1320;
inline constexpr int Label34 = 1321;
inline constexpr int Label35 = 1322;
inline constexpr int Label36 = 1323;
inline constexpr int Label37 = 1324;
inline constexpr int Label38 = 1325;
inline constexpr int BitBtn23 = 1326;
inline constexpr int BitBtn24 = 1327;
inline constexpr int BitBtn22 = 1328;
// "Temporary Files"
inline constexpr int Label1 = 1329;
inline constexpr int GroupBox13 = 1330;
inline constexpr int ListBox8 = 1331;
inline constexpr int Label2 = 1332;
inline constexpr int BitBtn1 = 1333;
inline constexpr int BitBtn2 = 1334;
inline constexpr int BitBtn7 = 1335;
// "Temporary Internet Files"
inline constexpr int Label22 = 1336;
inline constexpr int GroupBox14 = 1337;
inline constexpr int ListBox12 = 1338;
inline constexpr int Label26 = 1339;
inline constexpr int BitBtn12 = 1340;
inline constexpr int BitBtn13 = 1341;
inline constexpr int BitBtn11 = 1342;
// "Internet History Files"
inline constexpr int Label24 = 1343;
inline constexpr int GroupBox15 = 1344;
inline constexpr int ListBox13 = 1345;
inline constexpr int Label27 = 1346;
inline constexpr int BitBtn15 = 1347;
inline constexpr int BitBtn16 = 1348;
inline constexpr int BitBtn14 = 1349;
// "Cookies files"
inline constexpr int Label25 = 1350;
inline constexpr int GroupBox16 = 1351;
inline constexpr int ListBox14 = 1352;
inline constexpr int Label28 = 1353;
inline constexpr int BitBtn18 = 1354;
inline constexpr int BitBtn19 = 1355;
inline constexpr int BitBtn17 = 1356;
// "Recycle Bin"
inline constexpr int Label31 = 1357;
inline constexpr int Label29 = 1358;
inline constexpr int Label30 = 1359;
inline constexpr int BitBtn20 = 1360;
inline constexpr int BitBtn21 = 1361;
// "Browser and App Caches", and its line on "Total "
inline constexpr int TabSheet17 = 1362;
inline constexpr int Label40 = 1363;
inline constexpr int GroupBox17 = 1364;
inline constexpr int ListBox15 = 1365;
inline constexpr int BitBtn26 = 1366;
inline constexpr int Label39 = 1367;
inline constexpr int Panel19 = 1368;
// ShutDown page
inline constexpr int Label8 = 1400; // instruction
inline constexpr int Label3 = 1401; // "Year:"
inline constexpr int Label4 = 1402; // "Month:"
inline constexpr int Label5 = 1403; // "Day:"
inline constexpr int Label6 = 1404; // "Hour:"
inline constexpr int Label7 = 1405; // "Min:"
inline constexpr int Edit1 = 1406;  // year
inline constexpr int SpinButton1 = 1407;
inline constexpr int ComboBox1 = 1408; // month
inline constexpr int ComboBox2 = 1409; // day
inline constexpr int ComboBox3 = 1410; // hour
inline constexpr int ComboBox4 = 1411; // minute
inline constexpr int Button2 = 1412;   // "Update Date and Time"
inline constexpr int BitBtn4 = 1413;   // shutdown
inline constexpr int BitBtn25 = 1414;  // hibernate
inline constexpr int Memo1 = 1415;
inline constexpr int Memo2 = 1416;
inline constexpr int Panel1 = 1417; // Panel1..Panel9: 1417..1425
inline constexpr int Panel2 = 1418;
inline constexpr int Panel3 = 1419;
inline constexpr int Panel4 = 1420;
inline constexpr int Panel5 = 1421;
inline constexpr int Panel6 = 1422;
inline constexpr int Panel7 = 1423;
inline constexpr int Panel8 = 1424;
inline constexpr int Panel9 = 1425;
// StopWatch page
inline constexpr int BitBtn6 = 1500;
inline constexpr int BitBtn8 = 1501;
inline constexpr int Label9 = 1502;
// System page
inline constexpr int GroupBox10 = 1600;
inline constexpr int Label10 = 1601;
inline constexpr int Label11 = 1602;
inline constexpr int Label12 = 1603;
inline constexpr int Label13 = 1604;
inline constexpr int Label14 = 1605;
inline constexpr int Label15 = 1606;
inline constexpr int Label16 = 1607;
inline constexpr int Label17 = 1608;
inline constexpr int GroupBox12 = 1609;
inline constexpr int Label23 = 1610;
inline constexpr int BitBtn9 = 1611;
inline constexpr int BitBtn10 = 1612;
// AutoStart page
inline constexpr int ListBox9 = 1700;
inline constexpr int ListBox10 = 1701;
inline constexpr int Label18 = 1702;
inline constexpr int Label19 = 1703;
inline constexpr int Label20 = 1704;
inline constexpr int Label21 = 1705;
// Timers
inline constexpr int Timer1 = 1900;
inline constexpr int TimerControl = 1901;
inline constexpr int Check1000 = 1902;
inline constexpr int Timer2ShutDown = 1903;
inline constexpr int StopWatchTimer2 = 1904;
inline constexpr int DriveNoticeTimer = 1905;
inline constexpr int StatusNoteTimer = 1910; // clears the status bar's passing note
inline constexpr int ProgressTimer = 1911;   // shows the progress of background work
inline constexpr int ProgressBar1 = 1912;    // in the status bar's second part
inline constexpr int DriveQueryTimer = 1920; // the deadline of drive queries
inline constexpr int LowSpaceTimer = 1921;   // the fixed drives' free space, every minute
// Main menu
inline constexpr int MainMenu1 = 2000;
inline constexpr int File1 = 2001;
inline constexpr int Exit1 = 2002;
inline constexpr int Tools1 = 2003;
inline constexpr int Options1 = 2004;
inline constexpr int N1 = 2005;
inline constexpr int Refresh1 = 2006;
inline constexpr int N2 = 2007;
inline constexpr int StayOnTop1 = 2008;
inline constexpr int AutoRun1 = 2009;
inline constexpr int Help1 = 2010;
inline constexpr int About1 = 2011;
// Tray menu
inline constexpr int PopupMenu1 = 2100;
inline constexpr int EjectCdrom1 = 2101;
inline constexpr int CloseCdrom2 = 2102;
inline constexpr int N7 = 2103;
inline constexpr int Explorer1 = 2104;
inline constexpr int N6 = 2105;
inline constexpr int ControlPanel1 = 2106;
inline constexpr int AdministrativeTools1 = 2107;
inline constexpr int N5 = 2108;
inline constexpr int mia1 = 2109;
inline constexpr int mia2 = 2110;
inline constexpr int mia3 = 2111;
inline constexpr int N4 = 2112;
inline constexpr int Disks1 = 2113;
inline constexpr int QuickLaunch1 = 2114;
inline constexpr int FreeTemp1 = 2115;
inline constexpr int ShutDown1 = 2116;
inline constexpr int StopWatch1 = 2117;
inline constexpr int Reminder1 = 2118;
inline constexpr int AutoStart1 = 2119;
inline constexpr int N3 = 2120;
inline constexpr int Blank1 = 2121;
inline constexpr int N8 = 2122;
inline constexpr int Exit2 = 2123;
// Context menus of the drive lists
inline constexpr int PopupMenu2 = 2200; // ListBox3, network
inline constexpr int Disc1 = 2201;
inline constexpr int PopupMenu3 = 2210; // ListBox2, CD-ROM
inline constexpr int EjectInputCdrom1 = 2211;
inline constexpr int CloseCdrom1 = 2212;
inline constexpr int PopupMenu4 = 2220; // ListBox1, fixed
inline constexpr int ChangeVolumeLabel1 = 2221;
inline constexpr int PopupMenu5 = 2230; // ListBox11, removable
inline constexpr int ChangeVolumeLabel2 = 2231;
// AutoStart lists' context menus
inline constexpr int PopupMenu6 = 2600;
inline constexpr int DeleteThisKeyFrom1 = 2601;
inline constexpr int PopupMenu7 = 2602;
inline constexpr int DeleteThisKeyFromHKEYLOCALMACHINE1 = 2603;
inline constexpr int Disable1 = 2604; // PopupMenu6
inline constexpr int Enable1 = 2605;
inline constexpr int Disable2 = 2606; // PopupMenu7
inline constexpr int Enable2 = 2607;
// Names of the lists, drive pickers and notes whose label on the screen is a group's or a
// page's caption: a label right before each, for screen readers.
inline constexpr int ListBox1Name = 2700;
inline constexpr int ListBox2Name = 2701;
inline constexpr int ListBox3Name = 2702;
inline constexpr int ListBox4Name = 2703;
inline constexpr int DriveComboBox1Name = 2704;
inline constexpr int ListBox11Name = 2705;
inline constexpr int DriveComboBox2Name = 2706;
inline constexpr int ListBox5Name = 2707;
inline constexpr int ListBox6Name = 2708;
inline constexpr int ListBox7Name = 2709;
inline constexpr int ListBox8Name = 2710;
inline constexpr int ListBox12Name = 2711;
inline constexpr int ListBox13Name = 2712;
inline constexpr int ListBox14Name = 2713;
inline constexpr int Memo1Name = 2714;
inline constexpr int Memo2Name = 2715;
inline constexpr int ListBox15Name = 2716;
} // namespace main

namespace about {
inline constexpr int Form = 3000;
inline constexpr int Image1 = 3001;
inline constexpr int Label3 = 3002; // version
inline constexpr int Label5 = 3003;
inline constexpr int Label1 = 3004; // e-mail link
inline constexpr int Label6 = 3005;
inline constexpr int Label2 = 3006; // web link
inline constexpr int BitBtn1 = 3007;
inline constexpr int PageControl1 = 3008;
inline constexpr int TabSheet1 = 3009;
inline constexpr int TabSheet2 = 3010;
inline constexpr int TabSheet3 = 3011;
inline constexpr int ListBox1 = 3012; // version history
inline constexpr int ListBox2 = 3013; // credits
inline constexpr int ListBox3 = 3014;
// The lists' names, for screen readers: the captions of their pages.
inline constexpr int ListBox1Name = 3015;
inline constexpr int ListBox2Name = 3016;
inline constexpr int ListBox3Name = 3017;
} // namespace about

namespace options {
inline constexpr int Form = 4000;
inline constexpr int BitBtn2 = 4001; // close, "Capacity" page
inline constexpr int BitBtn3 = 4002; // close, "Interval" page
inline constexpr int PageControl1 = 4003;
inline constexpr int TabSheet1 = 4004; // "Interval"
inline constexpr int Capacity = 4005;  // "Capacity"
inline constexpr int Label1 = 4006;
inline constexpr int Label2 = 4007; // the period, or "Stop Refresh"
inline constexpr int TrackBar1 = 4008;
inline constexpr int BitBtn1 = 4009; // "Now On" / "Now Off"
inline constexpr int Label3 = 4010;
inline constexpr int Label4 = 4011;
inline constexpr int TrackBar2 = 4012;
inline constexpr int Label5 = 4013;
inline constexpr int Label6 = 4014;
inline constexpr int Label7 = 4015;
inline constexpr int Label8 = 4016;
inline constexpr int Notices = 4017; // "Notices"
inline constexpr int Label9 = 4018;  // "Warn when a fixed drive has less free space than"
inline constexpr int Edit1 = 4019;   // the threshold in GB
inline constexpr int UpDown1 = 4020;
inline constexpr int Label10 = 4021;   // "GB"
inline constexpr int Label11 = 4022;   // "0 turns the warning off"
inline constexpr int BitBtn4 = 4023;   // close, "Notices" page
inline constexpr int CheckBox1 = 4024; // tell about new programs that start with Windows
} // namespace options

namespace setvolume {
inline constexpr int Form = 5000;
inline constexpr int Label1 = 5001;
inline constexpr int Edit1 = 5002;
inline constexpr int BitBtn1 = 5003; // Save
inline constexpr int BitBtn2 = 5004; // Cancel
} // namespace setvolume

} // namespace ids
