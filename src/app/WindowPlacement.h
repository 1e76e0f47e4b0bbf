#pragma once

#include "platform/Desktop.h"

#include <optional>
#include <span>

namespace trelvix {

class Program;

// Where a window at `window` must move so that the user can reach it: nothing while some
// part of its title bar (its top `titleBarHeight` pixels) lies on a work area; otherwise
// the top-left corner that puts it on the nearest work area, whole where it fits.
[[nodiscard]] std::optional<port::Point> ReachablePosition(const port::Rect& window,
                                                           int titleBarHeight,
                                                           std::span<const port::Rect> workAreas);

// Moves the main window onto a monitor when its stored position left it unreachable
// (a monitor unplugged, a changed resolution, a damaged setting).
void KeepMainWindowReachable(Program& p);

} // namespace trelvix
