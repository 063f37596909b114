#include "number_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace rurozovizera {

namespace {

// Digits beyond this many significant ones cannot change the nearest double
// (a halfway point between two doubles has at most 767 significant digits),
// so the rest of a long digit run only records whether it holds a non-zero.
constexpr std::size_t kMaxSignificantDigits = 800;

// Exponent digits saturate here: far beyond any exponent a double can take,
// even after adding the position of the decimal point in a huge text, and
// far below where an int64_t would overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000;

// Decimal exponents beyond these make the value overflow or vanish whatever
// the digits are, so the conversion is decided without looking further.
constexpr std::int64_t kLargestExponent = 309;
constexpr std::int64_t kSmallestExponent = -400;

// The exact decimal digits of the largest finite double, 1.797…E+308. A
// number above it is the overflow error even where rounding to the nearest
// double would bring it back down to the largest one.
constexpr std::string_view kLargestDoubleDigits =
    "17976931348623157081452742373170435679807056752584499659891747680315726078002853"
    "87605895586327668781715404589535143824642343213268894641827684675467035375169860"
    "49910576551282076245490090389328944075868508455133942304583236903222948165808559"
    "332123348274797826204144723168738177180919299881250404026184124858368";
constexpr std::int64_t kLargestDoubleExponent = 308;

// Walks a display text the way the rule reads it: blanks, tabs and line
// feeds are skipped wherever they stand, and the end of the text reads as
// NUL, which continues no number (nor does a NUL byte within the text).
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) { skipIgnored(); }

    [[nodiscard]] char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void advance() {
        ++pos_;
        skipIgnored();
    }

    // Consumes c if it is the next character the rule reads.
    bool take(char c) {
        if (peek() != c)
            return false;
        advance();
        return true;
    }

    // Consumes the run of characters that satisfy `wanted`, with the blanks
    // between them, and returns how many it consumed. One tight loop, so a
    // display holding megabytes of digits reads at memory speed.
    template <typename Wanted>
    std::size_t skipRun(Wanted wanted) {
        std::size_t count = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (wanted(c))
                ++count;
            else if (!isIgnored(c))
                break;
        }
        return count;
    }

