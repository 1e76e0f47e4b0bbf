#include "platform/win32/peers/RangePeers.h"

#include "platform/win32/Win32System.h"
#include "platform/win32/peers/FormPeer.h"

namespace win32 {

// ---- Track bar ----

void TrackBarPeer::Create() {
    CreateControl(TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, 0, L"");
}

void TrackBarPeer::SyncAll() {
    Sync(tk::Prop::Range);
    Sync(tk::Prop::Position);
}

void TrackBarPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Range) {
        SendMessageW(window_.get(), TBM_SETRANGEMIN, FALSE, Bar().Min());
        SendMessageW(window_.get(), TBM_SETRANGEMAX, TRUE, Bar().Max());
    } else if (prop == tk::Prop::Position) {
        SendMessageW(window_.get(), TBM_SETPOS, TRUE, Bar().Position());
    }
}

bool TrackBarPeer::OnScroll(UINT /*code*/) {
    const auto position = static_cast<int>(SendMessageW(window_.get(), TBM_GETPOS, 0, 0));
    Bar().SetPosition(position);
    if (window_ && position != Bar().Position())
        SendMessageW(window_.get(), TBM_SETPOS, TRUE, Bar().Position());
    return true;
}

// ---- Progress bar ----

void ProgressBarPeer::Create() {
    CreateControl(PROGRESS_CLASSW, PBS_SMOOTH, 0, L"");
}

void ProgressBarPeer::SyncAll() {
    Sync(tk::Prop::Range);
}

void ProgressBarPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Range)
        SendMessageW(window_.get(), PBM_SETRANGE32, 0, Bar().Max());
    if (prop == tk::Prop::Range || prop == tk::Prop::Position)
        SendMessageW(window_.get(), PBM_SETPOS, static_cast<WPARAM>(Bar().Position()), 0);
}

// ---- Up-down ----

void UpDownPeer::Create() {
    CreateControl(UPDOWN_CLASSW, 0, 0, L"");
    if (!window_)
        return;
    // Kept in the middle of a range so that both arrows always work.
    SendMessageW(window_.get(), UDM_SETRANGE32, 0, 100);
    SendMessageW(window_.get(), UDM_SETPOS32, 0, 50);
}

bool UpDownPeer::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != UDN_DELTAPOS)
        return false;
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (change.iDelta > 0)
        static_cast<tk::UpDown&>(control_).UpClick();
    else if (change.iDelta < 0)
        static_cast<tk::UpDown&>(control_).DownClick();
    result = TRUE; // the position stays where it is
    return true;
}

// ---- Date and time picker ----

void DateTimePickerPeer::Create() {
    const DWORD format =
        Picker().PickKind == tk::PickerKind::Time ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
    CreateControl(DATETIMEPICK_CLASSW, WS_TABSTOP | format, 0, L"");
}

void DateTimePickerPeer::SyncAll() {
    ApplyValue();
}

void DateTimePickerPeer::Sync(tk::Prop prop) {
    if (prop == tk::Prop::Value)
        ApplyValue();
}

void DateTimePickerPeer::ApplyValue() {
    const tk::DateTime& v = Picker().Value();
    SYSTEMTIME time = ToSystemTime({v.year, v.month, v.day, v.hour, v.minute, v.second});
    applying_ = true;
    SendMessageW(window_.get(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    applying_ = false;
}

bool DateTimePickerPeer::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != DTN_DATETIMECHANGE)
        return false;
    result = 0;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
    if (applying_ || change.dwFlags != GDT_VALID)
        return true;
    const port::LocalTime t = FromSystemTime(change.st);
    Picker().ChangeByUser(tk::DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second});
    return true;
}

} // namespace win32
