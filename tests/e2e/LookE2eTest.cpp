#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using e2e::WaitFor;
namespace id = ids::main;

constexpr wchar_t Personalize[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The user's choice of dark apps, on a prefix that answers as Windows 10 (so the program's
// build-gated dark-mode code runs); both taken back afterwards for the other scenarios.
class DarkWindows10 {
  public:
    DarkWindows10() {
        const wchar_t version[] = L"win10";
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, version,
                        sizeof version);
        const DWORD dark = 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, Personalize, L"AppsUseLightTheme", REG_DWORD, &dark,
                        sizeof dark);
    }
    ~DarkWindows10() {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, Personalize, L"AppsUseLightTheme");
    }
    DarkWindows10(const DarkWindows10&) = delete;
    DarkWindows10& operator=(const DarkWindows10&) = delete;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The rule screen readers name controls by: every focusable list, combo box and edit comes
// right after a label with text, and every button has text. The names of those that break it.
std::vector<std::string> Unnamed(const e2e::Trelvix& app, HWND form) {
    std::vector<HWND> children;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> unnamed;
    for (HWND child : children) {
        const std::wstring kind = ClassOf(child);
        const std::wstring parent = ClassOf(GetParent(child));
        const bool inside = parent == L"ComboBox" || parent == L"ComboBoxEx32";
        const bool field =
            kind == L"ListBox" || kind == L"ComboBox" || kind == L"Edit" || kind == L"ComboBoxEx32";
        if (field && !inside && (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0) {
            HWND label = GetWindow(child, GW_HWNDPREV);
            if (label == nullptr || ClassOf(label) != L"Static" || app.Text(label).empty())
                unnamed.push_back(std::to_string(GetDlgCtrlID(child)));
        }
        const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (kind == L"Button" && shown && app.Text(child).empty())
            unnamed.push_back("button " + std::to_string(GetDlgCtrlID(child)));
    }
    return unnamed;
}

// A point of the screen as the user sees it.
COLORREF ScreenPixel(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
}

// The main window as it is on the screen, as a 24-bit BMP file.
void SaveScreenshot(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto stride = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
    const std::uint32_t size = stride * static_cast<std::uint32_t>(height);
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(LookE2e, DarkModeFromTheStartOnWindows10) {
    const DarkWindows10 dark;
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    HWND status = app.Control(id::StatusBar1);
    ASSERT_TRUE(WaitFor([&] { return !app.StatusText(status).empty(); }));
    Sleep(500); // the last paint of the start-up
    // The window's face and its status bar, which the program paints itself, are dark; the
    // status line is still there for screen readers.
    constexpr COLORREF face = RGB(32, 32, 32);
    RECT bar{};
    GetWindowRect(status, &bar);
    EXPECT_EQ(ScreenPixel({bar.right - 6, (bar.top + bar.bottom) / 2}), face);
    POINT between{43, 200}; // between the page buttons and the pages
    ClientToScreen(app.Main(), &between);
    EXPECT_EQ(ScreenPixel(between), face);
    EXPECT_NE(app.StatusText(status).find("Trelvix;"), std::string::npos);

    EXPECT_EQ(Unnamed(app, app.Main()), std::vector<std::string>{});
    EXPECT_EQ(app.Text(app.Control(id::SpeedButton9)), "Options") << "a picture's hint";

    if (const char* folder = std::getenv("TRELVIX_SHOT_DIR"))
        SaveScreenshot(app.Main(), e2e::Widen(folder) + L"\\dark.bmp");
    app.Close();
    EXPECT_FALSE(app.Running());
}

} // namespace
