#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using e2e::WaitFor;
namespace id = ids::main;

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
    HWND box = app.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr) << "no box";
    EXPECT_EQ(app.Text(box), "trelvix");
    const std::string text = e2e::BoxText(box);
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(Cannot start C:\\windows\\system32\\tlntadmn\.exe: .+\.)",
                         std::regex::icase)))
        << text;
    e2e::AnswerBox(box, IDOK);
    EXPECT_EQ(app.WaitForWindow(L"#32770", {}, std::chrono::seconds(2)), nullptr) << "a second box";
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
