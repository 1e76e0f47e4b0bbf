#include "app/TrayIcon.h"

namespace trelvix {

namespace {
// The first `count` characters; a character is never cut in half.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && chars++ == count)
            return text.substr(0, i);
    }
    return text;
}

std::string CutTip(const std::string& text) {
    return FirstCharacters(text, TTrayIcon::MaxTip);
}
} // namespace

TTrayIcon::TTrayIcon(tk::Application& app, port::Tray& tray, port::Desktop& desktop)
    : app_(app), tray_(tray), desktop_(desktop) {
    tray_.CreateMessageWindow([this](const port::TrayEvent& event) { HandleEvent(event); },
                              [this] { app_.ShowCurrentException(); });
    data_.tip = CutTip(app_.Title());
    data_.hasTip = !app_.Title().empty();
    // At logon the taskbar may not be there yet: the icon then comes with the
    // taskbar's "TaskbarCreated" announcement instead of keeping the program from starting.
    AddIcon();
    app_.OnMinimize = [this] { Minimize(); };
    app_.OnRestore = [this] { Restore(); };
}

TTrayIcon::~TTrayIcon() {
    RemoveIcon();
}

void TTrayIcon::AddIcon() {
    shown_ = tray_.Add(data_);
}

void TTrayIcon::Modify() {
    if (shown_)
        (void)tray_.Modify(data_);
}

void TTrayIcon::RemoveIcon() {
    if (shown_)
        (void)tray_.Delete();
    shown_ = false;
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text,
                            port::BalloonIcon icon, const std::string& tag) {
    return shown_ && tray_.ShowBalloon(FirstCharacters(title, MaxBalloonTitle),
                                       FirstCharacters(text, MaxBalloonText), icon, tag);
}

void TTrayIcon::SetHint(const std::string& text) {
    if (text == hint_)
        return;
    hint_ = text;
    data_.tip = CutTip(text);
    data_.hasTip = !text.empty();
    Modify();
}

unsigned TTrayIcon::ShiftState() const {
    port::ModifierKeys keys = desktop_.KeyState();
    return (keys.shift ? shift::Shift : 0u) | (keys.alt ? shift::Alt : 0u) |
           (keys.ctrl ? shift::Ctrl : 0u);
}

void TTrayIcon::HandleEvent(const port::TrayEvent& event) {
    using Kind = port::TrayEvent::Kind;
    switch (event.kind) {
    case Kind::SessionEnding:
        RemoveIcon();
        break;
    case Kind::TaskbarCreated:
        // A restarted taskbar has forgotten every icon.
        AddIcon();
        if (shown_)
            app_.Guard(OnIconRestored);
        break;
    case Kind::BalloonClicked:
        if (OnBalloonClicked)
            app_.Guard([&] { OnBalloonClicked(event.tag); });
        break;
    case Kind::ShowRequested:
        // A second start of the program: the window comes back as on a click on the icon.
        app_.Guard(OnClick);
        break;
    case Kind::VolumesChanged:
        if (OnVolumesChanged)
            app_.Guard([&] { OnVolumesChanged(event.drives); });
        break;
    case Kind::DrivesChanged:
        app_.Guard(OnDrivesChanged);
        break;
    case Kind::Select:
        // The click already came with the release of the button.
        break;
    case Kind::KeySelect:
        app_.Guard(OnClick);
        break;
    case Kind::ContextMenu:
        HandleContextMenu(event);
        break;
    default:
        HandleMouse(event);
        break;
    }
}

void TTrayIcon::HandleMouse(const port::TrayEvent& event) {
    using Kind = port::TrayEvent::Kind;
    if (event.kind == Kind::DoubleClick) {
        app_.Guard(OnDblClick);
        return;
    }
    // Where the cursor is and which keys are held now, not when the shell noticed.
    const port::Point at = desktop_.CursorPos();
    unsigned state = ShiftState();
    if (event.kind == Kind::Move) {
        if (OnMouseMove)
            app_.Guard([&] { OnMouseMove(state, at.x, at.y); });
        return;
    }
    constexpr unsigned buttonBits[] = {shift::Left, shift::Right, shift::Middle};
    state |= buttonBits[static_cast<int>(event.button)];
    const MouseButton button = event.button;
    if (event.kind == Kind::ButtonDown) {
        if (OnMouseDown)
            app_.Guard([&] { OnMouseDown(button, state, at.x, at.y); });
        if (button == MouseButton::Left)
            leftDown_ = true;
        else if (button == MouseButton::Right)
            ShowPopup();
        return;
    }
    if (button == MouseButton::Right) {
        rightUpSeen_ = true;
        rightUpTime_ = event.time;
    }
    // A click is the release of a left press on the icon, raised before the release itself.
    if (button == MouseButton::Left && leftDown_) {
        leftDown_ = false;
        app_.Guard(OnClick);
    }
    if (OnMouseUp)
        app_.Guard([&] { OnMouseUp(button, state, at.x, at.y); });
}

void TTrayIcon::HandleContextMenu(const port::TrayEvent& event) {
    // The shell asks for the menu after every right click too: the mouse already had its
    // answer on the press of the button.
    const bool afterRightClick =
        rightUpSeen_ && event.time - rightUpTime_ <= desktop_.DoubleClickTime();
    rightUpSeen_ = false;
    if (afterRightClick)
        return;
    // From the keyboard, the menu is the only way to the program's commands: it opens
    // whether the window is shown or not.
    OpenPopupAt(event.at);
}

void TTrayIcon::ShowPopup() {
    tk::Form* main = app_.MainForm();
    if (main != nullptr && main->Visible())
        return;
    OpenPopupAt(desktop_.CursorPos());
}

void TTrayIcon::OpenPopupAt(port::Point at) {
    if (PopupMenu == nullptr)
        return;
    // Without this the menu stays open when the user clicks elsewhere.
    tray_.SetForeground();
    PopupMenu->Popup(at.x, at.y);
}

void TTrayIcon::Minimize() {
    if (tk::Form* main = app_.MainForm())
        main->SetVisible(false);
    app_.Guard(OnMinimize);
}

void TTrayIcon::Restore() {
    if (tk::Form* main = app_.MainForm()) {
        main->SetVisible(true);
        main->SetWindowState(tk::WindowState::Normal);
    }
    app_.Guard(OnRestore);
}

} // namespace trelvix
