#include "platform/win32/peers/MenuPeers.h"

#include "platform/win32/Unicode.h"
#include "platform/win32/peers/FormPeer.h"
#include "toolkit/ShortCut.h"

#include <algorithm>

namespace win32 {

namespace {
const std::vector<tk::MenuItem*>& Siblings(const tk::MenuItem& item) {
    static const std::vector<tk::MenuItem*> none;
    tk::Component& parent = item.Parent();
    if (auto* owner = dynamic_cast<tk::MenuItem*>(&parent))
        return owner->Items();
    if (auto* bar = dynamic_cast<tk::MainMenu*>(&parent))
        return bar->Items();
    if (auto* popup = dynamic_cast<tk::PopupMenu*>(&parent))
        return popup->Items();
    return none;
}
} // namespace

// ---- Menus of their own ----

MenuPeer::~MenuPeer() {
    form_.Retire();
}

std::uintptr_t MenuPeer::Handle() const {
    return reinterpret_cast<std::uintptr_t>(handle_.get());
}

// ---- Menu bar ----

MainMenuPeer::~MainMenuPeer() {
    form_.Retire();
    HWND window = form_.Window();
    if (window != nullptr && GetMenu(window) == handle_.get())
        SetMenu(window, nullptr);
}

void MainMenuPeer::Build() {
    handle_.reset(CreateMenu());
    if (form_.Model().Menu == &menu_ && form_.Window() != nullptr) {
        SetMenu(form_.Window(), handle_.get());
        // The bar takes room from the frame, not from the client area.
        form_.ApplySize();
    }
}

// ---- Context menu ----

void PopupMenuPeer::Popup(int x, int y) {
    // The menu's owner is the window that was just made foreground (the tray icon's),
    // so that the menu closes when the user clicks elsewhere.
    HWND owner = GetForegroundWindow();
    DWORD process = 0;
    if (owner == nullptr || GetWindowThreadProcessId(owner, &process) == 0 ||
        process != GetCurrentProcessId())
        owner = form_.Window();
    const auto command = static_cast<int>(TrackPopupMenuEx(
        handle_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, owner,
        nullptr));
    // Without a message after it, the next opening of the menu can fail to close.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command == 0 || form_.Retired())
        return;
    if (auto* item = dynamic_cast<tk::MenuItem*>(form_.Model().FindById(command)))
        item->Click();
}

// ---- Menu items ----

MenuItemPeer::~MenuItemPeer() {
    form_.Retire();
    // Taken out of its menu before its submenu goes, so the menu never holds a dead handle.
    if (inserted_)
        if (HMENU parent = ParentMenu())
            RemoveMenu(parent, Position(), MF_BYPOSITION);
}

HMENU MenuItemPeer::ParentMenu() const {
    auto* holder = dynamic_cast<MenuHolder*>(item_.Parent().GetPeer());
    return holder != nullptr ? holder->Menu() : nullptr;
}

UINT MenuItemPeer::Position() const {
    const auto& siblings = Siblings(item_);
    return static_cast<UINT>(std::find(siblings.begin(), siblings.end(), &item_) -
                             siblings.begin());
}

void MenuItemPeer::Describe(MENUITEMINFOW& info, std::wstring& text) const {
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = static_cast<UINT>(item_.Id());
    info.fState = (item_.Checked() ? MFS_CHECKED : MFS_UNCHECKED) |
                  (item_.Enabled() ? MFS_ENABLED : MFS_DISABLED);
    if (item_.IsSeparator()) {
        info.fType = MFT_SEPARATOR;
        return;
    }
    info.fType = MFT_STRING;
    info.fMask |= MIIM_STRING;
    text = Widen(item_.Caption());
    if (const std::string keys = tk::ShortCutToText(item_.ShortCut()); !keys.empty())
        text += L"\t" + Widen(keys);
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
}

void MenuItemPeer::Build() {
    HMENU parent = ParentMenu();
    if (parent == nullptr)
        return;
    if (!item_.Items().empty())
        submenu_.reset(CreatePopupMenu());
    MENUITEMINFOW info{};
    std::wstring text;
    Describe(info, text);
    if (submenu_) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu_.get();
    }
    inserted_ = InsertMenuItemW(parent, Position(), TRUE, &info) != FALSE;
    if (inserted_)
        form_.MenuChanged();
}

void MenuItemPeer::Changed(tk::Prop prop) {
    if (!inserted_)
        return;
    if (prop != tk::Prop::Caption && prop != tk::Prop::Checked && prop != tk::Prop::Enabled &&
        prop != tk::Prop::ShortCut)
        return;
    MENUITEMINFOW info{};
    std::wstring text;
    Describe(info, text);
    SetMenuItemInfoW(ParentMenu(), Position(), TRUE, &info);
    form_.MenuChanged();
}

// ---- Timer ----

TimerPeer::~TimerPeer() {
    form_.Retire();
    if (form_.Window() != nullptr)
        KillTimer(form_.Window(), static_cast<UINT_PTR>(timer_.Id()));
}

void TimerPeer::Changed(tk::Prop prop) {
    if (prop == tk::Prop::Interval || prop == tk::Prop::Enabled)
        Apply();
}

void TimerPeer::Apply() {
    HWND window = form_.Window();
    if (window == nullptr)
        return;
    const auto id = static_cast<UINT_PTR>(timer_.Id());
    if (timer_.Running())
        SetTimer(window, id, static_cast<UINT>(timer_.Interval()), nullptr);
    else
        KillTimer(window, id);
}

} // namespace win32
