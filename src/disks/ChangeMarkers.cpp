#include "disks/ChangeMarkers.h"

namespace trelvix {

std::string MarkerText(ChangeMarker marker, bool bare) {
    const char* arrows = marker == ChangeMarker::Grew     ? ">>>"
                         : marker == ChangeMarker::Shrank ? "<<<"
                                                          : "===";
    return bare ? std::string(arrows) : std::string("; ") + arrows;
}

ChangeMarker FreeHistory::Compare(int slot, double current, bool primedThen) {
    double& stored = previous.at(static_cast<std::size_t>(slot));
    ChangeMarker marker = ChangeMarker::Same;
    // Exact comparison: with a power-of-two divisor one byte moves the marker.
    if (primedThen && stored < current)
        marker = ChangeMarker::Grew;
    else if (primedThen && stored > current)
        marker = ChangeMarker::Shrank;
    stored = current;
    return marker;
}

} // namespace trelvix
