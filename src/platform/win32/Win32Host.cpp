#include "platform/win32/Win32Host.h"

#include "platform/win32/Win32System.h"

#include "platform/win32/peers/ButtonPeers.h"
#include "platform/win32/peers/ControlPeer.h"
#include "platform/win32/peers/FormPeer.h"
#include "platform/win32/peers/ListPeers.h"
#include "platform/win32/peers/MenuPeers.h"
#include "platform/win32/peers/PagePeers.h"
#include "platform/win32/peers/RangePeers.h"
#include "platform/win32/peers/TextPeers.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

namespace {

template <typename PeerType, typename Model>
std::unique_ptr<NativePeer> Make(FormPeer& form, tk::Component& component) {
    return std::make_unique<PeerType>(form, static_cast<Model&>(component));
}

} // namespace

Win32Host::Win32Host() : darkMode_(RunningWindowsVersion()) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    FormPeer::RegisterClasses();
}

Win32Host::~Win32Host() = default;

void Win32Host::SetMenusDark(bool dark) {
    if (dark == menusDark_)
        return;
    menusDark_ = dark;
    darkMode_.SetAppDark(dark);
}

std::unique_ptr<tk::Peer> Win32Host::CreatePeer(tk::Component& component) {
    std::unique_ptr<NativePeer> peer;
    if (component.GetKind() == tk::Kind::Form) {
        auto& form = static_cast<tk::Form&>(component);
        peer = std::make_unique<FormPeer>(*this, form);
        peer->Build();
        return peer;
    }
    FormPeer& form = PeerOf(*component.Owner());
    switch (component.GetKind()) {
    case tk::Kind::Form:
        break;
    case tk::Kind::Label:
        peer = Make<LabelPeer, tk::Control>(form, component);
        break;
    case tk::Kind::Button:
        peer = Make<ButtonPeer, tk::Control>(form, component);
        break;
    case tk::Kind::BitBtn:
    case tk::Kind::SpeedButton:
        peer = Make<GlyphButtonPeer, tk::Control>(form, component);
        break;
    case tk::Kind::CheckBox:
        peer = Make<CheckBoxPeer, tk::Control>(form, component);
        break;
    case tk::Kind::GroupBox:
        peer = Make<GroupBoxPeer, tk::Control>(form, component);
        break;
    case tk::Kind::Panel:
        peer = Make<PanelPeer, tk::Control>(form, component);
        break;
    case tk::Kind::TabSheet:
        peer = Make<TabSheetPeer, tk::Control>(form, component);
        break;
    case tk::Kind::Bevel:
        peer = Make<BevelPeer, tk::Control>(form, component);
        break;
    case tk::Kind::ListBox:
        peer = Make<ListBoxPeer, tk::Control>(form, component);
        break;
    case tk::Kind::ComboBox:
        peer = Make<ComboBoxPeer, tk::Control>(form, component);
        break;
    case tk::Kind::DriveComboBox:
        peer = Make<DriveComboPeer, tk::Control>(form, component);
        break;
    case tk::Kind::Edit:
    case tk::Kind::Memo:
        peer = Make<EditPeer, tk::Control>(form, component);
        break;
    case tk::Kind::TrackBar:
        peer = Make<TrackBarPeer, tk::Control>(form, component);
        break;
    case tk::Kind::UpDown:
        peer = Make<UpDownPeer, tk::Control>(form, component);
        break;
    case tk::Kind::ProgressBar:
        peer = Make<ProgressBarPeer, tk::Control>(form, component);
        break;
    case tk::Kind::PageControl:
        peer = Make<PageControlPeer, tk::Control>(form, component);
        break;
    case tk::Kind::StatusBar:
        peer = Make<StatusBarPeer, tk::Control>(form, component);
        break;
    case tk::Kind::DateTimePicker:
        peer = Make<DateTimePickerPeer, tk::Control>(form, component);
        break;
    case tk::Kind::Image:
        peer = Make<ImagePeer, tk::Control>(form, component);
        break;
    case tk::Kind::Timer:
        peer = Make<TimerPeer, tk::Timer>(form, component);
        break;
    case tk::Kind::MainMenu:
        peer = Make<MainMenuPeer, tk::MainMenu>(form, component);
        break;
    case tk::Kind::PopupMenu:
        peer = Make<PopupMenuPeer, tk::PopupMenu>(form, component);
        break;
    case tk::Kind::MenuItem:
        peer = Make<MenuItemPeer, tk::MenuItem>(form, component);
        break;
    }
    if (peer)
        peer->Build();
    return peer;
}

