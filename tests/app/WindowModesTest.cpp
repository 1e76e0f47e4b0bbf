#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

using port::RegRoot;
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Mode {
    bool on;
    std::string glyph;
    std::string hint;
    bool checked;
};

Mode StayOnTopMode(trelvix::TMainForm& f) {
    return {f.Topmost(), f.SpeedButton7.Glyph().name, f.SpeedButton7.Hint(),
            f.StayOnTop1.Checked()};
}

TEST(WindowModes, StayOnTopFromMenuAndButtonAgree) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = *p.MainForm;
    EXPECT_EQ(f.SpeedButton7.Glyph().name, "StayOnBack.bmp");
    EXPECT_EQ(f.SpeedButton7.Hint(), "Stay On Top is Not Active. Trelvix is under other Windows.");

    f.StayOnTop1.Click();
    Mode m = StayOnTopMode(f);
    EXPECT_TRUE(m.on && m.checked && p.StayOnTop);
    EXPECT_EQ(m.glyph, "StayOnTop.bmp");
    EXPECT_EQ(m.hint, "Stay On Top is Active. Trelvix is over other Windows.");
    EXPECT_EQ(t.Stored("StayOnTop"), 1);

    f.SpeedButton7.Click();
    m = StayOnTopMode(f);
    EXPECT_FALSE(m.on || m.checked || p.StayOnTop);
    EXPECT_EQ(m.glyph, "StayOnBack.bmp");
    EXPECT_EQ(t.Stored("StayOnTop"), 0);
}

TEST(WindowModes, StoredStayOnTopIsAppliedAtStart) {
    fakes::TestProgram t;
    t.Store("StayOnTop", 1);
    auto& f = *t.Start().MainForm;
    Mode m = StayOnTopMode(f);
    EXPECT_TRUE(m.on && m.checked);
    EXPECT_EQ(m.glyph, "StayOnTop.bmp");
}

TEST(WindowModes, AutoRunIsDetectedFromTheRunKeyNames) {
    struct Case {
        std::vector<std::string> names;
        bool on;
    };
    const Case cases[] = {{{}, false},
                          {{"Other", "Trelvix", "Later"}, true},
                          {{"TrelvixOld"}, true},
                          {{"trelvix"}, false}}; // the comparison is case-sensitive
    for (const Case& c : cases) {
        fakes::TestProgram t;
        for (const auto& name : c.names)
            t.fake.registry.SetString(RegRoot::CurrentUser, RunKey, name, "x.exe");
        auto& p = t.Start();
        EXPECT_EQ(p.AutoRunOn, c.on) << c.names.size();
        EXPECT_EQ(p.MainForm->AutoRun1.Checked(), c.on);
        EXPECT_EQ(p.MainForm->SpeedButton8.Glyph().name, c.on ? "AutoRun.bmp" : "NoAutoRun.bmp");
    }
}

TEST(WindowModes, AutoRunToggleWritesAndDeletesTheProgramsValue) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = *p.MainForm;
    EXPECT_FALSE(t.fake.registry.HasKey(RegRoot::CurrentUser, RunKey));
    f.AutoRun1.Click();
    auto value = t.fake.registry.Get(RegRoot::CurrentUser, RunKey, "Trelvix");
    ASSERT_TRUE(value.has_value()) << "the Run key is created when missing";
    EXPECT_EQ(value->text, "C:\\Program Files\\Trelvix\\trelvix.exe");
    EXPECT_TRUE(f.AutoRun1.Checked());
    EXPECT_EQ(f.SpeedButton8.Hint(), "AutoRun is On. Trelvix Launch when computer is start");
    f.SpeedButton8.Click();
    EXPECT_FALSE(t.fake.registry.Get(RegRoot::CurrentUser, RunKey, "Trelvix").has_value());
    EXPECT_FALSE(f.AutoRun1.Checked());
    EXPECT_EQ(f.SpeedButton8.Hint(), "AutoRun is Off. Trelvix dont launch when computer is start");
}

TEST(WindowModes, RefusedRunValueWriteIsReported) {
    fakes::TestProgram t;
    auto& p = t.Start();
    t.fake.registry.At(RegRoot::CurrentUser, RunKey).refuseWrites = true;
    p.MainForm->AutoRun1.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "Failed to set data for 'Trelvix'.");
    EXPECT_TRUE(p.MainForm->AutoRun1.Checked()) << "the menu item flipped its mark first";
    EXPECT_EQ(p.MainForm->SpeedButton8.Glyph().name, "NoAutoRun.bmp");
}

} // namespace
