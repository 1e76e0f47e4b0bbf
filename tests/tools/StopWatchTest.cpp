#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

// The visible state of the stopwatch, compared as a whole.
struct Face {
    std::string caption;
    std::string glyph;
    bool continueEnabled;
    bool running;
    std::string count;
    bool operator==(const Face&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Face& f) {
    return os << "{" << f.caption << ", " << f.glyph << ", continue " << f.continueEnabled
              << ", running " << f.running << ", \"" << f.count << "\"}";
}

Face FaceOf(trelvix::TMainForm& f) {
    return {f.BitBtn6.Caption(), f.BitBtn6.Glyph().name, f.BitBtn8.Enabled(),
            f.StopWatchTimer2.Running(), f.Label9.Caption()};
}

void Ticks(trelvix::TMainForm& f, int n) {
    for (int i = 0; i < n; ++i)
        f.StopWatchTimer2.Tick();
}

TEST(StopWatch, StartStopContinue) {
    fakes::TestProgram t;
    t.Start();
    auto& f = t.Main();
    EXPECT_EQ(FaceOf(f), (Face{"Start StopWatch", "Clock.bmp", true, false, ""}));

    f.BitBtn6.Click();
    EXPECT_EQ(FaceOf(f), (Face{"Stop StopWatch", "NoClock.bmp", false, true, "Pass 0 sec."}));
    EXPECT_EQ(f.StopWatchTimer2.Interval(), 1000);
    Ticks(f, 3);
    EXPECT_EQ(f.Label9.Caption(), "Pass 3 sec.");

    f.BitBtn8.Click(); // disabled while running
    f.BitBtn6.Click();
    EXPECT_EQ(FaceOf(f), (Face{"Start StopWatch", "Clock.bmp", true, false, "Pass 3 sec."}));
    Ticks(f, 2); // a stopped timer does not fire
    EXPECT_EQ(f.Label9.Caption(), "Pass 3 sec.");

    f.BitBtn8.Click();
    EXPECT_EQ(FaceOf(f), (Face{"Stop StopWatch", "NoClock.bmp", false, true, "Pass 3 sec."}));
    Ticks(f, 1);
    EXPECT_EQ(f.Label9.Caption(), "Pass 4 sec.");

    f.BitBtn6.Click();
    f.BitBtn6.Click(); // a new start counts from zero again
    EXPECT_EQ(f.Label9.Caption(), "Pass 0 sec.");
    Ticks(f, 1);
    EXPECT_EQ(f.Label9.Caption(), "Pass 1 sec.");
}

TEST(StopWatch, ContinueBeforeTheFirstStartCountsFromZero) {
    fakes::TestProgram t;
    t.Start();
    auto& f = t.Main();
    f.BitBtn8.Click();
    EXPECT_EQ(FaceOf(f), (Face{"Stop StopWatch", "NoClock.bmp", false, true, ""}));
    Ticks(f, 1);
    EXPECT_EQ(f.Label9.Caption(), "Pass 1 sec.");
    Ticks(f, 99);
    EXPECT_EQ(f.Label9.Caption(), "Pass 100 sec.");
}

// A missing picture is reported once; the stopwatch still runs and its buttons
// still match its state.
TEST(StopWatch, MissingGlyphKeepsTheStateConsistent) {
    fakes::TestProgram t;
    t.fake.bitmaps.missing = {"NoClock.bmp"};
    t.Start();
    auto& f = t.Main();
    f.BitBtn6.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_NE(t.fake.desktop.boxes[0].text.find("NoClock.bmp"), std::string::npos);
    EXPECT_TRUE(f.StopWatchTimer2.Running());
    EXPECT_FALSE(f.BitBtn8.Enabled());
    EXPECT_EQ(f.BitBtn6.Caption(), "Stop StopWatch");
}

} // namespace
