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

std::string ShowName(port::ShowMode show) {
    switch (show) {
    case port::ShowMode::Hidden:
        return "hidden";
    case port::ShowMode::Normal:
        return "normal";
    case port::ShowMode::Shown:
        return "shown";
    }
    return "?";
}

// What the fake shell was asked to start, in a form a table can spell; forgets it.
Launched Launches(fakes::FakeShell& shell) {
    Launched out;
    for (const fakes::ShellOpen& o : shell.opens)
        out.push_back("open " + o.file + (o.parameters ? " [" + *o.parameters + "]" : "") + " " +
                      ShowName(o.show));
    for (const fakes::CommandLine& c : shell.commandLines)
        out.push_back("run " + c.line + " " + ShowName(c.show));
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
    const std::string kill = Open + "KILL.EXE [dllhost.exe] normal";
    const std::tuple<tk::ListBox F::*, int, const char*, Launched> cases[] = {
        {&F::ListBox5, 11, "Keyboard", {Open + "main.cpl [Keyboard] normal"}},
        {&F::ListBox5, 12, "Mouse", {Open + "main.cpl normal"}},
        {&F::ListBox5, 7, "Folder Options", {Open + "appwiz.cpl [Folder Options] normal"}},
        {&F::ListBox5, 8, "Fonts", {shellFolder + "FontsFolder shown"}},
        {&F::ListBox5, 16, "Printers", {shellFolder + "PrintersFolder shown"}},
        {&F::ListBox6, 3, "Event Viewer", {Open + "eventvwr.msc normal"}},
        {&F::ListBox7, 4, "Calculator", {Open + "calc.exe normal"}},
        {&F::ListBox7, 13, "IIS Stop", {Open + "iisreset.exe [/stop] normal", kill}},
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

// A launch the system refuses says so in the standard box, naming the program as its row
// does (the whole path of a system-folder row); the rest of the handler goes on.
TEST(Catalogues, RefusedLaunchShowsTheSystemsReason) {
    const std::string system = "C:\\WINDOWS\\system32\\";
    const std::string missing = "The system cannot find the file specified.";
    const std::tuple<tk::ListBox F::*, const char*, std::vector<std::string>, Launched> cases[] = {
        {&F::ListBox6,
         "Telnet Server Administrator",
         {"Cannot start " + system + "tlntadmn.exe: " + missing},
         {Open + "tlntadmn.exe normal"}},
        {&F::ListBox7,
         "RegEdit",
         {"Cannot start regedit: Access is denied."},
         {"run regedit shown"}},
        {&F::ListBox7,
         "IIS Stop",
         {"Cannot start " + system + "iisreset.exe: " + missing},
         {Open + "iisreset.exe [/stop] normal", Open + "KILL.EXE [dllhost.exe] normal"}},
    };
    fakes::TestProgram t;
    t.fake.shell.refused = {{system + "tlntadmn.exe", missing},
                            {system + "iisreset.exe", missing},
                            {"regedit", "Access is denied"}};
    auto& p = t.Start();
    for (const auto& [member, text, boxes, launches] : cases) {
        tk::ListBox& list = t.Main().*member;
        const auto& items = list.Items();
        list.SelectItem(
            static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin()));
        t.fake.desktop.boxes.clear();
        list.DblClick();
        EXPECT_EQ(Launches(t.fake.shell), launches) << text;
        std::vector<std::string> shown;
        for (const fakes::ShownBox& box : t.fake.desktop.boxes) {
            shown.push_back(box.text);
            EXPECT_EQ(box.caption, p.App.Title());
            EXPECT_EQ(box.flags, port::mb::IconError);
        }
        EXPECT_EQ(shown, boxes) << text;
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
              (Launched{Open + "sysdm.cpl normal", Open + "eventvwr.msc normal",
                        Open + "TaskMgr.exe normal"}));
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
