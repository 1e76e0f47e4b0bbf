#include "platform/win32/Win32Power.h"

#include <gtest/gtest.h>

namespace {

// The power-off itself is never called by a test: it would end the session of whatever runs
// the tests. The privilege is looked up, not enabled.
TEST(PowerTest, TheShutdownPrivilegeIsKnown) {
    LUID privilege{};
    std::string reason;
    ASSERT_TRUE(win32::LookupShutdownPrivilege(privilege, reason)) << reason;
    EXPECT_EQ(privilege.LowPart, 19u); // SE_SHUTDOWN_PRIVILEGE
    EXPECT_EQ(privilege.HighPart, 0);
}

} // namespace
