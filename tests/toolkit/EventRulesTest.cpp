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
    tk::DateTimePicker When{*this, this, "When", 14};
    tk::ComboBox Combo{*this, this, "Combo", 15};
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

TEST_F(EventRules, ProgramChangesRaiseOnlyWhereTheToolkitDoes) {
    form.Track.SetRange(1, 60);
    Count(form.Track.OnChange);
    form.Track.SetPosition(5);
    form.Track.SetPosition(5);
    EXPECT_EQ(events, 1) << "a track bar raises its change only when the position changes";
    form.Track.SetPosition(100);
    EXPECT_EQ(form.Track.Position(), 60) << "positions are clamped to the range";
    EXPECT_EQ(events, 2);

    events = 0;
    Count(form.Field.OnChange);
    form.Field.SetText("a");
    form.Field.SetText("a");
    EXPECT_EQ(events, 1) << "an edit raises its change only when the text changes";

    events = 0;
    Count(form.List.OnClick);
    Count(form.Pages.OnChange);
    form.List.SetItems({"x", "y"});
    form.List.SetItemIndex(1);
    form.Pages.SetActivePageIndex(1);
    EXPECT_EQ(events, 0) << "list and page selection by program raise nothing";

    Count(form.Combo.OnChange);
    form.Combo.SetItems({"0", "1"});
    form.Combo.SetText("5");
    EXPECT_EQ(events, 0) << "a combo box's text set by program raises nothing";
    form.Combo.SelectItem(1);
    form.Combo.TypeText("12");
    EXPECT_EQ(events, 2) << "choosing an item and typing raise the change";
    form.Combo.SelectItem(0);
    EXPECT_EQ(form.Combo.Text(), "0") << "the chosen item becomes the text";
}

TEST_F(EventRules, IndexesOutsideTheirRange) {
    form.List.SetItems({"x", "y"});
    form.List.SetItemIndex(100);
    EXPECT_EQ(form.List.ItemIndex(), -1);
    EXPECT_THROW((void)form.List.Item(-1), tk::EListError);
    form.Pages.SetActivePageIndex(1);
    form.Pages.SetActivePageIndex(9);
    EXPECT_EQ(form.Pages.ActivePageIndex(), 1) << "a page outside the pages leaves it shown";
}

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

    events = 0;
    Count(form.Refresh.OnClick);
    EXPECT_TRUE(form.ShortCut(116));
    form.Refresh.SetEnabled(false);
    EXPECT_FALSE(form.ShortCut(116)) << "a disabled item's shortcut does nothing";
    EXPECT_EQ(events, 1);
}

TEST_F(EventRules, ATimerOfIntervalZeroDoesNotFire) {
    Count(form.Clock.OnTimer);
    form.Clock.SetInterval(0);
    form.Clock.Tick();
    EXPECT_EQ(events, 0);
    form.Clock.SetInterval(1000);
    form.Clock.Tick();
    EXPECT_EQ(events, 1);
}

TEST_F(EventRules, HandlerErrorsShowTheStandardBoxAndTheProgramGoesOn) {
    struct Case {
        std::function<void()> raise;
        std::string text;
    };
    const Case cases[] = {
        {[] { throw tk::EFOpenError("C:\\x\\.\\Resource\\On.bmp", "File not found"); },
         "Cannot open file \"C:\\x\\.\\Resource\\On.bmp\". File not found."},
        {[] { throw tk::ERegistryException::InvalidDataType("Interval"); },
         "Invalid data type for 'Interval'."},
        {[] { throw tk::ERegistryException::FailedToSetData("TopForm"); },
         "Failed to set data for 'TopForm'."},
        {[] { throw tk::EConvertError("12a"); }, "'12a' is not a valid integer value."},
        {[] { throw std::runtime_error("Already ends."); }, "Already ends."},
        {[] { throw 42; }, "Unexpected error."},
    };
    for (const Case& c : cases) {
        desktop.boxes.clear();
        form.Go.OnClick = c.raise;
        form.Go.Click();
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, c.text);
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

// Each setter tells the peer the property it changed, and only when it changed.
TEST_F(EventRules, SettersNotifyThePropertyTheyChanged) {
    std::vector<tk::Prop> seen;
    for (tk::Component* c : form.Components())
        c->AttachPeer(std::make_unique<RecordingPeer>(seen));
    form.AttachPeer(std::make_unique<RecordingPeer>(seen));
    form.Track.SetPosition(5);
    using P = tk::Prop;
    struct Case {
        const char* what;
        std::function<void()> set;
        std::vector<tk::Prop> props;
    };
    const Case cases[] = {
        {"flat", [&] { form.Tool.SetFlat(true); }, {P::Flat}},
        {"glyph",
         [&] {
             form.Tool.SetGlyph(tk::Bitmap{"On.bmp", nullptr});
         },
         {P::Glyph}},
        {"interval", [&] { form.Clock.SetInterval(500); }, {P::Interval}},
        {"same interval", [&] { form.Clock.SetInterval(500); }, {}},
        {"date",
         [&] {
             form.When.SetValue(tk::DateTime{2026, 12, 6});
         },
         {P::Value}},
        {"text", [&] { form.Field.SetText("a"); }, {P::Text}},
        {"range cuts the position", [&] { form.Track.SetRange(0, 3); }, {P::Range, P::Position}},
        {"bounds", [&] { form.Go.SetBounds(8, 0, 0, 0); }, {P::Bounds}},
        {"same bounds", [&] { form.Go.SetBounds(8, 0, 0, 0); }, {}},
        {"check", [&] { form.Refresh.SetChecked(true); }, {P::Checked}},
        {"hand cursor", [&] { form.Go.SetHandCursor(true); }, {P::Cursor}},
    };
    for (const Case& c : cases) {
        seen.clear();
        c.set();
        EXPECT_EQ(seen, c.props) << c.what;
    }
}

} // namespace
