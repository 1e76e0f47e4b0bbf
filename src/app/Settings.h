#pragma once

#include <cstdint>

namespace trelvix {

class Program;

// The seventeen settings under HKCU\SOFTWARE\Ostrand\tvx, and the folder of the
// common Administrative Tools.
void LoadSettings(Program& p);
void SaveSettings(Program& p);

// The capacity divisor to use for a stored one: itself when it is one of the four
// units', else the Mbytes divisor. Any other (0 before the first load, a damaged or
// hand-edited value) would print every figure divided by it with no unit at all.
// Free space, in gigabytes, below which a fixed drive is warned about; 0 = never.
inline constexpr std::int32_t DefaultLowSpaceGB = 5;
inline constexpr std::int32_t MaxLowSpaceGB = 100000;

[[nodiscard]] std::int64_t KnownDivisor(std::int64_t divisor);

} // namespace trelvix
