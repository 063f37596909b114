// Fuzzes the writing of results: numberToText() on every finite double must
// write text of the rule's shape whose digits and exponent are the value
// rounded to 15 significant digits, and reading that text back with
// textToNumber() must give exactly that rounded value, or overflow where the
// rounding lies above the largest double.
//
// An input of up to 11 bytes is a double: its first eight bytes in the
// machine's byte order, zeros where the input is shorter. An input of 12
// bytes or more aims at the values where rounding to 15 digits is closest to
// going the other way: the double nearest a point halfway between two
// neighbouring 15-digit numbers, moved by a few units in the last place.
//   bytes 0-7   the lower 15-digit number d.dddddddddddddd
//   bytes 8-9   its decimal exponent, -330 to 309
//   byte 10     units in the last place to move, -8 to 7
//   byte 11     bit 0 the sign; bit 1 takes 9.99999999999999 and bit 2
//               takes 1.00000000000000 for the number, where the exponent
//               and the notation change
//
// The 15-digit rounding comes from the C library: printf's "%.14e" in the
// "C" locale, read back with strtod. The process itself runs under a German
// locale (decimal comma) when one is installed: the engine must not notice.
#include "fuzz_support.h"
#include "number_text.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using rurozovizera::fuzz::InCLocale;
using rurozovizera::fuzz::isDigit;
using rurozovizera::fuzz::largestDoubleDigits;

// A value rounded to 15 significant digits: d.dddddddddddddd × 10^exponent.
struct Rounded {
    std::string digits; // all 15, as printf writes them
    int exponent = 0;
    std::string text; // printf's "%.14e" of the magnitude
};

Rounded roundToFifteenDigits(double magnitude) {
    const InCLocale c;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    Rounded rounded;
    rounded.text = buffer;
    rounded.digits.push_back(buffer[0]);
    rounded.digits.append(buffer + 2, 14);
    rounded.exponent = std::atoi(buffer + 17);
    return rounded;
}

// What a written text says, as its shape check reads it.
struct Written {
    bool negative = false;
    std::string digits; // the significant digits, no leading or trailing zeros
    int exponent = 0;   // the decimal exponent of the first significant digit
    bool scientific = false;
};

// Checks the text against the rule's shapes:
//   fixed       [-]ddd[.ddd] with no needless zeros, exponents -4 to 14
//   scientific  [-]d[.ddd]E±XX, the exponent at least two digits
//   zero        0
// and reads its digits and exponent; an empty result is a malformed text.
std::optional<Written> readShape(std::string_view text) {
    Written written;
    if (text == "0")
        return written;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        written.negative = true;
        ++i;
    }
    const std::size_t e = text.find('E', i);
    const std::string_view mantissa = text.substr(i, e == std::string_view::npos ? e : e - i);
    const std::size_t point = mantissa.find('.');
    const std::string_view integer = mantissa.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);

    for (std::string_view part : {integer, fraction})
        for (char c : part)
            if (!isDigit(c))
                return std::nullopt;
    if (integer.empty() || (integer.size() > 1 && integer.front() == '0'))
        return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))
        return std::nullopt;

    if (e != std::string_view::npos) {
        written.scientific = true;
        const std::string_view exponent = text.substr(e + 1);
        if (integer.size() != 1 || integer == "0" || exponent.size() < 3 || exponent.size() > 4)
            return std::nullopt;
        if (exponent[0] != '+' && exponent[0] != '-')
            return std::nullopt;
        if (exponent.size() == 4 && exponent[1] == '0')
            return std::nullopt;
        int magnitude = 0;
        for (char c : exponent.substr(1)) {
            if (!isDigit(c))
                return std::nullopt;
            magnitude = magnitude * 10 + (c - '0');
        }
        written.exponent = exponent[0] == '-' ? -magnitude : magnitude;
        written.digits = std::string(integer) + std::string(fraction);
    } else if (integer == "0") {
        // 0.000ddd: the zeros after the point only place the digits.
        const std::size_t first = fraction.find_first_not_of('0');
        if (first == std::string_view::npos)
            return std::nullopt;
        written.exponent = -static_cast<int>(first) - 1;
        written.digits = fraction.substr(first);
    } else {
        written.exponent = static_cast<int>(integer.size()) - 1;
        written.digits = std::string(integer) + std::string(fraction);
        while (written.digits.back() == '0')
            written.digits.pop_back();
    }

    const bool fixedRange = written.exponent >= -4 && written.exponent <= 14;
    if (written.scientific == fixedRange || written.digits.size() > 15)
        return std::nullopt;
    return written;
}

