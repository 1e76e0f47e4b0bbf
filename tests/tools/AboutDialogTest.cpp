#include "fakes/TestProgram.h"
#include "tools/CrossFade.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using trelvix::BlendByte;
using trelvix::CropToCommonSize;
using trelvix::FadeFrame;

// A picture whose every byte tells where it came from.
port::RgbPixels Picture(int width, int height, int seed) {
    port::RgbPixels p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width * 3; ++i)
            p.bytes.push_back(static_cast<std::uint8_t>((seed + 7 * y + i) % 256));
    return p;
}

TEST(CrossFade, EachByteIsBlendedAndRoundedHalfToEven) {
    struct Case {
        int p, q, k, expected;
    };
    const Case cases[] = {
        {10, 11, 50, 10},  // 10.5 -> 10
        {11, 12, 50, 12},  // 11.5 -> 12
        {0, 255, 50, 128}, // 127.5 -> 128
        {1, 0, 50, 0},     // 0.5 -> 0
        {0, 255, 99, 252}, // 252.45: 1 % of the first picture, 99 % of the second
        {255, 0, 99, 3},   // 2.55
        {200, 100, 1, 199}, {255, 255, 37, 255}, {42, 7, 0, 42}, {42, 7, 100, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendByte(static_cast<std::uint8_t>(c.p), static_cast<std::uint8_t>(c.q), c.k),
                  c.expected)
            << c.p << " " << c.q << " k=" << c.k;
}

// A byte of Picture() does not depend on the width: the top left of a larger one is the
// smaller one.
TEST(CrossFade, PicturesAreCutToTheSmallerWidthAndHeightKeepingTheTopLeft) {
    const std::pair<int, int> sizes[][2] = {
        {{80, 90}, {76, 81}}, {{76, 81}, {80, 90}}, {{80, 81}, {76, 90}}, {{76, 81}, {76, 81}}};
    for (const auto& [first, second] : sizes) {
        port::RgbPixels p = Picture(first.first, first.second, 1);
        port::RgbPixels q = Picture(second.first, second.second, 2);
        CropToCommonSize(p, q);
        EXPECT_EQ(p, Picture(76, 81, 1)) << first.first << "x" << first.second;
        EXPECT_EQ(q, Picture(76, 81, 2)) << second.first << "x" << second.second;
    }
}

// Records what the program draws on the About dialog, as the screen would show it.
class DrawingPeer : public tk::Peer {
  public:
    struct Drawing {
        port::RgbPixels picture;
        int x, y;
    };
    void Changed(tk::Prop) override {}
    void DrawPicture(const port::RgbPixels& picture, int x, int y) override {
        drawings.push_back({picture, x, y});
        if (onDraw)
            onDraw();
    }
    std::vector<Drawing> drawings;
    std::function<void()> onDraw;
};

struct AboutDialog : testing::Test {
    AboutDialog() {
        t.fake.bitmaps.pictures = {{"about0.bmp", Picture(80, 90, 10)},
                                   {"about1.bmp", Picture(76, 81, 200)}};
        t.Start();
        auto owned = std::make_unique<DrawingPeer>();
        peer = owned.get();
        About().AttachPeer(std::move(owned));
    }
    trelvix::TAbout& About() { return *t.P().About; }
    // Opens the dialog from the main menu; `user` acts while it is shown.
    void Open(const std::function<void(trelvix::TAbout&)>& user = {}) {
        t.P().App.ModalScript = [&](tk::Form&) {
            EXPECT_TRUE(About().Image1.Visible()) << "shown once the fade is over";
            if (user)
                user(About());
        };
        t.Main().About1.Click();
    }
    std::vector<std::string> Boxes() const { return t.fake.desktop.Texts(); }

    fakes::TestProgram t;
    DrawingPeer* peer = nullptr;
};

TEST_F(AboutDialog, FadesFromTheFirstPictureIntoTheSecondAtEveryOpening) {
    port::RgbPixels p = Picture(80, 90, 10), q = Picture(76, 81, 200);
    CropToCommonSize(p, q);
    Open([](trelvix::TAbout& a) { a.KeyPress(27); });
    ASSERT_EQ(peer->drawings.size(), 100u) << "the first picture, then 99 frames";
    for (const auto& drawing : peer->drawings)
        EXPECT_EQ(std::pair(drawing.x, drawing.y), std::pair(13, 5));
    EXPECT_EQ(peer->drawings[0].picture, p);
    EXPECT_EQ(peer->drawings[50].picture, FadeFrame(p, q, 50));
    EXPECT_EQ(peer->drawings[99].picture, FadeFrame(p, q, 99));
    EXPECT_FALSE(About().Image1.Visible()) << "hidden when the dialog closes";

    Open();
    EXPECT_EQ(peer->drawings.size(), 200u);
    EXPECT_EQ(peer->drawings[100].picture, p) << "the next opening starts with the first picture";
    EXPECT_TRUE(Boxes().empty());
}

// Pictures larger than the dialog are faded only where it shows them, and the fade stops
// when the program is ending.
TEST_F(AboutDialog, LargePicturesAreFadedOnlyWhereShownAndTheFadeStopsWhenTheProgramEnds) {
    t.fake.bitmaps.pictures = {{"about0.bmp", Picture(500, 400, 1)},
                               {"about1.bmp", Picture(400, 500, 2)}};
    peer->onDraw = [this] {
        if (peer->drawings.size() == 10)
            t.P().App.Terminate();
    };
    Open();
    ASSERT_EQ(peer->drawings.size(), 10u);
    // What the dialog shows of a picture drawn at (13, 5).
    const port::RgbPixels p = Picture(376 - 13, 364 - 5, 1), q = Picture(376 - 13, 364 - 5, 2);
    EXPECT_EQ(peer->drawings[0].picture, p);
    EXPECT_EQ(peer->drawings[9].picture, FadeFrame(p, q, 9));
}

TEST_F(AboutDialog, AMissingPictureIsReportedOnceAndTheDialogStillWorks) {
    t.fake.bitmaps.missing = {"about0.bmp", "about1.bmp"};
    bool closedByButton = false;
    Open([&](trelvix::TAbout& a) {
        a.BitBtn1.Click();
        closedByButton = !a.Modal();
    });
    EXPECT_TRUE(closedByButton);
    EXPECT_TRUE(peer->drawings.empty());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u) << "both files are tried";
    EXPECT_EQ(boxes[0], "Cannot open file \"C:\\Program Files\\Trelvix\\.\\Resource\\about0.bmp\". "
                        "The system cannot find the file specified.");
    EXPECT_NE(boxes[1].find("about1.bmp"), std::string::npos);

    t.fake.bitmaps.missing = {"about1.bmp"};
    Open();
    EXPECT_TRUE(peer->drawings.empty());
    EXPECT_EQ(Boxes().size(), 2u) << "each file is reported once per run";
}

