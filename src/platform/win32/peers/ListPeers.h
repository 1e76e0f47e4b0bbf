#pragma once

#include "platform/win32/Unicode.h"
#include "platform/win32/peers/ControlPeer.h"

#include <string>

namespace win32 {

// The messages and the notification that tell the list kinds' windows apart.
struct ListMessages {
    UINT reset, add, getSelection, setSelection, selectionChanged;
    // A drop-down: its height in the model is the field's, the window reaches below it.
    bool dropDown;
};

// Items and a selection mirrored from the model. A user's choice goes to the model, which
// may refuse it or change the list meanwhile; the window then shows the model's choice.
class ListPeer : public ControlPeer {
  public:
    ListPeer(FormPeer& form, tk::Control& control, const ListMessages& messages)
        : ControlPeer(form, control), messages_(messages) {}
    bool OnCommand(UINT code) override;

  protected:
    void Sync(tk::Prop prop) override;
    void SyncAll() override { FillItems(); }
    [[nodiscard]] RECT Placement() const override;
    // Adds the model's items to the emptied window.
    virtual void AddItems() = 0;
    // The model's selection as a position in the window; -1 for none.
    [[nodiscard]] virtual int ModelSelection() const = 0;
    // The user chose the window's item at `index` (-1 for none).
    virtual void UserSelected(int index) = 0;

    void FillItems();
    void SelectFromModel();

    const ListMessages messages_;
};

// The kinds whose items are texts.
template <typename ListModel> class TextListPeer : public ListPeer {
  public:
    using ListPeer::ListPeer;

  protected:
    [[nodiscard]] ListModel& List() const { return static_cast<ListModel&>(control_); }
    void AddItems() override {
        for (const std::string& item : List().Items()) {
            const std::wstring text = Widen(item);
            SendMessageW(window_.get(), messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    [[nodiscard]] int ModelSelection() const override { return List().ItemIndex(); }
    void UserSelected(int index) override { List().SelectItem(index); }
};

class ListBoxPeer : public TextListPeer<tk::ListBox> {
  public:
    ListBoxPeer(FormPeer& form, tk::Control& control);

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
    [[nodiscard]] POINT KeyboardMenuPoint() const override;

  private:
    void FitHorizontalExtent();
};

// A drop-down with an edit field. The field's text is the model's; typing goes to the model.
class ComboBoxPeer : public TextListPeer<tk::ComboBox> {
  public:
    ComboBoxPeer(FormPeer& form, tk::Control& control);
    bool OnCommand(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;

  private:
    void ApplyText();

    bool applying_ = false;
};

// Drive letters with the system's small drive icons.
class DriveComboPeer : public ListPeer {
  public:
    DriveComboPeer(FormPeer& form, tk::Control& control);

  protected:
    void Create() override;
    void AddItems() override;
    [[nodiscard]] int ModelSelection() const override;
    void UserSelected(int index) override;

  private:
    [[nodiscard]] tk::DriveComboBox& Drives() const {
        return static_cast<tk::DriveComboBox&>(control_);
    }
};

} // namespace win32
