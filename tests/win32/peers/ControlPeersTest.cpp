#include "win32/peers/PeerFixture.h"

#include <string>
#include <vector>

namespace peertest {
namespace {

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(win32::Narrow(text));
    }
    return items;
}

std::vector<std::string> TabCaptions(HWND tabs) {
    std::vector<std::string> captions;
    const auto count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.push_back(win32::Narrow(text));
    }
    return captions;
}

// A user's left click at the middle of a tab.
void ClickTab(HWND tabs, int index) {
    RECT rect{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

TEST_F(PeersTest, EveryControlIsAWindowWithItsIdUnderItsParent) {
    struct Case {
        const tk::Control& control;
        HWND parent;
    };
    const Case cases[] = {
        {form->List, Main()},
        {form->Pages, Main()},
        {form->Page2, Window(form->Pages)},
        {form->OnSecondPage, Window(form->Page2)},
        {form->Status, Main()},
        {form->Field, Main()},
        {form->Drives, Main()},
    };
    for (const Case& c : cases) {
        HWND window = Window(c.control);
        ASSERT_NE(window, nullptr) << c.control.Name();
        EXPECT_EQ(GetDlgCtrlID(window), c.control.Id()) << c.control.Name();
        EXPECT_EQ(GetParent(window), c.parent) << c.control.Name();
    }
    EXPECT_EQ(Text(Main()), "Peers");
    EXPECT_EQ(Text(Window(form->Boom)), "Boom");
}

TEST_F(PeersTest, TheClientAreaIsTheFormsClientSizeBelowTheMenuBar) {
    RECT client{};
    GetClientRect(Main(), &client);
    const UINT dpi = GetDpiForWindow(Main());
    EXPECT_EQ(client.right, MulDiv(400, static_cast<int>(dpi), 96));
    EXPECT_EQ(client.bottom, MulDiv(300, static_cast<int>(dpi), 96));
    EXPECT_NE(GetMenu(Main()), nullptr);
}

TEST_F(PeersTest, ListShowsTheModelsItemsAndSelection) {
    HWND list = Window(form->List);
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"alpha", "beta", "gamma"}));

    form->List.SetItemIndex(2);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    form->List.Add("delta");
    EXPECT_EQ(ListItems(list).back(), "delta");
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    form->List.Clear();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    // Selection by program is no user's click.
    EXPECT_EQ(form->listClicks, 0);
}

