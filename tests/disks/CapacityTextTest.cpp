#include "disks/CapacityText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using trelvix::FormatCapacity;

struct WorkedExample {
    std::int64_t bytes;
    std::int64_t divisor;
    double value;
    const char* comma;
    const char* point;
};

constexpr std::int64_t K = 1024, M = 1048576, G = 1073741824;

// The worked examples, plus the halfway and grouping cases users meet.
const WorkedExample Examples[] = {
    {80026361856, M, 76319.0859375, "76 319,1", "76 319.1"},
    {250059350016, M, 238475.1796875, "238 475,2", "238 475.2"},
    {1048576, K, 1024, "1 024", "1 024"},
    {1457664, K, 1423.5, "1 423,5", "1 423.5"},
    {1310720, M, 1.25, "1,2", "1.2"},
    {3221225472, G, 3, "3", "3"},
    {123456789, 1, 123456789, "123 456 789", "123 456 789"},
    {2048, M, 0.001953125, "0", "0"},
    {0, M, 0, "0", "0"},
    {0, 1, 0, "0", "0"},
    // Halfway between two tenths goes down.
    {786432, M, 0.75, "0,7", "0.7"},
    {1073479680, M, 1023.75, "1 023,7", "1 023.7"},
    {1073479680 + 1, M, 1023.75 + 1.0 / M, "1 023,8", "1 023.8"},
    // Below 0.05 of the unit.
    {52428, M, 52428.0 / M, "0", "0"},
    {52429, M, 52429.0 / M, "0,1", "0.1"},
    // Digit counts and groups.
    {700 * M, M, 700, "700", "700"},
    {1234567, 1, 1234567, "1 234 567", "1 234 567"},
    {12587663360, M, 12004.53125, "12 004,5", "12 004.5"},
    {20971520000, M, 20000, "20 000", "20 000"},
    // A failed query: -1 bytes.
    {-1, 1, -1, "-1", "-1"},
    {-1, K, -1.0 / K, "0", "0"},
    {-1, M, -1.0 / M, "0", "0"},
    {-1, G, -1.0 / G, "0", "0"},
};

TEST(FormatCapacity, WorkedExamplesInBothSeparators) {
    for (const WorkedExample& e : Examples) {
        auto comma = FormatCapacity(e.bytes, e.divisor, ",");
        EXPECT_EQ(comma.value, e.value) << e.bytes << " / " << e.divisor;
        EXPECT_EQ(comma.text, e.comma) << e.bytes << " / " << e.divisor;
        EXPECT_EQ(FormatCapacity(e.bytes, e.divisor, ".").text, e.point)
            << e.bytes << " / " << e.divisor;
    }
}

TEST(FormatCapacity, MultiByteSeparatorSurvivesWhole) {
    // U+066B ARABIC DECIMAL SEPARATOR is two bytes in UTF-8.
    EXPECT_EQ(FormatCapacity(80026361856, M, "\xD9\xAB").text, "76 319\xD9\xAB"
                                                               "1");
    EXPECT_EQ(FormatCapacity(1457664, K, "\xD9\xAB").text, "1 423\xD9\xAB"
                                                           "5");
}

TEST(FormatCapacity, NegativeValuesKeepTheSignBeforeTheFirstGroup) {
    EXPECT_EQ(FormatCapacity(-123456789, 1, ",").text, "-123 456 789");
    EXPECT_EQ(FormatCapacity(123456, -1, ",").text, "-123 456");
    EXPECT_EQ(FormatCapacity(1572864, -M, ",").text, "-1,5");
}

