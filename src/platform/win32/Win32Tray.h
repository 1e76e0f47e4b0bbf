#pragma once

#include "platform/Tray.h"
#include "platform/win32/Handle.h"

#include <shlobj.h>

#include <optional>
#include <string>

namespace win32 {

// The class of the tray component's hidden window, so that it can be found from outside.
inline constexpr wchar_t TrayWindowClass[] = L"TrelvixTrayIconWindow";
// The message the shell sends the hidden window about the icon; with version 4 of the icon,
// the low word of lParam is the event and wParam the point a menu is anchored at.
inline constexpr UINT TrayCallbackMessage = WM_USER + 1;

// A second start of the program sends this registered message to the running instance's
// hidden window, which then shows the main window.
inline constexpr wchar_t ShowMainWindowMessage[] = L"Trelvix.ShowMainWindow";
// The shell's drive notices (SHChangeNotifyRegister) arrive as this message.
inline constexpr UINT DriveNoticeMessage = WM_USER + 2;

// A registration of SHChangeNotifyRegister, deregistered with the object.
class ShellNotification {
  public:
    ShellNotification() = default;
    explicit ShellNotification(ULONG id) : id_(id) {}
    ~ShellNotification() { reset(); }
    ShellNotification(const ShellNotification&) = delete;
    ShellNotification& operator=(const ShellNotification&) = delete;
    void reset(ULONG id = 0) {
        if (id_ != 0)
            SHChangeNotifyDeregister(id_);
        id_ = id;
    }

  private:
    ULONG id_ = 0;
};

// Text as the shell's fixed fields take it: at most `limit` UTF-16 units (63 for a tip or a
// balloon's title, 255 for a balloon's text), never ending in half a surrogate pair.
std::wstring ShellFieldText(const std::string& text, std::size_t limit);
inline std::wstring NotifyTip(const std::string& tip) {
    return ShellFieldText(tip, 63);
}

// The event of the icon's callback message; nothing for those the program leaves alone.
[[nodiscard]] std::optional<port::TrayEvent> IconEventOf(WPARAM wParam, LPARAM lParam);

// The event of a WM_DEVICECHANGE: volumes arriving or removed, with their letters.
[[nodiscard]] std::optional<port::TrayEvent> VolumeEventOf(WPARAM change, LPARAM data);

class Win32Tray : public port::Tray {
  public:
    Win32Tray();
    ~Win32Tray() override;
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    // A hidden top-level window (it can become the foreground window, a message-only one
    // cannot). It answers the shell's callback messages, the end-of-session messages and the
    // shell's "TaskbarCreated" broadcast, the hand-over message, volume arrival and removal
    // (WM_DEVICECHANGE) and the shell's drive notices with events; every other message gets the
    // system's default handling, which a window needs to be created, activated and destroyed.
    void CreateMessageWindow(std::function<void(const port::TrayEvent&)> onEvent,
                             std::function<void()> onError) override;
    // Shell_NotifyIconW NIM_ADD (followed by NIM_SETVERSION 4) / NIM_MODIFY / NIM_DELETE of
    // icon 0 of the hidden window; false when the shell refuses or there is no window yet.
    bool Add(const port::NotifyIconData& data) override;
    bool Modify(const port::NotifyIconData& data) override;
    bool Delete() override;
    // NIM_MODIFY with NIF_INFO; the tag is kept for the click (NIN_BALLOONUSERCLICK).
    bool ShowBalloon(const std::string& title, const std::string& text, port::BalloonIcon icon,
                     const std::string& tag) override;
    // SetForegroundWindow of the hidden window.
    void SetForeground() override;

    HWND Window() const { return window_.get(); }
    unsigned TaskbarCreated() const { return taskbarCreated_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The event a message means; nothing for the messages left to the system.
    [[nodiscard]] std::optional<port::TrayEvent> EventOf(UINT message, WPARAM wParam,
                                                         LPARAM lParam) const;
    bool Notify(DWORD command, const port::NotifyIconData* data);
    // The record that names the program's one icon: the hidden window's icon 0.
    [[nodiscard]] NOTIFYICONDATAW IconRecord() const;

    std::function<void(const port::TrayEvent&)> onEvent_;
    std::function<void()> onError_;
    UniqueWindow window_;
    UniqueIcon ownIcon_;
    HICON icon_ = nullptr; // ownIcon_, or the system's shared default icon
    unsigned taskbarCreated_ = 0;
    unsigned showRequest_ = 0;
    std::string balloonTag_; // of the balloon shown last
    bool showsTip_ = false;  // the icon was last given a tip to show
    ShellNotification driveNotices_;
};

} // namespace win32