TEST_F(PeersTest, AUsersSelectionInTheListRaisesOneClick) {
    HWND list = Window(form->List);
    form->List.SetItemIndex(0);
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(list, WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(form->listClicks, 1);
    EXPECT_EQ(form->List.ItemIndex(), 1);

    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(form->List.Id(), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form->listDoubleClicks, 1);
}

TEST_F(PeersTest, ARightClickOnAListOpensItsMenuWithoutSelecting) {
    int opened = 0;
    form->Open.OnClick = [&] { ++opened; };
    form->List.SetItemIndex(0);
    HWND list = Window(form->List);
    // Chosen from the keyboard once the menu is open; should the menu not open, a
    // timer ends whatever menu there is, so the test fails rather than hangs.
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    const UINT_PTR guard =
        SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(list, WM_RBUTTONUP, 0, at);
    KillTimer(nullptr, guard);
    Pump();
    EXPECT_EQ(form->Context.PopupCount(), 1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(form->List.ItemIndex(), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(form->listClicks, 0);
}

TEST_F(PeersTest, ADisabledListTakesNoSelectionFromTheNativeSide) {
    HWND list = Window(form->List);
    form->List.SetItemIndex(0);
    form->List.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(list));
    // A notification that still arrives (from another program) changes nothing.
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(form->List.Id(), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form->listClicks, 0);
    EXPECT_EQ(form->List.ItemIndex(), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(PeersTest, TabsShowTheSheetCaptionsAndOnlyTheActiveSheet) {
    HWND tabs = Window(form->Pages);
    EXPECT_EQ(TabCaptions(tabs), (std::vector<std::string>{"One", "Two"}));
    EXPECT_TRUE(IsWindowVisible(Window(form->Page1)));
    EXPECT_FALSE(IsWindowVisible(Window(form->Page2)));

    form->Pages.SetActivePageIndex(1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(IsWindowVisible(Window(form->Page1)));
    EXPECT_TRUE(IsWindowVisible(Window(form->OnSecondPage)));
    EXPECT_EQ(form->pageChanges, 0); // a page chosen by program raises nothing

    form->Page1.SetCaption("First");
    EXPECT_EQ(TabCaptions(tabs).front(), "First");
}

TEST_F(PeersTest, AClickOnATabChangesThePageOnce) {
    HWND tabs = Window(form->Pages);
    ClickTab(tabs, 1);
    Pump();
    EXPECT_EQ(form->pageChanges, 1);
    EXPECT_EQ(form->Pages.ActivePageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Window(form->Page2)));

    ClickTab(tabs, 1); // the page shown already
    Pump();
    EXPECT_EQ(form->pageChanges, 1);
}

TEST_F(PeersTest, SheetsCoverTheTabControlsDisplayArea) {
    HWND tabs = Window(form->Pages);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (const tk::TabSheet* sheet : form->Pages.Pages()) {
        RECT placed{};
        GetWindowRect(Window(*sheet), &placed);
        MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_TRUE(EqualRect(&placed, &area)) << sheet->Name();
    }
}

TEST_F(PeersTest, StatusBarPartZeroReadsTheModelsText) {
    HWND status = Window(form->Status);
    auto partZero = [&] {
        wchar_t text[256] = {};
        SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return win32::Narrow(text);
    };
    EXPECT_EQ(partZero(), "ready");
    form->Status.SetSimpleText("Interval Of Refreshing=No; \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(partZero(), "Interval Of Refreshing=No; \xC3\xA9t\xC3\xA9");
}

TEST_F(PeersTest, TypingInAnEditFieldChangesTheModelOnce) {
    HWND field = Window(form->Field);
    form->Field.SetText("set");
    EXPECT_EQ(Text(field), "set");
    EXPECT_EQ(form->fieldChanges, 1); // the program's own change

    SendMessageW(field, EM_SETSEL, 3, 3);
    SendMessageW(field, WM_CHAR, 'x', 0);
    EXPECT_EQ(form->Field.Text(), "setx");
    EXPECT_EQ(form->fieldChanges, 2);
}

TEST_F(PeersTest, AnEditFieldsKeyFilterDropsCharacters) {
    HWND field = Window(form->Field);
    form->Field.OnKeyPress = [](char& key) {
        if (key < '0' || key > '9')
            key = 0;
    };
    for (wchar_t key : {L'1', L'a', L'\b', L'\x00E9', L'2'})
        SendMessageW(field, WM_CHAR, key, 0);
    EXPECT_EQ(Text(field), "12");
    EXPECT_EQ(form->Field.Text(), "12");
}

TEST_F(PeersTest, TrackBarFollowsTheModelAndReportsTheUsersMoves) {
    HWND track = Window(form->Track);
    form->Track.SetPosition(4);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 4);
    EXPECT_EQ(form->trackChanges, 1);

    SendMessageW(track, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(form->Track.Position(), 5);
    EXPECT_EQ(form->trackChanges, 2);
}

TEST_F(PeersTest, DriveComboShowsTheDrivesAndReportsTheChosenOne) {
    HWND drives = Window(form->Drives);
    EXPECT_EQ(SendMessageW(drives, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(drives, CB_GETCURSEL, 0, 0), 0);
    form->Drives.SetDrive('d'); // letters match in either case
    EXPECT_EQ(SendMessageW(drives, CB_GETCURSEL, 0, 0), 1);

    SendMessageW(drives, CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(drives), WM_COMMAND, MAKEWPARAM(form->Drives.Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    EXPECT_EQ(form->Drives.Drive(), 'C');
    EXPECT_EQ(form->driveChanges, 1);
}

TEST_F(PeersTest, ButtonsClickThroughTheModel) {
    SendMessageW(Window(form->Glyph), BM_CLICK, 0, 0);
    EXPECT_EQ(form->glyphClicks, 1);
    form->Glyph.SetEnabled(false);
    SendMessageW(Window(form->Glyph), BM_CLICK, 0, 0);
    EXPECT_EQ(form->glyphClicks, 1);
}

TEST_F(PeersTest, AHandlerThatThrowsShowsTheErrorBoxAndTheProgramGoesOn) {
    SendMessageW(Window(form->Boom), BM_CLICK, 0, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "It went wrong.");
    EXPECT_EQ(desktop.boxes[0].caption, "peers");
    EXPECT_TRUE(IsWindow(Main()));
    SendMessageW(Window(form->Glyph), BM_CLICK, 0, 0);
    EXPECT_EQ(form->glyphClicks, 1);
}

TEST_F(PeersTest, HintsBecomeToolTips) {
    form->Glyph.SetHint("Refresh");
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) != TOOLTIPS_CLASSW)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_NE(tips, nullptr);
    wchar_t text[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Main();
    tool.uId = reinterpret_cast<UINT_PTR>(Window(form->Glyph));
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(win32::Narrow(text), "Refresh");
}

} // namespace
} // namespace peertest
