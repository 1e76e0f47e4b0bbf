#pragma once

#include <array>
#include <string>

namespace trelvix {

// How a drive's free space moved since the previous survey.
enum class ChangeMarker { Grew = 0, Same = 1, Shrank = 2 };

// "; >>>", "; ===", "; <<<"; bare (">>>", ...) on the RAM-disk lines of C:..Z:.
[[nodiscard]] std::string MarkerText(ChangeMarker marker, bool bare = false);

// The free-space quotients (free bytes / divisor, unrounded) seen at the last comparison,
// one slot per drive number less one (A = 0 .. Z = 25). Never cleared: a slot keeps its
// value while its drive is absent.
struct FreeHistory {
    std::array<double, 26> previous{};
    // False until a complete survey has stored values, and again after a change of unit.
    bool primed = false;

    // Compares `current` with the slot and stores it there.
    ChangeMarker Compare(int slot, double current) { return Compare(slot, current, primed); }
    // The same, as though `primed` were still `primedThen`.
    ChangeMarker Compare(int slot, double current, bool primedThen);
};

} // namespace trelvix
