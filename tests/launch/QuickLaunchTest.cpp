#include "fakes/TestProgram.h"
#include "launch/ProceduresOfAdministrativeToolsInput.h"
#include "launch/ProceduresOfControlPanelInput.h"
#include "launch/ProceduresOfUseFulToolsInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using trelvix::Catalogue;
using trelvix::LaunchKind;

// What the fake shell was asked to start, in a form a table can spell.
std::vector<std::string> Launches(const fakes::FakeShell& shell) {
    std::vector<std::string> out;
    for (const fakes::ShellOpen& o : shell.opens)
        out.push_back("open " + o.file + (o.parameters ? " [" + *o.parameters + "]" : "") +
                      " show " + std::to_string(o.show));
    for (const fakes::CommandLine& c : shell.commandLines)
        out.push_back("run " + c.line + " show " + std::to_string(c.show));
    return out;
}

struct CatalogueCase {
    const char* name;
    Catalogue (*catalogue)();
    size_t count;
};

TEST(Catalogues, TextsAreUniqueAndTargetsWellFormed) {
    const CatalogueCase cases[] = {
        {"Control Panel", trelvix::ControlPanelCatalogue, 21},
        {"Administrative Tools", trelvix::AdministrativeToolsCatalogue, 10},
        {"Useful Tools", trelvix::UsefulToolsCatalogue, 21},
    };
    for (const CatalogueCase& c : cases) {
        SCOPED_TRACE(c.name);
        Catalogue rows = c.catalogue();
        EXPECT_EQ(rows.size(), c.count);
        std::set<std::string_view> texts;
        for (const trelvix::LaunchEntry& row : rows) {
            SCOPED_TRACE(std::string(row.text));
            EXPECT_TRUE(texts.insert(row.text).second) << "list text twice";
            for (const auto& action : {std::optional(row.first), row.second}) {
                if (!action)
                    continue;
                if (action->kind == LaunchKind::SystemDirectory)
                    EXPECT_TRUE(action->target.starts_with("\\"));
                else
                    EXPECT_FALSE(action->parameters.has_value());
            }
        }
    }
}

