#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

using port::RegRoot;
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* ApprovedKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

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

// A value whose StartupApproved record says disabled is not started by Windows: it counts
// as not registered.
TEST(WindowModes, AutoRunIsDetectedFromTheRunKeyNamesAndTheirRecords) {
    using Bytes = std::vector<std::uint8_t>;
    const Bytes disabled = {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    struct Case {
        std::vector<std::string> names;
        std::vector<std::pair<std::string, Bytes>> records;
        bool on;
    };
    const Case cases[] = {{{}, {}, false},
                          {{"Other", "Trelvix", "Later"}, {}, true},
                          {{"TrelvixOld"}, {}, true},
                          {{"trelvix"}, {}, false}, // the comparison is case-sensitive
                          {{"Trelvix"}, {{"Trelvix", disabled}}, false},
                          {{"Trelvix", "TrelvixOld"}, {{"Trelvix", disabled}}, true},
                          {{"Trelvix"}, {{"Trelvix", Bytes{3, 0, 0, 0}}}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.names) + " " + std::to_string(c.records.size()));
        fakes::TestProgram t;
        for (const auto& name : c.names)
            t.fake.registry.SetString(RegRoot::CurrentUser, RunKey, name, "x.exe");
        for (const auto& [name, bytes] : c.records)
            t.fake.registry.Put(RegRoot::CurrentUser, ApprovedKey, name, fakes::RegBinary(bytes));
        auto& p = t.Start();
        EXPECT_EQ(p.AutoRunOn, c.on);
        EXPECT_EQ(p.MainForm->AutoRun1.Checked(), c.on);
        EXPECT_EQ(p.MainForm->SpeedButton8.Glyph().name, c.on ? "AutoRun.bmp" : "NoAutoRun.bmp");
    }
}

Mode AutoRunMode(trelvix::TMainForm& f) {
    return {f.Prog.AutoRunOn, f.SpeedButton8.Glyph().name, f.SpeedButton8.Hint(),
            f.AutoRun1.Checked()};
}

// The menu item and the tool button alike write the quoted path (an unquoted path with
// blanks would start "C:\Program.exe") with an enabled record, over a disabled one left by
// Windows' startup manager, and delete both again.
TEST(WindowModes, AutoRunToggleWritesTheQuotedPathAndDeletesIt) {
    for (bool fromMenu : {true, false}) {
        SCOPED_TRACE(fromMenu ? "menu" : "button");
        fakes::TestProgram t;
        t.fake.registry.Put(RegRoot::CurrentUser, ApprovedKey, "Trelvix",
                            fakes::RegBinary({3, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9}));
        auto& f = *t.Start().MainForm;
        const auto record = [&] {
            return t.fake.registry.Get(RegRoot::CurrentUser, ApprovedKey, "Trelvix");
        };
        const auto toggle = [&] { fromMenu ? f.AutoRun1.Click() : f.SpeedButton8.Click(); };
        EXPECT_FALSE(t.fake.registry.HasKey(RegRoot::CurrentUser, RunKey));
        toggle();
        auto value = t.fake.registry.Get(RegRoot::CurrentUser, RunKey, "Trelvix");
        ASSERT_TRUE(value.has_value()) << "the Run key is created when missing";
        EXPECT_EQ(value->type, port::RegType::String);
        EXPECT_EQ(value->text, "\"C:\\Program Files\\Trelvix\\trelvix.exe\"");
        ASSERT_TRUE(record().has_value());
        EXPECT_EQ(record()->bytes, (std::vector<std::uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        Mode m = AutoRunMode(f);
        EXPECT_TRUE(m.on && m.checked);
        EXPECT_EQ(m.glyph, "AutoRun.bmp");
        EXPECT_EQ(m.hint, "AutoRun is On. Trelvix Launch when computer is start");
        toggle();
        EXPECT_FALSE(t.fake.registry.Get(RegRoot::CurrentUser, RunKey, "Trelvix").has_value());
        EXPECT_FALSE(record().has_value()) << "no record is left behind";
        m = AutoRunMode(f);
        EXPECT_FALSE(m.on || m.checked);
        EXPECT_EQ(m.glyph, "NoAutoRun.bmp");
        EXPECT_EQ(m.hint, "AutoRun is Off. Trelvix dont launch when computer is start");
    }
}

// A refused write of the value or of its record is reported, and the mode still shows what
// the key holds: off.
TEST(WindowModes, RefusedRunValueWriteIsReportedAndTheModeStaysOff) {
    for (const char* refused : {RunKey, ApprovedKey})
        for (bool fromMenu : {true, false}) {
            SCOPED_TRACE(std::string(fromMenu ? "menu " : "button ") + refused);
            fakes::TestProgram t;
            auto& p = t.Start();
            auto& f = *p.MainForm;
            t.fake.registry.At(RegRoot::CurrentUser, refused).refuseWrites = true;
            fromMenu ? f.AutoRun1.Click() : f.SpeedButton8.Click();
            ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
            EXPECT_EQ(t.fake.desktop.boxes[0].text, "Failed to set data for 'Trelvix'.");
            EXPECT_FALSE(t.fake.registry.Get(RegRoot::CurrentUser, RunKey, "Trelvix").has_value());
            const Mode m = AutoRunMode(f);
            EXPECT_FALSE(m.on || m.checked);
            EXPECT_EQ(m.glyph, "NoAutoRun.bmp");
            EXPECT_EQ(m.hint, "AutoRun is Off. Trelvix dont launch when computer is start");
            f.TimerControl.Tick();
            EXPECT_NE(f.StatusBar1.SimpleText().find("AutoRun=No;"), std::string::npos);
        }
}

} // namespace
