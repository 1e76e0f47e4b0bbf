#include "fakes/Fakes.h"
#include "toolkit/Application.h"
#include "toolkit/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A small form with one control of each kind whose events have rules.
struct Probe : tk::Form {
    explicit Probe(tk::Application& app) : tk::Form(app, "Probe", 1) {
        Menu = &Bar;
        SetVisible(true);
    }
    tk::ListBox List{*this, this, "List", 2};
    tk::TrackBar Track{*this, this, "Track", 3};
    tk::Edit Field{*this, this, "Field", 4};
    tk::PageControl Pages{*this, this, "Pages", 5};
    tk::TabSheet First{*this, Pages, "First", 6};
    tk::TabSheet Second{*this, Pages, "Second", 7};
    tk::Button Go{*this, this, "Go", 8};
    tk::Timer Clock{*this, "Clock", 9};
    tk::MainMenu Bar{*this, "Bar", 10};
    tk::MenuItem Tools{*this, Bar, "Tools", 11, "&Tools"};
    tk::MenuItem Refresh{*this, Tools, "Refresh", 12, "&Refresh", 116};
    tk::SpeedButton Tool{*this, this, "Tool", 13};
    tk::ComboBox Combo{*this, this, "Combo", 14};
};

// A peer that writes down which properties it was told about.
struct RecordingPeer : tk::Peer {
    explicit RecordingPeer(std::vector<tk::Prop>& seen) : seen(seen) {}
    void Changed(tk::Prop prop) override { seen.push_back(prop); }
    std::vector<tk::Prop>& seen;
};

struct EventRules : ::testing::Test {
    fakes::FakeDesktop desktop;
    tk::Application app{desktop, "trelvix"};
    Probe form{app};
    int events = 0;
    void Count(tk::Handler& h) {
        h = [this] { ++events; };
    }
};

// The user's changes raise their control's event; the program's only where the toolkit
// raises one too, and only when something changed.
TEST_F(EventRules, ProgramChangesRaiseOnlyWhereTheToolkitDoes) {
    for (tk::Handler* h : {&form.Track.OnChange, &form.Field.OnChange, &form.List.OnClick,
                           &form.Pages.OnChange, &form.Combo.OnChange})
        Count(*h);
    form.Track.SetRange(1, 60);
    form.List.SetItems({"x", "y"});
    form.Combo.SetItems({"0", "1"});
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { form.Track.SetPosition(5); }, 1},        {[&] { form.Track.SetPosition(5); }, 0},
        {[&] { form.Track.SetPosition(100); }, 1},      {[&] { form.Field.SetText("a"); }, 1},
        {[&] { form.Field.SetText("a"); }, 0},          {[&] { form.List.SetItemIndex(1); }, 0},
        {[&] { form.Pages.SetActivePageIndex(1); }, 0}, {[&] { form.Combo.SetText("5"); }, 0},
        {[&] { form.Combo.SelectItem(1); }, 1}, // as the user chooses
        {[&] { form.Combo.TypeText("12"); }, 1},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        events = 0;
        steps[i].first();
        EXPECT_EQ(events, steps[i].second) << "step " << i;
    }
    EXPECT_EQ(form.Track.Position(), 60) << "positions are clamped to the range";
    form.Combo.SelectItem(0);
    EXPECT_EQ(form.Combo.Text(), "0") << "the chosen item becomes the text";
}

// A user's event needs an enabled, visible control (or menu item) and a timer a period;
// positions outside their range select nothing or leave the page shown.
TEST_F(EventRules, UserEventsNeedAReachableControl) {
    Count(form.Go.OnClick);
    form.Go.SetEnabled(false);
    form.Go.Click();
    form.Go.SetEnabled(true);
    form.Go.SetVisible(false);
    form.Go.Click();
    EXPECT_EQ(events, 0);
    form.Go.SetVisible(true);
    form.Go.Click();
    EXPECT_EQ(events, 1);

    Count(form.Refresh.OnClick);
    EXPECT_TRUE(form.ShortCut(116));
    form.Refresh.SetEnabled(false);
    EXPECT_FALSE(form.ShortCut(116)) << "a disabled item's shortcut does nothing";
    EXPECT_EQ(events, 2);

    Count(form.Clock.OnTimer);
    form.Clock.SetInterval(0);
    form.Clock.Tick();
    EXPECT_EQ(events, 2) << "a timer of interval zero does not fire";

    form.List.SetItems({"x", "y"});
    form.List.SetItemIndex(100);
    EXPECT_EQ(form.List.ItemIndex(), -1);
    EXPECT_THROW((void)form.List.Item(-1), tk::EListError);
    form.Pages.SetActivePageIndex(1);
    form.Pages.SetActivePageIndex(9);
    EXPECT_EQ(form.Pages.ActivePageIndex(), 1) << "a page outside the pages leaves it shown";
}

