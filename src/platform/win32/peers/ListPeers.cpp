#include "platform/win32/peers/ListPeers.h"

#include "platform/win32/peers/FormPeer.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

namespace win32 {

namespace {
// How far a drop-down's list reaches below its field, in 96-DPI units.
constexpr int DropDownHeight = 160;

// Changes many items without repainting after each.
class NoRedraw {
  public:
    explicit NoRedraw(HWND window) : window_(window) {
        SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~NoRedraw() {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

  private:
    HWND window_;
};
} // namespace

// ---- Every list kind ----

RECT ListPeer::Placement() const {
    RECT at = ControlPeer::Placement();
    if (messages_.dropDown)
        at.bottom += Scale(DropDownHeight);
    return at;
}

void ListPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Items)
        FillItems();
    else if (prop == tk::Prop::ItemIndex)
        SelectFromModel();
}

void ListPeer::FillItems() {
    NoRedraw quiet(window_.get());
    SendMessageW(window_.get(), messages_.reset, 0, 0);
    AddItems();
    SelectFromModel();
}

void ListPeer::SelectFromModel() {
    SendMessageW(window_.get(), messages_.setSelection, static_cast<WPARAM>(ModelSelection()), 0);
}

bool ListPeer::OnCommand(UINT code) {
    if (code != messages_.selectionChanged)
        return ControlPeer::OnCommand(code);
    const auto chosen = [this] {
        return static_cast<int>(SendMessageW(window_.get(), messages_.getSelection, 0, 0));
    };
    UserSelected(chosen());
    if (window_ && chosen() != ModelSelection())
        SelectFromModel();
    return true;
}

// ---- List box ----

ListBoxPeer::ListBoxPeer(FormPeer& form, tk::Control& control)
    : TextListPeer(
          form, control,
          {LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE, false}) {}

void ListBoxPeer::Create() {
    CreateControl(L"LISTBOX",
                  WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, L"");
}

void ListBoxPeer::SyncAll() {
    ListPeer::SyncAll();
    FitHorizontalExtent();
}

void ListBoxPeer::Sync(tk::Prop prop) {
    ListPeer::Sync(prop);
    if (prop == tk::Prop::Items || prop == tk::Prop::Font)
        FitHorizontalExtent();
}

std::span<const Notice> ListBoxPeer::Notices() const {
    static constexpr Notice notices[] = {{LBN_DBLCLK, &tk::Control::DblClick}};
    return notices;
}

void ListBoxPeer::FitHorizontalExtent() {
    int widest = 0;
    {
        const WindowDC dc(window_.get());
        const SelectedObject font(dc.get(), Font());
        for (const std::string& item : List().Items()) {
            std::wstring text = Widen(item);
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    SendMessageW(window_.get(), LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(widest > 0 ? widest + Scale(6) : 0), 0);
}

POINT ListBoxPeer::KeyboardMenuPoint() const {
    RECT item{};
    LRESULT index = SendMessageW(window_.get(), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        index = SendMessageW(window_.get(), LB_GETTOPINDEX, 0, 0);
    if (SendMessageW(window_.get(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return ControlPeer::KeyboardMenuPoint();
    POINT at{item.left + Scale(8), item.bottom};
    ClientToScreen(window_.get(), &at);
    return at;
}

// ---- Combo box ----

ComboBoxPeer::ComboBoxPeer(FormPeer& form, tk::Control& control)
    : TextListPeer(
          form, control,
          {CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE, true}) {}

void ComboBoxPeer::Create() {
    CreateControl(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"");
}

void ComboBoxPeer::SyncAll() {
    ListPeer::SyncAll();
    // An item chosen by program shows in the field, as it does when chosen after the window
    // was made; a text of the program's own replaces it.
    if (List().ItemIndex() < 0 || !List().Text().empty())
        ApplyText();
}

void ComboBoxPeer::Sync(tk::Prop prop) {
    ListPeer::Sync(prop);
    // Emptying the list empties the field too.
    if (prop == tk::Prop::Text || prop == tk::Prop::Items)
        ApplyText();
}

void ComboBoxPeer::ApplyText() {
    const std::wstring text = Widen(List().Text());
    if (WindowText() == text)
        return;
    applying_ = true;
    SetWindowTextW(window_.get(), text.c_str());
    applying_ = false;
}

bool ComboBoxPeer::OnCommand(UINT code) {
    if (code != CBN_EDITCHANGE)
        return ListPeer::OnCommand(code);
    const std::string text = Narrow(WindowText());
    if (!applying_ && text != List().Text())
        List().TypeText(text);
    return true;
}

// ---- Drive combo box ----

DriveComboPeer::DriveComboPeer(FormPeer& form, tk::Control& control)
    : ListPeer(
          form, control,
          {CB_RESETCONTENT, CBEM_INSERTITEMW, CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE, true}) {}

void DriveComboPeer::Create() {
    CreateControl(WC_COMBOBOXEXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, L"");
    if (!window_)
        return;
    // The system's own image list: shared by every program, never destroyed.
    SHFILEINFOW info{};
    auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images != nullptr)
        SendMessageW(window_.get(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void DriveComboPeer::AddItems() {
    for (const tk::DriveItem& drive : Drives().Drives()) {
        std::wstring text = Widen(drive.text);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = -1;
        item.pszText = text.data();
        if (drive.icon >= 0) {
            item.mask |= CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
            item.iImage = item.iSelectedImage = drive.icon;
        }
        SendMessageW(window_.get(), messages_.add, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int DriveComboPeer::ModelSelection() const {
    const auto& drives = Drives().Drives();
    const auto same = [&](const tk::DriveItem& d) {
        return std::toupper(static_cast<unsigned char>(d.letter)) ==
               std::toupper(static_cast<unsigned char>(Drives().Drive()));
    };
    const auto found = std::find_if(drives.begin(), drives.end(), same);
    return found == drives.end() ? -1 : static_cast<int>(found - drives.begin());
}

void DriveComboPeer::UserSelected(int index) {
    const auto& drives = Drives().Drives();
    if (index >= 0 && static_cast<size_t>(index) < drives.size())
        Drives().SelectDrive(drives[static_cast<size_t>(index)].letter);
}

} // namespace win32