TEST_F(AboutDialog, LinksOpenMailAndSiteAndARefusalSaysWhy) {
    Open([](trelvix::TAbout& a) {
        a.Label1.Click();
        a.Label2.Click();
    });
    using Link = fakes::FakeShell::LinkOpen;
    EXPECT_EQ(t.fake.shell.links,
              (std::vector<Link>{{"open",
                                  "mailto:Trelvix developers <trelvix@ostrand.example>"
                                  "?Body=Hello!&Subject=About Trelvix",
                                  port::ShellOwner::None, port::ShowMode::Normal},
                                 {"", About().Label2.Caption(), port::ShellOwner::ActiveWindow,
                                  port::ShowMode::Shown}}));

    t.fake.shell.linkRefusal = "No application is associated with the specified file";
    Open([](trelvix::TAbout& a) { a.Label2.Click(); });
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot start " + About().Label2.Caption() +
                                                ": No application is associated with the "
                                                "specified file."});
}

TEST_F(AboutDialog, EscapeClosesAndThePageChosenLastStays) {
    EXPECT_EQ(About().PageControl1.ActivePageIndex(), 0);
    bool stillOpen = false;
    Open([&](trelvix::TAbout& a) {
        a.PageControl1.SelectTab(2);
        a.KeyPress('a');
        a.KeyPress(13);
        stillOpen = a.Modal();
        a.KeyPress(27);
    });
    EXPECT_TRUE(stillOpen) << "only Escape closes";
    EXPECT_FALSE(About().Modal());
    EXPECT_FALSE(About().Visible());
    EXPECT_EQ(About().PageControl1.ActivePageIndex(), 2);
}

} // namespace
