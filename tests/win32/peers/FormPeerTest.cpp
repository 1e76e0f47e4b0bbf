#include "platform/win32/SystemMessage.h"
#include "toolkit/Errors.h"
#include "win32/peers/PeerFixture.h"

#include <string>

namespace peertest {
namespace {

std::string MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return win32::Narrow(text);
}

TEST_F(PeersTest, TheMenuBarShowsTheModelsItemsAndADisabledOneDoesNotRun) {
    HMENU bar = GetMenu(Main()), tools = GetSubMenu(bar, 1);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), "E&xit\tCtrl+X");
    EXPECT_EQ(MenuText(tools, 0), "&Refresh\tF5");
    form->StayOnTop.SetChecked(true);
    form->StayOnTop.SetCaption("On Top");
    form->Refresh.SetEnabled(false);
    EXPECT_EQ(MenuText(tools, 2), "On Top\tCtrl+C");
    EXPECT_NE(GetMenuState(tools, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(tools, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(form->Refresh.Id(), 0), 0);
    EXPECT_EQ(form->events["Refresh"], 0); // a disabled item runs nothing
}

TEST_F(PeersTest, ShortcutsRunTheirItemsFromAnEditField) {
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

TEST_F(PeersTest, TheWindowTakesTheModelsPlaceAndKeepsTheUsersWhenMinimised) {
    EXPECT_FALSE(IsWindowVisible(Window(*dialog))); // shown only modally
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

// A form whose window cannot be made raises the toolkit's out-of-resources error with the
// system's reason, rather than leaving a form with no window. A dialog's window is made in
// an idle moment after the main window shows: the standard error box says why there too,
// and the program ends with 1 as when its window cannot be made at start.
TEST_F(PeersTest, AFormWindowThatCannotBeMadeRaises) {
    const auto refused = [](const std::string& name) {
        return tk::ErrorBoxText("Cannot create the window of " + name + ": " +
                                win32::SystemMessage(ERROR_INVALID_WINDOW_HANDLE));
    };
    DestroyWindow(Main()); // a dialog's owner that is gone: the system refuses the dialog
    tk::Form late(app, "LateDialog", 600);
    tk::Button onIt(late, &late, "OnIt", 601);
    app.CreateForm(late);
    EXPECT_FALSE(host.ProcessMessages());
    EXPECT_EQ(host.Run(), 1);
    ASSERT_EQ(desktop.boxes.size(), 1U);
    EXPECT_EQ(desktop.boxes[0].text, refused("LateDialog"));
    EXPECT_EQ(desktop.boxes[0].caption, "peers");
    EXPECT_EQ(late.GetPeer(), nullptr);
    EXPECT_EQ(onIt.GetPeer(), nullptr);
    EXPECT_EQ(app.LatePeersWaiting(), 0U);
    // Opened before its idle moment came: the same box once, and no dialog.
    tk::Form opened(app, "Opened", 610);
    app.CreateForm(opened);
    app.ShowModal(opened);
    ASSERT_EQ(desktop.boxes.size(), 2U);
    EXPECT_EQ(desktop.boxes[1].text, refused("Opened"));
    EXPECT_EQ(opened.GetPeer(), nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 1U);
}

} // namespace
} // namespace peertest
