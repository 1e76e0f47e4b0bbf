// A form's windows made after its properties were set show what windows made first and then
// told of each change show, in the same tab order: the pages and dialogs made in idle time look
// and read as if made at start.

#include "app/Look.h"
#include "platform/win32/peers/ControlPeer.h"
#include "win32/peers/PeerFixture.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace peertest {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring Number(LRESULT value) {
    return std::to_wstring(static_cast<long long>(value)) + L",";
}

// What the list, combo, track bar, button, tab, status and progress windows show beyond
// their text.
std::wstring KindState(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    const std::wstring kind = name;
    const auto ask = [window](UINT message, WPARAM w = 0, LPARAM l = 0) {
        return SendMessageW(window, message, w, l);
    };
    std::wstring s = kind + L":";
    if (kind == WC_LISTBOXW) {
        const auto count = ask(LB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[256] = {};
            ask(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            s += item + std::wstring(L"|");
        }
        s += Number(ask(LB_GETCURSEL)) + Number(ask(LB_GETTOPINDEX));
    } else if (kind == WC_COMBOBOXW || kind == WC_COMBOBOXEXW) {
        s += Number(ask(CB_GETCOUNT)) + Number(ask(CB_GETCURSEL));
    } else if (kind == TRACKBAR_CLASSW) {
        s += Number(ask(TBM_GETRANGEMIN)) + Number(ask(TBM_GETRANGEMAX)) + Number(ask(TBM_GETPOS));
    } else if (kind == WC_BUTTONW) {
        s += Number(ask(BM_GETCHECK)) + Number(ask(BM_GETIMAGE, IMAGE_BITMAP) != 0);
    } else if (kind == WC_TABCONTROLW) {
        s += Number(ask(TCM_GETITEMCOUNT)) + Number(ask(TCM_GETCURSEL));
    } else if (kind == STATUSCLASSNAMEW) {
        const auto parts = ask(SB_GETPARTS);
        s += Number(parts);
        for (LRESULT i = 0; i < parts; ++i) {
            wchar_t part[256] = {};
            ask(SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(part));
            s += part + std::wstring(L"|");
        }
    } else if (kind == PROGRESS_CLASSW) {
        s += Number(ask(PBM_GETRANGE, FALSE)) + Number(ask(PBM_GETPOS));
    }
    return s;
}

std::wstring FontOf(HWND window) {
    LOGFONTW font{};
    auto* handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0)
        return L"no font";
    return std::wstring(font.lfFaceName) + L"," + Number(font.lfHeight) + Number(font.lfWeight) +
           Number(font.lfUnderline);
}

std::wstring MenuOf(HMENU menu) {
    std::wstring s;
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        s += text + std::wstring(L"/") + Number(info.fState) + Number(info.fType) + L"(" +
             MenuOf(info.hSubMenu) + L")";
    }
    return s;
}

// The sibling after `window`: the tab order, and which label names a field.
std::wstring NextInTabOrder(HWND window) {
    HWND next = GetWindow(window, GW_HWNDNEXT);
    return next != nullptr ? Number(GetDlgCtrlID(next)) : L"none";
}

// Everything a window of `form` shows, one line per component, by name.
std::vector<std::string> Shown(const tk::Form& form) {
    std::vector<std::string> lines;
    HWND main = reinterpret_cast<HWND>(form.GetPeer()->Handle());
    lines.push_back(win32::Narrow(TextOf(main) + L" " + MenuOf(GetMenu(main))));
    for (const tk::Component* c : form.Components()) {
        const auto* peer = dynamic_cast<const win32::ControlPeer*>(c->GetPeer());
        if (peer == nullptr)
            continue;
        HWND window = reinterpret_cast<HWND>(peer->Handle());
        RECT at{};
        GetWindowRect(window, &at);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&at), 2);
        const wchar_t* theme = peer->AppliedTheme();
        lines.push_back(
            c->Name() + " " +
            win32::Narrow(TextOf(window) + L" style " + Number(GetWindowLongW(window, GWL_STYLE)) +
                          L"ex " + Number(GetWindowLongW(window, GWL_EXSTYLE)) + L"at " +
                          Number(at.left) + Number(at.top) + Number(at.right) + Number(at.bottom) +
                          L"enabled " + Number(IsWindowEnabled(window)) + L"font " +
                          FontOf(window) + L" " + KindState(window) + L" theme " +
                          (theme != nullptr ? theme : L"-") + L" next " + NextInTabOrder(window)));
    }
    return lines;
}

// What the program sets on a form after it was created: something of every property.
void Change(TestForm& f) {
    f.SetCaption("Changed");
    f.List.SetItems({"one", "two", "three", "four"});
    f.List.SetItemIndex(2);
    f.List.SetHint("the list");
    f.Combo.SetItemIndex(1);
    f.Drives.SetDrive('D');
    f.Pages.SetActivePageIndex(1);
    f.Page2.SetCaption("Second page");
    f.OnSecondPage.SetEnabled(false);
    f.OnSecondPage.SetCaption("Off");
    f.Field.SetText("typed");
    f.Field.SetBounds(20, 140, 90, 22);
    f.Track.SetRange(2, 30);
    f.Track.SetPosition(17);
    f.Tick.SetChecked(true);
    f.Tick.SetVisible(false);
    f.Status.SetSimpleText("ready");
    f.Progress.SetProgress(40, 200);
    f.Glyph.SetFlat(true);
    f.Glyph.SetHandCursor(true);
    tk::Font bold = f.List.GetFont();
    bold.bold = true;
    bold.underline = true;
    f.List.SetFont(bold);
    f.Refresh.SetEnabled(false);
    f.StayOnTop.SetChecked(true);
    f.Exit.SetCaption("Leave");
}

class MadeLate : public PeersTest {};

TEST_F(MadeLate, AFormMadeAfterItsChangesShowsWhatOneToldOfEachChangeShows) {
    const struct {
        const char* look;
        bool dark;
    } rows[] = {{"light", false}, {"dark", true}};
    for (const auto& row : rows) {
        app.SetPalette(trelvix::ChoosePalette(false, row.dark, {}));
        TestForm early(app);
        app.CreateForm(early);
        app.MakeLatePeers();
        Change(early);
        TestForm late(app);
        Change(late);
        app.CreateForm(late);
        ASSERT_EQ(late.List.GetPeer(), nullptr) << "made late";
        Pump();
        ASSERT_NE(late.List.GetPeer(), nullptr) << "made in idle time";
        EXPECT_EQ(Shown(late), Shown(early)) << row.look;
    }
}

} // namespace
} // namespace peertest
