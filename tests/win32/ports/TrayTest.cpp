#include "platform/win32/Win32Tray.h"

#include <dbt.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Kind = port::TrayEvent::Kind;
using port::MouseButton;

std::string Describe(const port::TrayEvent& e) {
    static const char* const kinds[] = {"down",    "up",     "double",  "move",   "select",
                                        "key",     "menu",   "taskbar", "ending", "show",
                                        "volumes", "drives", "balloon"};
    static const char* const buttons[] = {"left", "right", "middle"};
    std::string text =
        std::string(kinds[static_cast<int>(e.kind)]) + " " + buttons[static_cast<int>(e.button)];
    if (e.kind == Kind::ContextMenu)
        text += " " + std::to_string(e.at.x) + "," + std::to_string(e.at.y);
    if (!e.tag.empty())
        text += " " + e.tag;
    return e.drives != 0 ? text + " " + std::to_string(e.drives) : text;
}

// Each message the hidden window can get: the event it becomes and the window's answer. The
// system answers everything else; an error of the handler goes to the error handler.
TEST(TrayTest, MessagesBecomeEvents) {
    win32::Win32Tray tray;
    std::vector<std::string> received;
    int errors = 0;
    tray.CreateMessageWindow(
        [&](const port::TrayEvent& e) {
            received.push_back(Describe(e));
            if (e.kind == Kind::DoubleClick && e.button == MouseButton::Middle)
                throw std::runtime_error("handler failed");
        },
        [&] {
            // Called inside the catch block: the error is there to be reported.
            try {
                throw;
            } catch (const std::runtime_error&) {
                ++errors;
            }
        });
    ASSERT_NE(tray.Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(tray.Window()));
    EXPECT_EQ(FindWindowW(win32::TrayWindowClass, nullptr), tray.Window());
    wchar_t text[8] = L"x";
    constexpr UINT Callback = win32::TrayCallbackMessage;
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    const UINT showRequest = RegisterWindowMessageW(win32::ShowMainWindowMessage);
    DEV_BROADCAST_VOLUME stick{};
    stick.dbcv_size = sizeof stick;
    stick.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    stick.dbcv_unitmask = (1u << 4) | (1u << 5); // E: and F:
    DEV_BROADCAST_HDR port{};
    port.dbch_size = sizeof port;
    port.dbch_devicetype = DBT_DEVTYP_PORT;
    const auto volume = reinterpret_cast<LPARAM>(&stick);
    // Other devices are the system's business: it gives its own answer.
    const LRESULT systemAnswer = DefWindowProcW(tray.Window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                                reinterpret_cast<LPARAM>(&port));
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT answer;
        const char* event; // "" for none
    };
    const Row rows[] = {
        {Callback, 0, WM_MOUSEMOVE, 0, "move left"},
        {Callback, 0, WM_LBUTTONDOWN, 0, "down left"},
        {Callback, 0, WM_LBUTTONUP, 0, "up left"},
        {Callback, 0, WM_LBUTTONDBLCLK, 0, "double left"},
        {Callback, 0, WM_RBUTTONDOWN, 0, "down right"},
        {Callback, 0, WM_RBUTTONUP, 0, "up right"},
        {Callback, 0, WM_RBUTTONDBLCLK, 0, "double right"},
        {Callback, 0, WM_MBUTTONDOWN, 0, "down middle"},
        {Callback, 0, WM_MBUTTONUP, 0, "up middle"},
        {Callback, 0, WM_MBUTTONDBLCLK, 0, "double middle"}, // the handler throws
        // Version 4: the event in the low word, the icon's ID in the high word, the anchor
        // of a menu in wParam (negative on a monitor left of the main one).
        {Callback, MAKEWPARAM(-20, 1040), MAKELPARAM(WM_CONTEXTMENU, 0), 0, "menu left -20,1040"},
        {Callback, 0, MAKELPARAM(NIN_KEYSELECT, 0), 0, "key left"},
        {Callback, 0, MAKELPARAM(NIN_SELECT, 0), 0, "select left"},
        {Callback, 0, MAKELPARAM(WM_LBUTTONUP, 7), 0, "up left"},
        {Callback, 0, NIN_POPUPOPEN, 0, ""},
        {Callback, 0, NIN_BALLOONUSERCLICK, 0, "balloon left"}, // no balloon shown: no tag
        {Callback, 0, NIN_BALLOONTIMEOUT, 0, ""},
        {WM_QUERYENDSESSION, 0, 0, TRUE, ""},
        {WM_ENDSESSION, FALSE, 0, 0, ""}, // the end of the session was cancelled
        {WM_ENDSESSION, TRUE, 0, 0, "ending left"},
        {taskbarCreated, 0, 0, 0, "taskbar left"},
        {showRequest, 0, 0, 0, "show left"},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, volume, TRUE, "volumes left 48"},
        {WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, volume, TRUE, "volumes left 48"},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port), systemAnswer, ""},
        {win32::DriveNoticeMessage, 0, SHCNE_DRIVEADD, 0, "drives left"},
        // The system's answer: the length of the window's empty text.
        {WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text), 0, ""},
    };
    for (const Row& row : rows) {
        received.clear();
        EXPECT_EQ(SendMessageW(tray.Window(), row.message, row.wParam, row.lParam), row.answer)
            << row.message << " " << row.lParam;
        const std::vector<std::string> expected =
            *row.event != 0 ? std::vector<std::string>{row.event} : std::vector<std::string>{};
        EXPECT_EQ(received, expected) << row.message << " " << row.lParam;
    }
    EXPECT_EQ(errors, 1);
}

