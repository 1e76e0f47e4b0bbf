#include "platform/win32/Win32SystemLook.h"

#include "platform/win32/Window.h"

namespace win32 {

bool IsLookChange(UINT message) {
    return message == WM_SETTINGCHANGE || message == WM_THEMECHANGED ||
           message == WM_SYSCOLORCHANGE;
}

Win32SystemLook::~Win32SystemLook() {
    onChange_ = nullptr;
    onError_ = nullptr;
    window_.reset();
}

bool Win32SystemLook::HighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) == FALSE)
        return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Win32SystemLook::AppsUseDarkMode() {
    DWORD value = 1;
    DWORD size = sizeof value;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, PersonalizeKey, L"AppsUseLightTheme",
                                        RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS && value == 0;
}

port::SystemColors Win32SystemLook::Colors() {
    const auto color = [](int index) { return static_cast<std::uint32_t>(GetSysColor(index)); };
    port::SystemColors colors;
    colors.windowText = color(COLOR_WINDOWTEXT);
    colors.window = color(COLOR_WINDOW);
    colors.buttonText = color(COLOR_BTNTEXT);
    colors.buttonFace = color(COLOR_BTNFACE);
    colors.highlight = color(COLOR_HIGHLIGHT);
    colors.highlightText = color(COLOR_HIGHLIGHTTEXT);
    colors.hotLight = color(COLOR_HOTLIGHT);
    colors.grayText = color(COLOR_GRAYTEXT);
    return colors;
}

void Win32SystemLook::Watch(std::function<void()> onChange, std::function<void()> onError) {
    onChange_ = nullptr;
    onError_ = nullptr;
    window_.reset();
    if (!onChange)
        return;
    window_ = CreateHiddenWindow(LookWindowClass, &Win32SystemLook::Procedure, this, true);
    onChange_ = std::move(onChange);
    onError_ = std::move(onError);
}

void Win32SystemLook::Changed() noexcept {
    try {
        onChange_();
    } catch (...) {
        // Nothing may unwind into the system's code; a report that fails ends here too.
        try {
            if (onError_)
                onError_();
        } catch (...) {
        }
    }
}

LRESULT CALLBACK Win32SystemLook::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* look = WindowObject<Win32SystemLook>(window, message, lParam);
    if (look != nullptr && look->onChange_ && IsLookChange(message)) {
        look->Changed();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win32
