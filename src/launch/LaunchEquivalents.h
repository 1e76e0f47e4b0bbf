#pragma once

#include "launch/Catalogues.h"

#include <string>

namespace trelvix {

class Program;

// Starts a catalogue line on the Windows it runs on. A line whose tool today's Windows
// dropped or moved starts its present-day equivalent, or says why nothing can start; only
// those lines are looked for on disk, every other one starts as its row says.
void LaunchCatalogueLine(Program& p, const LaunchEntry& entry);

// The file whose presence tells whether an action's program is on this computer: the file
// of the system folder it opens, or the DLL a rundll32 command line names ("" for any
// other command line).
[[nodiscard]] std::string FileOfAction(const std::string& systemFolder, const LaunchAction& action);

} // namespace trelvix
