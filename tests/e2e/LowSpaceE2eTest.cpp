#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace {

using e2e::WaitFor;
using namespace std::chrono_literals;

constexpr std::uint64_t GB = 1ull << 30;

// C: and Z: report the same host disk: a threshold a gigabyte above its free space.
std::uint32_t ThresholdAboveFreeSpace() {
    ULARGE_INTEGER free{}, total{};
    if (GetDiskFreeSpaceExW(L"C:\\", &free, &total, nullptr) == FALSE)
        return 0;
    const std::uint64_t threshold = free.QuadPart / GB + 1;
    return threshold * GB <= total.QuadPart ? static_cast<std::uint32_t>(threshold) : 0;
}

TEST(LowSpaceE2e, NoBalloonWithTheWarningOff) {
    e2e::ForgetSettings();
    e2e::StoreSetting("LowSpaceGB", 0);
    // No other notice may come in its place.
    e2e::StoreSetting("WatchAutoStart", 0);
    e2e::Trelvix app;
    app.Start();
    // The start-up survey has listed the drives: any warning would have come with it.
    ASSERT_TRUE(
        WaitFor([&] { return app.ListItems(app.Control(ids::main::ListBox1)).size() >= 3; }));
    EXPECT_FALSE(WaitFor([] { return e2e::BalloonsShown() > 0; }, 3s));
    app.Close();
    EXPECT_EQ(e2e::StoredSetting("LowSpaceGB"), 0u);
}

TEST(LowSpaceE2e, AThresholdAboveTheFreeSpaceShowsOneBalloon) {
    const std::uint32_t threshold = ThresholdAboveFreeSpace();
    if (threshold == 0)
        GTEST_SKIP() << "the host disk is too empty for a threshold below its size";
    e2e::ForgetSettings();
    e2e::StoreSetting("LowSpaceGB", threshold);
    e2e::StoreSetting("WatchAutoStart", 0);
    e2e::Trelvix app;
    app.Start();
    EXPECT_TRUE(WaitFor([] { return e2e::BalloonsShown() == 1; }, 10s)) << e2e::BalloonsShown();
    app.Close();
}

} // namespace
