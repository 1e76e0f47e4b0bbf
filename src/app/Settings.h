#pragma once

namespace trelvix {

class Program;

// The fifteen settings under HKCU\SOFTWARE\Ostrand\tvx, and the folder of the
// common Administrative Tools.
void LoadSettings(Program& p);
void SaveSettings(Program& p);

} // namespace trelvix
