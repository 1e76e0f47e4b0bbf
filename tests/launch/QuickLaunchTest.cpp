#include "fakes/TestProgram.h"
#include "launch/ProceduresOfAdministrativeToolsInput.h"
#include "launch/ProceduresOfControlPanelInput.h"
#include "launch/ProceduresOfUseFulToolsInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using Launched = std::vector<std::string>;
using F = trelvix::TMainForm;

const std::string Open = "open C:\\WINDOWS\\system32\\"; // a file of the system directory

// What the fake shell was asked to start, in a form a table can spell; forgets it.
Launched Launches(fakes::FakeShell& shell) {
    Launched out;
    for (const fakes::ShellOpen& o : shell.opens)
        out.push_back("open " + o.file + (o.parameters ? " [" + *o.parameters + "]" : "") +
                      " show " + std::to_string(o.show));
    for (const fakes::CommandLine& c : shell.commandLines)
        out.push_back("run " + c.line + " show " + std::to_string(c.show));
    shell.opens.clear();
    shell.commandLines.clear();
    return out;
}

TEST(Catalogues, ListsShowUniqueTextsWithSystemDirectoryTargets) {
    fakes::TestProgram t;
    t.Start();
    const struct {
        const tk::ListBox& list;
        trelvix::Catalogue rows;
        std::size_t count;
    } cases[] = {
        {t.Main().ListBox5, trelvix::ControlPanelCatalogue(), 21},
        {t.Main().ListBox6, trelvix::AdministrativeToolsCatalogue(), 10},
        {t.Main().ListBox7, trelvix::UsefulToolsCatalogue(), 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list.Name());
        Launched texts;
        for (const trelvix::LaunchEntry& row : c.rows) {
            texts.emplace_back(row.text);
            // A relative target is appended to the system directory, which has no backslash.
            for (const auto& action : {std::optional(row.first), row.second})
                EXPECT_TRUE(!action || action->kind == trelvix::LaunchKind::CommandLine ||
                            action->target.starts_with("\\"))
                    << row.text;
        }
        EXPECT_EQ(c.list.Items(), texts);
        EXPECT_EQ(texts.size(), c.count);
        EXPECT_EQ(std::set(texts.begin(), texts.end()).size(), texts.size()) << "a text twice";
    }
}

TEST(Catalogues, DoubleClickStartsTheTabledAction) {
    const std::string shellFolder = "run rundll32 SHELL32,SHHelpShortcuts_RunDLL ";
    const struct {
        tk::ListBox F::*list;
        int position;
        const char* text;
        Launched launches;
    } cases[] = {
        {&F::ListBox5, 11, "Keyboard", {Open + "main.cpl [Keyboard] show 1"}},
        {&F::ListBox5, 12, "Mouse", {Open + "main.cpl show 1"}},
        {&F::ListBox5, 7, "Folder Options", {Open + "appwiz.cpl [Folder Options] show 1"}},
        {&F::ListBox5, 8, "Fonts", {shellFolder + "FontsFolder show 5"}},
        {&F::ListBox5, 16, "Printers", {shellFolder + "PrintersFolder show 5"}},
        {&F::ListBox6, 0, "Component Services", {Open + "Com\\comexp.msc show 1"}},
        {&F::ListBox6, 3, "Event Viewer", {Open + "eventvwr.msc show 1"}},
        {&F::ListBox7, 4, "Calculator", {Open + "calc.exe show 1"}},
        {&F::ListBox7,
         13,
         "IIS Stop",
         {Open + "iisreset.exe [/stop] show 1", Open + "KILL.EXE [dllhost.exe] show 1"}},
        {&F::ListBox7, 16, "RegEdit", {"run regedit show 5"}},
    };
    fakes::TestProgram t;
    t.Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        tk::ListBox& list = t.Main().*c.list;
        ASSERT_EQ(list.Item(c.position), c.text);
        list.SelectItem(c.position);
        list.DblClick();
        EXPECT_EQ(Launches(t.fake.shell), c.launches);
    }
}

