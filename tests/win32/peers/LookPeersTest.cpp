#include "app/Look.h"
#include "fakes/Fakes.h"
#include "platform/win32/DarkMode.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/peers/ControlPeer.h"
#include "platform/win32/peers/DarkLook.h"
#include "toolkit/Application.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace {

using tk::Look;

// One control of each kind whose way into the dark look differs, in the design's colours.
class LookForm : public tk::Form {
  public:
    explicit LookForm(tk::Application& app) : tk::Form(app, "LookForm", 100) {
        SetClientSize(400, 300);
        Accent.SetFont({.color = tk::clRed});
        Accent.SetBounds(8, 8, 80, 16);
        Link.SetFont({.underline = true, .color = tk::clBlue});
        Link.SetHandCursor(true);
        Link.SetBounds(100, 8, 80, 16);
        List.SetBounds(8, 30, 100, 60);
        Group.SetBounds(120, 30, 120, 80);
        Group.SetCaption("Group");
        Inner.SetBounds(8, 20, 100, 50);
        Field.SetBounds(8, 120, 100, 22);
        Combo.SetBounds(8, 150, 100, 22);
        Tabs.SetBounds(250, 30, 140, 100);
        Page.SetCaption("Page");
        Side.SetBounds(250, 140, 140, 100);
        Side.TabsAt = tk::TabPosition::Left;
        SidePage.SetCaption("Side");
        Spin.SetBounds(110, 120, 16, 22);
        Track.SetBounds(8, 180, 100, 30);
        Status.SetBounds(0, 280, 400, 20);
        Picture.SetBounds(130, 180, 40, 40);
    }
    tk::Label Accent{*this, this, "Accent", 101};
    tk::Label Link{*this, this, "Link", 102};
    tk::ListBox List{*this, this, "List", 103};
    tk::GroupBox Group{*this, this, "Group", 104};
    tk::ListBox Inner{*this, &Group, "Inner", 105};
    tk::Edit Field{*this, this, "Field", 106};
    tk::ComboBox Combo{*this, this, "Combo", 107};
    tk::PageControl Tabs{*this, this, "Tabs", 108};
    tk::TabSheet Page{*this, Tabs, "Page", 109};
    tk::PageControl Side{*this, this, "Side", 110};
    tk::TabSheet SidePage{*this, Side, "SidePage", 111};
    tk::UpDown Spin{*this, this, "Spin", 112};
    tk::TrackBar Track{*this, this, "Track", 113};
    tk::StatusBar Status{*this, this, "Status", 114};
    tk::SpeedButton Picture{*this, this, "Picture", 115};
    tk::DriveComboBox Drives{*this, this, "Drives", 116};
};

class LookPeers : public testing::Test {
  protected:
    void SetUp() override {
        app.SetHost(&host);
        app.CreateForm(*form);
        app.ShowMainForm();
        host.ProcessMessages();
    }
    static HWND Window(const tk::Component& component) {
        return reinterpret_cast<HWND>(component.GetPeer()->Handle());
    }
    static win32::ControlPeer& Peer(const tk::Control& control) {
        return dynamic_cast<win32::ControlPeer&>(*control.GetPeer());
    }
    // What the control's parent answers the control's WM_CTLCOLOR* with: the text colour and
    // the brush's colour; the brush is -1 when the system's default handling answered.
    struct Answer {
        COLORREF text;
        COLORREF back;
        bool operator==(const Answer&) const = default;
    };
    static Answer CtlColor(const tk::Control& control, UINT message) {
        HWND window = Window(control);
        HDC dc = GetDC(window);
        SetTextColor(dc, RGB(1, 2, 3));
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window), message,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(window)));
        Answer answer{GetTextColor(dc), CLR_INVALID};
        LOGBRUSH solid{};
        if (brush != nullptr && GetObjectW(brush, sizeof solid, &solid) == sizeof solid)
            answer.back = solid.lbColor;
        ReleaseDC(window, dc);
        return answer;
    }

    fakes::FakeDesktop desktop;
    win32::Win32Host host;
    tk::Application app{desktop, "looks"};
    std::unique_ptr<LookForm> form = std::make_unique<LookForm>(app);
};

