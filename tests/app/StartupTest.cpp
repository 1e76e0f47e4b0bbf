#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

TEST(Startup, SmokeFirstRun) {
    fakes::TestProgram t;
    auto& p = t.Start();
    EXPECT_EQ(p.MainForm->Caption(), "Trelvix");
    EXPECT_EQ(t.Stored("TopForm"), 30);
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

} // namespace
