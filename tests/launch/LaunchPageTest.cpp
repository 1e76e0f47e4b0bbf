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
    shell.opens.clear();
    shell.commandLines.clear();
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
            for (const auto& action : {std::optional(row.first), row.second})
                EXPECT_TRUE(!action || action->kind == trelvix::LaunchKind::CommandLine ||
                            action->target.starts_with("\\"))
                    << row.text;
        }
        EXPECT_EQ(list.Items(), texts);
        EXPECT_EQ(std::set(texts.begin(), texts.end()).size(), texts.size()) << "a text twice";
    }
}

// A double click starts its row's actions. A launch the system refuses says so in the
// standard box, naming the program as its row does (the whole path of a system-folder row),
// and the row's next action still starts.
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
         "IIS Stop",
         {Open + "iisreset.exe [/stop] normal", Open + "KILL.EXE [dllhost.exe] normal"},
         {"Cannot start C:\\WINDOWS\\system32\\iisreset.exe: " + missing}},
    };
    fakes::TestProgram t;
    t.fake.shell.refused = {{"C:\\WINDOWS\\system32\\iisreset.exe", missing},
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
