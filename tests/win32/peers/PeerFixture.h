#pragma once

// A small program's worth of model controls, made real by the Win32 host.

#include "fakes/Fakes.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Host.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace peertest {

// One control of every kind the tests drive, with counters for their events.
class TestForm : public tk::Form {
  public:
    explicit TestForm(tk::Application& app) : tk::Form(app, "TestForm", 100) {
        SetCaption("Peers");
        SetClientSize(400, 300);
        KeyPreview = true;
        Menu = &Menu1;

        List.SetBounds(8, 8, 150, 80);
        List.SetItems({"alpha", "beta", "gamma"});
        List.SetPopupMenu(&Context);
        Pages.SetBounds(170, 8, 220, 120);
        Page1.SetCaption("One");
        Page2.SetCaption("Two");
        OnSecondPage.SetBounds(4, 4, 80, 24);
        OnSecondPage.SetCaption("Second");
        Field.SetBounds(8, 100, 150, 21);
        Track.SetBounds(8, 130, 150, 30);
        Track.SetRange(0, 10);
        Boom.SetBounds(8, 170, 80, 24);
        Boom.SetCaption("Boom");
        Glyph.SetBounds(100, 170, 40, 40);
        Glyph.SetFlat(true);
        Status.SetBounds(0, 280, 400, 20);
        Status.SetSimpleText("ready");
        Drives.SetBounds(170, 140, 150, 22);
        Drives.SetDrives({{'C', "c: [system]", -1}, {'D', "d:", -1}});
        Drives.SetDrive('C');
        Ticker.SetInterval(0);

        OnKeyPress = [this](char& key) { keys.push_back(key); };
        OnClose = [this] { ++closes; };
        List.OnClick = [this] { ++listClicks; };
        List.OnDblClick = [this] { ++listDoubleClicks; };
        Pages.OnChange = [this] { ++pageChanges; };
        Field.OnChange = [this] { ++fieldChanges; };
        Track.OnChange = [this] { ++trackChanges; };
        Boom.OnClick = [] { throw std::runtime_error("It went wrong"); };
        Glyph.OnClick = [this] { ++glyphClicks; };
        Drives.OnChange = [this] { ++driveChanges; };
        Ticker.OnTimer = [this] { ++ticks; };
        Exit.OnClick = [this] { ++exits; };
        Refresh.OnClick = [this] { ++refreshes; };
        StayOnTop.OnClick = [this] { ++stayOnTops; };
    }

    tk::ListBox List{*this, this, "List", 101};
    tk::PageControl Pages{*this, this, "Pages", 102};
    tk::TabSheet Page1{*this, Pages, "Page1", 103};
    tk::TabSheet Page2{*this, Pages, "Page2", 104};
    tk::Button OnSecondPage{*this, &Page2, "OnSecondPage", 105};
    tk::StatusBar Status{*this, this, "Status", 106};
    tk::Edit Field{*this, this, "Field", 107};
    tk::TrackBar Track{*this, this, "Track", 108};
    tk::Button Boom{*this, this, "Boom", 109};
    tk::SpeedButton Glyph{*this, this, "Glyph", 110};
    tk::DriveComboBox Drives{*this, this, "Drives", 111};
    tk::Timer Ticker{*this, "Ticker", 150};
    tk::MainMenu Menu1{*this, "Menu1", 200};
    tk::MenuItem File{*this, Menu1, "File", 201, "&File"};
    tk::MenuItem Exit{*this, File, "Exit", 202, "E&xit", 16472};
    tk::MenuItem Tools{*this, Menu1, "Tools", 203, "&Tools"};
    tk::MenuItem Refresh{*this, Tools, "Refresh", 204, "&Refresh", 116};
    tk::MenuItem Line{*this, Tools, "Line", 205, "-"};
    tk::MenuItem StayOnTop{*this, Tools, "StayOnTop", 206, "&Stay On Top", 16451};
    tk::PopupMenu Context{*this, "Context", 300};
    tk::MenuItem Open{*this, Context, "Open", 301, "Open"};

    std::vector<char> keys;
    int closes = 0, listClicks = 0, listDoubleClicks = 0, pageChanges = 0, fieldChanges = 0;
    int trackChanges = 0, glyphClicks = 0, driveChanges = 0, ticks = 0, exits = 0;
    int refreshes = 0, stayOnTops = 0;
};

// A dialog shown modally from the test form.
class TestDialog : public tk::Form {
  public:
    explicit TestDialog(tk::Application& app) : tk::Form(app, "TestDialog", 500) {
        SetCaption("Dialog");
        SetClientSize(200, 100);
        Dialog = true;
        KeyPreview = true;
        OnKeyPress = [this](char& key) {
            if (key == 27)
                Close();
        };
        Close1.SetBounds(60, 60, 80, 24);
        Close1.SetCaption("Close");
    }
    tk::Button Close1{*this, this, "Close1", 501};
};

class PeersTest : public testing::Test {
  protected:
    void SetUp() override {
        app.SetHost(&host);
        form = std::make_unique<TestForm>(app);
        app.CreateForm(*form);
        dialog = std::make_unique<TestDialog>(app);
        app.CreateForm(*dialog);
        app.ShowMainForm();
        Pump();
    }
    void TearDown() override {
        // Keys held down by a test must not leak into the next one.
        BYTE state[256] = {};
        SetKeyboardState(state);
        dialog.reset();
        form.reset();
    }

    static HWND Window(const tk::Component& component) {
        return reinterpret_cast<HWND>(component.GetPeer()->Handle());
    }
    HWND Main() const { return Window(*form); }
    void Pump() { host.ProcessMessages(); }

    static std::string Text(HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return win32::Narrow(text);
    }
    // Holds Ctrl (and Alt) down for this thread, as a user's finger would.
    static void HoldModifiers(bool ctrl, bool alt) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_MENU] = alt ? 0x80 : 0;
        SetKeyboardState(state);
    }

    fakes::FakeDesktop desktop;
    win32::Win32Host host;
    tk::Application app{desktop, "peers"};
    std::unique_ptr<TestForm> form;
    std::unique_ptr<TestDialog> dialog;
};

} // namespace peertest
