#include "win32/peers/PeerFixture.h"

#include <chrono>
#include <string>
#include <thread>

namespace peertest {
namespace {

std::string MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return win32::Narrow(text);
}

TEST_F(PeersTest, TheMenuBarShowsCaptionsShortcutsAndChecks) {
    HMENU bar = GetMenu(Main());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    HMENU tools = GetSubMenu(bar, 1);
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(MenuText(tools, 0), "&Refresh\tF5");
    EXPECT_EQ(GetMenuState(tools, 1, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(tools, 2), "&Stay On Top\tCtrl+C");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), "E&xit\tCtrl+X");

    form->StayOnTop.SetChecked(true);
    form->Refresh.SetEnabled(false);
    EXPECT_NE(GetMenuState(tools, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(tools, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    form->StayOnTop.SetCaption("On Top");
    EXPECT_EQ(MenuText(tools, 2), "On Top\tCtrl+C");
}

TEST_F(PeersTest, ChoosingAMenuItemClicksIt) {
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(form->Refresh.Id(), 0), 0);
    EXPECT_EQ(form->refreshes, 1);
    form->Refresh.SetEnabled(false);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(form->Refresh.Id(), 0), 0);
    EXPECT_EQ(form->refreshes, 1);
}

struct ShortCutCase {
    const char* name;
    bool ctrl, alt;
    WPARAM key;
    int TestForm::*counter;
};

TEST_F(PeersTest, ShortcutKeysRunTheirItemsFromAnyControl) {
    const ShortCutCase cases[] = {
        {"F5", false, false, VK_F5, &TestForm::refreshes},
        {"Ctrl+X", true, false, 'X', &TestForm::exits},
        // Wins over the edit field's own copy.
        {"Ctrl+C", true, false, 'C', &TestForm::stayOnTops},
    };
    for (const ShortCutCase& c : cases) {
        const int before = form.get()->*c.counter;
        HoldModifiers(c.ctrl, c.alt);
        PostMessageW(Window(form->Field), WM_KEYDOWN, c.key, 1);
        Pump();
        HoldModifiers(false, false);
        EXPECT_EQ(form.get()->*c.counter, before + 1) << c.name;
    }
    // Without its Ctrl, X is just a character for the edit field.
    PostMessageW(Window(form->Field), WM_KEYDOWN, 'X', 1);
    Pump();
    EXPECT_EQ(form->exits, 1);
}

TEST_F(PeersTest, TheFormSeesEveryCharacterFirst) {
    PostMessageW(Window(form->List), WM_CHAR, 27, 1);
    PostMessageW(Main(), WM_CHAR, 'q', 1);
    Pump();
    EXPECT_EQ(form->keys, (std::vector<char>{27, 'q'}));
}

TEST_F(PeersTest, TheFormsKeyPreviewCanDropACharacter) {
    form->OnKeyPress = [](char& key) {
        if (key == 'z')
            key = 0;
    };
    PostMessageW(Window(form->Field), WM_CHAR, 'z', 1);
    PostMessageW(Window(form->Field), WM_CHAR, 'y', 1);
    Pump();
    EXPECT_EQ(form->Field.Text(), "y");
}

TEST_F(PeersTest, TimersTickOnTheFormsWindowWhileRunning) {
    form->Ticker.SetInterval(10);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (form->ticks == 0 && std::chrono::steady_clock::now() < until) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GT(form->ticks, 0);

    form->Ticker.SetEnabled(false);
    Pump();
    const int stopped = form->ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    Pump();
    EXPECT_EQ(form->ticks, stopped);
}

TEST_F(PeersTest, TheMinimizeBoxMinimisesTheProgram) {
    int minimised = 0;
    app.OnMinimize = [&] { ++minimised; };
    SendMessageW(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 1);
    EXPECT_EQ(form->GetWindowState(), tk::WindowState::Minimized);
    EXPECT_TRUE(IsIconic(Main()));
}

TEST_F(PeersTest, HiddenAndShownByTheModel) {
    EXPECT_TRUE(IsWindowVisible(Main()));
    EXPECT_FALSE(IsWindowVisible(Window(*dialog))); // made hidden, shown only modally
    form->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(Main()));
    // Minimised while hidden: it stays hidden, and shows minimised later.
    form->SetWindowState(tk::WindowState::Minimized);
    EXPECT_FALSE(IsWindowVisible(Main()));
    form->SetVisible(true);
    EXPECT_TRUE(IsIconic(Main()));
    form->SetWindowState(tk::WindowState::Normal);
    EXPECT_FALSE(IsIconic(Main()));
}

TEST_F(PeersTest, TheModelMovesTheWindowAndLearnsWhereTheUserPutIt) {
    form->SetBounds(120, 90, form->Width(), form->Height());
    RECT rect{};
    GetWindowRect(Main(), &rect);
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 90);

    SetWindowPos(Main(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(form->Left(), 200);
    EXPECT_EQ(form->Top(), 150);
    // Minimised, the window sits off the screen: that is not where the user put it.
    ShowWindow(Main(), SW_MINIMIZE);
    EXPECT_EQ(form->Left(), 200);
    EXPECT_EQ(form->Top(), 150);
}

TEST_F(PeersTest, ANewDpiScalesTheWholeLayout) {
    RECT suggested{100, 100, 800, 700};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 450);
    RECT list{};
    GetWindowRect(Window(form->List), &list);
    MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 12);
    EXPECT_EQ(list.top, 12);
    EXPECT_EQ(list.right - list.left, 225);
    // The sheets follow their tab control's new display area.
    HWND tabs = Window(form->Pages);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    RECT sheet{};
    GetWindowRect(Window(form->Page1), &sheet);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&sheet), 2);
    EXPECT_TRUE(EqualRect(&sheet, &area));
}

TEST_F(PeersTest, ClosingTheMainWindowRunsOnCloseAndEndsTheLoop) {
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->closes, 1);
    EXPECT_TRUE(IsWindow(Main())); // the model owns the window: it goes with the form
    EXPECT_FALSE(host.ProcessMessages());
}

TEST_F(PeersTest, ADialogRunsModallyOverTheDisabledMainWindow) {
    bool mainEnabledInside = true;
    dialog->OnKeyPress = [&](char& key) {
        mainEnabledInside = IsWindowEnabled(Main()) != FALSE;
        if (key == 27)
            dialog->Close();
    };
    // Runs inside the modal loop: Escape, which closes the dialog.
    PostMessageW(Window(dialog->Close1), WM_CHAR, 27, 1);
    app.ShowModal(*dialog);
    EXPECT_FALSE(IsWindowVisible(Window(*dialog)));
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_FALSE(mainEnabledInside);
}

TEST_F(PeersTest, QuittingDuringADialogEndsBothLoops) {
    PostQuitMessage(3);
    app.ShowModal(*dialog);
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_FALSE(host.ProcessMessages()); // the quit reached the outer loop too
}

} // namespace
} // namespace peertest