TEST(Catalogues, ListsShowTheCatalogueTextsInOrder) {
    fakes::TestProgram t;
    t.Start();
    const std::pair<const tk::ListBox*, Catalogue> lists[] = {
        {&t.Main().ListBox5, trelvix::ControlPanelCatalogue()},
        {&t.Main().ListBox6, trelvix::AdministrativeToolsCatalogue()},
        {&t.Main().ListBox7, trelvix::UsefulToolsCatalogue()},
    };
    for (const auto& [list, rows] : lists) {
        SCOPED_TRACE(list->Name());
        ASSERT_EQ(list->Count(), static_cast<int>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(list->Items()[i], rows[i].text);
    }
}

// Every entry starts something: the lookup finds each row by its list text.
TEST(Catalogues, EveryEntryLaunchesItsRow) {
    fakes::TestProgram t;
    t.Start();
    for (tk::ListBox* list : {&t.Main().ListBox5, &t.Main().ListBox6, &t.Main().ListBox7}) {
        for (int i = 0; i < list->Count(); ++i) {
            SCOPED_TRACE(list->Item(i));
            t.fake.shell.opens.clear();
            t.fake.shell.commandLines.clear();
            list->SelectItem(i);
            list->DblClick();
            EXPECT_EQ(Launches(t.fake.shell).size(), list->Item(i) == "IIS Stop" ? 2u : 1u);
        }
    }
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

struct EntryCase {
    int list; // 5, 6 or 7
    int position;
    const char* text;
    std::vector<std::string> launches;
};

TEST(Catalogues, DoubleClickStartsTheTabledAction) {
    const EntryCase cases[] = {
        {5, 11, "Keyboard", {"open C:\\WINDOWS\\system32\\main.cpl [Keyboard] show 1"}},
        {5, 12, "Mouse", {"open C:\\WINDOWS\\system32\\main.cpl show 1"}},
        {5,
         7,
         "Folder Options",
         {"open C:\\WINDOWS\\system32\\appwiz.cpl [Folder Options] show 1"}},
        {5, 8, "Fonts", {"run rundll32 SHELL32,SHHelpShortcuts_RunDLL FontsFolder show 5"}},
        {5, 16, "Printers", {"run rundll32 SHELL32,SHHelpShortcuts_RunDLL PrintersFolder show 5"}},
        {6, 0, "Component Services", {"open C:\\WINDOWS\\system32\\Com\\comexp.msc show 1"}},
        {6, 3, "Event Viewer", {"open C:\\WINDOWS\\system32\\eventvwr.msc show 1"}},
        {7, 2, "Windows Information", {"run rundll32 shell32,ShellAboutA Trelvix show 5"}},
        {7, 4, "Calculator", {"open C:\\WINDOWS\\system32\\calc.exe show 1"}},
        {7,
         13,
         "IIS Stop",
         {"open C:\\WINDOWS\\system32\\iisreset.exe [/stop] show 1",
          "open C:\\WINDOWS\\system32\\KILL.EXE [dllhost.exe] show 1"}},
        {7,
         15,
         "Local Users and Groups",
         {"open C:\\WINDOWS\\system32\\lusrmgr.msc [/start] show 1"}},
        {7, 16, "RegEdit", {"run regedit show 5"}},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.text);
        fakes::TestProgram t;
        t.Start();
        tk::ListBox& list = c.list == 5   ? t.Main().ListBox5
                            : c.list == 6 ? t.Main().ListBox6
                                          : t.Main().ListBox7;
        ASSERT_EQ(list.Item(c.position), c.text);
        list.SelectItem(c.position);
        list.DblClick();
        EXPECT_EQ(Launches(t.fake.shell), c.launches);
    }
}

// The system directory is used whole, however long.
TEST(Catalogues, LongSystemDirectoryIsNotCut) {
    fakes::TestProgram t;
    std::string dir = "D:\\" + std::string(200, 'w') + "\\system32";
    t.fake.shell.systemDirectory = dir;
    t.Start();
    t.Main().ListBox7.SelectItem(4);
    t.Main().ListBox7.DblClick();
    ASSERT_EQ(t.fake.shell.opens.size(), 1u);
    EXPECT_EQ(t.fake.shell.opens[0].file, dir + "\\calc.exe");
}

TEST(TrayLaunchItems, FollowTheSelectionAndLaunchWhatTheyShow) {
    fakes::TestProgram t;
    t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.mia1.Caption(), "Accessibility Options");
    EXPECT_EQ(f.mia2.Caption(), "Component Services");
    EXPECT_EQ(f.mia3.Caption(), "Copy Disk To Disk");

    f.ListBox6.SelectItem(3);
    EXPECT_EQ(f.mia2.Caption(), "Event Viewer");
    EXPECT_EQ(t.Stored("AdministrativeToolsIndex"), 3);
    f.ListBox5.SelectItem(12);
    EXPECT_EQ(f.mia1.Caption(), "Mouse");
    EXPECT_EQ(t.Stored("ControlPanelIndex"), 12);
    f.ListBox7.SelectItem(19);
    EXPECT_EQ(f.mia3.Caption(), "TaskManager");
    EXPECT_EQ(t.Stored("UsefulToolsIndex"), 19);

    f.mia2.Click();
    f.mia3.Click();
    f.mia1.Click();
    EXPECT_EQ(Launches(t.fake.shell),
              (std::vector<std::string>{"open C:\\WINDOWS\\system32\\eventvwr.msc show 1",
                                        "open C:\\WINDOWS\\system32\\TaskMgr.exe show 1",
                                        "open C:\\WINDOWS\\system32\\main.cpl show 1"}));
}

