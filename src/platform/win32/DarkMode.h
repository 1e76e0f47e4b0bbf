#pragma once

#include "platform/System.h"
#include "platform/win32/Handle.h"

namespace win32 {

// The first build whose uxtheme exports the dark-mode functions Windows' own programs use
// (Windows 10 1809); from 18362 (1903) ordinal 135 sets the preferred mode of the app.
inline constexpr unsigned FirstDarkBuild = 17763;
inline constexpr unsigned FirstPreferredModeBuild = 18362;
// The title bar attribute: 20 from Windows 10 2004 on, 19 on the builds before.
inline constexpr DWORD DarkTitleAttribute = 20;
inline constexpr DWORD DarkTitleAttributeBefore2004 = 19;

// The function at `ordinal` of `module` is exported by number alone. Where a name sits at an
// ordinal (Wine's uxtheme has OpenThemeData and others there), it is another function.
[[nodiscard]] bool NamelessOrdinal(HMODULE module, WORD ordinal);

// The undocumented dark mode of menus and windows, looked up by ordinal only on builds that
// have it, and only when every one of them is there and nameless; every call does nothing
// otherwise (older Windows, Wine).
class DarkMode {
  public:
    explicit DarkMode(port::WindowsVersion version);
    DarkMode(const DarkMode&) = delete;
    DarkMode& operator=(const DarkMode&) = delete;

    // The build has the functions, so they were looked up.
    [[nodiscard]] bool LookedUp() const { return lookedUp_; }
    // Every function was found.
    [[nodiscard]] bool Available() const;

    // Menus (the tray menu too) of the whole program dark or light; 104 makes a switch while
    // the program runs take effect.
    void SetAppDark(bool dark);
    // A window's own parts: its scroll bars may go dark (133), and its title bar (DWM).
    void SetWindowDark(HWND window, bool dark) const;

  private:
    using PreferredAppMode = int(WINAPI*)(int mode);
    using AllowForApp = BOOL(WINAPI*)(BOOL allow);
    using AllowForWindow = BOOL(WINAPI*)(HWND window, BOOL allow);
    using Plain = void(WINAPI*)();
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

    bool lookedUp_ = false;
    bool preferredMode_ = false; // ordinal 135 is SetPreferredAppMode, not AllowDarkModeForApp
    PreferredAppMode setPreferredAppMode_ = nullptr;
    AllowForApp allowDarkModeForApp_ = nullptr;
    AllowForWindow allowDarkModeForWindow_ = nullptr;
    Plain flushMenuThemes_ = nullptr;
    Plain refreshColorPolicy_ = nullptr;
    Unique<HMODULE, &FreeLibrary> dwm_;
    SetAttribute setWindowAttribute_ = nullptr;
};

} // namespace win32