// The toolkit's own exceptions are shown with their texts by the handlers that meet them;
// here, what every error has in common.
TEST_F(EventRules, HandlerErrorsShowTheStandardBoxAndTheProgramGoesOn) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { throw std::runtime_error("Already ends."); }, "Already ends."},
        {[] { throw 42; }, "Unexpected error."},
    };
    for (const auto& [raise, text] : cases) {
        desktop.boxes.clear();
        form.Go.OnClick = raise;
        form.Go.Click();
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, text);
        EXPECT_EQ(desktop.boxes[0].caption, "trelvix");
        EXPECT_EQ(desktop.boxes[0].flags, port::mb::IconError);
    }
}

TEST_F(EventRules, ErrorsUnderAnOpenBoxAreShownAfterItEachTextOnce) {
    // A timer keeps ticking under an open box: its errors wait for the box to close.
    int ticks = 0;
    form.Clock.OnTimer = [&] { throw std::runtime_error(++ticks % 2 != 0 ? "tick" : "tock"); };
    form.Go.OnClick = [] { throw std::runtime_error("Disk error"); };
    desktop.whileBoxOpen = [&] {
        if (desktop.boxes.size() == 1)
            for (int i = 0; i < 4; ++i)
                form.Clock.Tick();
        if (desktop.boxes.size() == 2)
            form.Clock.Tick(); // "tick" again while its own box is open
    };
    form.Go.Click();
    EXPECT_EQ(desktop.Texts(), (std::vector<std::string>{"Disk error.", "tick.", "tock."}));
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(app.ErrorBoxesShown(), 3);

    desktop.whileBoxOpen = nullptr;
    form.Clock.Tick();
    EXPECT_EQ(desktop.boxes.size(), 4u) << "once the boxes are closed, the next error shows";
}

// Each setter tells the peer the property it changed, and only when it changed. (Text,
// value and check marks are seen through real windows in the Win32 tier.)
TEST_F(EventRules, SettersNotifyThePropertyTheyChanged) {
    std::vector<tk::Prop> seen;
    for (tk::Component* c : form.Components())
        c->AttachPeer(std::make_unique<RecordingPeer>(seen));
    form.AttachPeer(std::make_unique<RecordingPeer>(seen));
    form.Track.SetPosition(5);
    const tk::Bitmap on{"On.bmp", nullptr};
    const std::vector<std::string> ab{"a", "b"};
    using P = tk::Prop;
    struct Case {
        const char* what;
        std::function<void()> set;
        std::vector<tk::Prop> props;
    };
    const Case cases[] = {
        {"flat", [&] { form.Tool.SetFlat(true); }, {P::Flat}},
        {"glyph", [&] { form.Tool.SetGlyph(on); }, {P::Glyph}},
        {"interval", [&] { form.Clock.SetInterval(500); }, {P::Interval}},
        {"same interval", [&] { form.Clock.SetInterval(500); }, {}},
        {"range cuts the position", [&] { form.Track.SetRange(0, 3); }, {P::Range, P::Position}},
        {"bounds", [&] { form.Go.SetBounds(8, 0, 0, 0); }, {P::Bounds}},
        {"same bounds", [&] { form.Go.SetBounds(8, 0, 0, 0); }, {}},
        {"items", [&] { form.List.SetItems(ab); }, {P::Items}},
        {"same items", [&] { form.List.SetItems(ab); }, {}},
        {"same item", [&] { form.List.SetItem(1, "b"); }, {}},
        {"other item", [&] { form.List.SetItem(1, "c"); }, {P::Items}},
        {"hand cursor", [&] { form.Go.SetHandCursor(true); }, {P::Cursor}},
    };
    for (const Case& c : cases) {
        seen.clear();
        c.set();
        EXPECT_EQ(seen, c.props) << c.what;
    }
}

} // namespace
