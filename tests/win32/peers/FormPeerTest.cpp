#include "win32/peers/PeerFixture.h"

#include <string>

namespace peertest {
namespace {

std::string MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return win32::Narrow(text);
}

TEST_F(PeersTest, TheMenuBarShowsCaptionsShortcutsChecksAndStates) {
    HMENU bar = GetMenu(Main()), tools = GetSubMenu(bar, 1);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), "E&xit\tCtrl+X");
    EXPECT_EQ(MenuText(tools, 0), "&Refresh\tF5");
    EXPECT_NE(GetMenuState(tools, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    form->StayOnTop.SetChecked(true);
    form->StayOnTop.SetCaption("On Top");
    form->Refresh.SetEnabled(false);
    EXPECT_EQ(MenuText(tools, 2), "On Top\tCtrl+C");
    EXPECT_NE(GetMenuState(tools, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(tools, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(PeersTest, ShortcutsAndMenuCommandsRunTheirItemsUnlessDisabled) {
    // Pressed in the edit field: Ctrl+C wins over its own copy; X without Ctrl is a character.
    for (const auto& [ctrl, key, item] : {std::tuple{false, VK_F5, "Refresh"},
                                          {true, 'X', "Exit"},
                                          {true, 'C', "StayOnTop"},
                                          {false, 'X', "Exit"}}) {
        HoldCtrl(ctrl);
        PostMessageW(Window(form->Field), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        Pump();
        HoldCtrl(false);
        EXPECT_EQ(form->events[item], 1) << item;
    }
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(form->Refresh.Id(), 0), 0);
    form->Refresh.SetEnabled(false);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(form->Refresh.Id(), 0), 0);
    EXPECT_EQ(form->events["Refresh"], 2);
}

TEST_F(PeersTest, TheFormSeesEveryCharacterFirstAndMayDropIt) {
    std::string seen;
    form->OnKeyPress = [&](char& key) {
        seen += key;
        key = key == 'z' ? 0 : key;
    };
    PostMessageW(Window(form->List), WM_CHAR, 27, 1);
    PostMessageW(Window(form->Field), WM_CHAR, 'z', 1);
    PostMessageW(Window(form->Field), WM_CHAR, 'y', 1);
    Pump();
    EXPECT_EQ(seen, "\x1Bzy");
    EXPECT_EQ(form->Field.Text(), "y");
}

TEST_F(PeersTest, TimersTickOnTheFormsWindowWhileRunning) {
    form->Ticker.SetInterval(10);
    for (int i = 0; i < 500 && form->events["Ticker"] == 0; ++i, Sleep(10))
        Pump();
    EXPECT_GT(form->events["Ticker"], 0);
    form->Ticker.SetEnabled(false);
    Pump();
    const int stopped = form->events["Ticker"];
    Sleep(60);
    Pump();
    EXPECT_EQ(form->events["Ticker"], stopped);
}

TEST_F(PeersTest, TheWindowFollowsTheModelsStateAndPlaceAndTheUsersMoves) {
    EXPECT_FALSE(IsWindowVisible(Window(*dialog))); // shown only modally
    // Minimised while hidden: it stays hidden, and shows minimised later.
    form->SetVisible(false);
    form->SetWindowState(tk::WindowState::Minimized);
    EXPECT_FALSE(IsWindowVisible(Main()));
    form->SetVisible(true);
    EXPECT_TRUE(IsIconic(Main()));
    form->SetWindowState(tk::WindowState::Normal);
    EXPECT_FALSE(IsIconic(Main()));
    form->SetBounds(120, 90, form->Width(), form->Height());
    RECT rect{};
    GetWindowRect(Main(), &rect);
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 90);
    SetWindowPos(Main(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The minimize box minimises the program; the window then sits off the screen, which is
    // not where the user put it.
    int minimised = 0;
    app.OnMinimize = [&] { ++minimised; };
    SendMessageW(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 1);
    EXPECT_TRUE(IsIconic(Main()));
    EXPECT_EQ(form->Left(), 200);
    EXPECT_EQ(form->Top(), 150);
}

TEST_F(PeersTest, ANewDpiScalesTheWholeLayout) {
    RECT suggested{100, 100, 800, 700}, client{}, list{}, area{}, sheet{};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 450);
    GetWindowRect(Window(form->List), &list);
    MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 12);
    EXPECT_EQ(list.top, 12);
    EXPECT_EQ(list.right - list.left, 225);
    // The sheets cover their tab control's new display area.
    HWND tabs = Window(form->Pages);
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    GetWindowRect(Window(form->Page1), &sheet);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&sheet), 2);
    EXPECT_TRUE(EqualRect(&sheet, &area));
}

TEST_F(PeersTest, ADialogRunsModallyOverTheDisabledMainWindowUntilItCloses) {
    bool mainEnabledInside = true;
    dialog->KeyPreview = true;
    dialog->OnKeyPress = [&](char& key) {
        mainEnabledInside = IsWindowEnabled(Main()) != FALSE;
        if (key == 27)
            dialog->Close();
    };
    PostMessageW(Window(*dialog), WM_CHAR, 27, 1); // handled inside the modal loop
    app.ShowModal(*dialog);
    EXPECT_FALSE(mainEnabledInside);
    EXPECT_FALSE(IsWindowVisible(Window(*dialog)));
    EXPECT_TRUE(IsWindowEnabled(Main()));
    // Quitting during a dialog ends both loops.
    PostQuitMessage(3);
    app.ShowModal(*dialog);
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_FALSE(host.ProcessMessages());
}

TEST_F(PeersTest, ClosingTheMainWindowRunsOnCloseAndEndsTheLoop) {
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->events["Close"], 1);
    EXPECT_FALSE(host.ProcessMessages());
}

} // namespace
} // namespace peertest
