#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using e2e::StoredSetting;
using e2e::WaitFor;
namespace id = ids::options;

HWND OpenOptions(const e2e::Trelvix& app) {
    app.PressKeys({VK_F11});
    return app.WaitForWindow({}, "Options");
}

TEST(OptionsE2e, PeriodAndUnitChangedFromTheDialog) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    HWND status = app.Control(ids::main::StatusBar1);

    HWND dialog = OpenOptions(app);
    ASSERT_NE(dialog, nullptr) << "F11 opens the dialog";
    app.MoveTrackBar(app.Control(id::TrackBar1, dialog), 17);
    EXPECT_EQ(app.Text(app.Control(id::Label2, dialog)), "17 seconds");
    e2e::Click(app.Control(id::BitBtn3, dialog));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) == FALSE; }));
    EXPECT_TRUE(WaitFor([&] {
        return app.StatusText(status) ==
               "Trelvix; Interval Of Refreshing=17 sec.; Capacity= Mbytes; "
               "AutoRun=No; StayOnTop=No; ShutDown=No;";
    })) << app.StatusText(status);
    EXPECT_EQ(StoredSetting("Interval"), 17u);
    EXPECT_EQ(StoredSetting("IntervalFlag"), 1u);

    dialog = OpenOptions(app);
    ASSERT_NE(dialog, nullptr);
    app.ClickTab(app.Control(id::PageControl1, dialog), 1);
    EXPECT_TRUE(WaitFor([] { return StoredSetting("IndexOfTabOptions") == 1u; }));
    app.MoveTrackBar(app.Control(id::TrackBar2, dialog), 1); // "KBytes"
    e2e::PostChar(dialog, 27);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) == FALSE; })) << "Escape closes";
    EXPECT_EQ(StoredSetting("ChangeOfBytes"), 1024u);
    HWND fixed = app.Control(ids::main::ListBox1);
    EXPECT_TRUE(WaitFor([&] {
        auto lines = app.ListItems(fixed);
        if (lines.size() < 3)
            return false;
        lines.erase(lines.end() - 2); // the separator
        return std::ranges::all_of(lines, [](const std::string& line) {
            return line.find(" Kbytes; Free: ") != std::string::npos &&
                   line.ends_with(" Kbytes; ===");
        });
    })) << app.ListItems(fixed).front();
    EXPECT_TRUE(WaitFor([&] {
        return app.StatusText(status).starts_with(
            "Trelvix; Interval Of Refreshing=17 sec.; Capacity= Kbytes;");
    })) << app.StatusText(status);
    app.Close();
    EXPECT_FALSE(app.Running());
}

} // namespace
