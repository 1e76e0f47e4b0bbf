#pragma once

namespace trelvix {

class Program;

// Shows the drive groups of the kinds found by the last survey and clears the
// presence flags.
void LayOutDriveGroups(Program& p);

} // namespace trelvix
