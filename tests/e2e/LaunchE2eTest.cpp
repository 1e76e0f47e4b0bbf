#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using e2e::WaitFor;
namespace id = ids::main;

// Programs started while it lives are told they run on Windows 10 (Wine says Windows 7
// otherwise).
class Windows10 {
  public:
    Windows10() {
        const wchar_t version[] = L"win10";
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, version,
                        sizeof version);
    }
    ~Windows10() { RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version"); }
    Windows10(const Windows10&) = delete;
    Windows10& operator=(const Windows10&) = delete;
};

// Double-clicks a line of a catalogue on the QuickLaunch page; the box that follows, if any
// comes within `wait`, answered; its text, or "" for none.
std::string DoubleClickLine(e2e::Trelvix& app, int list, size_t index, const std::string& line,
                            std::chrono::milliseconds wait) {
    app.ClickTab(app.Control(id::Disks), 1);
    HWND tools = app.Control(list);
    const auto items = app.ListItems(tools);
    EXPECT_GT(items.size(), index);
    EXPECT_EQ(items.at(index), line);
    app.DoubleClickListItem(tools, static_cast<int>(index));
    HWND box = app.WaitForWindow(L"#32770", {}, wait);
    if (box == nullptr)
        return {};
    EXPECT_EQ(app.Text(box), "trelvix");
    const std::string text = e2e::BoxText(box);
    e2e::AnswerBox(box, IDOK);
    return text;
}

// Windows has had no Telnet Server Administrator for years: the program says so, naming
// the whole path, and the system adds no box of its own.
TEST(LaunchE2e, AToolTodaysWindowsDroppedIsNamedInTheBox) {
    e2e::ForgetSettings();
    Windows10 windows10;
    e2e::Trelvix app;
    app.Start();
    const std::string text = DoubleClickLine(app, id::ListBox6, 9, "Telnet Server Administrator",
                                             std::chrono::seconds(10));
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(Cannot start C:\\windows\\system32\\)"
                                                  R"(tlntadmn\.exe: it is not part of this )"
                                                  R"(version of Windows\.)",
                                                  std::regex::icase)))
        << text;
    EXPECT_EQ(app.WaitForWindow(L"#32770", {}, std::chrono::seconds(2)), nullptr) << "a second box";
    EXPECT_TRUE(app.Running());
    app.Close();
    EXPECT_FALSE(app.Running());
}

// Windows 10 has no wuaucpl.cpl: the line opens the Windows Update page of Settings (which
// Wine may refuse, and then the box names that page).
TEST(LaunchE2e, AutomaticUpdatesOpensItsSettingsPage) {
    e2e::ForgetSettings();
    Windows10 windows10;
    e2e::Trelvix app;
    app.Start();
    const std::string text =
        DoubleClickLine(app, id::ListBox5, 3, "Automatic Updates", std::chrono::seconds(5));
    EXPECT_EQ(text.find("wuaucpl.cpl"), std::string::npos) << text;
    EXPECT_TRUE(text.empty() || text.starts_with("Cannot start ms-settings:windowsupdate: "))
        << text;
    EXPECT_TRUE(app.Running());
    app.Close();
}

TEST(LaunchE2e, SystemPanelShowsMemoryAndUptime) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    // The figures follow the clock while their page shows.
    app.ClickTab(app.Control(id::Disks), 5);
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
