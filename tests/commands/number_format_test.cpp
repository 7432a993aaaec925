// Locale-free fixed-point formatting against literal expectations and
// against the C library's "%-#.2lf"/"%-#.3lf" in the "C" locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "commands/number_format.h"

using commands::FormatFixed;

namespace {

std::string Fixed(double value, int decimals) {
    char out[400];
    return {out, FormatFixed(value, decimals, out, sizeof out)};
}

std::string Printf(double value, int decimals) {
    char out[400];
    std::snprintf(out, sizeof out, decimals == 2 ? "%-#.2lf" : "%-#.3lf", value);
    return out;
}

TEST(NumberFormatTest, KnownValues) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {5, 2, "5.00"},
        {-1.5, 2, "-1.50"},
        {2, 3, "2.000"},
        {0, 2, "0.00"},
        {-0.0, 2, "-0.00"},
        {-0.001, 2, "-0.00"},      // negative that rounds to zero keeps its sign
        {0.125, 2, "0.12"},        // exact tie: to even
        {0.375, 2, "0.38"},        // exact tie: to even
        {0.0625, 3, "0.062"},      // exact tie: to even
        {1.005, 2, "1.00"},        // the binary value is just below the tie
        {2.675, 2, "2.67"},
        {0.0005, 3, "0.001"},      // the binary value is just above the tie
        {99.99, 2, "99.99"},
        {-99.99, 2, "-99.99"},
        {1234567.891, 3, "1234567.891"},
        {1e21, 2, "1000000000000000000000.00"},
        {0.1, 3, "0.100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fixed(c.value, c.decimals), c.expected)
            << "value " << c.value << " with " << c.decimals << " decimals";
}

TEST(NumberFormatTest, MatchesPrintfInTheCLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    auto check = [](double v) {
        for (int decimals : {2, 3}) {
            const std::string expected = Printf(v, decimals);
            ASSERT_EQ(Fixed(v, decimals), expected) << "value " << v;
        }
    };
    // Eighths and sixteenths put many exact ties at the second and third
    // decimal.
    for (int i = -4000; i <= 4000; ++i) check(i / 16.0);
    for (int i = -20000; i <= 20000; ++i) check(i / 1000.0);
    for (int i = -2000; i <= 2000; ++i) check(i * 0.005 + 0.0005);
    // Values of every magnitude the fields can hold.
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double mantissa = static_cast<double>(state >> 11) / 9007199254740992.0;
        const int exponent = static_cast<int>((state >> 3) % 40) - 12;
        check((state & 1 ? -1 : 1) * mantissa * std::pow(10.0, exponent));
    }
}

TEST(NumberFormatTest, RefusesNonFiniteAndWhatDoesNotFit) {
    char out[8];
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2, out, sizeof out), 0u);
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2, out, sizeof out), 0u);
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 3, out, sizeof out), 0u);

    EXPECT_EQ(FormatFixed(5, 2, out, 4), 4u);
    EXPECT_EQ(std::string(out, 4), "5.00");
    EXPECT_EQ(FormatFixed(5, 2, out, 3), 0u);
    EXPECT_EQ(FormatFixed(-1e300, 2, out, sizeof out), 0u);
}

}  // namespace
