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
    // The native tier checks every default; here the real registry holds them.
    EXPECT_TRUE(WaitFor([] { return StoredSetting("IndexOfFreeTemp") == 0u; }));
    EXPECT_EQ(StoredSetting("ChangeOfBytes"), 1048576u);
    EXPECT_EQ(app.Text(app.Main()), "Trelvix");
    EXPECT_TRUE(app.MainVisible());
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

        e2e::Click(app.Control(id::SpeedButton17)); // page button "StopWatch"
        EXPECT_TRUE(WaitFor([&] { return app.TabIndex(tabs) == 4; }));
        EXPECT_EQ(StoredSetting("IndexOfTab"), 4u);

        e2e::PostChar(app.Main(), 27);
        EXPECT_TRUE(WaitFor([] { return StoredSetting("WindowStates") == 1u; }));
        EXPECT_TRUE(WaitFor([&] { return !app.MainVisible(); }));

        app.TrayMouse(LButtonDown);
        app.TrayMouse(LButtonUp);
        EXPECT_TRUE(WaitFor([&] { return app.MainVisible(); }));
        EXPECT_EQ(StoredSetting("WindowStates"), 0u);

        e2e::PostChar(app.Main(), 27);
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
