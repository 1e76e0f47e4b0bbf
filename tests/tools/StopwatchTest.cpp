#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The visible state of the stopwatch, compared as a whole: caption and glyph of the
// start/stop button, "Continue time" enabled, timer running, the count.
using Face = std::tuple<std::string, std::string, bool, bool, std::string>;

Face FaceOf(trelvix::TMainForm& f) {
    return {f.BitBtn6.Caption(), f.BitBtn6.Glyph().name, f.BitBtn8.Enabled(),
            f.StopWatchTimer2.Running(), f.Label9.Caption()};
}

Face Running(const std::string& count) {
    return {"Stop StopWatch", "NoClock.bmp", false, true, count};
}
Face Stopped(const std::string& count) {
    return {"Start StopWatch", "Clock.bmp", true, false, count};
}

void Ticks(trelvix::TMainForm& f, int n) {
    for (int i = 0; i < n; ++i)
        f.StopWatchTimer2.Tick();
}

TEST(StopWatch, StartStopContinue) {
    fakes::TestProgram t;
    t.Start();
    auto& f = t.Main();
    EXPECT_EQ(FaceOf(f), Stopped(""));

    // "Continue time" before the first start counts from zero.
    f.BitBtn8.Click();
    EXPECT_EQ(FaceOf(f), Running(""));
    Ticks(f, 1);
    f.BitBtn6.Click();
    EXPECT_EQ(FaceOf(f), Stopped("Pass 1 sec."));

    f.BitBtn6.Click();
    EXPECT_EQ(FaceOf(f), Running("Pass 0 sec."));
    EXPECT_EQ(f.StopWatchTimer2.Interval(), 1000);
    Ticks(f, 3);
    f.BitBtn8.Click(); // disabled while running
    f.BitBtn6.Click();
    Ticks(f, 2); // a stopped timer does not fire
    EXPECT_EQ(FaceOf(f), Stopped("Pass 3 sec."));

    f.BitBtn8.Click();
    EXPECT_EQ(FaceOf(f), Running("Pass 3 sec."));
    Ticks(f, 1);
    EXPECT_EQ(f.Label9.Caption(), "Pass 4 sec.");
}

// A missing picture is reported once; the stopwatch still runs and its buttons
// still match its state.
TEST(StopWatch, MissingGlyphKeepsTheStateConsistent) {
    fakes::TestProgram t;
    t.fake.bitmaps.missing = {"NoClock.bmp"};
    t.Start();
    t.Main().BitBtn6.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
    EXPECT_NE(t.fake.desktop.boxes[0].text.find("NoClock.bmp"), std::string::npos);
    EXPECT_EQ(FaceOf(t.Main()), Running("Pass 0 sec."));
}

} // namespace
