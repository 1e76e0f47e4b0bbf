#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t MB = 1024 * 1024, GB = 1024 * MB;

TEST(SystemPanel, MemoryFiguresAtStartUpAndEverySecond) {
    fakes::TestProgram t;
    t.fake.system.memory = {37, 16 * GB, 9 * GB, 32 * GB, 0, 0x7FFFFFFE0000, 0x7FFF00000000};
    t.Start();
    auto& f = t.Main();
    const tk::Label* labels[] = {&f.Label10, &f.Label11, &f.Label12, &f.Label13,
                                 &f.Label14, &f.Label15, &f.Label16, &f.Label17};
    std::vector<std::string> texts;
    for (const tk::Label* l : labels)
        texts.push_back(l->Caption());
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "Memory Load - 37%", "Free Memory - 63%", "Total Physical Memory - 16384 MBytes",
                  "Free Physical Memory - 9216 Mbytes", "Total Page File Memory  - 32768 Mbytes",
                  "Free Page File Memory - 0 Mbytes", "Total Virtual Memory - 134217728 Mbytes",
                  "Free Virtual Memory - 134213632 Mbytes"}));
    f.SelectPage(5); // the figures follow the clock while their page shows
    // Whole megabytes, a half going to the even neighbour.
    const std::pair<std::uint64_t, const char*> cases[] = {
        {536346624, "Total Physical Memory - 512 MBytes"}, // 511.5
        {535822336, "Total Physical Memory - 511 MBytes"}, // 511.0
        {537395200, "Total Physical Memory - 512 MBytes"}, // 512.5
    };
    for (const auto& [bytes, text] : cases) {
        t.fake.system.memory.totalPhys = bytes;
        f.TimerControl.Tick();
        EXPECT_EQ(f.Label12.Caption(), text);
    }
    // The longest texts still fit their labels, at about 7 pixels a character.
    t.fake.system.memory = {100, ~0ull, ~0ull, ~0ull, ~0ull, ~0ull, ~0ull};
    f.TimerControl.Tick();
    for (const tk::Label* l : labels) {
        EXPECT_GE(l->Width(), 7 * static_cast<int>(l->Caption().size())) << l->Caption();
        EXPECT_LE(l->Left() + l->Width(), f.GroupBox10.Width()) << l->Caption();
    }
}

TEST(SystemPanel, UptimeAtStartUpAndEverySecond) {
    fakes::TestProgram t;
    t.fake.system.tickCount = 93787000;
    t.Start();
    EXPECT_EQ(t.Main().Label23.Caption(), "26:03:07");
    t.Main().SelectPage(5);
    const std::pair<std::uint64_t, const char*> cases[] = {
        {999, "0:00:00"},
        {4294967295, "1193:02:47"},
        {5000000000, "1388:53:20"}, // past 2^32 ms: no wrap
    };
    for (const auto& [ticks, text] : cases) {
        t.fake.system.tickCount = ticks;
        t.Main().Check1000.Tick();
        EXPECT_EQ(t.Main().Label23.Caption(), text) << ticks;
    }
}

} // namespace
