#pragma once

#include "platform/win32/Handle.h"
#include "platform/win32/peers/NativePeer.h"
#include "toolkit/Controls.h"

namespace win32 {

class FormPeer;

inline BOOL CloseMenu(HMENU menu) {
    return DestroyMenu(menu);
}
using UniqueMenu = Unique<HMENU, &CloseMenu>;

// Menu peers hold the menu their items go into.
class MenuHolder : public NativePeer {
  public:
    [[nodiscard]] virtual HMENU Menu() const = 0;
};

// A menu of its own: a form's menu bar or a context menu.
class MenuPeer : public MenuHolder {
  public:
    explicit MenuPeer(FormPeer& form) : form_(form) {}
    ~MenuPeer() override;
    MenuPeer(const MenuPeer&) = delete;
    MenuPeer& operator=(const MenuPeer&) = delete;

    void Changed(tk::Prop /*prop*/) override {}
    [[nodiscard]] HMENU Menu() const override { return handle_.get(); }
    [[nodiscard]] std::uintptr_t Handle() const override;

  protected:
    FormPeer& form_;
    UniqueMenu handle_;
};

// The menu bar of a form.
class MainMenuPeer : public MenuPeer {
  public:
    MainMenuPeer(FormPeer& form, tk::MainMenu& menu) : MenuPeer(form), menu_(menu) {}
    ~MainMenuPeer() override;
    MainMenuPeer(const MainMenuPeer&) = delete;
    MainMenuPeer& operator=(const MainMenuPeer&) = delete;

    void Build() override;

  private:
    tk::MainMenu& menu_;
};

// A context menu: opened at a screen point; the chosen item is clicked once it closed.
class PopupMenuPeer : public MenuPeer {
  public:
    PopupMenuPeer(FormPeer& form, tk::PopupMenu& /*menu*/) : MenuPeer(form) {}

    void Build() override { handle_.reset(CreatePopupMenu()); }
    void Popup(int x, int y) override;
};

// One entry of a menu: its command ID is the item's ID; an item with items of its own
// opens a submenu.
class MenuItemPeer : public MenuHolder {
  public:
    MenuItemPeer(FormPeer& form, tk::MenuItem& item) : form_(form), item_(item) {}
    ~MenuItemPeer() override;
    MenuItemPeer(const MenuItemPeer&) = delete;
    MenuItemPeer& operator=(const MenuItemPeer&) = delete;

    void Build() override;
    void Changed(tk::Prop prop) override;
    [[nodiscard]] HMENU Menu() const override { return submenu_.get(); }

  private:
    [[nodiscard]] HMENU ParentMenu() const;
    [[nodiscard]] UINT Position() const;
    void Describe(MENUITEMINFOW& info, std::wstring& text) const;

    FormPeer& form_;
    tk::MenuItem& item_;
    UniqueMenu submenu_;
    bool inserted_ = false;
};

// A message-based timer of the form's window; its timer ID is the component's ID.
class TimerPeer : public NativePeer {
  public:
    TimerPeer(FormPeer& form, tk::Timer& timer) : form_(form), timer_(timer) {}
    ~TimerPeer() override;
    TimerPeer(const TimerPeer&) = delete;
    TimerPeer& operator=(const TimerPeer&) = delete;

    void Build() override { Apply(); }
    void Changed(tk::Prop prop) override;

  private:
    void Apply();

    FormPeer& form_;
    tk::Timer& timer_;
};

} // namespace win32
