#include "app/Look.h"

namespace trelvix {

namespace {

using tk::Rgb;

// Light text on near-black, as Windows' own dark programs; every text colour here keeps a
// contrast of at least 4.5:1 on both the face and the field.
tk::Palette DarkPalette() {
    tk::Palette dark;
    dark.look = tk::Look::Dark;
    dark.face = Rgb(32, 32, 32);
    dark.faceText = Rgb(240, 240, 240);
    dark.field = Rgb(25, 25, 25);
    dark.fieldText = Rgb(240, 240, 240);
    dark.disabledText = Rgb(150, 150, 150);
    dark.highlight = Rgb(0, 95, 184);
    dark.highlightText = Rgb(255, 255, 255);
    dark.link = Rgb(110, 170, 255);
    dark.border = Rgb(110, 110, 110);
    // Magenta, blue, red, maroon, green: the same hues, light enough to read on black.
    dark.accents = {Rgb(255, 120, 255), Rgb(110, 170, 255), Rgb(255, 110, 110), Rgb(225, 150, 130),
                    Rgb(110, 205, 110)};
    return dark;
}

// Every colour from the user's own: accents carry no meaning a High Contrast theme keeps.
tk::Palette HighContrastPalette(const port::SystemColors& system) {
    tk::Palette contrast;
    contrast.look = tk::Look::HighContrast;
    contrast.face = system.buttonFace;
    contrast.faceText = system.buttonText;
    contrast.field = system.window;
    contrast.fieldText = system.windowText;
    contrast.disabledText = system.grayText;
    contrast.highlight = system.highlight;
    contrast.highlightText = system.highlightText;
    contrast.link = system.hotLight;
    contrast.border = system.buttonText;
    contrast.accents.fill(system.buttonText);
    return contrast;
}

} // namespace

tk::Palette ChoosePalette(bool highContrast, bool appsDark, const port::SystemColors& system) {
    if (highContrast)
        return HighContrastPalette(system);
    if (appsDark)
        return DarkPalette();
    return tk::Palette{};
}

LookFollower::LookFollower(tk::Application& app, port::SystemLook& look) : app_(app), look_(look) {
    Follow();
    look_.Watch([this] { Follow(); }, [this] { app_.ShowCurrentException(); });
}

LookFollower::~LookFollower() {
    look_.Watch(nullptr, nullptr);
}

void LookFollower::Follow() {
    const bool highContrast = look_.HighContrast();
    app_.SetPalette(ChoosePalette(highContrast, look_.AppsUseDarkMode(),
                                  highContrast ? look_.Colors() : port::SystemColors{}));
}

} // namespace trelvix
