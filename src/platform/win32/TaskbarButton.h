#pragma once

#include "toolkit/Controls.h"

#include <windows.h>

#include <shobjidl.h>

#include <memory>

namespace win32 {

// The progress a window's taskbar button shows. The shell's object is made at the first
// progress shown; without a taskbar (or before the button exists) nothing shows, and
// nothing else is affected.
class TaskbarButton {
  public:
    void Show(HWND window, const tk::TaskbarProgress& progress);

  private:
    struct Release {
        void operator()(ITaskbarList3* list) const { list->Release(); }
    };
    std::unique_ptr<ITaskbarList3, Release> list_;
    bool tried_ = false;
};

} // namespace win32
