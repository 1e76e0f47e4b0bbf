#pragma once

#include "platform/win32/peers/ControlPeer.h"

namespace win32 {

class LabelPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    void Create() override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
};

// Edit fields and memos: the text is the model's, typed characters pass its key filter.
class EditPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnCommand(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    [[nodiscard]] tk::Edit& Field() const { return static_cast<tk::Edit&>(control_); }
    void ApplyText();
    void ApplyReadOnly();

    bool applying_ = false;
};

// One simple panel at the bottom of the form; while the model has a second part's text, two
// parts: the status line and, at the right end, the second part.
class StatusBarPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    void Relayout() override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    // Outside the light look the bar is painted here: it asks its parent for no colours. Its
    // texts stay in the bar, for readers from outside.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    [[nodiscard]] tk::StatusBar& Bar() const { return static_cast<tk::StatusBar&>(control_); }
    void ApplyParts();
    void ApplyText();
    void Paint(HDC dc);
};

class BevelPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    void Create() override;
};

// A picture at its own size (scaled with the window's DPI) in the control's top-left corner;
// the rest of the control shows the form's colour.
class ImagePeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
};

} // namespace win32
