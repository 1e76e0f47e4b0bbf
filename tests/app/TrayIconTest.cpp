#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned LButtonDown = 513, LButtonUp = 514, LButtonDblClk = 515, RButtonDown = 516;

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
    int modifies = tray.Count("modify");
    Icon().SetHint(longTip);
    EXPECT_EQ(tray.Count("modify"), modifies) << "the same tip again does not call the shell";
    // Characters, not bytes: "é" is two bytes in UTF-8.
    Icon().SetHint(std::string(62, 'x') + "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(tray.current.tip, std::string(62, 'x') + "\xC3\xA9");
    modifies = tray.Count("modify");
    Icon().SetHint("");
    EXPECT_FALSE(tray.current.hasTip);
    EXPECT_EQ(tray.Count("modify"), modifies + 1);
}

TEST_F(TrayIcon, ClickOnReleaseBringsTheHiddenWindowBack) {
    p->MainForm->KeyPress(27);
    ASSERT_FALSE(p->MainForm->Visible());
    tray.Mouse(LButtonUp);
    tray.Mouse(LButtonDblClk);
    EXPECT_FALSE(p->MainForm->Visible()) << "a release without a press is no click";
    tray.Mouse(LButtonDown);
    EXPECT_FALSE(p->MainForm->Visible()) << "nothing happens on the press";
    tray.Mouse(LButtonUp);
    EXPECT_TRUE(p->MainForm->Visible());
    EXPECT_FALSE(p->App.Minimized());
    EXPECT_EQ(t.Stored("WindowStates"), 0);
}

TEST_F(TrayIcon, PopupOnlyWhileHiddenInTheTray) {
    tray.Mouse(RButtonDown);
    EXPECT_EQ(p->MainForm->PopupMenu1.PopupCount(), 0);
    p->MainForm->KeyPress(27);
    t.fake.desktop.cursor = {1200, 1010};
    tray.Mouse(RButtonDown);
    EXPECT_EQ(p->MainForm->PopupMenu1.PopupCount(), 1);
    EXPECT_EQ(tray.calls.back(), "foreground") << "made foreground so the menu can close";
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
    tray.Mouse(LButtonDown);
    tray.Mouse(LButtonUp);
    EXPECT_TRUE(p->MainForm->Topmost());
}

TEST_F(TrayIcon, SessionEndRemovesTheIconAndANewTaskbarGetsItBack) {
    EXPECT_EQ(tray.Send(port::WM_QUERYENDSESSION_), 1);
    tray.Send(port::WM_ENDSESSION_, 0);
    EXPECT_TRUE(tray.shown) << "a cancelled session end keeps it";
    tray.Send(port::WM_ENDSESSION_, 1);
    EXPECT_FALSE(tray.shown);
    tray.Send(port::TaskbarCreatedMessage); // a restarted taskbar has forgotten every icon
    EXPECT_TRUE(tray.shown);
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
    t.fake.tray.Send(port::TaskbarCreatedMessage);
    EXPECT_TRUE(t.fake.tray.shown);
    EXPECT_EQ(t.fake.tray.current.tip, "C: 10 Gb");
}

TEST(TrayIconStart, IconIsRemovedAtExit) {
    fakes::TestProgram t;
    t.Start();
    t.program.reset();
    EXPECT_FALSE(t.fake.tray.shown);
}

} // namespace
