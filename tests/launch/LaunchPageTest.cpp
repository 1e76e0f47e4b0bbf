#include "fakes/TestProgram.h"
#include "launch/Catalogues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

namespace {

using Launched = std::vector<std::string>;
using F = trelvix::TMainForm;

const std::string Open = "open C:\\WINDOWS\\system32\\"; // a file of the system directory

// What the fake shell was asked to start, in a form a table can spell; forgets it.
Launched Launches(fakes::FakeShell& shell) {
    const char* const shows[] = {"hidden", "normal", "shown"}; // by port::ShowMode
    Launched out;
    for (const fakes::ShellOpen& o : shell.opens)
        out.push_back("open " + o.file + (o.parameters ? " [" + *o.parameters + "]" : "") + " " +
                      shows[static_cast<int>(o.show)]);
    for (const fakes::CommandLine& c : shell.commandLines)
        out.push_back("run " + c.line + " " + shows[static_cast<int>(c.show)]);
    for (const fakes::FakeShell::LinkOpen& l : shell.links)
        out.push_back("link " + l.verb + " " + l.link + " " + shows[static_cast<int>(l.show)]);
    shell.opens.clear();
    shell.commandLines.clear();
    shell.links.clear();
    return out;
}

// Each list shows its catalogue's texts, none twice; a relative target is appended to the
// system directory, which has no trailing backslash.
TEST(Catalogues, ListsShowUniqueTextsWithSystemDirectoryTargets) {
    fakes::TestProgram t;
    t.Start();
    const std::pair<const tk::ListBox&, trelvix::Catalogue> cases[] = {
        {t.Main().ListBox5, trelvix::ControlPanelCatalogue()},
        {t.Main().ListBox6, trelvix::AdministrativeToolsCatalogue()},
        {t.Main().ListBox7, trelvix::UsefulToolsCatalogue()},
    };
    for (const auto& [list, rows] : cases) {
        SCOPED_TRACE(list.Name());
        Launched texts;
        for (const trelvix::LaunchEntry& row : rows) {
            texts.emplace_back(row.text);
            EXPECT_TRUE(row.action.kind == trelvix::LaunchKind::CommandLine ||
                        row.action.target.starts_with("\\"))
                << row.text;
        }
        EXPECT_EQ(list.Items(), texts);
        EXPECT_EQ(std::set(texts.begin(), texts.end()).size(), texts.size()) << "a text twice";
    }
}

// A double click starts its row's action. A launch the system refuses says so in the
// standard box, naming the program as its row does (the whole path of a system-folder row).
TEST(Catalogues, DoubleClickStartsTheRowsActionsAndShowsARefusalsReason) {
    const std::string missing = "The system cannot find the file specified.";
    const std::string shellFolder = "run rundll32 SHELL32,SHHelpShortcuts_RunDLL ";
    struct Case {
        tk::ListBox F::*list;
        const char* text;
        Launched launches, boxes;
    };
    const Case cases[] = {
        {&F::ListBox5, "Keyboard", {Open + "main.cpl [Keyboard] normal"}, {}},
        {&F::ListBox5, "Fonts", {shellFolder + "FontsFolder shown"}, {}},
        {&F::ListBox7,
         "RegEdit",
         {"run regedit shown"},
         {"Cannot start regedit: Access is denied."}},
        {&F::ListBox7,
         "Calculator",
         {Open + "calc.exe normal"},
         {"Cannot start C:\\WINDOWS\\system32\\calc.exe: " + missing}},
    };
    fakes::TestProgram t;
    t.fake.shell.refused = {{"C:\\WINDOWS\\system32\\calc.exe", missing},
                            {"regedit", "Access is denied"}};
    auto& p = t.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        tk::ListBox& list = t.Main().*c.list;
        list.SelectItem(
            static_cast<int>(std::ranges::find(list.Items(), c.text) - list.Items().begin()));
        t.fake.desktop.boxes.clear();
        list.DblClick();
        EXPECT_EQ(Launches(t.fake.shell), c.launches);
        EXPECT_EQ(t.fake.desktop.Texts(), c.boxes);
        for (const fakes::ShownBox& box : t.fake.desktop.boxes) {
            EXPECT_EQ(box.caption, p.App.Title());
            EXPECT_EQ(box.flags, port::mb::IconError);
        }
    }
}

