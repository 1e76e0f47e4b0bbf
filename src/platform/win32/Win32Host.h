#pragma once

// The native toolkit under the headless widget model: makes one peer (a window, a menu,
// a timer) per component, runs the message loop and the modal loops of dialogs.

#include "platform/win32/DarkMode.h"
#include "platform/win32/peers/Fonts.h"
#include "toolkit/Peer.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace tk {
class Component;
class Form;
} // namespace tk

namespace win32 {

class FormPeer;

class Win32Host : public tk::Host {
  public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    [[nodiscard]] std::unique_ptr<tk::Peer> CreatePeer(tk::Component& component) override;
    void RunModal(tk::Form& form) override;
    void EndModal(tk::Form& form) override;
    void Quit(int exitCode) override;
    void SetIdleWork(std::function<bool()> work) override { idleWork_ = std::move(work); }

    // The message loop: returns the exit code once Quit was called.
    int Run();
    // Handles the messages already waiting, and the idle work when none is left, and
    // returns; false once Quit was called.
    bool ProcessMessages();

    [[nodiscard]] Fonts& GetFonts() { return fonts_; }
    [[nodiscard]] DarkMode& GetDarkMode() { return darkMode_; }
    // Menus of the whole program in the dark mode or not; nothing when they already are.
    void SetMenusDark(bool dark);
    // The peer of a form, made now if the form has none yet.
    FormPeer& PeerOf(tk::Form& form);
    // Forms announce their windows here, for the message loop's key handling.
    void AddForm(FormPeer& form);
    void RemoveForm(FormPeer& form);

  private:
    // Shortcuts, key preview and tab navigation, before the message is dispatched.
    // True when the message was used up.
    bool PreTranslate(MSG& message);
    void Deliver(MSG& message);
    // Runs a step of the idle work when no message waits; true when it did something.
    bool WorkWhileIdle();
    [[nodiscard]] FormPeer* FormOfWindow(HWND window) const;

    struct Modal {
        tk::Form* form;
        HWND disabledOwner;
        bool ended;
    };

    Fonts fonts_;
    DarkMode darkMode_;
    bool menusDark_ = false;
    std::vector<FormPeer*> forms_;
    std::vector<Modal> modals_;
    bool quit_ = false;
    int exitCode_ = 0;
    std::function<bool()> idleWork_;
};

} // namespace win32
