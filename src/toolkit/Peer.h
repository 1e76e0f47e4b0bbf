#pragma once

#include "platform/Bitmaps.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace tk {

class Component;
class Form;

// The properties a peer mirrors into its native control. A peer re-reads the
// whole property from the model when told it changed.
enum class Prop {
    Caption,
    Hint,
    Enabled,
    Visible,
    Bounds,
    Font,
    Color,
    Cursor,
    Glyph,
    Flat,
    Items,
    ItemIndex,
    Text,
    Value,
    Position,
    Range,
    ActivePage,
    Checked,
    Interval,
    ShortCut,
    WindowState,
    Topmost,
    Picture,
    PopupMenu,
    PartText, // a status bar's second part
    Taskbar,  // a form's taskbar button progress
    Look,     // the application's palette
};

// The native side of one component. A component with no peer is pure state.
class Peer {
  public:
    virtual ~Peer() = default;
    virtual void Changed(Prop prop) = 0;
    // Paint now rather than at the next idle moment (busy indicators).
    virtual void Repaint() {}
    virtual void BringToFront() {}
    // Menus: open at screen position x, y.
    virtual void Popup(int /*x*/, int /*y*/) {}
    // Forms: paint a picture straight on the client area at x, y (form pixels), now.
    virtual void DrawPicture(const port::RgbPixels& /*picture*/, int /*x*/, int /*y*/) {}
    // Controls: take the keyboard focus.
    virtual void Focus() {}
    // The native handle, for children and for the host.
    [[nodiscard]] virtual std::uintptr_t Handle() const { return 0; }
};

// The native toolkit: makes peers and runs modal loops. Absent in native tests.
class Host {
  public:
    virtual ~Host() = default;
    [[nodiscard]] virtual std::unique_ptr<Peer> CreatePeer(Component& component) = 0;
    // Shows `form` modally and returns when it closes.
    virtual void RunModal(Form& form) = 0;
    // Ends a modal loop started by RunModal.
    virtual void EndModal(Form& form) = 0;
    // Ends the message loop; the program exits with `exitCode`.
    virtual void Quit(int exitCode) = 0;
    // Work for the moments when no message waits, a little at a time: `work` returns false
    // when it found nothing to do.
    virtual void SetIdleWork(std::function<bool()> work) = 0;
};

} // namespace tk
