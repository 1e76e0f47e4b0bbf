#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trelvix {

// A byte count in the chosen unit: the unrounded quotient the change markers compare,
// and the number as the lists show it.
struct Capacity {
    double value = 0;
    std::string text;
};

// bytes / divisor, rounded to one tenth and written with the integer part grouped in
// threes by spaces and `decimalSeparator` before the single fraction digit.
// A divisor of 0 gives the value 0.
[[nodiscard]] Capacity FormatCapacity(std::int64_t bytes, std::int64_t divisor,
                                      std::string_view decimalSeparator);

// The displayed text of a quotient already in the unit (the General sums).
[[nodiscard]] std::string CapacityNumberText(double value, std::string_view decimalSeparator);

// Groups a run of characters in threes from the right, separated by single spaces.
// Counts UTF-8 characters, not bytes.
[[nodiscard]] std::string GroupInThrees(std::string_view text);

// The divisors of the four units, bytes to Gbytes, in the order of the Options
// dialog's unit scale; Mbytes unless the user chose another.
inline constexpr std::array<std::int64_t, 4> CapacityDivisors = {1, 1024, 1048576, 1073741824};
inline constexpr std::int64_t DefaultDivisor = 1048576;

// " bytes", " Kbytes", " Mbytes" or " Gbytes" for the four divisors; nothing for any other.
[[nodiscard]] std::optional<std::string> UnitSuffixOf(std::int64_t divisor);

} // namespace trelvix
