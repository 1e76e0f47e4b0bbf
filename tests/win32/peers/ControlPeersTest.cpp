#include "win32/peers/PeerFixture.h"

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace peertest {
namespace {

std::string TabCaption(HWND tabs, int index) {
    wchar_t text[64] = {};
    TCITEMW item{TCIF_TEXT, 0, 0, text, 64, 0, 0};
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return win32::Narrow(text);
}

TEST_F(PeersTest, ControlsAreFoundByTheirIdsInAClientAreaOfTheFormsSize) {
    const std::pair<const tk::Control*, HWND> cases[] = {
        {&form->List, Main()},   {&form->Drives, Main()},
        {&form->Pages, Main()},  {&form->Page2, Window(form->Pages)},
        {&form->Status, Main()}, {&form->OnSecondPage, Window(form->Page2)},
    };
    for (const auto& [control, parent] : cases) {
        ASSERT_NE(Window(*control), nullptr) << control->Name();
        EXPECT_EQ(GetDlgItem(parent, control->Id()), Window(*control)) << control->Name();
    }
    EXPECT_EQ(Text(Main()), "Peers");
    EXPECT_EQ(Text(Window(form->OnSecondPage)), "Second");
    // The menu bar takes its row from the frame, not from the client area.
    RECT client{};
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, MulDiv(400, static_cast<int>(GetDpiForWindow(Main())), 96));
    EXPECT_EQ(client.bottom * 400, client.right * 300);
}

// Each list kind through its native window: the program's choice raises nothing, a user's
// key raises one event, and a disabled list takes nothing from the native side.
TEST_F(PeersTest, ListKindsShowTheModelAndRaiseOnlyTheUsersChoice) {
    HWND drives = Window(form->Drives);
    struct Kind {
        const char* name;
        tk::Control& control;
        HWND window, keys;
        UINT count, selected;
        std::function<void(int)> choose;
        std::function<int()> chosen;
    };
    const Kind kinds[] = {
        {"List", form->List, Window(form->List), Window(form->List), LB_GETCOUNT, LB_GETCURSEL,
         [&](int i) { form->List.SetItemIndex(i); }, [&] { return form->List.ItemIndex(); }},
        {"Combo", form->Combo, Window(form->Combo), GetWindow(Window(form->Combo), GW_CHILD),
         CB_GETCOUNT, CB_GETCURSEL, [&](int i) { form->Combo.SetItemIndex(i); },
         [&] { return form->Combo.ItemIndex(); }},
        {"Drives", form->Drives, drives,
         reinterpret_cast<HWND>(SendMessageW(drives, CBEM_GETCOMBOCONTROL, 0, 0)), CB_GETCOUNT,
         CB_GETCURSEL, [&](int i) { form->Drives.SetDrive(static_cast<char>('C' + i)); },
         [&] { return form->Drives.Drive() - 'C'; }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const auto shown = [&] { return SendMessageW(kind.window, kind.selected, 0, 0); };
        const auto pressDown = [&] {
            SendMessageW(kind.keys, WM_KEYDOWN, VK_DOWN, 0);
            SendMessageW(kind.keys, WM_KEYUP, VK_DOWN, 0);
        };
        EXPECT_EQ(SendMessageW(kind.window, kind.count, 0, 0), 3);
        kind.choose(0);
        EXPECT_EQ(shown(), 0);
        EXPECT_EQ(form->events[kind.name], 0);
        pressDown();
        EXPECT_EQ(kind.chosen(), 1);
        EXPECT_EQ(form->events[kind.name], 1);
        kind.control.SetEnabled(false);
        pressDown();
        EXPECT_EQ(kind.chosen(), 1);
        EXPECT_EQ(shown(), 1);
        EXPECT_EQ(form->events[kind.name], 1);
    }
}

TEST_F(PeersTest, TabsShowTheCaptionsAndSwitchForTheProgramAndTheUser) {
    HWND tabs = Window(form->Pages);
    const auto click = [&](int index) { // a user's left click at the middle of a tab
        RECT tab{};
        SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab));
        const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
    };
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TabCaption(tabs, 1), "Two");
    form->Pages.SetActivePageIndex(1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(IsWindowVisible(Window(form->Page1)));
    EXPECT_TRUE(IsWindowVisible(Window(form->OnSecondPage)));
    EXPECT_EQ(form->events["Pages"], 0); // a page chosen by program raises nothing
    click(0);
    click(0); // the page shown already
    Pump();
    EXPECT_EQ(form->Pages.ActivePageIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(Window(form->Page1)));
    EXPECT_EQ(form->events["Pages"], 1);
    form->Page1.SetCaption("First");
    EXPECT_EQ(TabCaption(tabs, 0), "First");
}

