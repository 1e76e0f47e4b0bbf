#pragma once

#include "platform/win32/peers/ControlPeer.h"

#include <vector>

namespace win32 {

// A tab control whose tab sheets are child windows laid over its display area; only
// the active sheet is shown. Tabs on the left and coloured captions are drawn here.
class PageControlPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void Relayout() override;
    // Owner-drawn tabs outside the light look, whatever the design's captions.
    void ApplyLook() override;

    // A sheet's window exists: its tab is added and the sheets laid out again.
    void SheetBuilt(const tk::TabSheet& sheet, HWND window);
    void SheetCaptionChanged(const tk::TabSheet& sheet);
    void SheetGone(const tk::TabSheet& sheet);

  protected:
    void Create() override;
    void Sync(tk::Prop prop) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    [[nodiscard]] tk::PageControl& Pages() const { return static_cast<tk::PageControl&>(control_); }
    void LayoutSheets();
    void ShowActive();
    // TCM_INSERTITEMW or TCM_SETITEMW of the sheet's tab with its caption.
    void SendTab(UINT message, const tk::TabSheet& sheet);

    // The sheets' windows by page index. Kept here: a sheet's peer is not yet attached to
    // its component while it is being built.
    std::vector<HWND> sheets_;
    // The design draws the captions itself (left tabs, coloured captions).
    bool designOwnerDrawn_ = false;
};

class TabSheetPeer : public ContainerPeer {
  public:
    using ContainerPeer::ContainerPeer;
    ~TabSheetPeer() override;
    TabSheetPeer(const TabSheetPeer&) = delete;
    TabSheetPeer& operator=(const TabSheetPeer&) = delete;
    void Build() override;
    void Changed(tk::Prop prop) override;
    void Relayout() override;

  protected:
    // Placed by its page control.
    [[nodiscard]] RECT Placement() const override { return RECT{0, 0, 0, 0}; }

  private:
    [[nodiscard]] PageControlPeer* Pages() const;
};

class GroupBoxPeer : public ContainerPeer {
  public:
    using ContainerPeer::ContainerPeer;

  protected:
    void Create() override;
    // Outside the light look the frame and caption are painted here: a group box draws its
    // caption in the theme's colour, or the classic one's, whatever it is told.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void Paint(HDC dc);
};

// A panel drawn with a raised edge; a thin one is a ruled line.
class PanelPeer : public ContainerPeer {
  public:
    using ContainerPeer::ContainerPeer;

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace win32
