#include "json_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <limits>
#include <string>

namespace rurozovizera::keys {
namespace {

TEST(DecodeJsonString, DecodesEveryEscape) {
    struct Case {
        const char* literal;
        std::string text;
    };
    const Case cases[] = {
        {R"("")", ""},
        {R"("1 2\t3")", "1 2\t3"},
        {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"},
        {R"("\u0041\u00e9\u20AC")", "A\xC3\xA9\xE2\x82\xAC"},
        {R"("\u0000x")", std::string("\0x", 2)},
        {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
        {"\"caf\xC3\xA9\"", "caf\xC3\xA9"},
        {"\"\xFF\xFE\"", "\xFF\xFE"}, // bytes pass through as they are
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeJsonString(c.literal), c.text) << c.literal;
}

TEST(DecodeJsonString, RejectsAnythingButOneValidLiteral) {
    for (const char* literal : {"", "\"", "abc", "\"abc", "abc\"", "\"a\" ", "\"a\"b", "\"a\"\"",
                                "\"\\x\"", "\"\\u12\"", "\"\\u12G4\"", "\"\\ud83d\"", "\"\\ude00\"",
                                "\"\\ud83dx\"", "\"\\ud83d\\u0041\"", "\"\t\"", "\"\\\"", " \"a\""})
        EXPECT_FALSE(decodeJsonString(literal).has_value()) << literal;
}

TEST(EncodeJsonString, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(encodeJsonString(""), R"("")");
    EXPECT_EQ(encodeJsonString("Press Equals..."), R"("Press Equals...")");
    EXPECT_EQ(encodeJsonString("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(encodeJsonString("\b\f\n\r\t"), R"("\b\f\n\r\t")");
    EXPECT_EQ(encodeJsonString(std::string("\0\x1f\x7f", 3)), "\"\\u0000\\u001f\x7f\"");
}

TEST(EncodeJsonString, KeepsValidUtf8AndReplacesInvalidBytes) {
    EXPECT_EQ(encodeJsonString("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"");
    const std::string replacement = "\xEF\xBF\xBD";
    struct Case {
        const char* text;
        std::string encoded;
    };
    const Case cases[] = {
        {"\xFF", replacement},
        {"\xC3", replacement},                                     // truncated
        {"\xC0\xAF", replacement + replacement},                   // overlong
        {"\xED\xA0\x80", replacement + replacement + replacement}, // surrogate
        {"\xF4\x90\x80\x80", replacement + replacement + replacement + replacement},
        {"a\x80z", "a" + replacement + "z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeJsonString(c.text), "\"" + c.encoded + "\"") << c.text;
}

TEST(QuoteStart, QuotesAtMostSoManyCharactersAndGivesTheLengthWhenCut) {
    const std::string replacement = "\xEF\xBF\xBD";
    const std::string e = "\xC3\xA9"; // one character, two bytes
    const std::string emoji = "\xF0\x9F\x98\x80";
    struct Case {
        std::string text;
        std::size_t characters;
        std::string quoted;
    };
    const Case cases[] = {
        {"", 4, R"("")"},
        {"bogus", 5, R"("bogus")"},
        {"bogus!", 5, R"("bogus"... (6 bytes))"},
        {"caf" + e, 4, "\"caf" + e + "\""},
        {"caf" + e + e, 4, "\"caf" + e + "\"... (7 bytes)"},
        {"ab" + emoji + "cd", 3, "\"ab" + emoji + "\"... (8 bytes)"},
        // A control character is one character, however it is escaped.
        {"\t\r\x01z", 3, R"("\t\r\u0001"... (4 bytes))"},
        // A byte that is not UTF-8 is one character, written as U+FFFD.
        {std::string("\xFF\xFE") + "ab", 3, "\"" + replacement + replacement + "a\"... (4 bytes)"},
        // A truncated sequence at the cut counts one byte at a time.
        {"a\xC3", 2, "\"a" + replacement + "\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quoteStart(c.text, c.characters), c.quoted) << c.text;

    const std::string megabyte(1 << 20, 'x');
    EXPECT_EQ(quoteStart(megabyte, 80), "\"" + std::string(80, 'x') + "\"... (1048576 bytes)");
}

TEST(HexDouble, WritesWhatPrintfAWrites) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             -2.5,
                             12 + 9.81178064302,
                             0.1,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(),
                             DBL_MIN / 3,
                             DBL_MIN};
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%a", value);
        EXPECT_EQ(hexDouble(value), expected);
    }
}

} // namespace
} // namespace rurozovizera::keys