TEST(TrayTest, IconIsAddedModifiedAndDeleted) {
    port::NotifyIconData data;
    data.hasTip = true;
    data.tip = "Trelvix";
    win32::Win32Tray tray;
    EXPECT_FALSE(tray.Add(data)); // no window yet
    tray.CreateMessageWindow([](const port::TrayEvent&) {}, [] {});
    ASSERT_TRUE(tray.Add(data));
    data.tip = std::string(100, 'x');
    EXPECT_TRUE(tray.Modify(data));
    EXPECT_TRUE(tray.Delete());
    EXPECT_FALSE(tray.Modify(data));
}

bool BalloonWindowShown() {
    bool shown = false;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == L"tooltips_class32" && IsWindowVisible(window))
                *reinterpret_cast<bool*>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// The shell draws the balloon; a click on it comes back with the tag of the balloon shown
// last, since a newer one replaces the older.
TEST(TrayTest, BalloonIsShownAndItsClickCarriesTheLatestTag) {
    win32::Win32Tray tray;
    std::vector<std::string> received;
    tray.CreateMessageWindow([&](const port::TrayEvent& e) { received.push_back(Describe(e)); },
                             [] {});
    EXPECT_FALSE(tray.ShowBalloon("Title", "Text", port::BalloonIcon::Warning, "early"))
        << "no icon yet";
    ASSERT_TRUE(tray.Add({true, "Trelvix"}));
    ASSERT_TRUE(tray.ShowBalloon("Drive C: is running out of space", std::string(400, 'x'),
                                 port::BalloonIcon::Warning, "first"));
    const auto deadline = GetTickCount64() + 5000;
    while (!BalloonWindowShown() && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(50);
    }
    EXPECT_TRUE(BalloonWindowShown());
    ASSERT_TRUE(tray.ShowBalloon("Second", "Text", port::BalloonIcon::Info, "second"));
    SendMessageW(tray.Window(), win32::TrayCallbackMessage, 0, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(received, std::vector<std::string>{"balloon left second"});
    EXPECT_TRUE(tray.Delete());
    EXPECT_FALSE(tray.ShowBalloon("Third", "Text", port::BalloonIcon::Error, "third"));
    received.clear();
    SendMessageW(tray.Window(), win32::TrayCallbackMessage, 0, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(received, std::vector<std::string>{"balloon left second"})
        << "a refused balloon did not replace the one shown";
}

TEST(TrayTest, TipIsCutToTheShellsFieldNeverInsideAPair) {
    const std::string pair = "\xF0\x9F\x98\x80"; // two UTF-16 units
    const std::pair<std::string, std::wstring> rows[] = {
        {"Диск C: 12,3/45,6 Gb", L"Диск C: 12,3/45,6 Gb"},
        {std::string(62, 'a') + pair, std::wstring(62, L'a')},
        {std::string(61, 'a') + pair, std::wstring(61, L'a') + L"\U0001F600"},
    };
    for (const auto& [tip, expected] : rows)
        EXPECT_EQ(win32::NotifyTip(tip), expected) << tip;
    // A balloon's text has 255 units.
    EXPECT_EQ(win32::ShellFieldText(std::string(254, 'a') + pair, 255), std::wstring(254, L'a'));
    EXPECT_EQ(win32::ShellFieldText(std::string(300, 'a'), 255), std::wstring(255, L'a'));
}

} // namespace
