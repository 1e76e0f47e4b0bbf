#pragma once

#include <cstdint>
#include <functional>

namespace port {

// The colours the user chose for the whole system, 0x00BBGGRR.
struct SystemColors {
    std::uint32_t windowText = 0x000000, window = 0xFFFFFF;
    std::uint32_t buttonText = 0x000000, buttonFace = 0xF0F0F0;
    std::uint32_t highlight = 0xD77800, highlightText = 0xFFFFFF;
    std::uint32_t hotLight = 0xCC6600; // links
    std::uint32_t grayText = 0x6D6D6D; // disabled text
    bool operator==(const SystemColors&) const = default;
};

// How the user wants programs to look: High Contrast, apps in dark mode, the system colours.
class SystemLook {
  public:
    virtual ~SystemLook() = default;
    // A High Contrast theme is on.
    [[nodiscard]] virtual bool HighContrast() = 0;
    // The user chose dark mode for apps.
    [[nodiscard]] virtual bool AppsUseDarkMode() = 0;
    [[nodiscard]] virtual SystemColors Colors() = 0;
    // `onChange` runs on the window's thread whenever any of the above may have changed;
    // nullptr stops it. When it throws, `onError` runs inside the catch block.
    virtual void Watch(std::function<void()> onChange, std::function<void()> onError) = 0;
};

} // namespace port
