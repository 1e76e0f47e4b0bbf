#include "platform/win32/peers/DarkLook.h"

namespace win32 {

DarkWay DarkWayOf(tk::Kind kind) {
    using tk::Kind;
    switch (kind) {
    case Kind::Label:
    case Kind::Bevel:
    case Kind::TrackBar: // its channel stands on the WM_CTLCOLORSTATIC background
        return {.ctlColor = true};
    case Kind::ListBox:
    case Kind::Edit:
    case Kind::Memo: // the colours of the text; the theme darkens the scroll bars
        return {.ctlColor = true, .darkTheme = ExplorerDarkTheme};
    case Kind::ComboBox:
    case Kind::DriveComboBox:
        return {.ctlColor = true, .darkTheme = ComboDarkTheme};
    case Kind::Button:
        return {.ctlColor = true, .darkTheme = ExplorerDarkTheme};
    case Kind::CheckBox: // the theme draws its text black: the classic one takes the colours
        return {.ctlColor = true, .darkTheme = NoTheme};
    case Kind::UpDown:
        return {.darkTheme = ExplorerDarkTheme};
    case Kind::PageControl: // owner-drawn tabs, on the classic frame
        return {.darkTheme = NoTheme, .ownerDrawn = true};
    case Kind::StatusBar: // it sends no WM_CTLCOLOR*
        return {.darkTheme = NoTheme, .ownerDrawn = true};
    case Kind::GroupBox: // it draws its caption in its own colour, whatever it is told
    case Kind::Form:
    case Kind::TabSheet:
    case Kind::Panel:
    case Kind::BitBtn:
    case Kind::SpeedButton:
    case Kind::Image:
        return {.ownerDrawn = true};
    case Kind::DateTimePicker: // its field ignores every colour it is given
    case Kind::ProgressBar:
    case Kind::MainMenu: // a menu bar has no dark mode of its own
        return {.staysLight = true};
    case Kind::PopupMenu: // dark through the program's preferred mode
    case Kind::MenuItem:
    case Kind::Timer:
        return {};
    }
    return {};
}

} // namespace win32
