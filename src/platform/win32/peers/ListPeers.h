#pragma once

#include "platform/win32/peers/ControlPeer.h"

namespace win32 {

class ListBoxPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnCommand(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    [[nodiscard]] POINT KeyboardMenuPoint() const override;

  private:
    [[nodiscard]] tk::ListBox& List() const { return static_cast<tk::ListBox&>(control_); }
    void FillItems();
    void SelectFromModel();
    void FitHorizontalExtent();
};

// A drop-down with an edit field. Its height in the model is the field's; the window
// is as tall as field and list together.
class ComboBoxPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnCommand(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    [[nodiscard]] RECT Placement() const override;

  private:
    [[nodiscard]] tk::ComboBox& Combo() const { return static_cast<tk::ComboBox&>(control_); }
    void FillItems();
};

// Drive letters with the system's small drive icons.
class DriveComboPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnCommand(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    [[nodiscard]] RECT Placement() const override;

  private:
    [[nodiscard]] tk::DriveComboBox& Drives() const {
        return static_cast<tk::DriveComboBox&>(control_);
    }
    void FillItems();
    void SelectFromModel();
};

} // namespace win32
