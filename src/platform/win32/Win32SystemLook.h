#pragma once

#include "platform/SystemLook.h"
#include "platform/win32/Handle.h"

namespace win32 {

// The class of the hidden window that hears the system's look change.
inline constexpr wchar_t LookWindowClass[] = L"TrelvixLookWindow";

// Where Windows keeps the user's choice of light or dark apps.
inline constexpr wchar_t PersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The messages that tell a top-level window the look may have changed.
[[nodiscard]] bool IsLookChange(UINT message);

class Win32SystemLook : public port::SystemLook {
  public:
    Win32SystemLook() = default;
    ~Win32SystemLook() override;
    Win32SystemLook(const Win32SystemLook&) = delete;
    Win32SystemLook& operator=(const Win32SystemLook&) = delete;

    // SystemParametersInfoW SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON.
    bool HighContrast() override;
    // HKCU PersonalizeKey AppsUseLightTheme is the DWORD 0; anything else (missing, another
    // type, damaged) is the light look Windows itself falls back to.
    bool AppsUseDarkMode() override;
    // GetSysColor of each.
    port::SystemColors Colors() override;
    // A hidden top-level window (broadcasts never reach a message-only one) whose
    // WM_SETTINGCHANGE, WM_THEMECHANGED and WM_SYSCOLORCHANGE run `onChange`.
    void Watch(std::function<void()> onChange, std::function<void()> onError) override;

    [[nodiscard]] HWND Window() const { return window_.get(); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Changed() noexcept;

    std::function<void()> onChange_;
    std::function<void()> onError_;
    UniqueWindow window_;
};

} // namespace win32
