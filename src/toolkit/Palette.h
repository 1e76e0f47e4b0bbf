#pragma once

#include "toolkit/Controls.h"

#include <array>

namespace tk {

// How the program looks: as designed, in the user's dark mode, or in the user's High
// Contrast colours.
enum class Look { Light, Dark, HighContrast };

inline constexpr Color Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

// The design's accent colours, in the order a palette lists them as it shows them.
inline constexpr std::array<Color, 5> DesignAccents{clMagenta, clBlue, clRed, clMaroon, clGreen};

// The colours the program draws with in one look. The light look is the design itself:
// clDefault there leaves the system's own colour, as every control had before looks existed.
struct Palette {
    Look look = Look::Light;
    Color face = clDefault, faceText = clDefault;   // windows, labels, buttons, tabs, groups
    Color field = clDefault, fieldText = clDefault; // lists, edits, combo boxes
    Color disabledText = clDefault;
    Color highlight = clDefault, highlightText = clDefault;
    Color link = clDefault;   // underlined labels with a hand cursor
    Color border = clDefault; // frames the program draws itself
    // DesignAccents as this look shows them.
    std::array<Color, 5> accents = DesignAccents;
    bool operator==(const Palette&) const = default;
};

// The text and background a control is drawn with; clDefault: the system's.
struct ControlColors {
    Color text = clDefault;
    Color back = clDefault;
    bool operator==(const ControlColors&) const = default;
};

// Kinds whose text stands on a field of its own (lists, edits, combo boxes), not on the face.
[[nodiscard]] bool OnField(Kind kind);
// A label that opens something: underlined with a hand cursor.
[[nodiscard]] bool IsLink(const Control& control);
// A design colour as `palette` shows it; clDefault when the look has none for it.
[[nodiscard]] Color AccentIn(const Palette& palette, Color design);
// The colours of `control` under `palette`: its design colours shown in the look, else the
// look's colours for its kind; a disabled control's text in the look's disabled colour.
[[nodiscard]] ControlColors ColorsOf(const Palette& palette, const Control& control);

} // namespace tk