// The colours each peer answers, with the palette set directly: the design's in the light
// look, the palette's in the dark one, the user's in High Contrast (forced through the port:
// Wine cannot switch it on).
TEST_F(LookPeers, EachKindAnswersItsColours) {
    struct Row {
        const tk::Control& control;
        UINT message;
    };
    const Row rows[] = {
        {form->Accent, WM_CTLCOLORSTATIC}, {form->Link, WM_CTLCOLORSTATIC},
        {form->List, WM_CTLCOLORLISTBOX},  {form->Inner, WM_CTLCOLORLISTBOX},
        {form->Field, WM_CTLCOLOREDIT},    {form->Combo, WM_CTLCOLOREDIT},
        {form->Track, WM_CTLCOLORSTATIC},
    };
    // Light: only the design's own colours; the rest is the system's default handling.
    EXPECT_EQ(CtlColor(form->Accent, WM_CTLCOLORSTATIC).text, RGB(255, 0, 0));
    const COLORREF systemField = GetSysColor(COLOR_WINDOW);
    const Answer light = CtlColor(form->List, WM_CTLCOLORLISTBOX);
    EXPECT_TRUE(light.back == systemField || light.back == CLR_INVALID) << light.back;

    fakes::FakeSystemLook look;
    look.highContrast = true;
    look.colors.buttonText = RGB(255, 255, 0);
    look.colors.buttonFace = RGB(0, 0, 1);
    look.colors.windowText = RGB(255, 255, 2);
    look.colors.window = RGB(0, 0, 3);
    look.colors.hotLight = RGB(0, 255, 0);
    for (const Look wanted : {Look::Dark, Look::HighContrast}) {
        if (wanted == Look::Dark)
            app.SetPalette(trelvix::ChoosePalette(false, true, {}));
        const auto follower = wanted == Look::HighContrast
                                  ? std::make_unique<trelvix::LookFollower>(app, look)
                                  : nullptr;
        ASSERT_EQ(app.GetPalette().look, wanted);
        for (const Row& row : rows) {
            const tk::ControlColors expected = tk::ColorsOf(app.GetPalette(), row.control);
            EXPECT_EQ(CtlColor(row.control, row.message), (Answer{expected.text, expected.back}))
                << row.control.Name() << " " << static_cast<int>(wanted);
        }
    }
    // The user's colours themselves, not only what the palette says.
    EXPECT_EQ(CtlColor(form->Link, WM_CTLCOLORSTATIC), (Answer{RGB(0, 255, 0), RGB(0, 0, 1)}));
    EXPECT_EQ(CtlColor(form->List, WM_CTLCOLORLISTBOX), (Answer{RGB(255, 255, 2), RGB(0, 0, 3)}));
}

bool SameTheme(const wchar_t* a, const wchar_t* b) {
    return a == b || (a != nullptr && b != nullptr && std::wstring(a) == b);
}

// The per-kind table: the theme each kind takes in the dark look, the tabs owner-drawn outside
// the light look, and everything back as it was in the light look.
TEST_F(LookPeers, EveryKindGoesDarkItsOwnWayAndComesBack) {
    const tk::Control* controls[] = {&form->Accent, &form->List,    &form->Group, &form->Field,
                                     &form->Combo,  &form->Tabs,    &form->Spin,  &form->Track,
                                     &form->Status, &form->Picture, &form->Drives};
    const auto ownerDrawnTabs = [&] {
        return (GetWindowLongW(Window(form->Tabs), GWL_STYLE) & TCS_OWNERDRAWFIXED) != 0;
    };
    EXPECT_FALSE(ownerDrawnTabs()) << "plain captions are the system's in the light look";
    app.SetPalette(trelvix::ChoosePalette(false, true, {}));
    for (const tk::Control* control : controls)
        EXPECT_TRUE(SameTheme(Peer(*control).AppliedTheme(),
                              win32::DarkWayOf(control->GetKind()).darkTheme))
            << control->Name();
    EXPECT_TRUE(SameTheme(Peer(form->List).AppliedTheme(), L"DarkMode_Explorer"));
    EXPECT_TRUE(SameTheme(Peer(form->Status).AppliedTheme(), L"")) << "classic, drawn here";
    EXPECT_TRUE(ownerDrawnTabs());

    app.SetPalette(trelvix::ChoosePalette(true, false, {}));
    EXPECT_TRUE(ownerDrawnTabs()) << "drawn with the user's colours in High Contrast";
    EXPECT_EQ(Peer(form->List).AppliedTheme(), nullptr) << "Windows' own High Contrast look";

    app.SetPalette(tk::Palette{});
    EXPECT_FALSE(ownerDrawnTabs());
    for (const tk::Control* control : controls)
        EXPECT_EQ(Peer(*control).AppliedTheme(), nullptr) << control->Name();
    EXPECT_TRUE(SameTheme(Peer(form->Side).AppliedTheme(), L"")) << "side tabs stay classic";
    EXPECT_NE(GetWindowLongW(Window(form->Side), GWL_STYLE) & TCS_OWNERDRAWFIXED, 0);

    // Every kind has an entry, and only the menu bar and two fields stay light.
    int light = 0;
    for (int kind = 0; kind <= static_cast<int>(tk::Kind::ProgressBar); ++kind)
        light += win32::DarkWayOf(static_cast<tk::Kind>(kind)).staysLight ? 1 : 0;
    EXPECT_EQ(light, 3);
}

