#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Kind = port::TrayEvent::Kind;
using port::MouseButton;

struct TrayIcon : ::testing::Test {
    fakes::TestProgram t;
    trelvix::Program* p = nullptr;
    fakes::FakeTray& tray = t.fake.tray;
    void SetUp() override { p = &t.Start(); }
    trelvix::TTrayIcon& Icon() { return p->MainForm->TrayIcon1; }
};

TEST_F(TrayIcon, TipRules) {
    const std::string longTip(70, 'x');
    Icon().SetHint(longTip);
    EXPECT_EQ(tray.current.tip, std::string(63, 'x'));
    EXPECT_TRUE(tray.current.hasTip);
    // Characters, not bytes: "é" is two bytes in UTF-8.
    Icon().SetHint(std::string(62, 'x') + "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(tray.current.tip, std::string(62, 'x') + "\xC3\xA9");
    Icon().SetHint("");
    EXPECT_FALSE(tray.current.hasTip);
}

TEST_F(TrayIcon, ClickOnReleaseBringsTheHiddenWindowBack) {
    p->MainForm->KeyPress(27);
    ASSERT_FALSE(p->MainForm->Visible());
    tray.Send(Kind::ButtonUp);
    tray.Send(Kind::DoubleClick);
    tray.Send(Kind::ButtonDown, MouseButton::Right);
    tray.Send(Kind::ButtonUp, MouseButton::Right);
    EXPECT_FALSE(p->MainForm->Visible()) << "a release without a left press is no click";
    tray.Send(Kind::ButtonDown);
    EXPECT_FALSE(p->MainForm->Visible()) << "nothing happens on the press";
    tray.Send(Kind::ButtonUp);
    EXPECT_TRUE(p->MainForm->Visible());
    EXPECT_FALSE(p->App.Minimized());
    EXPECT_EQ(t.Stored("WindowStates"), 0);
}

TEST_F(TrayIcon, MinimiseAndRestoreAreStored) {
    p->App.Minimize(); // the minimise box
    EXPECT_FALSE(p->MainForm->Visible());
    EXPECT_EQ(t.Stored("WindowStates"), 1);
    p->MainForm->Disks1.Click(); // a tray page item brings it back
    EXPECT_TRUE(p->MainForm->Visible());
    EXPECT_EQ(p->MainForm->GetWindowState(), tk::WindowState::Normal);
    EXPECT_EQ(t.Stored("WindowStates"), 0);
}

TEST_F(TrayIcon, RestoreReassertsStayOnTop) {
    p->MainForm->SpeedButton7.Click();
    p->App.Minimize();
    p->MainForm->SetTopmost(false);
    tray.Send(Kind::ButtonDown);
    tray.Send(Kind::ButtonUp);
    EXPECT_TRUE(p->MainForm->Topmost());
}

TEST_F(TrayIcon, SessionEndRemovesTheIconAndANewTaskbarGetsItBack) {
    ASSERT_TRUE(tray.shown);
    tray.Send(Kind::SessionEnding);
    EXPECT_FALSE(tray.shown);
    tray.Send(Kind::TaskbarCreated); // a restarted taskbar has forgotten every icon
    EXPECT_TRUE(tray.shown);
}

// The mouse events reach the handlers with the button and the keys held at that moment; an
// error in one of them shows the standard box and the click still happens.
TEST_F(TrayIcon, MouseEventsAndTheirErrors) {
    std::vector<std::string> seen;
    auto record = [&](const char* what) {
        return [&seen, what](MouseButton b, unsigned state, int x, int y) {
            seen.push_back(std::string(what) + " " + std::to_string(static_cast<int>(b)) + " " +
                           std::to_string(state) + " " + std::to_string(x) + "," +
                           std::to_string(y));
        };
    };
    Icon().OnMouseDown = record("down");
    Icon().OnMouseUp = record("up");
    Icon().OnMouseMove = [&](unsigned state, int, int) {
        seen.push_back("move " + std::to_string(state));
        throw std::runtime_error("Move failed");
    };
    Icon().OnDblClick = [&] { seen.push_back("double"); };
    Icon().OnClick = [&] { seen.push_back("click"); };
    t.fake.desktop.keys.ctrl = true;
    t.fake.desktop.cursor = {7, 9};
    tray.Send(Kind::Move);
    tray.Send(Kind::ButtonDown, MouseButton::Middle);
    tray.Send(Kind::ButtonUp, MouseButton::Middle);
    tray.Send(Kind::ButtonDown);
    tray.Send(Kind::ButtonUp);
    tray.Send(Kind::DoubleClick, MouseButton::Right);
    EXPECT_EQ(seen, (std::vector<std::string>{"move 4", "down 2 36 7,9", "up 2 36 7,9",
                                              "down 0 12 7,9", "click", "up 0 12 7,9", "double"}));
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Move failed.");
}

TEST(TrayIconStart, FailingFirstAddStillStartsAndAddsLater) {
    fakes::TestProgram t;
    t.fake.tray.addSucceeds = false;
    auto& p = t.Start();
    EXPECT_TRUE(p.MainForm->Visible());
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
    p.MainForm->TrayIcon1.SetHint("C: 10 Gb");
    EXPECT_EQ(t.fake.tray.Count("modify"), 0) << "no icon to modify yet";
    t.fake.tray.addSucceeds = true;
    t.fake.tray.Send(Kind::TaskbarCreated);
    EXPECT_TRUE(t.fake.tray.shown);
    EXPECT_EQ(t.fake.tray.current.tip, "C: 10 Gb");
}

// A menu's peer: where it was asked to open.
struct MenuAt : tk::Peer {
    explicit MenuAt(std::vector<port::Point>& opened) : opened(opened) {}
    void Changed(tk::Prop) override {}
    void Popup(int x, int y) override { opened.push_back({x, y}); }
    std::vector<port::Point>& opened;
};

// The icon's version-4 events: Enter or Space is a click, the keyboard's menu request opens
// the menu at the shell's anchor whether the window is shown or not, and the mouse stays as it
// was: a right press opens it only while the window is hidden, and the shell's own click and
// its menu request after a right click are left alone.
TEST(TrayIconKeyboard, VersionFourEvents) {
    struct Ev {
        Kind kind;
        MouseButton button;
        std::uint32_t time;
    };
    constexpr auto L = MouseButton::Left, R = MouseButton::Right;
    constexpr std::uint32_t Late = 0xFFFFFF00u; // the system's clock turns over after it
    struct Case {
        const char* name;
        bool hidden;
        std::vector<Ev> events;
        std::vector<port::Point> menus;
        bool shownAfter;
    };
    const port::Point cursor{1200, 1010}, anchor{800, 1040};
    const Case cases[] = {
        {"key select brings the window back", true, {{Kind::KeySelect, L, 10}}, {}, true},
        {"the shell's click alone does nothing", true, {{Kind::Select, L, 10}}, {}, false},
        {"keyboard menu, window shown", false, {{Kind::ContextMenu, L, 10}}, {anchor}, true},
        {"keyboard menu, hidden", true, {{Kind::ContextMenu, L, 10}}, {anchor}, false},
        {"right click while shown",
         false,
         {{Kind::ButtonDown, R, 100}, {Kind::ButtonUp, R, 180}, {Kind::ContextMenu, L, 190}},
         {},
         true},
        {"a middle press while hidden",
         true,
         {{Kind::ButtonDown, MouseButton::Middle, 100}},
         {},
         false},
        {"right click while hidden: one menu, at the cursor",
         true,
         {{Kind::ButtonDown, R, 100}, {Kind::ButtonUp, R, 180}, {Kind::ContextMenu, L, 680}},
         {cursor},
         false},
        {"a keyboard menu after the double-click time",
         false,
         {{Kind::ButtonUp, R, 180}, {Kind::ContextMenu, L, 681}},
         {anchor},
         true},
        {"one request ignored per release",
         false,
         {{Kind::ButtonUp, R, 180}, {Kind::ContextMenu, L, 190}, {Kind::ContextMenu, L, 200}},
         {anchor},
         true},
        {"a left release is no right click",
         false,
         {{Kind::ButtonUp, L, 180}, {Kind::ContextMenu, L, 190}},
         {anchor},
         true},
        {"over the clock's turn",
         false,
         {{Kind::ButtonUp, R, Late}, {Kind::ContextMenu, L, 0x10}},
         {},
         true},
    };
    for (const Case& c : cases) {
        fakes::TestProgram t;
        auto& p = t.Start();
        std::vector<port::Point> opened;
        p.MainForm->PopupMenu1.AttachPeer(std::make_unique<MenuAt>(opened));
        if (c.hidden)
            p.MainForm->KeyPress(27);
        t.fake.desktop.cursor = cursor;
        for (const Ev& e : c.events) {
            port::TrayEvent event{e.kind, e.button};
            event.time = e.time;
            event.at = anchor;
            t.fake.tray.Send(event);
        }
        EXPECT_EQ(opened, c.menus) << c.name;
        if (!c.menus.empty()) {
            EXPECT_EQ(t.fake.tray.calls.back(), "foreground") << "so that the menu can close";
        }
        EXPECT_EQ(p.MainForm->Visible(), c.shownAfter) << c.name;
    }
}

TEST_F(TrayIcon, IconIsRemovedAtExit) {
    t.program.reset();
    EXPECT_FALSE(tray.shown);
}

} // namespace
