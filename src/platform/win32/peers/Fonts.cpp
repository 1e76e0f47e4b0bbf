#include "platform/win32/peers/Fonts.h"

#include "platform/win32/Unicode.h"

#include <cwchar>

namespace win32 {

std::wstring Fonts::Face(const std::string& name) {
    if (name != "MS Sans Serif")
        return Widen(name);
    if (messageFace_.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE)
            messageFace_ = metrics.lfMessageFont.lfFaceName;
        if (messageFace_.empty())
            messageFace_ = L"Tahoma";
    }
    return messageFace_;
}

HFONT Fonts::Get(const tk::Font& font, UINT dpi, int escapement) {
    Key key{font.name, font.size, font.bold, font.underline, dpi, escapement};
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second.get();

    LOGFONTW log{};
    log.lfHeight = -MulDiv(font.size, static_cast<int>(dpi), 72);
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfUnderline = font.underline ? TRUE : FALSE;
    log.lfEscapement = escapement;
    log.lfOrientation = escapement;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = escapement != 0 ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    std::wstring face = Face(font.name);
    wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&log);
    if (made == nullptr)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts_.emplace(key, UniqueFont(made)).first->second.get();
}

} // namespace win32
