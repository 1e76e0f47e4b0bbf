#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

namespace {

using e2e::WaitFor;
namespace id = ids::about;

// Ctrl+A opens the About box over the main window; what it shows is read from outside, and
// Escape closes it whichever of its controls has the key.
TEST(AboutE2e, CtrlAOpensTheAboutBoxAndEscapeClosesItFromAnyControl) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    const auto open = [&app] {
        HWND about = nullptr;
        app.PressCtrlKey('A');
        EXPECT_TRUE(WaitFor([&] { return (about = app.Dialog("About")) != nullptr; }));
        return about;
    };
    HWND about = open();
    ASSERT_NE(about, nullptr);
    const auto control = [&](int fixedId) { return app.ControlIn(about, fixedId); };
    EXPECT_EQ(app.Text(control(id::Label3)), "Version Trelvix 3.008");
    EXPECT_EQ(app.TabCaptions(control(id::PageControl1)),
              (std::vector<std::string>{"Version History", "Credits", "Pay for Trelvix !"}));
    const std::vector<std::string> history = app.ListItems(control(id::ListBox1));
    ASSERT_EQ(history.size(), 80u);
    EXPECT_EQ(history[4], "Trelvix 3.008 08/22/2005");
    EXPECT_EQ(history[29], "directory is disappear. Now all Ok. ");
    EXPECT_EQ(history[79], "8. +Add AutoStart.");
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(control(id::Image1)) != FALSE; }))
        << "the picture shows once the fade is over";
    EXPECT_FALSE(IsWindowEnabled(app.Main())) << "modal over the main window";

    for (int fixedId : {id::ListBox1, id::BitBtn1, id::PageControl1}) {
        app.PostChar(control(fixedId), 27);
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
