#include "app/WindowPlacement.h"

#include "app/Program.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace trelvix {

namespace {

bool Overlap(const port::Rect& a, const port::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squared gap between two rectangles; 0 when they touch or overlap. 64 bits: a damaged
// setting can put a window two billion pixels away.
std::int64_t SquaredGap(const port::Rect& a, const port::Rect& b) {
    const std::int64_t dx =
        std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
    const std::int64_t dy =
        std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

// The start of a span of `length` placed inside [low, high) as near to `at` as it goes;
// at `low` when it does not fit.
int FitInside(std::int64_t at, std::int64_t length, int low, int high) {
    if (length >= std::int64_t{high} - low)
        return low;
    return static_cast<int>(std::clamp<std::int64_t>(at, low, high - length));
}

// a + b held inside int: a stored position near the end of the range must not wrap.
int SaturatingAdd(int a, int b) {
    return static_cast<int>(std::clamp<std::int64_t>(
        std::int64_t{a} + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

std::optional<port::Point> ReachablePosition(const port::Rect& window, int titleBarHeight,
                                             std::span<const port::Rect> workAreas) {
    if (workAreas.empty())
        return std::nullopt;
    const port::Rect titleBar{window.left, window.top, window.right,
                              SaturatingAdd(window.top, std::max(titleBarHeight, 1))};
    if (std::any_of(workAreas.begin(), workAreas.end(),
                    [&](const port::Rect& area) { return Overlap(titleBar, area); }))
        return std::nullopt;
    const port::Rect* nearest = &workAreas.front();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const port::Rect& area : workAreas) {
        const std::int64_t gap = SquaredGap(titleBar, area);
        if (gap < best) {
            best = gap;
            nearest = &area;
        }
    }
    const std::int64_t width = std::int64_t{window.right} - window.left;
    const std::int64_t height = std::int64_t{window.bottom} - window.top;
    return port::Point{FitInside(window.left, width, nearest->left, nearest->right),
                       FitInside(window.top, height, nearest->top, nearest->bottom)};
}

void KeepMainWindowReachable(Program& p) {
    TMainForm& f = *p.MainForm;
    const std::vector<port::Rect> areas = p.Ports.desktop.WorkAreas();
    const port::Rect window{f.Left(), f.Top(), SaturatingAdd(f.Left(), f.Width()),
                            SaturatingAdd(f.Top(), f.Height())};
    if (auto moved = ReachablePosition(window, p.Ports.desktop.TitleBarHeight(), areas))
        f.SetBounds(moved->x, moved->y, f.Width(), f.Height());
}

} // namespace trelvix