FormPeer& Win32Host::PeerOf(tk::Form& form) {
    if (auto* peer = dynamic_cast<FormPeer*>(form.GetPeer()))
        return *peer;
    // The form's own window comes before its controls' windows.
    auto made = std::make_unique<FormPeer>(*this, form);
    made->Build();
    FormPeer& peer = *made;
    form.AttachPeer(std::move(made));
    return peer;
}

void Win32Host::AddForm(FormPeer& form) {
    forms_.push_back(&form);
}

void Win32Host::RemoveForm(FormPeer& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

FormPeer* Win32Host::FormOfWindow(HWND window) const {
    for (FormPeer* form : forms_)
        if (form->Window() == window)
            return form;
    return nullptr;
}

// ---- Message loop ----

bool Win32Host::PreTranslate(MSG& message) {
    if (message.hwnd == nullptr)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    FormPeer* form = FormOfWindow(root);
    if (form == nullptr || form->Retired())
        return false;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Shortcuts win over the focused control's own keys (Ctrl+C in an edit field).
        if (HACCEL table = form->Accelerators();
            table != nullptr && TranslateAcceleratorW(root, table, &message) != 0)
            return true;
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0)
            return IsDialogMessageW(root, &message) != FALSE;
        return false;
    case WM_CHAR: {
        const wchar_t key = form->PreviewKey(static_cast<wchar_t>(message.wParam));
        if (key == 0)
            return true;
        message.wParam = key;
        return false;
    }
    default:
        return false;
    }
}

void Win32Host::Deliver(MSG& message) {
    if (PreTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool Win32Host::WorkWhileIdle() {
    MSG waiting{};
    return idleWork_ && PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE) == FALSE && idleWork_();
}

int Win32Host::Run() {
    MSG message{};
    while (!quit_) {
        if (WorkWhileIdle())
            continue;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1)
            break;
        Deliver(message);
    }
    return exitCode_;
}

bool Win32Host::ProcessMessages() {
    MSG message{};
    while (!quit_) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
            if (WorkWhileIdle())
                continue;
            break;
        }
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        Deliver(message);
    }
    return !quit_;
}

void Win32Host::Quit(int exitCode) {
    PostQuitMessage(exitCode);
}

// ---- Modal dialogs ----

void Win32Host::RunModal(tk::Form& form) {
    FormPeer& dialog = PeerOf(form);
    // The owner is the window the dialog was opened from: the innermost open dialog, or
    // the main window.
    HWND owner = nullptr;
    if (!modals_.empty()) {
        owner = PeerOf(*modals_.back().form).Window();
    } else if (tk::Form* main = form.App().MainForm(); main != nullptr && main != &form) {
        owner = PeerOf(*main).Window();
    }
    const bool disable = owner != nullptr && IsWindowEnabled(owner) != FALSE;
    if (disable)
        EnableWindow(owner, FALSE);
    const size_t level = modals_.size();
    modals_.push_back(Modal{&form, disable ? owner : nullptr, false});
    dialog.ShowModal(owner);

    MSG message{};
    while (!modals_[level].ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the outer loop must see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        Deliver(message);
    }
    const Modal done = modals_[level];
    modals_.resize(level);
    if (done.disabledOwner != nullptr)
        EnableWindow(done.disabledOwner, TRUE);
    if (owner != nullptr && IsWindowVisible(owner) != FALSE)
        SetActiveWindow(owner);
}

void Win32Host::EndModal(tk::Form& form) {
    for (Modal& modal : modals_) {
        if (modal.form != &form || modal.ended)
            continue;
        modal.ended = true;
        // The owner is enabled before the dialog hides, or the system activates some
        // other program's window in between.
        if (modal.disabledOwner != nullptr) {
            EnableWindow(modal.disabledOwner, TRUE);
            modal.disabledOwner = nullptr;
        }
    }
}

} // namespace win32
