#include "fakes/TestProgram.h"
#include "launch/Catalogues.h"
#include "launch/Catalogues.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>

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
    const std::tuple<const tk::ListBox&, trelvix::Catalogue, std::size_t> cases[] = {
        {t.Main().ListBox5, trelvix::ControlPanelCatalogue(), 21},
        {t.Main().ListBox6, trelvix::AdministrativeToolsCatalogue(), 10},
        {t.Main().ListBox7, trelvix::UsefulToolsCatalogue(), 21},
    };
    for (const auto& [list, rows, count] : cases) {
        SCOPED_TRACE(list.Name());
        Launched texts;
        for (const trelvix::LaunchEntry& row : rows) {
            texts.emplace_back(row.text);
            // A relative target is appended to the system directory, which has no backslash.
            for (const auto& action : {std::optional(row.first), row.second})
                EXPECT_TRUE(!action || action->kind == trelvix::LaunchKind::CommandLine ||
                            action->target.starts_with("\\"))
                    << row.text;
        }
        EXPECT_EQ(list.Items(), texts);
        EXPECT_EQ(texts.size(), count);
        EXPECT_EQ(std::set(texts.begin(), texts.end()).size(), count) << "a text twice";
    }
}

TEST(Catalogues, DoubleClickStartsTheTabledAction) {
    const std::string shellFolder = "run rundll32 SHELL32,SHHelpShortcuts_RunDLL ";
    const std::string kill = Open + "KILL.EXE [dllhost.exe] show 1";
    const std::tuple<tk::ListBox F::*, int, const char*, Launched> cases[] = {
        {&F::ListBox5, 11, "Keyboard", {Open + "main.cpl [Keyboard] show 1"}},
        {&F::ListBox5, 12, "Mouse", {Open + "main.cpl show 1"}},
        {&F::ListBox5, 7, "Folder Options", {Open + "appwiz.cpl [Folder Options] show 1"}},
        {&F::ListBox5, 8, "Fonts", {shellFolder + "FontsFolder show 5"}},
        {&F::ListBox5, 16, "Printers", {shellFolder + "PrintersFolder show 5"}},
        {&F::ListBox6, 3, "Event Viewer", {Open + "eventvwr.msc show 1"}},
        {&F::ListBox7, 4, "Calculator", {Open + "calc.exe show 1"}},
        {&F::ListBox7, 13, "IIS Stop", {Open + "iisreset.exe [/stop] show 1", kill}},
    };
    fakes::TestProgram t;
    t.Start();
    for (const auto& [member, position, text, launches] : cases) {
        tk::ListBox& list = t.Main().*member;
        ASSERT_EQ(list.Item(position), text);
        list.SelectItem(position);
        list.DblClick();
        EXPECT_EQ(Launches(t.fake.shell), launches) << text;
    }
}

TEST(TrayLaunchItems, FollowTheSelectionAndComeBackAfterARestart) {
    fakes::TestProgram t;
    const Launched items = {"System", "Event Viewer", "TaskManager"};
    const auto trayItems = [&t] {
        return Launched{t.Main().mia1.Caption(), t.Main().mia2.Caption(), t.Main().mia3.Caption()};
    };
    t.Start();
    t.Main().ListBox5.SelectItem(20);
    t.Main().ListBox6.SelectItem(3);
    t.Main().ListBox7.SelectItem(19);
    EXPECT_EQ(trayItems(), items);
    EXPECT_EQ(t.Stored("AdministrativeToolsIndex"), 3);

    t.program.reset();
    auto& f = *t.Start().MainForm;
    EXPECT_EQ((std::vector{f.ListBox5.ItemIndex(), f.ListBox6.ItemIndex(), f.ListBox7.ItemIndex()}),
              (std::vector{20, 3, 19}));
    EXPECT_EQ(trayItems(), items);
    for (tk::MenuItem* item : {&f.mia1, &f.mia2, &f.mia3})
        item->Click();
    EXPECT_EQ(Launches(t.fake.shell),
              (Launched{Open + "sysdm.cpl show 1", Open + "eventvwr.msc show 1",
                        Open + "TaskMgr.exe show 1"}));
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
    for (const fakes::ShownBox& box : t.fake.desktop.boxes)
        EXPECT_EQ(box.text + " / " + box.caption,
                  "List index out of bounds (-1). / " + p.App.Title());
    EXPECT_TRUE(Launches(t.fake.shell).empty());
}

TEST(LaunchCommands, ToolButtonsAndMenuItems) {
    const std::string controlPanel = "run rundll32 shell32.dll, Control_RunDLLA show 5";
    const std::string folder = "C:\\ProgramData\\Start Menu\\Administrative Tools";
    const std::string adminTools = "run Explorer.exe \"" + folder + "\" show 5";
    const std::tuple<const char*, std::function<void(F&)>, std::string> cases[] = {
        {"BitBtn3", [](F& f) { f.BitBtn3.Click(); }, controlPanel},
        {"ControlPanel1", [](F& f) { f.ControlPanel1.Click(); }, controlPanel},
        {"BitBtn5", [](F& f) { f.BitBtn5.Click(); }, adminTools},
        {"AdministrativeTools1", [](F& f) { f.AdministrativeTools1.Click(); }, adminTools},
        {"SpeedButton4", [](F& f) { f.SpeedButton4.Click(); }, "run Explorer show 5"},
        {"SpeedButton5", [](F& f) { f.SpeedButton5.Click(); }, "open Iexplore show 1"},
        {"SpeedButton11", [](F& f) { f.SpeedButton11.Click(); }, Open + "timedate.cpl show 1"},
        {"BitBtn9", [](F& f) { f.BitBtn9.Click(); }, Open + "TaskMgr.exe show 1"},
        {"BitBtn10", [](F& f) { f.BitBtn10.Click(); }, Open + "dxdiag.exe show 1"},
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
    EXPECT_EQ(Launches(bare.fake.shell), Launched{"run Explorer.exe \"\" show 5"});
}

} // namespace
