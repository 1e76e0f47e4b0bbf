// The procedure each peer puts in front of its control's: what it passes to the hint window,
// and how it lets go when something else subclassed the control over it.

#include "win32/peers/PeerFixture.h"

#include <vector>

namespace peertest {
namespace {

struct Relayed {
    HWND window;
    UINT message;
};

LRESULT CALLBACK RecordRelays(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR data) {
    if (message == TTM_RELAYEVENT) {
        const auto* relayed = reinterpret_cast<const MSG*>(lParam);
        reinterpret_cast<std::vector<Relayed>*>(data)->push_back({relayed->hwnd, relayed->message});
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND TooltipOf(HWND form) {
    struct Search {
        HWND owner, found;
    } search{form, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == s->owner)
                s->found = window;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The mouse of a control with a hint reaches the hint's window, nothing else does, and a
// control without a hint (or whose hint was taken away) relays nothing.
TEST_F(PeersTest, TheMouseOfAControlWithAHintReachesTheHint) {
    form->List.SetHint("the list");
    form->Glyph.SetHint("the glyph");
    form->OnSecondPage.SetHint("on the second page");
    form->OnSecondPage.SetHint("");
    Pump();
    HWND tooltip = TooltipOf(Main());
    ASSERT_NE(tooltip, nullptr);
    std::vector<Relayed> seen;
    ASSERT_TRUE(SetWindowSubclass(tooltip, &RecordRelays, 1, reinterpret_cast<DWORD_PTR>(&seen)));
    const struct {
        const tk::Control& control;
        UINT message;
        bool relayed;
    } cases[] = {
        {form->List, WM_MOUSEMOVE, true},          {form->List, WM_LBUTTONDOWN, true},
        {form->List, WM_LBUTTONUP, true},          {form->Glyph, WM_RBUTTONDOWN, true},
        {form->Glyph, WM_MBUTTONUP, true},         {form->List, WM_KEYDOWN, false},
        {form->List, WM_MOUSEWHEEL, false},        {form->Field, WM_MOUSEMOVE, false},
        {form->OnSecondPage, WM_MOUSEMOVE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control.Name() + " " + std::to_string(c.message));
        seen.clear();
        SendMessageW(Window(c.control), c.message, 0, MAKELPARAM(3, 3));
        if (!c.relayed) {
            EXPECT_TRUE(seen.empty());
            continue;
        }
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].window, Window(c.control));
        EXPECT_EQ(seen[0].message, c.message);
    }
    RemoveWindowSubclass(tooltip, &RecordRelays, 1);
}

LRESULT CALLBACK CountDestroys(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR data) {
    if (message == WM_NCDESTROY) {
        ++*reinterpret_cast<int*>(data);
        RemoveWindowSubclass(window, &CountDestroys, 1);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Something else (an accessibility tool, a control's own helper) may put its own procedure in front
// of the peer's. The peer still sees the messages; when the peer goes, its procedure stays in the
// chain as a plain pass to the control's class, so the window's destruction, which the other
// procedure still hears, reaches no peer that is gone.
TEST_F(PeersTest, AControlSubclassedOverThePeerWorksUntilTheWindowIsGone) {
    HWND field = Window(form->Field);
    int destroyed = 0;
    ASSERT_TRUE(
        SetWindowSubclass(field, &CountDestroys, 1, reinterpret_cast<DWORD_PTR>(&destroyed)));
    form->Field.OnKeyPress = [](char& key) { key = key == 'a' ? 'b' : key; };
    SendMessageW(field, WM_CHAR, L'a', 1);
    EXPECT_EQ(form->Field.Text(), "b") << "the peer's filter ran behind the other procedure";
    form.reset();
    EXPECT_EQ(IsWindow(field), FALSE);
    EXPECT_EQ(destroyed, 1);
}

} // namespace
} // namespace peertest
