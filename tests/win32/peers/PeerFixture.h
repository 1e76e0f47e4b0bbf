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

#include <map>
#include <memory>
#include <string>

namespace peertest {

// One control of every kind the tests drive; `events` counts their handlers' calls by name.
class TestForm : public tk::Form {
  public:
    explicit TestForm(tk::Application& app) : tk::Form(app, "TestForm", 100) {
        SetCaption("Peers");
        SetClientSize(400, 300);
        KeyPreview = true;
        Menu = &Menu1;
        List.SetBounds(8, 8, 150, 80);
        List.SetItems({"alpha", "beta", "gamma"});
        Combo.SetItems({"one", "two", "three"});
        Drives.SetDrives({{'C', "c: [system]", -1}, {'D', "d:", -1}, {'E', "e:", -1}});
        Pages.SetBounds(170, 8, 220, 120);
        Page1.SetCaption("One");
        Page2.SetCaption("Two");
        Track.SetRange(0, 10);
        OnSecondPage.SetCaption("Second");
        Glyph.SetBounds(100, 170, 40, 40);
        Ticker.SetInterval(0);
        const auto count = [this](const char* name) { return [this, name] { ++events[name]; }; };
        List.OnClick = count("List");
        List.OnDblClick = count("List.DblClick");
        Combo.OnChange = count("Combo");
        Drives.OnChange = count("Drives");
        Pages.OnChange = count("Pages");
        Field.OnChange = count("Field");
        Track.OnChange = count("Track");
        Glyph.OnClick = count("Glyph");
        Ticker.OnTimer = count("Ticker");
        Exit.OnClick = count("Exit");
        Refresh.OnClick = count("Refresh");
        StayOnTop.OnClick = count("StayOnTop");
        Tick.SetBounds(8, 220, 120, 34);
        Tick.SetCaption("A caption long enough for two lines");
        Tick.OnClick = count("Tick");
    }

    tk::ListBox List{*this, this, "List", 101};
    tk::ComboBox Combo{*this, this, "Combo", 102};
    tk::DriveComboBox Drives{*this, this, "Drives", 103};
    tk::PageControl Pages{*this, this, "Pages", 104};
    tk::TabSheet Page1{*this, Pages, "Page1", 105};
    tk::TabSheet Page2{*this, Pages, "Page2", 106};
    tk::Button OnSecondPage{*this, &Page2, "OnSecondPage", 107};
    tk::StatusBar Status{*this, this, "Status", 108};
    tk::ProgressBar Progress{*this, &Status, "Progress", 113};
    tk::Edit Field{*this, this, "Field", 109};
    tk::TrackBar Track{*this, this, "Track", 110};
    tk::SpeedButton Glyph{*this, this, "Glyph", 112};
    tk::CheckBox Tick{*this, this, "Tick", 114};
    tk::Timer Ticker{*this, "Ticker", 150};
    tk::MainMenu Menu1{*this, "Menu1", 200};
    tk::MenuItem File{*this, Menu1, "File", 201, "&File"};
    tk::MenuItem Exit{*this, File, "Exit", 202, "E&xit", 16472};
    tk::MenuItem Tools{*this, Menu1, "Tools", 203, "&Tools"};
    tk::MenuItem Refresh{*this, Tools, "Refresh", 204, "&Refresh", 116};
    tk::MenuItem Line{*this, Tools, "Line", 205, "-"};
    tk::MenuItem StayOnTop{*this, Tools, "StayOnTop", 206, "&Stay On Top", 16451};

    std::map<std::string, int> events;
};

class PeersTest : public testing::Test {
  protected:
    void SetUp() override {
        app.SetHost(&host);
        app.CreateForm(*form);
        dialog->Dialog = true;
        dialog->SetClientSize(200, 100);
        app.CreateForm(*dialog);
        app.ShowMainForm();
        Pump();
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
    // Holds Ctrl down for this thread, as a user's finger would.
    static void HoldCtrl(bool down) {
        BYTE state[256] = {};
        state[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }

    fakes::FakeDesktop desktop;
    win32::Win32Host host;
    tk::Application app{desktop, "peers"};
    std::unique_ptr<TestForm> form = std::make_unique<TestForm>(app);
    std::unique_ptr<tk::Form> dialog = std::make_unique<tk::Form>(app, "TestDialog", 500);
};

} // namespace peertest
