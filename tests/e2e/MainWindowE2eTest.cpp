#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

namespace {

using e2e::StoredSetting;
using e2e::WaitFor;
namespace id = ids::main;

constexpr unsigned LButtonDown = WM_LBUTTONDOWN, LButtonUp = WM_LBUTTONUP;

TEST(MainWindowE2e, FirstStartStoresTheDefaultsAndShowsTheWindow) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    ASSERT_TRUE(WaitFor([] { return StoredSetting("IndexOfFreeTemp").has_value(); }));
    const std::pair<const char*, std::uint32_t> defaults[] = {{"Interval", 0},
                                                              {"IntervalFlag", 0},
                                                              {"ChangeOfBytes", 1048576},
                                                              {"TopForm", 30},
                                                              {"LeftForm", 30},
                                                              {"WindowStates", 0},
                                                              {"IndexOfTab", 0},
                                                              {"IndexOfTabOptions", 0},
                                                              {"StayOnTop", 0},
                                                              {"ControlPanelIndex", 0},
                                                              {"AdministrativeToolsIndex", 0},
                                                              {"UsefulToolsIndex", 0},
                                                              {"IndexOfTemp", 0},
                                                              {"IndexOfRemoveable", 0},
                                                              {"IndexOfFreeTemp", 0}};
    for (auto [name, value] : defaults)
        EXPECT_EQ(StoredSetting(name), value) << name;

    EXPECT_EQ(app.Text(app.Main()), "Trelvix");
    EXPECT_TRUE(app.MainVisible());
    HWND tabs = app.Control(id::Disks);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(app.TabCaptions(tabs),
              (std::vector<std::string>{"Disks", "QuickLaunch", "FreeTemp", "ShutDown", "StopWatch",
                                        "System", "AutoStart"}));
    EXPECT_EQ(app.TabCaptions(app.Control(id::PageControl1)),
              (std::vector<std::string>{"Fixed, Cd, Net, Ram", "Removeable"}));
    EXPECT_EQ(app.ListItems(app.Control(id::ListBox11)),
              std::vector<std::string>{"Press Refresh or F5 for Access to disks"});
    // The status line is composed every second.
    HWND status = app.Control(id::StatusBar1);
    EXPECT_TRUE(WaitFor([&] {
        return app.StatusText(status) == "Trelvix; Interval Of Refreshing=No; Capacity= Mbytes; "
                                         "AutoRun=No; StayOnTop=No; ShutDown=No;";
    })) << app.StatusText(status);
    app.Close();
    EXPECT_FALSE(app.Running());
}

TEST(MainWindowE2e, PagesTrayAndHiddenStart) {
    e2e::ForgetSettings();
    {
        e2e::Trelvix app;
        app.Start();
        HWND tabs = app.Control(id::Disks);
        app.ClickTab(tabs, 3);
        EXPECT_TRUE(WaitFor([] { return StoredSetting("IndexOfTab") == 3u; }));
        EXPECT_EQ(app.TabIndex(tabs), 3);

        app.Click(app.Control(id::SpeedButton17)); // page button "StopWatch"
        EXPECT_TRUE(WaitFor([&] { return app.TabIndex(tabs) == 4; }));
        EXPECT_EQ(StoredSetting("IndexOfTab"), 4u);

        app.PostChar(27);
        EXPECT_TRUE(WaitFor([] { return StoredSetting("WindowStates") == 1u; }));
        EXPECT_TRUE(WaitFor([&] { return !app.MainVisible(); }));

        app.TrayMouse(LButtonDown);
        app.TrayMouse(LButtonUp);
        EXPECT_TRUE(WaitFor([&] { return app.MainVisible(); }));
        EXPECT_EQ(StoredSetting("WindowStates"), 0u);

        app.PostChar(27);
        EXPECT_TRUE(WaitFor([] { return StoredSetting("WindowStates") == 1u; }));
        app.Close();
    }
    e2e::Trelvix again;
    again.Start(false);
    // Start-up goes on while the window already exists: wait for what it settles to.
    EXPECT_TRUE(WaitFor([&] { return again.TabIndex(again.Control(id::Disks)) == 4; }));
    EXPECT_FALSE(again.MainVisible()) << "opens hidden in the tray";
    again.Close();
}

} // namespace
