#include "platform/win32/peers/ListPeers.h"

#include "platform/win32/Unicode.h"
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

// ---- List box ----

void ListBoxPeer::Create() {
    CreateControl(L"LISTBOX",
                  WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, L"");
}

void ListBoxPeer::SyncAll() {
    FillItems();
}

void ListBoxPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Items)
        FillItems();
    else if (prop == tk::Prop::ItemIndex)
        SelectFromModel();
    else if (prop == tk::Prop::Font)
        FitHorizontalExtent();
}

void ListBoxPeer::FillItems() {
    {
        NoRedraw quiet(window_.get());
        SendMessageW(window_.get(), LB_RESETCONTENT, 0, 0);
        for (const std::string& item : List().Items()) {
            std::wstring text = Widen(item);
            SendMessageW(window_.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SelectFromModel();
    }
    FitHorizontalExtent();
}

void ListBoxPeer::SelectFromModel() {
    SendMessageW(window_.get(), LB_SETCURSEL, static_cast<WPARAM>(List().ItemIndex()), 0);
}

void ListBoxPeer::FitHorizontalExtent() {
    HDC dc = GetDC(window_.get());
    HGDIOBJ old = SelectObject(dc, Font());
    int widest = 0;
    for (const std::string& item : List().Items()) {
        std::wstring text = Widen(item);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(window_.get(), dc);
    SendMessageW(window_.get(), LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(widest > 0 ? widest + Scale(6) : 0), 0);
}

bool ListBoxPeer::OnCommand(UINT code) {
    if (code == LBN_SELCHANGE) {
        List().SelectItem(static_cast<int>(SendMessageW(window_.get(), LB_GETCURSEL, 0, 0)));
        // The model may have refused the choice or changed the list meanwhile.
        if (window_ && SendMessageW(window_.get(), LB_GETCURSEL, 0, 0) != List().ItemIndex())
            SelectFromModel();
        return true;
    }
    if (code == LBN_DBLCLK) {
        control_.DblClick();
        return true;
    }
    return false;
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

void ComboBoxPeer::Create() {
    CreateControl(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"");
}

RECT ComboBoxPeer::Placement() const {
    RECT at = ControlPeer::Placement();
    at.bottom += Scale(DropDownHeight);
    return at;
}

void ComboBoxPeer::SyncAll() {
    FillItems();
}

void ComboBoxPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Items)
        FillItems();
    else if (prop == tk::Prop::ItemIndex)
        SendMessageW(window_.get(), CB_SETCURSEL, static_cast<WPARAM>(Combo().ItemIndex()), 0);
}

void ComboBoxPeer::FillItems() {
    NoRedraw quiet(window_.get());
    SendMessageW(window_.get(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : Combo().Items()) {
        std::wstring text = Widen(item);
        SendMessageW(window_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(window_.get(), CB_SETCURSEL, static_cast<WPARAM>(Combo().ItemIndex()), 0);
}

bool ComboBoxPeer::OnCommand(UINT code) {
    if (code != CBN_SELCHANGE)
        return false;
    Combo().SelectItem(static_cast<int>(SendMessageW(window_.get(), CB_GETCURSEL, 0, 0)));
    if (window_ && SendMessageW(window_.get(), CB_GETCURSEL, 0, 0) != Combo().ItemIndex())
        SendMessageW(window_.get(), CB_SETCURSEL, static_cast<WPARAM>(Combo().ItemIndex()), 0);
    return true;
}

// ---- Drive combo box ----

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

RECT DriveComboPeer::Placement() const {
    RECT at = ControlPeer::Placement();
    at.bottom += Scale(DropDownHeight);
    return at;
}

void DriveComboPeer::SyncAll() {
    FillItems();
}

void DriveComboPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Items)
        FillItems();
    else if (prop == tk::Prop::ItemIndex)
        SelectFromModel();
}

void DriveComboPeer::FillItems() {
    NoRedraw quiet(window_.get());
    SendMessageW(window_.get(), CB_RESETCONTENT, 0, 0);
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
        SendMessageW(window_.get(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SelectFromModel();
}

void DriveComboPeer::SelectFromModel() {
    const auto& drives = Drives().Drives();
    const auto same = [&](const tk::DriveItem& d) {
        return std::toupper(static_cast<unsigned char>(d.letter)) ==
               std::toupper(static_cast<unsigned char>(Drives().Drive()));
    };
    const auto found = std::find_if(drives.begin(), drives.end(), same);
    const auto index = found == drives.end() ? -1 : found - drives.begin();
    SendMessageW(window_.get(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool DriveComboPeer::OnCommand(UINT code) {
    if (code != CBN_SELCHANGE)
        return false;
    const auto index = SendMessageW(window_.get(), CB_GETCURSEL, 0, 0);
    const auto& drives = Drives().Drives();
    if (index >= 0 && static_cast<size_t>(index) < drives.size())
        Drives().SelectDrive(drives[static_cast<size_t>(index)].letter);
    if (window_)
        SelectFromModel();
    return true;
}

} // namespace win32
