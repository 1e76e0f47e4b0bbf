#include "fakes/TestProgram.h"
#include "tools/ProceduresOfSystem.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::uint64_t MB = 1024 * 1024;

TEST(SystemPanel, MegabytesRoundHalvesToEven) {
    const std::pair<std::uint64_t, std::uint64_t> cases[] = {
        {0, 0},
        {MB / 2, 0},          // 0.5
        {MB / 2 + 1, 1},      // just over a half
        {MB + MB / 2, 2},     // 1.5
        {2 * MB + MB / 2, 2}, // 2.5
        {536346624, 512},     // 511.5
        {535822336, 511},     // 511.0
        {537395200, 512},     // 512.5
        {4294967295, 4096},   // the old 32-bit maximum
        {~std::uint64_t{0}, std::uint64_t{1} << 44},
    };
    for (const auto& [bytes, megabytes] : cases)
        EXPECT_EQ(trelvix::WholeMegabytes(bytes), megabytes) << bytes;
}

struct MemoryCase {
    const char* name;
    std::function<void(port::MemoryStatus&)> arrange;
    tk::Label trelvix::TMainForm::*label;
    const char* text;
};

TEST(SystemPanel, MemoryLabels) {
    using F = trelvix::TMainForm;
    const MemoryCase cases[] = {
        {"load", [](auto& m) { m.memoryLoad = 37; }, &F::Label10, "Memory Load - 37%"},
        {"free load", [](auto& m) { m.memoryLoad = 37; }, &F::Label11, "Free Memory - 63%"},
        {"511.5 MB", [](auto& m) { m.totalPhys = 536346624; }, &F::Label12,
         "Total Physical Memory - 512 MBytes"},
        {"511.0 MB", [](auto& m) { m.totalPhys = 535822336; }, &F::Label12,
         "Total Physical Memory - 511 MBytes"},
        {"512.5 MB", [](auto& m) { m.totalPhys = 537395200; }, &F::Label12,
         "Total Physical Memory - 512 MBytes"},
        {"no page file", [](auto& m) { m.availPageFile = 0; }, &F::Label15,
         "Free Page File Memory - 0 Mbytes"},
        {"16 GB physical", [](auto& m) { m.totalPhys = 16 * 1024 * MB; }, &F::Label12,
         "Total Physical Memory - 16384 MBytes"},
        {"free physical", [](auto& m) { m.availPhys = 9 * 1024 * MB; }, &F::Label13,
         "Free Physical Memory - 9216 Mbytes"},
        {"page file", [](auto& m) { m.totalPageFile = 32 * 1024 * MB; }, &F::Label14,
         "Total Page File Memory  - 32768 Mbytes"},
        {"64-bit address space", [](auto& m) { m.totalVirtual = 0x7FFFFFFE0000; }, &F::Label16,
         "Total Virtual Memory - 134217728 Mbytes"},
        {"free address space", [](auto& m) { m.availVirtual = 0x7FFF00000000; }, &F::Label17,
         "Free Virtual Memory - 134213632 Mbytes"},
    };
    for (const MemoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::TestProgram t;
        t.Start();
        c.arrange(t.fake.system.memory);
        t.Main().TimerControl.Tick();
        EXPECT_EQ((t.Main().*c.label).Caption(), c.text);
    }
}

TEST(SystemPanel, MemoryShownAtStartUp) {
    fakes::TestProgram t;
    t.fake.system.memory.memoryLoad = 80;
    t.Start();
    EXPECT_EQ(t.Main().Label11.Caption(), "Free Memory - 20%");
    EXPECT_EQ(t.Main().Label17.Caption(), "Free Virtual Memory - 0 Mbytes");
}

// The longest texts the figures can make still fit their labels (about 7 pixels a
// character in the dialog font).
TEST(SystemPanel, LabelsFitSixtyFourBitFigures) {
    fakes::TestProgram t;
    t.fake.system.memory = {100, ~0ull, ~0ull, ~0ull, ~0ull, ~0ull, ~0ull};
    t.Start();
    auto& f = t.Main();
    for (const tk::Label* l : {&f.Label10, &f.Label11, &f.Label12, &f.Label13, &f.Label14,
                               &f.Label15, &f.Label16, &f.Label17}) {
        SCOPED_TRACE(l->Caption());
        EXPECT_GE(l->Width(), 7 * static_cast<int>(l->Caption().size()));
        EXPECT_LE(l->Left() + l->Width(), f.GroupBox10.Width());
    }
}

TEST(SystemPanel, Uptime) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {93787000, "26:03:07"},
        {999, "0:00:00"},
        {59999, "0:00:59"},
        {4294967295, "1193:02:47"},
        {5000000000, "1388:53:20"}, // past 49.7 days: no wrap
        {~std::uint64_t{0}, "5124095576030:25:51"},
    };
    for (const auto& [ticks, text] : cases) {
        fakes::TestProgram t;
        t.fake.system.tickCount = ticks;
        t.Start();
        EXPECT_EQ(t.Main().Label23.Caption(), text) << ticks;
        t.fake.system.tickCount = ticks / 2;
        t.Main().Check1000.Tick();
        t.fake.system.tickCount = ticks;
        t.Main().Check1000.Tick();
        EXPECT_EQ(t.Main().Label23.Caption(), text) << ticks;
    }
}

TEST(SystemPanel, ToolButtonsLaunchFromTheSystemDirectory) {
    fakes::TestProgram t;
    t.Start();
    t.Main().BitBtn9.Click();
    t.Main().BitBtn10.Click();
    const auto& opens = t.fake.shell.opens;
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].file, "C:\\WINDOWS\\system32\\TaskMgr.exe");
    EXPECT_EQ(opens[1].file, "C:\\WINDOWS\\system32\\dxdiag.exe");
    for (const auto& o : opens) {
        EXPECT_FALSE(o.parameters.has_value());
        EXPECT_EQ(o.show, 1);
    }
}

} // namespace
