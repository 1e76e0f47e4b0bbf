#include "app/Look.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using tk::Look;

// One control of each kind the look treats differently, in the design's colours.
struct Sample : tk::Form {
    explicit Sample(tk::Application& app) : tk::Form(app, "Sample", 1) {
        Accent.SetFont({.color = tk::clBlue});
        Link.SetFont({.underline = true, .color = tk::clBlue});
        Link.SetHandCursor(true);
        Off.SetEnabled(false);
        Maroon.SetFont({.color = tk::clMaroon});
        Tabs.SetFont({.color = tk::clMagenta});
        Odd.SetFont({.color = 0x123456});
    }
    tk::Label Plain{*this, this, "Plain", 2};
    tk::Label Accent{*this, this, "Accent", 3};
    tk::Label Link{*this, this, "Link", 4};
    tk::Label Off{*this, this, "Off", 5};
    tk::ListBox List{*this, this, "List", 6};
    tk::ListBox Maroon{*this, this, "Maroon", 7};
    tk::PageControl Tabs{*this, this, "Tabs", 8};
    tk::Edit Field{*this, this, "Field", 9};
    tk::ComboBox Combo{*this, this, "Combo", 10};
    tk::BitBtn Button{*this, this, "Button", 11};
    tk::StatusBar Status{*this, this, "Status", 12};
    tk::Label Odd{*this, this, "Odd", 13};
};

// A High Contrast scheme no default could pass for: yellow on black, green links.
port::SystemColors Yellow() {
    port::SystemColors c;
    c.windowText = tk::Rgb(255, 255, 0);
    c.window = tk::Rgb(0, 0, 0);
    c.buttonText = tk::Rgb(255, 255, 1);
    c.buttonFace = tk::Rgb(1, 1, 1);
    c.highlight = tk::Rgb(0, 255, 255);
    c.highlightText = tk::Rgb(2, 2, 2);
    c.hotLight = tk::Rgb(0, 255, 0);
    c.grayText = tk::Rgb(128, 255, 128);
    return c;
}

TEST(Look, PaletteOfEachKindInEachLook) {
    fakes::FakeDesktop desktop;
    tk::Application app(desktop, "t");
    Sample f(app);
    const tk::Palette light = trelvix::ChoosePalette(false, false, Yellow());
    const tk::Palette dark = trelvix::ChoosePalette(false, true, Yellow());
    const tk::Palette contrast = trelvix::ChoosePalette(true, true, Yellow());
    const port::SystemColors hc = Yellow();
    const tk::Color d = tk::clDefault;
    const tk::Color darkBlue = dark.accents[1], darkMaroon = dark.accents[3],
                    darkMagenta = dark.accents[0];
    struct Row {
        const tk::Control& control;
        tk::ControlColors light, dark, contrast;
    };
    const Row rows[] = {
        // The light look is the design: its own colours, the system's everywhere else.
        {f.Plain, {d, d}, {dark.faceText, dark.face}, {hc.buttonText, hc.buttonFace}},
        {f.Accent, {tk::clBlue, d}, {darkBlue, dark.face}, {hc.buttonText, hc.buttonFace}},
        {f.Link, {tk::clBlue, d}, {darkBlue, dark.face}, {hc.hotLight, hc.buttonFace}},
        {f.Off, {d, d}, {dark.disabledText, dark.face}, {hc.grayText, hc.buttonFace}},
        {f.List, {d, d}, {dark.fieldText, dark.field}, {hc.windowText, hc.window}},
        {f.Maroon, {tk::clMaroon, d}, {darkMaroon, dark.field}, {hc.windowText, hc.window}},
        {f.Tabs, {tk::clMagenta, d}, {darkMagenta, dark.face}, {hc.buttonText, hc.buttonFace}},
        {f.Field, {d, d}, {dark.fieldText, dark.field}, {hc.windowText, hc.window}},
        {f.Combo, {d, d}, {dark.fieldText, dark.field}, {hc.windowText, hc.window}},
        {f.Button, {d, d}, {dark.faceText, dark.face}, {hc.buttonText, hc.buttonFace}},
        {f.Status, {d, d}, {dark.faceText, dark.face}, {hc.buttonText, hc.buttonFace}},
        {f, {d, d}, {dark.faceText, dark.face}, {hc.buttonText, hc.buttonFace}},
        // A colour the dark look does not know falls back to the kind's text.
        {f.Odd, {0x123456, d}, {dark.faceText, dark.face}, {hc.buttonText, hc.buttonFace}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(tk::ColorsOf(light, row.control), row.light) << row.control.Name();
        EXPECT_EQ(tk::ColorsOf(dark, row.control), row.dark) << row.control.Name();
        EXPECT_EQ(tk::ColorsOf(contrast, row.control), row.contrast) << row.control.Name();
    }
    EXPECT_EQ(light, tk::Palette{}) << "the light look changes nothing of the design";
    EXPECT_EQ(contrast.look, Look::HighContrast) << "High Contrast wins over dark mode";
    // Every accent keeps a colour of its own in the dark look: they keep their meaning.
    for (size_t i = 0; i < dark.accents.size(); ++i)
        for (size_t j = i + 1; j < dark.accents.size(); ++j)
            EXPECT_NE(dark.accents[i], dark.accents[j]) << i << " " << j;
}

double Luminance(tk::Color color) {
    const auto channel = [](unsigned value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color & 0xFF) + 0.7152 * channel((color >> 8) & 0xFF) +
           0.0722 * channel((color >> 16) & 0xFF);
}

double Contrast(tk::Color a, tk::Color b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Look, EveryDarkTextIsReadableOnItsBackground) {
    const tk::Palette dark = trelvix::ChoosePalette(false, true, {});
    std::vector<std::pair<std::string, std::pair<tk::Color, tk::Color>>> pairs = {
        {"face text", {dark.faceText, dark.face}},
        {"field text", {dark.fieldText, dark.field}},
        {"disabled", {dark.disabledText, dark.face}},
        {"disabled on field", {dark.disabledText, dark.field}},
        {"selection", {dark.highlightText, dark.highlight}},
        {"link", {dark.link, dark.face}},
        {"pressed button", {dark.highlightText, dark.highlight}},
    };
    for (size_t i = 0; i < dark.accents.size(); ++i) {
        pairs.push_back({"accent " + std::to_string(i), {dark.accents[i], dark.face}});
        pairs.push_back({"accent on field " + std::to_string(i), {dark.accents[i], dark.field}});
    }
    for (const auto& [name, colors] : pairs)
        EXPECT_GE(Contrast(colors.first, colors.second), 4.5) << name;
    EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9) << "the measure itself";
}

