#include "disks/CapacityText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace {

using trelvix::FormatCapacity;

constexpr std::int64_t K = 1024, M = 1048576, G = 1073741824;

// Bytes, divisor, and the text with a comma as the decimal separator.
const std::tuple<std::int64_t, std::int64_t, std::string> Examples[] = {
    // The worked examples.
    {80026361856, M, "76 319,1"},
    {250059350016, M, "238 475,2"},
    {1048576, K, "1 024"},
    {1457664, K, "1 423,5"},
    {1310720, M, "1,2"},
    {3221225472, G, "3"},
    {123456789, 1, "123 456 789"},
    {2048, M, "0"},
    {0, M, "0"},
    {700 * M, M, "700"},
    {1234567, 1, "1 234 567"},
    // Halfway between two tenths goes down; just above it goes up.
    {786432, M, "0,7"},
    {1073479680, M, "1 023,7"},
    {1073479680 + 1, M, "1 023,8"},
    {52429, M, "0,1"},
    // A failed query: -1 bytes, never "-0" in a larger unit. Hand-edited divisors.
    {-1, 1, "-1"},
    {-1, G, "0"},
    {123456789, -1, "-123 456 789"},
    {12345, 0, "0"},
    // Fifteen significant digits; from 10^15 on no fraction and no exponent.
    {24691357802469, 2, "12 345 678 901 234,5"},
    {1234567890123454, 10, "123 456 789 012 345"},
    {1'000'000'000'000'000, 1, "1 000 000 000 000 000"},
    {std::numeric_limits<std::int64_t>::max(), 1, "9 223 372 036 854 780 000"},
};

TEST(FormatCapacity, ExamplesInEverySeparator) {
    // A point, and U+066B ARABIC DECIMAL SEPARATOR, two bytes in UTF-8.
    for (const std::string separator : {",", ".", "\xD9\xAB"})
        for (auto [bytes, divisor, text] : Examples) {
            if (auto comma = text.find(','); comma != std::string::npos)
                text.replace(comma, 1, separator);
            EXPECT_EQ(FormatCapacity(bytes, divisor, separator).text, text)
                << bytes << " / " << divisor << " " << separator;
        }
}

// Where the host has an 80-bit long double, the rule "divide by the double nearest 0.1 in
// extended precision, round, multiply" can be run directly: the integer emulation must
// agree with it, halfway cases and tiny or large quotients included.
TEST(FormatCapacity, AgreesWithExtendedPrecisionWhereTheHostHasIt) {
    if (std::numeric_limits<long double>::digits != 64)
        GTEST_SKIP() << "long double is not the 80-bit format here";
    std::mt19937_64 random(20261206);
    const std::int64_t divisors[] = {1, K, M, G, 1000, 3};
    for (int i = 0; i < 30000; ++i) {
        const std::int64_t divisor = divisors[i % 6];
        // Byte counts of every magnitude, half of them on a twentieth of the unit.
        auto bytes = static_cast<std::int64_t>(random() >> (1 + random() % 63));
        if (i % 2 == 0)
            bytes = bytes / divisor * divisor + divisor / 20 * static_cast<int>(random() % 20);
        const double v = static_cast<double>(bytes) / static_cast<double>(divisor);
        if (v >= 1e14)
            continue;
        const auto n =
            static_cast<std::uint64_t>(std::nearbyint(v / static_cast<long double>(0.1)));
        std::string text = FormatCapacity(bytes, divisor, ".").text;
        std::erase(text, ' ');
        ASSERT_EQ(text, std::to_string(n / 10) + (n % 10 ? "." + std::to_string(n % 10) : ""))
            << bytes << " / " << divisor;
    }
}

} // namespace
