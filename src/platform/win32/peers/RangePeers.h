#pragma once

#include "platform/win32/peers/ControlPeer.h"

namespace win32 {

class TrackBarPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnScroll(UINT code) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;

  private:
    [[nodiscard]] tk::TrackBar& Bar() const { return static_cast<tk::TrackBar&>(control_); }
};

class ProgressBarPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;

  private:
    [[nodiscard]] tk::ProgressBar& Bar() const { return static_cast<tk::ProgressBar&>(control_); }
};

// Two arrows and no value of their own: each press is an up or a down click.
class UpDownPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

  protected:
    void Create() override;
};

class DateTimePickerPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;

  private:
    [[nodiscard]] tk::DateTimePicker& Picker() const {
        return static_cast<tk::DateTimePicker&>(control_);
    }
    void ApplyValue();

    bool applying_ = false;
};

} // namespace win32