// A peer that counts the palettes it was told of.
struct LookPeer : tk::Peer {
    explicit LookPeer(int& looks) : looks(looks) {}
    void Changed(tk::Prop prop) override { looks += prop == tk::Prop::Look ? 1 : 0; }
    int& looks;
};

TEST(Look, FollowsTheUserWhileTheProgramRuns) {
    fakes::TestProgram t;
    t.fake.look.appsDark = true;
    t.fake.look.colors = Yellow();
    trelvix::Program& p = t.Start();
    EXPECT_EQ(p.App.GetPalette().look, Look::Dark) << "dark from the first window on";
    int looks = 0;
    p.MainForm->ListBox1.AttachPeer(std::make_unique<LookPeer>(looks));
    p.About->AttachPeer(std::make_unique<LookPeer>(looks));

    struct Step {
        bool highContrast, appsDark;
        Look look;
        int told; // notices so far: each change reaches a list and a dialog
    };
    const Step steps[] = {
        {true, true, Look::HighContrast, 2},
        {true, true, Look::HighContrast, 2}, // the same look again: nothing is redrawn
        {false, false, Look::Light, 4},
        {false, true, Look::Dark, 6},
    };
    for (const Step& step : steps) {
        t.fake.look.highContrast = step.highContrast;
        t.fake.look.appsDark = step.appsDark;
        t.fake.look.Change();
        EXPECT_EQ(p.App.GetPalette().look, step.look);
        EXPECT_EQ(looks, step.told);
    }
    t.fake.look.highContrast = true;
    t.fake.look.Change();
    EXPECT_EQ(p.App.GetPalette().face, Yellow().buttonFace) << "the user's own colours";
    t.fake.look.colors.buttonFace = tk::Rgb(9, 9, 9);
    t.fake.look.Change();
    EXPECT_EQ(p.App.GetPalette().face, tk::Rgb(9, 9, 9)) << "a new system colour is followed";

    t.program.reset();
    EXPECT_FALSE(t.fake.look.changeHandler) << "the program stopped listening before it ended";
}

} // namespace