TEST(TrayLaunchItems, FollowTheSelectionAndComeBackAfterARestart) {
    fakes::TestProgram t;
    t.Start();
    auto* f = &t.Main();
    f->ListBox5.SelectItem(20);
    EXPECT_EQ(f->mia1.Caption(), "System");
    f->ListBox6.SelectItem(3);
    EXPECT_EQ(f->mia2.Caption(), "Event Viewer");
    EXPECT_EQ(t.Stored("AdministrativeToolsIndex"), 3);
    f->ListBox7.SelectItem(19);
    EXPECT_EQ(f->mia3.Caption(), "TaskManager");
    f->mia2.Click();
    f->mia3.Click();
    EXPECT_EQ(Launches(t.fake.shell),
              (Launched{Open + "eventvwr.msc show 1", Open + "TaskMgr.exe show 1"}));

    t.program.reset();
    t.Start();
    f = &t.Main();
    EXPECT_EQ(f->ListBox5.ItemIndex(), 20);
    EXPECT_EQ(f->ListBox6.ItemIndex(), 3);
    EXPECT_EQ(f->ListBox7.ItemIndex(), 19);
    EXPECT_EQ(f->mia1.Caption(), "System");
    EXPECT_EQ(f->mia2.Caption(), "Event Viewer");
    EXPECT_EQ(f->mia3.Caption(), "TaskManager");
    f->mia1.Click();
    EXPECT_EQ(Launches(t.fake.shell), Launched{Open + "sysdm.cpl show 1"});
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// A stored position past the list selects nothing; launching from it reports the
// missing entry and starts nothing.
TEST(TrayLaunchItems, StoredPositionOutsideTheList) {
    fakes::TestProgram t;
    t.Store("AdministrativeToolsIndex", 10);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox6.ItemIndex(), -1);
    EXPECT_EQ(f.mia2.Caption(), "");
    EXPECT_EQ(f.mia1.Caption(), "Accessibility Options");
    EXPECT_TRUE(t.fake.desktop.boxes.empty()) << "no box at start-up";

    f.ListBox6.DblClick();
    f.mia2.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 2u);
    for (const fakes::ShownBox& box : t.fake.desktop.boxes) {
        EXPECT_EQ(box.text, "List index out of bounds (-1).");
        EXPECT_EQ(box.caption, p.App.Title());
    }
    EXPECT_TRUE(Launches(t.fake.shell).empty());
}

TEST(LaunchCommands, ToolButtonsAndMenuItems) {
    const std::string controlPanel = "run rundll32 shell32.dll, Control_RunDLLA show 5";
    const std::string adminTools =
        "run Explorer.exe \"C:\\ProgramData\\Start Menu\\Administrative Tools\" show 5";
    const struct {
        const char* name;
        std::function<void(F&)> click;
        std::string launch;
    } cases[] = {
        {"BitBtn3", [](F& f) { f.BitBtn3.Click(); }, controlPanel},
        {"SpeedButton6", [](F& f) { f.SpeedButton6.Click(); }, controlPanel},
        {"ControlPanel1", [](F& f) { f.ControlPanel1.Click(); }, controlPanel},
        {"BitBtn5", [](F& f) { f.BitBtn5.Click(); }, adminTools},
        {"SpeedButton10", [](F& f) { f.SpeedButton10.Click(); }, adminTools},
        {"AdministrativeTools1", [](F& f) { f.AdministrativeTools1.Click(); }, adminTools},
        {"SpeedButton4", [](F& f) { f.SpeedButton4.Click(); }, "run Explorer show 5"},
        {"Explorer1", [](F& f) { f.Explorer1.Click(); }, "run Explorer show 5"},
        {"SpeedButton5", [](F& f) { f.SpeedButton5.Click(); }, "open Iexplore show 1"},
        {"SpeedButton11", [](F& f) { f.SpeedButton11.Click(); }, Open + "timedate.cpl show 1"},
        {"BitBtn9", [](F& f) { f.BitBtn9.Click(); }, Open + "TaskMgr.exe show 1"},
        {"BitBtn10", [](F& f) { f.BitBtn10.Click(); }, Open + "dxdiag.exe show 1"},
    };
    fakes::TestProgram t;
    t.fake.registry.SetString(port::RegRoot::LocalMachine,
                              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                              "Shell Folders",
                              "Common Administrative Tools",
                              "C:\\ProgramData\\Start Menu\\Administrative Tools");
    t.Start();
    for (const auto& c : cases) {
        c.click(t.Main());
        EXPECT_EQ(Launches(t.fake.shell), Launched{c.launch}) << c.name;
    }

    // Without the folder's setting the command line still quotes it.
    fakes::TestProgram bare;
    bare.Start();
    bare.Main().BitBtn5.Click();
    EXPECT_EQ(Launches(bare.fake.shell), Launched{"run Explorer.exe \"\" show 5"});
}

} // namespace
