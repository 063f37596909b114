#include "number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace rurozovizera {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallestSubnormal = std::numeric_limits<double>::denorm_min();

struct WrittenCase {
    const char* description;
    double value;
    const char* text;
    friend void PrintTo(const WrittenCase& c, std::ostream* os) { *os << c.description; }
};

class NumberToText : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(NumberToText, WritesFifteenSignificantDigits) {
    EXPECT_EQ(numberToText(GetParam().value), GetParam().text) << GetParam().description;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberToText,
    ::testing::Values(WrittenCase{"integer", 5, "5"}, WrittenCase{"trailing zero", 150, "150"},
                      WrittenCase{"fraction", 12.5, "12.5"}, WrittenCase{"negative", -3, "-3"},
                      WrittenCase{"negative fraction", -0.5, "-0.5"},
                      WrittenCase{"rounded sum", 0.1 + 0.2, "0.3"},
                      WrittenCase{"one third", 1.0 / 3.0, "0.333333333333333"},
                      WrittenCase{"two thirds", 2.0 / 3.0, "0.666666666666667"},
                      WrittenCase{"square root of 2", std::sqrt(2.0), "1.4142135623731"},
                      WrittenCase{"last fixed exponent below 1", 0.0001, "0.0001"},
                      WrittenCase{"first scientific exponent below 1", 0.00001, "1E-05"},
                      WrittenCase{"scientific with fraction", 0.000012345, "1.2345E-05"},
                      WrittenCase{"fifteen nines", 999999999999999.0, "999999999999999"},
                      WrittenCase{"rounding raises the exponent", 999999999999999.9, "1E+15"},
                      WrittenCase{"large product", 99999999.0 * 99999999.0, "9.9999998E+15"},
                      WrittenCase{"sixteen digits", 1234567890123456.0, "1.23456789012346E+15"},
                      WrittenCase{"three-digit exponent", 1E+100, "1E+100"},
                      WrittenCase{"largest double", kLargest, "1.79769313486232E+308"},
                      WrittenCase{"smallest subnormal", kSmallestSubnormal,
                                  "4.94065645841247E-324"},
                      WrittenCase{"negative zero", -0.0, "0"}, WrittenCase{"zero", 0.0, "0"},
                      WrittenCase{"last fixed exponent", 123456789012345.0, "123456789012345"},
                      WrittenCase{"negative scientific", -0.00001, "-1E-05"},
                      WrittenCase{"fraction below 1 with zeros", 0.000123, "0.000123"},
                      WrittenCase{"operand plus code", 16 + 9.81178064306, "25.81178064306"}));

struct ReadCase {
    const char* text;
    double value;
    friend void PrintTo(const ReadCase& c, std::ostream* os) {
        *os << ::testing::PrintToString(std::string(c.text));
    }
};

class TextToNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumber, ReadsTheLongestNumberPrefix) {
    const auto value = textToNumber(GetParam().text);
    ASSERT_TRUE(value.has_value()) << GetParam().text;
    EXPECT_EQ(*value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumber,
    ::testing::Values(
        ReadCase{"", 0}, ReadCase{".", 0}, ReadCase{"5.", 5}, ReadCase{".5", 0.5},
        ReadCase{"-.5", -0.5}, ReadCase{"+7", 7}, ReadCase{"1.2.3", 1.2}, ReadCase{"1,5", 1},
        ReadCase{"12abc", 12}, ReadCase{"3.147", 3.147}, ReadCase{"3.1475", 3.1475},
        ReadCase{"Press Equals...", 0}, ReadCase{"Press Equals...95", 0}, ReadCase{"1E3", 1000},
        ReadCase{"1D3", 1000}, ReadCase{"1e3", 1000}, ReadCase{"1d3", 1000},
        ReadCase{"-1.5E-3", -0.0015}, ReadCase{"2E", 2}, ReadCase{"2E+", 2}, ReadCase{"2E-x", 2},
        ReadCase{"&H10", 16}, ReadCase{"&O17", 15}, ReadCase{"&HFFFF", -1},
        ReadCase{"&H8000", -32768}, ReadCase{"&H7FFF", 32767}, ReadCase{"&H10000", 65536},
        ReadCase{"&HFFFFFFFF", -1}, ReadCase{"&H80000000", -2147483648.0}, ReadCase{"&hff", 255},
        ReadCase{"&hffff", -1}, ReadCase{"&o777", 511}, ReadCase{"&H", 0}, ReadCase{"&O8", 0},
        ReadCase{"&Hg", 0}, ReadCase{"&X12", 0}, ReadCase{"&H0000000000000000001F", 31},
        // Blanks, tabs and line feeds are ignored wherever they stand.
        ReadCase{"1 2\t3\n", 123}, ReadCase{" - 1 . 5 E 2", -150}, ReadCase{"& H 1 0", 16},
        // Anything else ends the number.
        ReadCase{"12\r3", 12}, ReadCase{"1\xD9\xA2", 1},
        ReadCase{"\xFF"
                 "12",
                 0},
        ReadCase{"--5", 0}, ReadCase{"+-5", 0}, ReadCase{"1E+-5", 1}, ReadCase{"E5", 0},
        ReadCase{".E5", 0}, ReadCase{"9.9999998E+155", 9.9999998E+155}, ReadCase{"0E999999999", 0},
        // Values far beyond the double range in the small direction vanish.
        ReadCase{"1E-400", 0}, ReadCase{"-1E-400", -0.0},
        ReadCase{"4.94065645841247E-324", kSmallestSubnormal},
        ReadCase{"2.2250738585072014E-308", DBL_MIN}, ReadCase{"1.7976931348623157E+308", kLargest},
        // Halfway between two doubles: ties to even, unless a digit follows.
        ReadCase{"9007199254740993", 9007199254740992.0},
        ReadCase{"9007199254740993.00000000000000000000001", 9007199254740994.0},
        ReadCase{"0.000000000000000000000000000001", 1E-30},
        ReadCase{"00000000000000000000000000000000000012", 12}));

TEST(TextToNumber, NulInsideTheTextEndsTheNumber) {
    const std::string text("12\0"
                           "34",
                           5);
    EXPECT_EQ(textToNumber(text), 12);
}

TEST(TextToNumber, NumbersBeyondTheDoubleRangeAreOverflow) {
    for (const char* text : {"1E400", "-1E400", "1E+309", "1.79769313486232E+308", "&H100000000",
                             "&HFFFFFFFFFF", "&O77777777777777"})
        EXPECT_FALSE(textToNumber(text).has_value()) << text;
}

// Just above the largest double is beyond the range, even where the nearest
// double would be the largest one itself.
TEST(TextToNumber, OverflowStartsJustAboveTheLargestDouble) {
    const std::string largest =
        "179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558"
        "632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245"
        "490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168"
        "738177180919299881250404026184124858368";
    EXPECT_EQ(textToNumber(largest), kLargest);
    EXPECT_EQ(textToNumber(largest + ".000"), kLargest);
    EXPECT_EQ(textToNumber("-" + largest), -kLargest);
    EXPECT_FALSE(textToNumber(largest + ".0001").has_value());
    EXPECT_FALSE(textToNumber(std::string(largest).replace(308, 1, "9")).has_value());
    EXPECT_FALSE(textToNumber("1.7976931348623158E+308").has_value());
    EXPECT_EQ(textToNumber("1.7976931348623157E+308"), kLargest);
    EXPECT_EQ(textToNumber("0.17976931348623157E+309"), kLargest);
}

TEST(TextToNumber, LongExponentDigitRunsSaturate) {
    const std::string hugeExponent = std::string("1E").append(100000, '9');
    EXPECT_FALSE(textToNumber(hugeExponent).has_value());
    const std::string hugeNegativeExponent = std::string("1E-").append(100000, '9');
    EXPECT_EQ(textToNumber(hugeNegativeExponent), 0.0);
    // A long exponent made of zeros is still zero.
    EXPECT_EQ(textToNumber(std::string("5E").append(100000, '0').append("2")), 500.0);
}

TEST(TextToNumber, LongDigitRunsRoundCorrectly) {
    // Exactly halfway between 2^53 and 2^53 + 2, with the deciding digit far
    // beyond the digits that are kept.
    const std::string halfway = std::string("9007199254740993.").append(2000, '0');
    EXPECT_EQ(textToNumber(halfway), 9007199254740992.0);
    EXPECT_EQ(textToNumber(halfway + "1"), 9007199254740994.0);

    // A long integer: the point's position counts every digit.
    EXPECT_FALSE(textToNumber(std::string("1").append(500, '0')).has_value());
    EXPECT_EQ(textToNumber(std::string("1").append(300, '0')), 1E300);
    EXPECT_EQ(textToNumber(std::string("0.").append(299, '0').append("1")), 1E-300);
    EXPECT_EQ(textToNumber(std::string(5000, '1').append("E-4990")), 1111111111.1111111);
}

TEST(TextToNumber, TextWithManyBlanksReadsAsItsDigits) {
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += " \t\n";
    text += "4 2";
    EXPECT_EQ(textToNumber(text), 42);
}

// Display texts of many megabytes, as a paste can make them.
TEST(TextToNumber, ReadsTenMebibyteTexts) {
    constexpr std::size_t kTenMiB = 10 * 1024 * 1024;
    EXPECT_EQ(textToNumber(std::string("0.").append(kTenMiB, '3')), 1.0 / 3.0);
    EXPECT_EQ(textToNumber(std::string(kTenMiB, ' ').append("4 2")), 42);
    EXPECT_EQ(textToNumber(std::string(kTenMiB, '0').append("7")), 7);
    EXPECT_FALSE(textToNumber(std::string("1").append(kTenMiB, '0')).has_value());
    EXPECT_FALSE(textToNumber(std::string("1E").append(kTenMiB, '9')).has_value());
    EXPECT_EQ(textToNumber(std::string("1E-").append(kTenMiB, '9')), 0.0);
    std::string digitsWithBlanks;
    while (digitsWithBlanks.size() < kTenMiB)
        digitsWithBlanks.append("1 ");
    EXPECT_FALSE(textToNumber(digitsWithBlanks).has_value());
    EXPECT_EQ(textToNumber(digitsWithBlanks.insert(0, ".")), 0.11111111111111111);
}

// Writing a number and reading it back gives the number rounded to 15
// significant digits: check that against the C library's own rounding on a
// large sample of doubles of every magnitude.
TEST(NumberTextRoundTrip, ReadingBackGivesFifteenDigitRounding) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    while (checked < 200000) {
        const double value = std::bit_cast<double>(bits(random));
        if (!std::isfinite(value))
            continue;
        ++checked;
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.14e", value);
        const double expected = std::strtod(rounded, nullptr);
        const std::string text = numberToText(value);
        const auto back = textToNumber(text);
        if (std::fabs(expected) > kLargest) {
            EXPECT_FALSE(back.has_value()) << text;
            continue;
        }
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_EQ(*back, expected == 0 ? 0.0 : expected) << std::hexfloat << value << " " << text;
    }
}

} // namespace
} // namespace rurozovizera
