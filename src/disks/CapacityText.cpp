#include "disks/CapacityText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <vector>

namespace trelvix {

namespace {

// The double nearest to one tenth is Tenth * 2^-55. It is slightly larger than 0.1,
// which is why values halfway between two tenths round down.
constexpr std::uint64_t Tenth = 3602879701896397;
constexpr int TenthExponent = -55;

// Above this the fifteen significant digits no longer reach the tenths.
constexpr double LargeValue = 1e15;

// round(v / 0.1) for 0 <= v < 1e15, as an 80-bit x87 unit computes it: the quotient is
// rounded to a 64-bit significand (ties to even), then to an integer (ties to even).
// Done in integers so that every compiler, whatever its long double, gives the same tenths.
std::uint64_t TenthsOf(double v) {
    if (v <= 0)
        return 0;
    int exponent = 0;
    double fraction = std::frexp(v, &exponent);
    // v = m * 2^e with m in [2^52, 2^53).
    auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int e = exponent - 53;

    // m / Tenth lies in [1.25, 2.5): long division, one bit at a time, until the quotient
    // holds 64 significant bits. The remainder stays below Tenth < 2^52, so nothing overflows.
    std::uint64_t s = m / Tenth;
    std::uint64_t rem = m % Tenth;
    int shift = 0;
    for (int bits = std::bit_width(s); bits < 64; ++bits) {
        rem <<= 1;
        s <<= 1;
        if (rem >= Tenth) {
            s |= 1;
            rem -= Tenth;
        }
        --shift;
    }
    rem <<= 1;
    bool roundBit = rem >= Tenth;
    if (roundBit)
        rem -= Tenth;
    if (roundBit && (rem != 0 || (s & 1) != 0)) {
        if (++s == 0) {
            s = std::uint64_t{1} << 63;
            ++shift;
        }
    }
    // The extended quotient is s * 2^k.
    int k = e - TenthExponent + shift;
    if (k >= 0) // not reached: below 1e15 the quotient stays under 2^54
        return 0;
    int drop = -k;
    if (drop > 64)
        return 0;
    if (drop == 64) // s / 2^64 lies in [0.5, 1); exactly one half goes to the even 0
        return s > (std::uint64_t{1} << 63) ? 1 : 0;
    std::uint64_t whole = s >> drop;
    std::uint64_t rest = s & ((std::uint64_t{1} << drop) - 1);
    std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (whole & 1) != 0))
        ++whole;
    return whole;
}

// The digits of v >= 1e15 rounded to fifteen significant digits, written out in full
// (no exponent): such sizes do not occur on real drives, but the text stays readable.
std::string FifteenDigits(double v) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    if (ec != std::errc{})
        return "0";
    std::string text(buffer, end);
    auto e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    int exponent = std::stoi(text.substr(e + 1));
    if (exponent > 14)
        digits.append(static_cast<std::size_t>(exponent - 14), '0');
    return digits;
}

} // namespace

std::string GroupInThrees(std::string_view text) {
    // Start of each UTF-8 character: every byte that is not a continuation byte.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    std::string result;
    std::size_t end = text.size();
    std::size_t count = starts.size();
    while (count > 0) {
        std::size_t take = count < 3 ? count : 3;
        count -= take;
        std::size_t begin = starts[count];
        std::string group(text.substr(begin, end - begin));
        result = result.empty() ? group : group + " " + result;
        end = begin;
    }
    return result;
}

std::string CapacityNumberText(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        return "0";
    bool negative = value < 0;
    double magnitude = std::fabs(value);
    std::string digits;
    std::string fraction;
    if (magnitude >= LargeValue) {
        digits = FifteenDigits(magnitude);
    } else {
        std::uint64_t tenths = TenthsOf(magnitude);
        if (tenths == 0)
            return "0"; // never "-0"
        if (tenths < 1'000'000'000'000'000) {
            digits = std::to_string(tenths / 10);
            if (tenths % 10 != 0) {
                // The separator is kept whole, whatever its length, and never grouped.
                fraction.assign(decimalSeparator.empty() ? "." : decimalSeparator);
                fraction += static_cast<char>('0' + tenths % 10);
            }
        } else {
            // Sixteen digits of tenths: fifteen significant digits end at the units, and the
            // product with the tenth (slightly above 0.1) sends a final 5 upwards.
            digits = std::to_string((tenths + 5) / 10);
        }
    }
    // The minus sign stays in front of the first group.
    return (negative ? "-" : "") + GroupInThrees(digits) + fraction;
}

Capacity FormatCapacity(std::int64_t bytes, std::int64_t divisor,
                        std::string_view decimalSeparator) {
    if (divisor == 0)
        return {0.0, "0"};
    double value = static_cast<double>(bytes) / static_cast<double>(divisor);
    return {value, CapacityNumberText(value, decimalSeparator)};
}

std::optional<std::string> UnitSuffixOf(std::int64_t divisor) {
    switch (divisor) {
    case 1:
        return " bytes";
    case 1024:
        return " Kbytes";
    case 1048576:
        return " Mbytes";
    case 1073741824:
        return " Gbytes";
    default:
        return std::nullopt;
    }
}

} // namespace trelvix
