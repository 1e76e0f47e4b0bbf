#include "platform/win32/ComApartment.h"
#include "platform/win32/Win32Tasks.h"

#include <gtest/gtest.h>

// Wine's Task Scheduler cannot enumerate tasks, make logon triggers or change the enabled
// flag, so what the program decides about tasks is tested on the fake port; here the real port
// only has to answer quietly: no tasks, nothing to change, and this user's names.
namespace {

TEST(Win32Tasks, UnderWineThePortListsNothingAndRaisesNothing) {
    const win32::ComApartment com(COINIT_APARTMENTTHREADED);
    win32::Win32Tasks tasks;
    EXPECT_TRUE(tasks.List().empty());
    EXPECT_FALSE(tasks.IsEnabled("\\Trelvix no such task").has_value());
    tasks.SetEnabled("\\Trelvix no such task", false); // nothing to change, nothing raised
    const port::UserNames user = tasks.ThisUser();
    EXPECT_FALSE(user.name.empty());
    EXPECT_TRUE(user.qualified.ends_with("\\" + user.name)) << user.qualified;
    EXPECT_TRUE(user.sid.starts_with("S-1-5-")) << user.sid;
}

} // namespace