// dfrg.msc left Windows with Vista: where the system folder lacks it, its dfrgui.exe starts
// instead, from the Useful Tools line as after "Delete All Optional Files and Start
// Defragmenter"; where neither is, the box names dfrgui.exe.
TEST(Catalogues, DefragmenterStartsWhatTheSystemFolderHolds) {
    const std::string folder = "C:\\WINDOWS\\system32\\";
    const std::string missing = "The system cannot find the file specified.";
    struct Case {
        bool snapIn, program; // dfrg.msc, dfrgui.exe in the system folder
        const char* started;
        Launched boxes;
    };
    const Case cases[] = {
        {true, true, "dfrg.msc", {}},
        {true, false, "dfrg.msc", {}},
        {false, true, "dfrgui.exe", {}},
        {false, false, "dfrgui.exe", {"Cannot start " + folder + "dfrgui.exe: " + missing}},
    };
    const std::function<void(F&)> ways[] = {
        [](F& f) {
            f.ListBox7.SelectItem(9);
            ASSERT_EQ(f.ListBox7.Item(9), "Defragmenter");
            f.ListBox7.DblClick();
        },
        [](F& f) { f.BitBtn24.Click(); },
    };
    for (const Case& c : cases)
        for (const auto& way : ways) {
            SCOPED_TRACE(std::string(c.started) + (&way == ways ? " from the list" : " after"));
            fakes::TestProgram t;
            t.Store("IndexOfTemp", 1); // deleting was allowed before
            for (const auto& [present, name] :
                 {std::pair(c.snapIn, "dfrg.msc"), std::pair(c.program, "dfrgui.exe")}) {
                if (present)
                    t.fake.files.AddFile(folder + name, 1000);
                else
                    t.fake.shell.refused[folder + name] = missing;
            }
            t.Start();
            t.fake.desktop.boxes.clear();
            way(t.Main());
            EXPECT_EQ(Launches(t.fake.shell), Launched{Open + c.started + " normal"});
            EXPECT_EQ(t.fake.desktop.Texts(), c.boxes);
        }
}