TEST(FormatCapacity, HugeValuesGiveFifteenSignificantDigitsWithoutExponent) {
    struct Case {
        std::int64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {999'999'999'999'999, "999 999 999 999 999"},
        {1'000'000'000'000'000, "1 000 000 000 000 000"},
        {1'234'567'890'123'456'789, "1 234 567 890 123 460 000"},
        {std::numeric_limits<std::int64_t>::max(), "9 223 372 036 854 780 000"},
        {std::numeric_limits<std::int64_t>::min(), "-9 223 372 036 854 780 000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCapacity(c.bytes, 1, ",").text, c.text) << c.bytes;
    // Between 10^14 and 10^15 the fifteen digits end at the units.
    EXPECT_EQ(trelvix::CapacityNumberText(123456789012345.4, ","), "123 456 789 012 345");
    EXPECT_EQ(trelvix::CapacityNumberText(123456789012345.5, ","), "123 456 789 012 346");
}

TEST(FormatCapacity, DegenerateInputsGiveZero) {
    EXPECT_EQ(FormatCapacity(12345, 0, ",").text, "0");
    EXPECT_EQ(FormatCapacity(12345, 0, ",").value, 0.0);
    EXPECT_EQ(trelvix::CapacityNumberText(std::numeric_limits<double>::infinity(), ","), "0");
    EXPECT_EQ(trelvix::CapacityNumberText(std::numeric_limits<double>::quiet_NaN(), ","), "0");
    EXPECT_EQ(trelvix::CapacityNumberText(-0.0, ","), "0");
    EXPECT_EQ(trelvix::CapacityNumberText(-0.04, ","), "0");
}

// Where the host has an 80-bit long double, the rule "divide by the double nearest 0.1 in
// extended precision, round, multiply" can be run directly: the integer emulation must
// agree with it on every value, halfway cases and tiny or large quotients included.
TEST(FormatCapacity, AgreesWithExtendedPrecisionWhereTheHostHasIt) {
    if (std::numeric_limits<long double>::digits != 64)
        GTEST_SKIP() << "long double is not the 80-bit format here";
    auto expected = [](double v) {
        const long double tenth = 0.1; // the double nearest one tenth, widened
        long double tenths = std::nearbyint(static_cast<long double>(v) / tenth);
        auto n = static_cast<std::uint64_t>(tenths);
        if (n == 0)
            return std::string("0");
        std::string text = std::to_string(n / 10);
        return n % 10 == 0 ? text : text + "." + std::to_string(n % 10);
    };
    auto actual = [](double v) {
        std::string text = trelvix::CapacityNumberText(v, ".");
        std::erase(text, ' ');
        return text;
    };
    std::mt19937_64 random(20261206);
    const std::int64_t divisors[] = {1, K, M, G, 1000, 3};
    for (int i = 0; i < 200000; ++i) {
        std::int64_t divisor = divisors[i % 6];
        // Byte counts of every magnitude, half of them on a tenth-and-a-half of the unit.
        std::int64_t bytes = static_cast<std::int64_t>(random() >> (1 + random() % 63));
        if (i % 2 == 0)
            bytes = (bytes / divisor) * divisor + divisor / 20 * (random() % 20);
        double v = static_cast<double>(bytes) / static_cast<double>(divisor);
        if (v >= 1e14)
            continue;
        ASSERT_EQ(actual(v), expected(v)) << bytes << " / " << divisor;
    }
    // Exactly one half of a tenth and its neighbours.
    for (double v : {0.05, std::nextafter(0.05, 0.0), std::nextafter(0.05, 1.0), 0.15, 0.25,
                     2.5e-20, 1e-300, 99999999999999.95})
        EXPECT_EQ(actual(v), expected(v)) << v;
}

TEST(GroupInThrees, CountsCharactersNotBytes) {
    EXPECT_EQ(trelvix::GroupInThrees(""), "");
    EXPECT_EQ(trelvix::GroupInThrees("123"), "123");
    EXPECT_EQ(trelvix::GroupInThrees("1234"), "1 234");
    EXPECT_EQ(trelvix::GroupInThrees("1234567"), "1 234 567");
    // Four characters, seven bytes: one group of one and one of three.
    EXPECT_EQ(trelvix::GroupInThrees("1\xD9\xAB"
                                     "2\xD9\xAB"),
              "1 \xD9\xAB"
              "2\xD9\xAB");
}

} // namespace
