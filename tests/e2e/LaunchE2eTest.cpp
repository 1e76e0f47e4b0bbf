#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using e2e::StoredSetting;
using e2e::WaitFor;
namespace id = ids::main;

TEST(LaunchE2e, ChosenToolIsRememberedAcrossARestart) {
    e2e::ForgetSettings();
    {
        e2e::Trelvix app;
        app.Start();
        app.ClickTab(app.Control(id::Disks), 1);
        HWND tools = app.Control(id::ListBox6);
        auto items = app.ListItems(tools);
        ASSERT_EQ(items.size(), 10u);
        EXPECT_EQ(app.ListItems(app.Control(id::ListBox5)).size(), 21u);
        EXPECT_EQ(app.ListItems(app.Control(id::ListBox7)).size(), 21u);
        ASSERT_EQ(items[3], "Event Viewer");
        app.SelectListItem(tools, 3);
        EXPECT_TRUE(WaitFor([] { return StoredSetting("AdministrativeToolsIndex") == 3u; }));
        app.Close();
    }
    e2e::Trelvix again;
    again.Start();
    HWND tools = again.Control(id::ListBox6);
    EXPECT_TRUE(WaitFor([&] { return again.ListSelection(tools) == 3; }));
    EXPECT_EQ(StoredSetting("AdministrativeToolsIndex"), 3u);
    again.Close();
}

// Wine has no Telnet Server Administrator: the program says so in its error box, naming
// the whole path and the system's reason, and the system adds no box of its own.
TEST(LaunchE2e, ARefusedLaunchShowsWhy) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    app.ClickTab(app.Control(id::Disks), 1);
    HWND tools = app.Control(id::ListBox6);
    const auto items = app.ListItems(tools);
    ASSERT_EQ(items.size(), 10u);
    ASSERT_EQ(items[9], "Telnet Server Administrator");
    app.DoubleClickListItem(tools, 9);
    HWND box = app.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no box";
    const auto [caption, text] = app.ReadMessageBox(box);
    EXPECT_EQ(caption, "trelvix");
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(Cannot start C:\\windows\\system32\\tlntadmn\.exe: .+\.)",
                         std::regex::icase)))
        << text;
    app.CloseMessageBox(box);
    EXPECT_EQ(app.WaitForMessageBox(std::chrono::seconds(2)), nullptr) << "a second box";
    EXPECT_TRUE(app.Running());
    app.Close();
    EXPECT_FALSE(app.Running());
}

TEST(LaunchE2e, SystemPanelShowsMemoryAndUptime) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    struct Pattern {
        int control;
        const char* regex;
    };
    const Pattern patterns[] = {
        {id::Label10, R"(^Memory Load - \d+%$)"},
        {id::Label11, R"(^Free Memory - \d+%$)"},
        {id::Label12, R"(^Total Physical Memory - \d+ MBytes$)"},
        {id::Label13, R"(^Free Physical Memory - \d+ Mbytes$)"},
        {id::Label14, R"(^Total Page File Memory  - \d+ Mbytes$)"},
        {id::Label15, R"(^Free Page File Memory - \d+ Mbytes$)"},
        {id::Label16, R"(^Total Virtual Memory - \d+ Mbytes$)"},
        {id::Label17, R"(^Free Virtual Memory - \d+ Mbytes$)"},
        {id::Label23, R"(^\d+:\d\d:\d\d$)"},
    };
    ASSERT_TRUE(WaitFor([&] {
        return std::regex_match(app.Text(app.Control(id::Label10)), std::regex(patterns[0].regex));
    }));
    for (const Pattern& p : patterns) {
        std::string text = app.Text(app.Control(p.control));
        EXPECT_TRUE(std::regex_match(text, std::regex(p.regex))) << text;
    }
    std::string uptime = app.Text(app.Control(id::Label23));
    EXPECT_TRUE(WaitFor([&] { return app.Text(app.Control(id::Label23)) != uptime; },
                        std::chrono::seconds(4)));
    app.Close();
}

} // namespace
