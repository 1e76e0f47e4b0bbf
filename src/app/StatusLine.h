#pragma once

namespace trelvix {

class Program;

// The status line summing up the settings, and the date and time on the tool bar.
void ComposeStatusLine(Program& p);

} // namespace trelvix
