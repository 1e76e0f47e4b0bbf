#pragma once

#include "toolkit/Controls.h"

namespace win32 {

// How a kind of control goes dark, the one table every peer follows. A theme is set only in
// the dark look; what the program draws itself it draws in High Contrast too, with the
// user's colours.
struct DarkWay {
    // Answers WM_CTLCOLOR* with the palette's colours (in every look but the light one).
    bool ctlColor = false;
    // The visual style in the dark look: nullptr keeps the system's, L"" turns it off (so
    // that the classic drawing takes the colours of WM_CTLCOLOR*), else a theme class.
    const wchar_t* darkTheme = nullptr;
    // Painted by the program in the palette's colours: owner-drawn items or its own WM_PAINT.
    bool ownerDrawn = false;
    // No way to make it dark: it keeps the light look.
    bool staysLight = false;
};

inline constexpr wchar_t ExplorerDarkTheme[] = L"DarkMode_Explorer";
// Windows' own dark style of a combo box's field and button.
inline constexpr wchar_t ComboDarkTheme[] = L"DarkMode_CFD";
inline constexpr wchar_t NoTheme[] = L"";

[[nodiscard]] DarkWay DarkWayOf(tk::Kind kind);

} // namespace win32
