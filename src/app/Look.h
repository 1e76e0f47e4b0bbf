#pragma once

#include "platform/SystemLook.h"
#include "toolkit/Application.h"

namespace trelvix {

// The palette of each look: the design (light), the program's own dark colours, and the
// user's High Contrast colours. High Contrast wins over dark mode: it is chosen for need.
[[nodiscard]] tk::Palette ChoosePalette(bool highContrast, bool appsDark,
                                        const port::SystemColors& system);

// Keeps the application's palette on the look the user chose, from the start and whenever
// the user changes it while the program runs.
class LookFollower {
  public:
    LookFollower(tk::Application& app, port::SystemLook& look);
    ~LookFollower();
    LookFollower(const LookFollower&) = delete;
    LookFollower& operator=(const LookFollower&) = delete;

    // Asks the system again and gives the application the palette of its answer.
    void Follow();

  private:
    tk::Application& app_;
    port::SystemLook& look_;
};

} // namespace trelvix
