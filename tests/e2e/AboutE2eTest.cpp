#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

namespace {

using e2e::WaitFor;
namespace id = ids::about;

// Ctrl+A opens the About box over the main window, and Escape closes it whichever of its controls
// has the key.
TEST(AboutE2e, CtrlAOpensTheAboutBoxAndEscapeClosesItFromAnyControl) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    const auto open = [&app] {
        app.PressKeys({VK_CONTROL, 'A'});
        return app.WaitForWindow({}, "About");
    };
    HWND about = open();
    ASSERT_NE(about, nullptr);
    const auto control = [&](int fixedId) { return app.Control(fixedId, about); };
    EXPECT_EQ(app.Text(control(id::Label3)), "Version Trelvix 3.008");
    EXPECT_EQ(app.ListItems(control(id::ListBox1)).size(), 80u) << "the history reaches the list";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(control(id::Image1)) != FALSE; }))
        << "the picture shows once the fade is over";
    EXPECT_FALSE(IsWindowEnabled(app.Main())) << "modal over the main window";

    for (int fixedId : {id::ListBox1, id::BitBtn1, id::PageControl1}) {
        e2e::PostChar(control(fixedId), 27);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(about) == FALSE; })) << fixedId;
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
        EXPECT_TRUE(app.MainVisible()) << "Escape in the dialog leaves the main window alone";
        if (fixedId != id::PageControl1) {
            EXPECT_EQ(open(), about);
        }
    }
    app.Close();
    EXPECT_FALSE(app.Running());
}

} // namespace
