#include "platform/win32/Win32Tray.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr unsigned Callback = 1025;

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tray.CreateMessageWindow([this](const port::TrayMessage& m) -> std::intptr_t {
            received.push_back(m);
            if (throwing)
                throw std::runtime_error("handler failed");
            return m.message == port::WM_QUERYENDSESSION_ ? 1 : 42;
        });
        ASSERT_NE(tray.Window(), nullptr);
        received.clear();
    }
    bool Received(unsigned message) const {
        for (const auto& m : received)
            if (m.message == message)
                return true;
        return false;
    }

    win32::Win32Tray tray;
    std::vector<port::TrayMessage> received;
    bool throwing = false;
};

TEST_F(TrayTest, WindowIsHiddenAndTopLevel) {
    EXPECT_FALSE(IsWindowVisible(tray.Window()));
    EXPECT_EQ(GetAncestor(tray.Window(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(FindWindowW(win32::TrayWindowClass, nullptr), tray.Window());
}

TEST_F(TrayTest, MessagesReachTheHandler) {
    EXPECT_EQ(SendMessageW(tray.Window(), Callback, 0, WM_LBUTTONUP), 42);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, Callback);
    EXPECT_EQ(received[0].lParam, WM_LBUTTONUP);
    EXPECT_EQ(SendMessageW(tray.Window(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(SendMessageW(tray.Window(), WM_ENDSESSION, TRUE, 0), 42);
    EXPECT_EQ(received.back().wParam, static_cast<std::uintptr_t>(TRUE));
}

TEST_F(TrayTest, TaskbarCreatedArrivesUnderItsPortNumber) {
    ASSERT_NE(tray.TaskbarCreated(), 0u);
    EXPECT_EQ(tray.TaskbarCreated(), RegisterWindowMessageW(L"TaskbarCreated"));
    SendMessageW(tray.Window(), tray.TaskbarCreated(), 0, 0);
    EXPECT_TRUE(Received(port::TaskbarCreatedMessage));
}

TEST_F(TrayTest, ExceptionStopsAtTheWindowProcedure) {
    throwing = true;
    EXPECT_EQ(SendMessageW(tray.Window(), Callback, 0, WM_RBUTTONDOWN), 0);
    EXPECT_TRUE(Received(Callback));
}

TEST_F(TrayTest, SystemMessagesKeepTheirDefaultAnswers) {
    // The handler's 42 would be taken as "no text"; the system's default answers 0 characters.
    wchar_t text[8] = L"x";
    EXPECT_EQ(SendMessageW(tray.Window(), WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text)), 0);
    EXPECT_TRUE(Received(WM_GETTEXT));
}

TEST_F(TrayTest, IconIsAddedModifiedAndDeleted) {
    port::NotifyIconData data;
    data.hasTip = true;
    data.tip = "Trelvix";
    data.callbackMessage = Callback;
    ASSERT_TRUE(tray.Add(data));
    data.tip = std::string(100, 'x');
    EXPECT_TRUE(tray.Modify(data));
    data.hasTip = false;
    data.tip.clear();
    EXPECT_TRUE(tray.Modify(data));
    EXPECT_TRUE(tray.Delete());
    EXPECT_FALSE(tray.Modify(data));
}

TEST(TrayWithoutWindowTest, IconNeedsTheWindow) {
    win32::Win32Tray tray;
    EXPECT_FALSE(tray.Add(port::NotifyIconData{}));
    EXPECT_FALSE(tray.Delete());
}

TEST(NotifyTipTest, CutToTheShellsField) {
    const std::string pair = "\xF0\x9F\x98\x80"; // two UTF-16 units
    struct Row {
        std::string tip;
        std::wstring expected;
    };
    const Row rows[] = {
        {"", L""},
        {"C: 12,3/45,6 Gb", L"C: 12,3/45,6 Gb"},
        {std::string(63, 'a'), std::wstring(63, L'a')},
        {std::string(64, 'a'), std::wstring(63, L'a')},
        {std::string(62, 'a') + pair, std::wstring(62, L'a')},
        {std::string(61, 'a') + pair, std::wstring(61, L'a') + L"\U0001F600"},
        {"Диск C: свободно", L"Диск C: свободно"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tip);
        EXPECT_EQ(win32::NotifyTip(row.tip), row.expected);
    }
}

} // namespace