// A window made while the look is dark is dark from the start.
TEST(LookPeersMadeDark, WindowsMadeInTheDarkLookAreDark) {
    fakes::FakeDesktop desktop;
    win32::Win32Host host;
    tk::Application app{desktop, "looks"};
    app.SetHost(&host);
    app.SetPalette(trelvix::ChoosePalette(false, true, {}));
    LookForm form(app);
    app.CreateForm(form);
    app.MakeLatePeers();
    EXPECT_TRUE(SameTheme(dynamic_cast<win32::ControlPeer&>(*form.List.GetPeer()).AppliedTheme(),
                          L"DarkMode_Explorer"));
    EXPECT_NE(GetWindowLongW(reinterpret_cast<HWND>(form.Tabs.GetPeer()->Handle()), GWL_STYLE) &
                  TCS_OWNERDRAWFIXED,
              0);
}

// The undocumented functions are looked up by ordinal only on the builds that have them, and
// their absence (Wine's uxtheme exports none) costs nothing.
TEST(DarkModeTest, OrdinalsOnlyWhereTheBuildHasThemAndNothingWhenAbsent) {
    const std::pair<port::WindowsVersion, bool> rows[] = {
        {{6, 1, 7601}, false},   // Windows 7
        {{10, 0, 17134}, false}, // Windows 10 1803
        {{10, 0, 17763}, true},  // 1809: AllowDarkModeForApp
        {{10, 0, 19045}, true},  // 22H2: SetPreferredAppMode
        {{11, 0, 0}, true},
    };
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    for (const auto& [version, lookedUp] : rows) {
        win32::DarkMode dark(version);
        EXPECT_EQ(dark.LookedUp(), lookedUp) << version.build;
        dark.SetAppDark(true);
        dark.SetWindowDark(window, true);
        dark.SetWindowDark(window, false);
        dark.SetAppDark(false);
    }
    DestroyWindow(window);
    // A named function at an ordinal is never taken for an undocumented one.
    const HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
    ASSERT_NE(uxtheme, nullptr);
    const FARPROC open = GetProcAddress(uxtheme, "OpenThemeData");
    WORD openOrdinal = 0;
    for (WORD ordinal = 1; ordinal < 400 && openOrdinal == 0; ++ordinal)
        if (GetProcAddress(uxtheme, MAKEINTRESOURCEA(ordinal)) == open)
            openOrdinal = ordinal;
    ASSERT_NE(openOrdinal, 0);
    EXPECT_FALSE(win32::NamelessOrdinal(uxtheme, openOrdinal));
    EXPECT_FALSE(win32::NamelessOrdinal(uxtheme, 9999)) << "past the table";
    EXPECT_FALSE(win32::NamelessOrdinal(nullptr, 135));
    const port::WindowsVersion running = win32::RunningWindowsVersion();
    EXPECT_GE(running.major, 6u);
    EXPECT_GT(running.build, 0u);
    std::printf("Windows %u.%u.%u; dark-mode functions %s\n", running.major, running.minor,
                running.build, win32::DarkMode(running).Available() ? "found" : "absent");
}

} // namespace