// One line of each kind whose tool today's Windows dropped or moved (a settings page, an
// equivalent program, both, a refusal), on a system folder that holds the row's program, only
// its present-day equivalent, or neither, on Windows 7 and 10; the tray item of the list
// starts the same. Settings pages exist from Windows 10 on; Local
// Users and Groups counts the edition (Professional where the row's program is present,
// Home otherwise). Calculator, outside the table, starts as its row says in every case.
TEST(Catalogues, LinesStartWhatTodaysWindowsHas) {
    const std::string folder = "C:\\WINDOWS\\system32\\";
    const std::string missing = "The system cannot find the file specified.";
    const auto open = [&](const std::string& file, const std::string& parameters = "") {
        return Open + file + (parameters.empty() ? "" : " [" + parameters + "]") + " normal";
    };
    const auto page = [](const std::string& name) {
        return "link open ms-settings:" + name + " normal";
    };
    const auto refused = [&](const std::string& file) {
        return Launched{open(file), "box Cannot start " + folder + file + ": " + missing};
    };
    const auto notInstalled = [&](const std::string& file) {
        return Launched{"box Cannot start " + folder + file + ": it is not installed on this " +
                        "computer."};
    };
    const auto notPart = [](const std::string& program) {
        return Launched{"box Cannot start " + program + ": it is not part of this version " +
                        "of Windows."};
    };
    struct Case {
        tk::ListBox F::*list;
        tk::MenuItem F::*trayItem;
        const char* line;
        std::vector<std::string> rowFiles, equivalentFiles; // in the system folder
        Launched present, equivalent10, equivalent7, neither10, neither7;
    };
    const Launched cp = refused("access.cpl"), ewin = {page("easeofaccess")};
    const Launched pwm = notPart(folder + "inetsrv\\pws.exe");
    const Launched dsk = notPart("rundll32 diskcopy,DiskCopyRunDll");
    const Launched iis = notInstalled("iisreset.exe");
    const Launched mgr = notInstalled("inetsrv\\InetMgr.exe");
    const Launched fo = {"run rundll32 shell32.dll,Options_RunDLL 0 shown"};
    // clang-format off
    const Case cases[] = {
        // list, tray item, line, the row's files, the equivalent's files;
        // then: present, equivalent on 10 / 7, neither on 10 / 7
        {&F::ListBox5, &F::mia1, "Accessibility Options", {"access.cpl"}, {},
         {open("access.cpl")}, ewin, cp, ewin, cp},
        {&F::ListBox5, &F::mia1, "Fax", {"fax.cpl"}, {"WFS.exe"},
         {open("fax.cpl")}, {open("WFS.exe")}, {open("WFS.exe")}, {page("printers")},
         refused("fax.cpl")},
        {&F::ListBox5, &F::mia1, "Folder Options", {"appwiz.cpl"}, {"shell32.dll"},
         fo, fo, fo, fo, fo},
        {&F::ListBox6, &F::mia2, "Component Services", {"Com\\comexp.msc"}, {"comexp.msc"},
         {open("Com\\comexp.msc")}, {open("comexp.msc")}, {open("comexp.msc")},
         refused("comexp.msc"), refused("comexp.msc")},
        {&F::ListBox6, &F::mia2, "Internet Services Manager", {"Inetsrv\\iis.msc"},
         {"inetsrv\\InetMgr.exe"}, {open("Inetsrv\\iis.msc")}, {open("inetsrv\\InetMgr.exe")},
         {open("inetsrv\\InetMgr.exe")}, mgr, mgr},
        {&F::ListBox6, &F::mia2, "Personal Web Manager", {"inetsrv\\pws.exe"}, {},
         {open("inetsrv\\pws.exe")}, pwm, pwm, pwm, pwm},
        {&F::ListBox7, &F::mia3, "Copy Disk To Disk", {"diskcopy.dll"}, {},
         {"run rundll32 diskcopy,DiskCopyRunDll shown"}, dsk, dsk, dsk, dsk},
        // Never with a second program that would end every dllhost.exe on the machine.
        {&F::ListBox7, &F::mia3, "IIS Stop", {"iisreset.exe"}, {},
         {open("iisreset.exe", "/stop")}, iis, iis, iis, iis},
        {&F::ListBox7, &F::mia3, "Local Users and Groups", {"lusrmgr.msc"}, {"netplwiz.exe"},
         {open("lusrmgr.msc", "/start")}, {open("netplwiz.exe")}, {open("netplwiz.exe")},
         refused("netplwiz.exe"), refused("netplwiz.exe")},
        {&F::ListBox7, &F::mia3, "Calculator", {"calc.exe"}, {},
         {open("calc.exe")}, refused("calc.exe"), refused("calc.exe"), refused("calc.exe"),
         refused("calc.exe")},
    };
    // clang-format on
    enum class Holds { Row, Equivalent, Neither };
    const std::tuple<Holds, unsigned, Launched Case::*> states[] = {
        {Holds::Row, 10, &Case::present},
        {Holds::Row, 6, &Case::present},
        {Holds::Equivalent, 10, &Case::equivalent10},
        {Holds::Equivalent, 6, &Case::equivalent7},
        {Holds::Neither, 10, &Case::neither10},
        {Holds::Neither, 6, &Case::neither7},
    };
    for (const Case& c : cases)
        for (const auto& [holds, major, expected] : states) {
            SCOPED_TRACE(std::string(c.line) + " " + std::to_string(static_cast<int>(holds)) +
                         " on " + std::to_string(major));
            fakes::TestProgram t;
            t.fake.system.version = {major, major == 10 ? 0u : 1u, major == 10 ? 19045u : 7601u};
            const bool home = holds != Holds::Row;
            t.fake.registry.SetString(port::RegRoot::LocalMachine,
                                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                      "EditionID",
                                      !home         ? "Professional"
                                      : major == 10 ? "Core"
                                                    : "HomePremium");
            for (const auto* files : {&c.rowFiles, &c.equivalentFiles})
                for (const std::string& file : *files) {
                    const bool there = holds == Holds::Row ||
                                       (holds == Holds::Equivalent && files == &c.equivalentFiles);
                    if (there)
                        t.fake.files.AddFile(folder + file, 1000);
                    else
                        t.fake.shell.refused[folder + file] = missing;
                }
            t.Start();
            auto& f = t.Main();
            tk::ListBox& list = f.*c.list;
            list.SelectItem(
                static_cast<int>(std::ranges::find(list.Items(), c.line) - list.Items().begin()));
            ASSERT_EQ(list.Item(list.ItemIndex()), c.line);
            for (const auto& start : {std::function<void()>([&] { list.DblClick(); }),
                                      std::function<void()>([&] { (f.*c.trayItem).Click(); })}) {
                t.fake.desktop.boxes.clear();
                start();
                Launched seen = Launches(t.fake.shell);
                for (const std::string& text : t.fake.desktop.Texts())
                    seen.push_back("box " + text);
                EXPECT_EQ(seen, c.*expected);
            }
        }
}

