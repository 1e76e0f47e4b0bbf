#pragma once

#include "platform/win32/peers/ControlPeer.h"
#include "platform/win32/peers/Glyphs.h"

#include <uxtheme.h>

namespace win32 {

inline HRESULT CloseTheme(HTHEME theme) {
    return CloseThemeData(theme);
}
using UniqueTheme = Unique<HTHEME, &CloseTheme>;

// A plain push button.
class ButtonPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    void Create() override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
};

// A check box whose caption may take several lines. The model decides the tick: a click
// turns the model over, which sets the box.
class CheckBoxPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    void SyncAll() override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
};

// Buttons that draw themselves: a glyph beside (or without) the caption. A BitBtn is a
// push button; a SpeedButton a flat tool button whose frame shows under the mouse.
class GlyphButtonPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    [[nodiscard]] std::span<const Notice> Notices() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    [[nodiscard]] const tk::ButtonBase& Button() const;
    [[nodiscard]] bool Flat() const;
    [[nodiscard]] std::wstring AccessibleText() const;
    void DrawFrame(HDC dc, const RECT& rect, UINT state);
    void DrawOwnFrame(HDC dc, const RECT& rect, UINT state);
    void DrawFace(HDC dc, const RECT& rect, UINT state);
    const GlyphImage& Glyph(bool disabled);

    bool hot_ = false;
    UniqueTheme theme_;
    bool themeOpened_ = false;
    GlyphImage glyph_;
    const void* glyphSource_ = nullptr;
    int glyphSize_[2] = {0, 0};
    bool glyphDisabled_ = false;
};

} // namespace win32
