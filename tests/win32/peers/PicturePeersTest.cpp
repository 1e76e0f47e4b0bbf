#include "platform/win32/Win32Bitmaps.h"
#include "win32/peers/PeerFixture.h"

namespace peertest {
namespace {

// A form of its own with one picture control, shown over the fixture's main window.
struct PictureForm : tk::Form {
    explicit PictureForm(tk::Application& app) : tk::Form(app, "Pictures", 600) {
        SetCaption("Pictures");
        SetClientSize(120, 90);
        Dialog = true;
        Image.SetBounds(60, 10, 20, 20);
    }
    tk::Image Image{*this, this, "Image", 601};
};

// A red picture of `width` x `height` held the way the bitmaps port holds one.
std::shared_ptr<const port::Image> RedPicture(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);
    DeleteObject(red);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return std::make_shared<win32::Win32Image>(bitmap);
}

TEST_F(PeersTest, PicturesShowOnTheFormAndInImagesAtTheirOwnSizeScaledWithTheWindow) {
    PictureForm pictures(app);
    app.CreateForm(pictures);
    app.MakeLatePeers();
    pictures.SetVisible(true);
    pictures.Image.SetPicture(tk::Bitmap{"red", RedPicture(4, 3)});
    Pump();
    HWND window = Window(pictures);
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    const auto scale = [dpi](int value) { return MulDiv(value, dpi, 96); };

    // Blue, green and red bytes of a 3 x 2 picture: each pixel a colour of its own.
    const port::RgbPixels drawn{3,
                                2,
                                {255, 0, 0, 0, 255, 0, 0, 0, 255,       // blue green red
                                 0, 0, 0, 255, 255, 255, 0, 128, 255}}; // black white orange
    pictures.DrawPicture(drawn, 10, 20);
    const COLORREF expected[2][3] = {{RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0)},
                                     {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 128, 0)}};
    HDC dc = GetDC(window);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(GetPixel(dc, scale(10 + x) + scale(1) / 2, scale(20 + y) + scale(1) / 2),
                      expected[y][x])
                << x << "," << y;
    EXPECT_EQ(GetPixel(dc, scale(14), scale(20)), GetSysColor(COLOR_BTNFACE)) << "nothing beside";

    // The image's picture: 4 x 3 in its top-left corner, not stretched over its 20 x 20.
    HWND image = Window(pictures.Image);
    RedrawWindow(image, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC imageDc = GetDC(image);
    EXPECT_EQ(GetPixel(imageDc, scale(3) + scale(1) / 2, scale(2) + scale(1) / 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(imageDc, scale(10), scale(10)), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(image, imageDc);
    ReleaseDC(window, dc);
    pictures.SetVisible(false);
}

} // namespace
} // namespace peertest
