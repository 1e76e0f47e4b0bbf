#include "toolkit/Palette.h"

#include <algorithm>

namespace tk {

bool OnField(Kind kind) {
    switch (kind) {
    case Kind::ListBox:
    case Kind::ComboBox:
    case Kind::DriveComboBox:
    case Kind::Edit:
    case Kind::Memo:
        return true;
    default:
        return false;
    }
}

bool IsLink(const Control& control) {
    return control.GetKind() == Kind::Label && control.HandCursor() && control.GetFont().underline;
}

Color AccentIn(const Palette& palette, Color design) {
    const auto* at = std::find(DesignAccents.begin(), DesignAccents.end(), design);
    if (at == DesignAccents.end())
        return palette.look == Look::Light ? design : clDefault;
    return palette.accents[static_cast<size_t>(at - DesignAccents.begin())];
}

namespace {

Color TextOf(const Palette& palette, const Control& control) {
    const bool field = OnField(control.GetKind());
    const Color kindText = field ? palette.fieldText : palette.faceText;
    const Color design = control.GetFont().color;
    if (palette.look == Look::Light)
        return design;
    if (!control.Enabled())
        return palette.disabledText;
    if (palette.look == Look::HighContrast)
        return IsLink(control) ? palette.link : kindText;
    if (design == clDefault)
        return kindText;
    const Color shown = AccentIn(palette, design);
    return shown != clDefault ? shown : kindText;
}

} // namespace

ControlColors ColorsOf(const Palette& palette, const Control& control) {
    if (palette.look == Look::Light)
        return {control.GetFont().color, control.GetColor()};
    const Color back = OnField(control.GetKind()) ? palette.field : palette.face;
    return {TextOf(palette, control), back};
}

} // namespace tk