// The tray's launch items follow the lists' selections and come back after a restart. A
// stored position past its list selects nothing: launching from it reports the missing
// entry and starts nothing.
TEST(TrayLaunchItems, FollowTheSelectionAndComeBackAfterARestart) {
    fakes::TestProgram t;
    const auto trayItems = [&t] {
        return Launched{t.Main().mia1.Caption(), t.Main().mia2.Caption(), t.Main().mia3.Caption()};
    };
    t.Start();
    t.Main().ListBox5.SelectItem(20);
    t.Main().ListBox6.SelectItem(3);
    t.Main().ListBox7.SelectItem(19);
    EXPECT_EQ(trayItems(), (Launched{"System", "Event Viewer", "TaskManager"}));

    t.program.reset();
    auto& f = *t.Start().MainForm;
    EXPECT_EQ((std::vector{f.ListBox5.ItemIndex(), f.ListBox6.ItemIndex(), f.ListBox7.ItemIndex()}),
              (std::vector{20, 3, 19}));
    EXPECT_EQ(trayItems(), (Launched{"System", "Event Viewer", "TaskManager"}));
    for (tk::MenuItem* item : {&f.mia1, &f.mia2, &f.mia3})
        item->Click();
    EXPECT_EQ(Launches(t.fake.shell),
              (Launched{Open + "sysdm.cpl normal", Open + "eventvwr.msc normal",
                        Open + "TaskMgr.exe normal"}));
    EXPECT_TRUE(t.fake.desktop.boxes.empty());

    t.Store("AdministrativeToolsIndex", 10);
    t.program.reset();
    auto& g = *t.Start().MainForm;
    EXPECT_EQ(g.ListBox6.ItemIndex(), -1);
    EXPECT_EQ(trayItems(), (Launched{"System", "", "TaskManager"}));
    EXPECT_TRUE(t.fake.desktop.boxes.empty()) << "no box at start-up";
    g.ListBox6.DblClick();
    g.mia2.Click();
    EXPECT_EQ(t.fake.desktop.Texts(), Launched(2, "List index out of bounds (-1)."));
    EXPECT_TRUE(Launches(t.fake.shell).empty());
}

TEST(LaunchCommands, ToolButtonsAndMenuItems) {
    const std::string controlPanel = "run rundll32 shell32.dll, Control_RunDLLA shown";
    const std::string folder = "C:\\ProgramData\\Start Menu\\Administrative Tools";
    const std::string adminTools = "run Explorer.exe \"" + folder + "\" shown";
    const std::tuple<const char*, std::function<void(F&)>, std::string> cases[] = {
        {"BitBtn3", [](F& f) { f.BitBtn3.Click(); }, controlPanel},
        {"ControlPanel1", [](F& f) { f.ControlPanel1.Click(); }, controlPanel},
        {"BitBtn5", [](F& f) { f.BitBtn5.Click(); }, adminTools},
        {"AdministrativeTools1", [](F& f) { f.AdministrativeTools1.Click(); }, adminTools},
        {"SpeedButton4", [](F& f) { f.SpeedButton4.Click(); }, "run Explorer shown"},
        {"SpeedButton5", [](F& f) { f.SpeedButton5.Click(); }, "open Iexplore normal"},
        {"SpeedButton11", [](F& f) { f.SpeedButton11.Click(); }, Open + "timedate.cpl normal"},
        {"BitBtn9", [](F& f) { f.BitBtn9.Click(); }, Open + "TaskMgr.exe normal"},
        {"BitBtn10", [](F& f) { f.BitBtn10.Click(); }, Open + "dxdiag.exe normal"},
    };
    fakes::TestProgram t;
    t.fake.registry.SetString(
        port::RegRoot::LocalMachine,
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "Common Administrative Tools", folder);
    t.Start();
    for (const auto& [name, click, launch] : cases) {
        click(t.Main());
        EXPECT_EQ(Launches(t.fake.shell), Launched{launch}) << name;
    }

    // Without the folder's setting the command line still quotes it.
    fakes::TestProgram bare;
    bare.Start();
    bare.Main().BitBtn5.Click();
    EXPECT_EQ(Launches(bare.fake.shell), Launched{"run Explorer.exe \"\" shown"});
}

} // namespace