private:
    static constexpr bool isIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    void skipIgnored() {
        while (pos_ < text_.size() && isIgnored(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

constexpr int digitValue(char c, unsigned radix) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < radix ? value : -1;
}

constexpr bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// "&H" and "&O" integers: up to FFFF they are 16-bit two's complement, up to
// FFFFFFFF 32-bit two's complement, and larger ones are the overflow error.
std::optional<double> readRadixInteger(TextCursor& in, unsigned radix) {
    constexpr std::uint64_t kLargest = 0xFFFF'FFFF;
    std::uint64_t value = 0;
    for (int digit; (digit = digitValue(in.peek(), radix)) >= 0; in.advance()) {
        // Saturate once past 32 bits, but keep consuming the run.
        if (value <= kLargest)
            value = value * radix + static_cast<unsigned>(digit);
    }
    if (value > kLargest)
        return std::nullopt;
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

// The digits of a decimal number as read: value = 0.D × 10^scale, where D is
// `significant` (no leading zeros), followed by a non-zero digit somewhere
// when `truncatedNonZero` is set.
struct DecimalReading {
    bool negative = false;
    bool anyDigit = false;
    std::string significant;
    bool truncatedNonZero = false;
    std::int64_t scale = 0;
    std::int64_t exponent = 0;
};

constexpr bool isZero(char c) { return c == '0'; }

// Reads the run of digits at the cursor into `number`. Leading zeros only
// move the point (when they follow it), and digits past the significant ones
// only count, so both are skipped in bulk rather than one at a time.
void readDigits(TextCursor& in, DecimalReading& number, bool beforePoint) {
    for (char c; isDecimalDigit(c = in.peek());) {
        number.anyDigit = true;
        if (number.significant.empty() && c == '0') {
            const auto zeros = static_cast<std::int64_t>(in.skipRun(isZero));
            if (!beforePoint)
                number.scale -= zeros;
        } else if (number.significant.size() == kMaxSignificantDigits) {
            auto count = static_cast<std::int64_t>(in.skipRun(isZero));
            if (isDecimalDigit(in.peek())) {
                number.truncatedNonZero = true;
                count += static_cast<std::int64_t>(in.skipRun(isDecimalDigit));
            }
            if (beforePoint)
                number.scale += count;
        } else {
            number.significant.push_back(c);
            if (beforePoint)
                ++number.scale;
            in.advance();
        }
    }
}

DecimalReading readDecimal(TextCursor& in) {
    DecimalReading number;
    if (in.take('-'))
        number.negative = true;
    else
        in.take('+');

    readDigits(in, number, true);
    if (in.take('.'))
        readDigits(in, number, false);

    const char letter = in.peek();
    if (number.anyDigit && (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd')) {
        in.advance();
        bool negativeExponent = false;
        if (in.take('-'))
            negativeExponent = true;
        else
            in.take('+');
        std::int64_t exponent = 0;
        for (char c; exponent < kExponentLimit && isDecimalDigit(c = in.peek()); in.advance())
            exponent = exponent * 10 + (c - '0');
        // The exponent has saturated: the rest of its digits change nothing.
        in.skipRun(isDecimalDigit);
        number.exponent = negativeExponent ? -exponent : exponent;
    }
    return number;
}

// Whether the digits read, with the decimal exponent of their first digit,
// lie above the largest finite double.
bool exceedsLargestDouble(const DecimalReading& number, std::int64_t exponent) {
    if (exponent != kLargestDoubleExponent)
        return exponent > kLargestDoubleExponent;
    const std::string_view digits = number.significant;
    const std::size_t length = std::max(digits.size(), kLargestDoubleDigits.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char read = i < digits.size() ? digits[i] : '0';
        const char largest = i < kLargestDoubleDigits.size() ? kLargestDoubleDigits[i] : '0';
        if (read != largest)
            return read > largest;
    }
    return number.truncatedNonZero;
}

std::optional<double> toNearestDouble(const DecimalReading& number) {
    const double zero = number.negative ? -0.0 : 0.0;
    if (number.significant.empty())
        return number.anyDigit ? zero : 0.0;

    // The decimal exponent of the first significant digit.
    const std::int64_t exponent = number.scale - 1 + number.exponent;
    if (exponent > kLargestExponent)
        return std::nullopt;
    if (exponent < kSmallestExponent)
        return zero;

    // Rewrite as d.ddd…e±X, a form the standard conversion reads exactly and
    // without any locale.
    std::string normal;
    normal.reserve(number.significant.size() + 8);
    normal.push_back(number.significant.front());
    normal.push_back('.');
    normal.append(number.significant, 1);
    if (number.truncatedNonZero)
        normal.push_back('1');
    normal.push_back('e');
    std::array<char, 24> digits{};
    auto written = std::to_chars(digits.data(), digits.data() + digits.size(), exponent);
    normal.append(digits.data(), written.ptr);

    double magnitude = 0;
    auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // Out of range is either beyond the largest double or below the
        // smallest subnormal; the sign of the exponent tells which.
        if (exponent > 0)
            return std::nullopt;
        return zero;
    }
    if (magnitude == std::numeric_limits<double>::max() && exceedsLargestDouble(number, exponent))
        return std::nullopt;
    return number.negative ? -magnitude : magnitude;
}

} // namespace

std::optional<double> textToNumber(std::string_view text) {
    TextCursor in(text);
    if (in.take('&')) {
        if (in.take('H') || in.take('h'))
            return readRadixInteger(in, 16);
        if (in.take('O') || in.take('o'))
            return readRadixInteger(in, 8);
        // "&" followed by anything else begins with a symbol: no number.
        return 0.0;
    }
    return toNearestDouble(readDecimal(in));
}

namespace {

// Results are written with at most this many significant digits.
constexpr int kWrittenDigits = 15;

// A non-zero number rounded to 15 significant digits, as
// ±d.ddd… × 10^exponent with the digits in `digits`, trailing zeros dropped.
struct RoundedNumber {
    bool negative = false;
    std::array<char, kWrittenDigits> digits{};
    std::size_t count = 0; // how many of `digits` are significant, at least 1
    int exponent = 0;

    [[nodiscard]] std::string_view significant() const { return {digits.data(), count}; }
};

// Rounds a finite non-zero double correctly to 15 significant digits.
RoundedNumber roundToSignificantDigits(double value) {
    RoundedNumber number;
    number.negative = value < 0;

    // d.dddddddddddddde±X: the digits and the exponent after rounding.
    std::array<char, 32> scientific{};
    const auto converted =
        std::to_chars(scientific.data(), scientific.data() + scientific.size(), std::fabs(value),
                      std::chars_format::scientific, kWrittenDigits - 1);
    const char* mantissa = scientific.data();
    const char* exponentText = mantissa + kWrittenDigits + 2; // past "d.", the other digits, "e"
    std::from_chars(exponentText + 1, converted.ptr, number.exponent);
    if (*exponentText == '-')
        number.exponent = -number.exponent;

    number.digits[0] = mantissa[0];
    for (std::size_t i = 1; i < number.digits.size(); ++i)
        number.digits[i] = mantissa[i + 1];
    number.count = number.digits.size();
    while (number.count > 1 && number.digits[number.count - 1] == '0')
        --number.count;
    return number;
}

// Writes a rounded number: fixed notation for decimal exponents -4 to 14,
// otherwise scientific with a signed exponent of at least two digits.
std::string writeRounded(const RoundedNumber& number) {
    const std::string_view significant = number.significant();
    const int exponent = number.exponent;

    std::string text;
    text.reserve(24);
    if (number.negative)
        text.push_back('-');
    if (exponent >= 0 && exponent <= 14) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (significant.size() <= integerDigits) {
            text.append(significant);
            text.append(integerDigits - significant.size(), '0');
        } else {
            text.append(significant.substr(0, integerDigits));
            text.push_back('.');
            text.append(significant.substr(integerDigits));
        }
    } else if (exponent < 0 && exponent >= -4) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(significant);
    } else {
        text.push_back(significant.front());
        if (significant.size() > 1) {
            text.push_back('.');
            text.append(significant.substr(1));
        }
        text.push_back('E');
        text.push_back(exponent < 0 ? '-' : '+');
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            text.push_back('0');
        std::array<char, 8> exponentDigits{};
        auto end = std::to_chars(exponentDigits.data(), exponentDigits.data() + 8, magnitude).ptr;
        text.append(exponentDigits.data(), end);
    }
    return text;
}

} // namespace

std::string numberToText(double value) {
    assert(std::isfinite(value) && "only finite numbers reach a display");
    if (value == 0)
        return "0";
    return writeRounded(roundToSignificantDigits(value));
}

} // namespace rurozovizera