// The field of a combo box shows the program's text, also after the list is refilled, and
// what a user types reaches the model with one change each.
TEST_F(PeersTest, ComboFieldShowsTheProgramsTextAndTakesTyping) {
    HWND combo = Window(form->Combo), field = GetWindow(combo, GW_CHILD);
    form->Combo.SetText("12");
    form->Combo.SetItems({"1", "2"});
    EXPECT_EQ(Text(combo), "12");
    EXPECT_EQ(form->events["Combo"], 0);
    SendMessageW(field, EM_SETSEL, 2, 2);
    PostMessageW(field, WM_CHAR, L'5', 1);
    Pump();
    EXPECT_EQ(form->Combo.Text(), "125");
    EXPECT_EQ(form->events["Combo"], 1);
}

// A second part's text splits the bar: the status line keeps part 0 up to the second part,
// which takes its width (scaled) at the right end; without the text the bar is one panel.
// Each part reads back the model's text, as another process reads it.
TEST_F(PeersTest, StatusBarShowsASecondPartOnlyWhileItHasText) {
    HWND bar = Window(form->Status);
    form->Status.SetBounds(0, 280, 400, 20);
    form->Status.SetSimpleText("status line \xC3\xA9t\xC3\xA9");
    const auto partText = [&](int part) {
        wchar_t text[256] = {};
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
        return win32::Narrow(text);
    };
    const auto parts = [&] {
        int edges[4] = {};
        const auto count = SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
        return std::vector<int>(edges, edges + count);
    };
    EXPECT_NE(SendMessageW(bar, SB_ISSIMPLE, 0, 0), 0);

    RECT client{};
    GetClientRect(bar, &client);
    const int width = MulDiv(220, static_cast<int>(GetDpiForWindow(Main())), 96);
    form->Status.SetSecondPartText("1 of 3");
    EXPECT_EQ(SendMessageW(bar, SB_ISSIMPLE, 0, 0), 0);
    ASSERT_EQ(parts().size(), 2u);
    EXPECT_EQ(parts()[0], client.right - width);
    EXPECT_EQ(partText(0), "status line \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(partText(1), "1 of 3");
    // A longer text widens the part so that all of it shows.
    form->Status.SetSecondPartText("Administrator rights are needed to change this entry.");
    EXPECT_LT(parts()[0], client.right - width);
    EXPECT_GT(parts()[0], client.right / 3);
    form->Status.SetSimpleText("next second");
    EXPECT_EQ(partText(0), "next second");

    form->Status.SetSecondPartText("");
    EXPECT_NE(SendMessageW(bar, SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(parts().size(), 1u);
    EXPECT_EQ(partText(0), "next second");
}

// A progress bar inside the bar's second part: its range and position reach the native bar,
// and while it shows, the part grows by its width so that the text stays clear of it.
TEST_F(PeersTest, AProgressBarInTheSecondPartShowsItsPositionAndWidensThePart) {
    HWND bar = Window(form->Status);
    // Wide enough that neither the least width nor the status line's share bounds the part.
    form->SetClientSize(800, 300);
    form->Status.SetBounds(0, 280, 800, 20);
    form->Progress.SetBounds(800 - 4 - 100, 3, 100, 14);
    form->Progress.SetVisible(false);
    form->Status.KeepRoomFor(form->Progress);
    HWND progress = Window(form->Progress);
    EXPECT_EQ(GetParent(progress), bar);
    EXPECT_EQ(GetDlgItem(bar, form->Progress.Id()), progress);
    const auto secondPartLeft = [&] {
        int edges[2] = {};
        SendMessageW(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
        return edges[0];
    };
    const std::string text = "Deleting Temporary Internet Files: 12345 of 67890 files";
    form->Status.SetSecondPartText(text);
    const int withoutBar = secondPartLeft();
    form->Progress.SetProgress(3, 10);
    form->Status.SetSecondPartText("");
    form->Progress.SetVisible(true);
    form->Status.SetSecondPartText(text);
    EXPECT_EQ(withoutBar - secondPartLeft(),
              MulDiv(108, static_cast<int>(GetDpiForWindow(Main())), 96));
    EXPECT_NE(IsWindowVisible(progress), FALSE);
    EXPECT_EQ(SendMessageW(progress, PBM_GETRANGE, FALSE, 0), 10);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 3);
    form->Progress.SetProgress(25, 20); // more went than the last count found
    EXPECT_EQ(SendMessageW(progress, PBM_GETRANGE, FALSE, 0), 20);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 20);
    // The part ends where the bar does; the bar sits inside it.
    RECT part{}, shown{};
    SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    GetWindowRect(progress, &shown);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&shown), 2);
    EXPECT_GE(shown.left, part.left);
    EXPECT_LE(shown.right, part.right);
    // The taskbar button's progress comes and goes without disturbing anything.
    form->SetTaskbarProgress({tk::TaskbarProgress::State::Normal, 3, 10});
    form->SetTaskbarProgress({});
    form->Progress.SetVisible(false);
    form->Status.SetSecondPartText("");
    EXPECT_EQ(IsWindowVisible(progress), FALSE);
    EXPECT_NE(SendMessageW(bar, SB_ISSIMPLE, 0, 0), 0);
}