[[noreturn]] void fail(double value, const std::string& text, const char* what) {
    std::fprintf(stderr, "numberToText(%a) = \"%s\": %s\n", value, text.c_str(), what);
    std::abort();
}

void check(double value) {
    const std::string text = rurozovizera::numberToText(value);
    const std::optional<Written> written = readShape(text);
    if (!written)
        fail(value, text, "not of the rule's shape");

    if (value == 0) {
        if (text != "0")
            fail(value, text, "zero must be written \"0\"");
        if (const auto back = rurozovizera::textToNumber(text);
            !back || std::bit_cast<std::uint64_t>(*back) != 0)
            fail(value, text, "\"0\" must read back as +0");
        return;
    }
    if (written->negative != (value < 0))
        fail(value, text, "wrong sign");

    Rounded rounded = roundToFifteenDigits(std::fabs(value));
    std::string significant = rounded.digits;
    while (significant.back() == '0')
        significant.pop_back();
    if (written->digits != significant || written->exponent != rounded.exponent)
        fail(value, text, ("not the 15-digit rounding " + rounded.text).c_str());

    const std::optional<double> back = rurozovizera::textToNumber(text);
    const bool aboveLargest =
        rounded.exponent > 308 ||
        (rounded.exponent == 308 && rounded.digits > largestDoubleDigits().substr(0, 15));
    if (aboveLargest) {
        if (back)
            fail(value, text, "reads back as a number, but lies above the largest double");
        return;
    }
    double expected = 0;
    {
        const InCLocale c;
        expected = std::strtod(rounded.text.c_str(), nullptr);
    }
    if (value < 0)
        expected = -expected;
    if (!back)
        fail(value, text, "reads back as overflow");
    if (std::bit_cast<std::uint64_t>(*back) != std::bit_cast<std::uint64_t>(expected))
        fail(value, text, "does not read back as its 15-digit rounding");
}

double doubleOfBytes(const std::uint8_t* data, std::size_t size) {
    unsigned char bytes[sizeof(double)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

double nearHalfway(const std::uint8_t* data) {
    std::uint64_t which = 0;
    std::memcpy(&which, data, sizeof which);
    std::uint16_t exponentBytes = 0;
    std::memcpy(&exponentBytes, data + 8, sizeof exponentBytes);
    const int exponent = exponentBytes % 640 - 330;
    const int steps = data[10] % 16 - 8;
    const bool negative = (data[11] & 1) != 0;

    unsigned long long lower = 100'000'000'000'000 + which % 900'000'000'000'000;
    if ((data[11] & 2) != 0)
        lower = 999'999'999'999'999;
    else if ((data[11] & 4) != 0)
        lower = 100'000'000'000'000;

    // The 16 digits of the halfway point, its first digit at 10^exponent.
    char halfway[48];
    std::snprintf(halfway, sizeof halfway, "%llu5e%d", lower, exponent - 15);
    double value = 0;
    {
        const InCLocale c;
        value = std::strtod(halfway, nullptr);
    }
    const double direction = steps < 0 ? -HUGE_VAL : HUGE_VAL;
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        value = std::nextafter(value, direction);
    return negative ? -value : value;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rurozovizera::fuzz::startUnderCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const double value = size >= 12 ? nearHalfway(data) : doubleOfBytes(data, size);
    if (std::isfinite(value))
        check(value);
    return 0;
}
