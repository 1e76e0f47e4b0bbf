#include "platform/win32/Win32Tray.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr unsigned Callback = 1025;

// The handler answers the component's own and the end-of-session messages; the system
// answers the rest; an exception stops at the window procedure.
TEST(TrayTest, MessagesReachTheHandlerAndGetTheirAnswers) {
    win32::Win32Tray tray;
    std::vector<unsigned> received;
    tray.CreateMessageWindow([&](const port::TrayMessage& m) -> std::intptr_t {
        received.push_back(m.message);
        if (m.lParam == WM_RBUTTONDOWN)
            throw std::runtime_error("handler failed");
        return m.message == WM_QUERYENDSESSION ? 1 : 42;
    });
    ASSERT_NE(tray.Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(tray.Window()));
    EXPECT_EQ(FindWindowW(win32::TrayWindowClass, nullptr), tray.Window());
    wchar_t text[8] = L"x";
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    const std::tuple<UINT, WPARAM, LPARAM, LRESULT, unsigned> rows[] = {
        {Callback, 0, WM_LBUTTONUP, 42, Callback},
        {WM_QUERYENDSESSION, 0, 0, 1, WM_QUERYENDSESSION},
        {WM_ENDSESSION, TRUE, 0, 42, WM_ENDSESSION},
        {taskbarCreated, 0, 0, 42, port::TaskbarCreatedMessage},
        {Callback, 0, WM_RBUTTONDOWN, 0, Callback}, // the handler throws
        // The handler's 42 would be taken as the text's length.
        {WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text), 0, WM_GETTEXT},
    };
    for (const auto& [message, wParam, lParam, answer, delivered] : rows) {
        received.clear();
        EXPECT_EQ(SendMessageW(tray.Window(), message, wParam, lParam), answer) << message;
        EXPECT_EQ(received, std::vector<unsigned>{delivered}) << message;
    }
}

TEST(TrayTest, IconIsAddedModifiedAndDeleted) {
    port::NotifyIconData data;
    data.hasTip = true;
    data.tip = "Trelvix";
    data.callbackMessage = Callback;
    win32::Win32Tray tray;
    EXPECT_FALSE(tray.Add(data)); // no window yet
    tray.CreateMessageWindow([](const port::TrayMessage&) { return std::intptr_t{0}; });
    ASSERT_TRUE(tray.Add(data));
    data.tip = std::string(100, 'x');
    EXPECT_TRUE(tray.Modify(data));
    EXPECT_TRUE(tray.Delete());
    EXPECT_FALSE(tray.Modify(data));
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
}

} // namespace