// The form sees every character first, from any of its controls, and may drop it; the field's
// own filter then sees the rest. Each change, the program's or the user's, is reported once.
TEST_F(PeersTest, KeysPassTheFormThenTheFieldAndEachChangeIsReportedOnce) {
    HWND field = Window(form->Field), track = Window(form->Track);
    std::string seen;
    form->OnKeyPress = [&](char& key) {
        seen += key;
        key = key == '7' ? 0 : key;
    };
    form->Field.OnKeyPress = [](char& key) {
        if (key == 'x')
            key = '9';
        else if (key < '0' || key > '9')
            key = 0;
    };
    form->Field.SetText("1");
    SendMessageW(field, EM_SETSEL, 1, 1);
    PostMessageW(Window(form->List), WM_CHAR, 27, 1);
    // Changed, dropped by the form, dropped, dropped, passed.
    for (wchar_t key : {L'x', L'7', L'a', L'\x00E9', L'2'})
        PostMessageW(field, WM_CHAR, key, 1);
    Pump();
    EXPECT_EQ(seen.substr(0, 3), "\x1Bx7");
    EXPECT_EQ(Text(field), "192");
    EXPECT_EQ(form->Field.Text(), "192");
    EXPECT_EQ(form->events["Field"], 3);
    form->Track.SetPosition(4);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 4);
    SendMessageW(track, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(form->Track.Position(), 5);
    EXPECT_EQ(form->events["Track"], 2);
}

// A disabled control takes no click; a handler's exception shows the error box.
TEST_F(PeersTest, ClicksReachTheModelAndAHandlersErrorShowsTheBox) {
    const auto notify = [&](const tk::Control& control, WORD code) {
        SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(control.Id(), code),
                     reinterpret_cast<LPARAM>(Window(control)));
    };
    SendMessageW(Window(form->Glyph), BM_CLICK, 0, 0);
    notify(form->Glyph, BN_DOUBLECLICKED); // the second press of a quick pair
    notify(form->List, LBN_DBLCLK);
    EXPECT_EQ(form->events["Glyph"], 2);
    EXPECT_EQ(form->events["List.DblClick"], 1);
    form->Glyph.SetEnabled(false);
    notify(form->Glyph, BN_CLICKED);
    EXPECT_EQ(form->events["Glyph"], 2);
    form->OnSecondPage.OnClick = [] { throw std::runtime_error("It went wrong"); };
    notify(form->OnSecondPage, BN_CLICKED);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "It went wrong.");
    EXPECT_EQ(desktop.boxes[0].caption, "peers");
}

// A date set by the program shows in the picker; the user's date reaches the model once.
// The box shows the model's tick; a user's click turns the model over once and raises one
// event; a disabled box takes no click.
TEST_F(PeersTest, CheckBoxShowsTheModelAndTurnsOverOnAClick) {
    HWND box = Window(form->Tick);
    const auto shown = [&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & BS_MULTILINE, 0);
    EXPECT_FALSE(shown());
    form->Tick.SetChecked(true);
    EXPECT_TRUE(shown());
    EXPECT_EQ(form->events["Tick"], 0);
    SendMessageW(box, BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(form->Tick.Checked());
    EXPECT_FALSE(shown());
    EXPECT_EQ(form->events["Tick"], 1);
    form->Tick.SetEnabled(false);
    SendMessageW(box, BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(form->Tick.Checked());
    EXPECT_EQ(form->events["Tick"], 1);
}

TEST_F(PeersTest, DatePickerShowsTheModelsValue) {
    tk::Form panel(app, "Panel", 700);
    tk::DateTimePicker when(panel, &panel, "When", 701);
    when.SetBounds(8, 8, 120, 24);
    int changes = 0;
    when.OnChange = [&] { ++changes; };
    app.CreateForm(panel);
    app.MakeLatePeers();
    when.SetValue(tk::DateTime{2026, 12, 6, 0, 0, 0});
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageW(Window(when), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_VALID);
    EXPECT_EQ(std::tuple(shown.wYear, shown.wMonth, shown.wDay), std::tuple(2026, 12, 6));
    EXPECT_EQ(changes, 1) << "the program's own change, not the control's echo of it";
}

} // namespace
} // namespace peertest