TEST(TrayLaunchItems, RestartRestoresTheSelections) {
    fakes::TestProgram t;
    t.Store("AdministrativeToolsIndex", 3);
    t.Start();
    t.Main().ListBox5.SelectItem(20);
    t.Main().ListBox7.SelectItem(13);

    t.program.reset();
    t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox5.ItemIndex(), 20);
    EXPECT_EQ(f.ListBox6.ItemIndex(), 3);
    EXPECT_EQ(f.ListBox7.ItemIndex(), 13);
    EXPECT_EQ(f.mia1.Caption(), "System");
    EXPECT_EQ(f.mia2.Caption(), "Event Viewer");
    EXPECT_EQ(f.mia3.Caption(), "IIS Stop");
    EXPECT_EQ(t.Stored("AdministrativeToolsIndex"), 3);
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
    EXPECT_EQ(f.mia3.Caption(), "Copy Disk To Disk");
    EXPECT_TRUE(t.fake.desktop.boxes.empty()) << "no box at start-up";

    f.ListBox6.DblClick();
    f.mia2.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 2u);
    for (const fakes::ShownBox& box : t.fake.desktop.boxes) {
        EXPECT_EQ(box.text, "List index out of bounds (-1).");
        EXPECT_EQ(box.caption, p.App.Title());
    }
    EXPECT_TRUE(Launches(t.fake.shell).empty());

    // The other lists still remember their choices.
    f.ListBox5.SelectItem(4);
    EXPECT_EQ(t.Stored("ControlPanelIndex"), 4);
    EXPECT_EQ(f.mia1.Caption(), "Date/Time");
}

struct CommandCase {
    const char* name;
    std::function<void(trelvix::TMainForm&)> click;
    std::string launch;
};

TEST(LaunchCommands, ToolBarButtonsAndTrayItems) {
    const std::string controlPanel = "run rundll32 shell32.dll, Control_RunDLLA show 5";
    const std::string adminTools =
        "run Explorer.exe \"C:\\ProgramData\\Start Menu\\Administrative Tools\" show 5";
    const CommandCase cases[] = {
        {"BitBtn3", [](auto& f) { f.BitBtn3.Click(); }, controlPanel},
        {"SpeedButton6", [](auto& f) { f.SpeedButton6.Click(); }, controlPanel},
        {"ControlPanel1", [](auto& f) { f.ControlPanel1.Click(); }, controlPanel},
        {"BitBtn5", [](auto& f) { f.BitBtn5.Click(); }, adminTools},
        {"SpeedButton10", [](auto& f) { f.SpeedButton10.Click(); }, adminTools},
        {"AdministrativeTools1", [](auto& f) { f.AdministrativeTools1.Click(); }, adminTools},
        {"SpeedButton4", [](auto& f) { f.SpeedButton4.Click(); }, "run Explorer show 5"},
        {"Explorer1", [](auto& f) { f.Explorer1.Click(); }, "run Explorer show 5"},
        {"SpeedButton5", [](auto& f) { f.SpeedButton5.Click(); }, "open Iexplore show 1"},
        {"SpeedButton11", [](auto& f) { f.SpeedButton11.Click(); },
         "open C:\\WINDOWS\\system32\\timedate.cpl show 1"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::TestProgram t;
        t.fake.registry.SetString(port::RegRoot::LocalMachine,
                                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                  "Shell Folders",
                                  "Common Administrative Tools",
                                  "C:\\ProgramData\\Start Menu\\Administrative Tools");
        t.Start();
        c.click(t.Main());
        EXPECT_EQ(Launches(t.fake.shell), std::vector<std::string>{c.launch});
    }
}

TEST(LaunchCommands, AdministrativeToolsWithoutAFolderStillQuotes) {
    fakes::TestProgram t;
    t.Start();
    t.Main().BitBtn5.Click();
    EXPECT_EQ(Launches(t.fake.shell), std::vector<std::string>{"run Explorer.exe \"\" show 5"});
}

} // namespace
