#include "e2e/Driver.h"

#include <gtest/gtest.h>

namespace {

using e2e::WaitFor;

// A second start while the program sits hidden in the tray: no second window, no second
// icon; the running one shows its window and the second process leaves with 0.
TEST(ResidentE2e, ASecondStartHandsOverToTheRunningInstance) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    e2e::PostChar(app.Main(), 27); // Escape: into the tray
    ASSERT_TRUE(WaitFor([&] { return !app.MainVisible(); }));

    EXPECT_EQ(e2e::StartAnotherInstance(), 0u);
    EXPECT_TRUE(WaitFor([&] { return app.MainVisible(); }));
    EXPECT_EQ(e2e::CountWindows(L"TrelvixForm", L"Trelvix"), 1);
    EXPECT_EQ(e2e::CountWindows(L"TrelvixTrayIconWindow"), 1);
    EXPECT_TRUE(WaitFor([] { return e2e::StoredSetting("WindowStates") == 0u; }));
    app.Close();
    EXPECT_FALSE(app.Running());
}

// A stored position that no monitor shows (a screen unplugged, a damaged setting).
TEST(ResidentE2e, AWindowStoredOffScreenOpensOnTheScreen) {
    e2e::ForgetSettings();
    e2e::StoreSetting("LeftForm", 999999);
    e2e::StoreSetting("TopForm", static_cast<std::uint32_t>(-100000));
    e2e::Trelvix app;
    app.Start();
    RECT window{};
    GetWindowRect(app.Main(), &window);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_GE(window.left, screen.left);
    EXPECT_GE(window.top, screen.top);
    EXPECT_LE(window.right, screen.right);
    EXPECT_LT(window.top, screen.bottom);
    app.Close();
    EXPECT_EQ(e2e::StoredSetting("LeftForm"), static_cast<std::uint32_t>(window.left));
}

} // namespace
