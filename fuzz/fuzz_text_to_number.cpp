// Fuzzes the reading of display text: textToNumber() on arbitrary bytes must
// stay free of crashes and undefined behaviour, and must agree bit for bit
// with a slow reading of the same text written here from the rule alone.
//
// The slow reading removes every blank, tab and line feed first, collects
// the digits the rule reads into a plain decimal string and lets the C
// library's strtod_l() round it in the "C" locale. glibc reads any number of
// digits exactly, so the comparison needs no limit even for digit runs far
// longer than the engine keeps. strtod_l() rounds a number just above the
// largest double down to it; the rule calls such a number overflow, so
// there the slow reading compares the digits with the exact decimal
// expansion of the largest double.
//
// The process runs under a German locale (decimal comma) when one is
// installed: the engine's reading must not depend on it.
#include "fuzz_support.h"
#include "number_text.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

using rurozovizera::fuzz::cLocale;
using rurozovizera::fuzz::isDigit;
using rurozovizera::fuzz::largestDoubleDigits;

// The digit's value in the radix, or -1 when it is no digit of it.
int radixDigit(char c, unsigned radix) {
    int value = -1;
    if (isDigit(c))
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value >= 0 && value < static_cast<int>(radix) ? value : -1;
}

// The digits of an "&H" or "&O" integer, from just after the letter: 16-bit
// two's complement up to FFFF, 32-bit up to FFFFFFFF, overflow beyond.
std::optional<double> referenceRadixInteger(std::string_view text, unsigned radix) {
    std::size_t end = 0;
    while (end < text.size() && radixDigit(text[end], radix) >= 0)
        ++end;
    std::string_view digits = text.substr(0, end);
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    // 0xFFFFFFFF has 8 hexadecimal and 11 octal digits.
    if (digits.size() > (radix == 16 ? 8u : 11u))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits)
        value = value * radix + static_cast<std::uint64_t>(radixDigit(c, radix));
    if (value > 0xFFFF'FFFFu)
        return std::nullopt;
    const double magnitude = static_cast<double>(value);
    if (value <= 0xFFFF)
        return value >= 0x8000 ? magnitude - 65536.0 : magnitude;
    return value >= 0x8000'0000u ? magnitude - 4294967296.0 : magnitude;
}

// Whether digits, read as a number whose first digit stands where the
// largest double's first digit stands, lie above the largest double.
bool digitsAboveLargestDouble(std::string_view digits) {
    const std::string& largest = largestDoubleDigits();
    const std::size_t length = digits.size() > largest.size() ? digits.size() : largest.size();
    for (std::size_t i = 0; i < length; ++i) {
        const char read = i < digits.size() ? digits[i] : '0';
        const char limit = i < largest.size() ? largest[i] : '0';
        if (read != limit)
            return read > limit;
    }
    return false;
}

std::optional<double> referenceReading(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);
    // The end of the text reads as NUL, which continues nothing, as does a
    // NUL byte inside it.
    const auto at = [&](std::size_t i) { return i < s.size() ? s[i] : '\0'; };

    if (at(0) == '&') {
        const std::string_view rest = std::string_view(s).substr(s.size() < 2 ? s.size() : 2);
        if (at(1) == 'H' || at(1) == 'h')
            return referenceRadixInteger(rest, 16);
        if (at(1) == 'O' || at(1) == 'o')
            return referenceRadixInteger(rest, 8);
        return 0.0;
    }

    std::size_t i = 0;
    bool negative = false;
    if (at(i) == '-') {
        negative = true;
        ++i;
    } else if (at(i) == '+') {
        ++i;
    }
    std::string integerDigits;
    while (isDigit(at(i)))
        integerDigits.push_back(s[i++]);
    std::string fractionDigits;
    if (at(i) == '.') {
        ++i;
        while (isDigit(at(i)))
            fractionDigits.push_back(s[i++]);
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0.0;

    std::string exponent;
    if (at(i) == 'E' || at(i) == 'e' || at(i) == 'D' || at(i) == 'd') {
        ++i;
        if (at(i) == '-' || at(i) == '+')
            exponent.push_back(s[i++]);
        while (isDigit(at(i)))
            exponent.push_back(s[i++]);
    }
    if (exponent.empty() || !isDigit(exponent.back()))
        exponent.push_back('0');

    std::string decimal = negative ? "-" : "";
    decimal += integerDigits.empty() ? "0" : integerDigits;
    if (!fractionDigits.empty())
        decimal += "." + fractionDigits;
    decimal += "e" + exponent;

    char* end = nullptr;
    const double value = strtod_l(decimal.c_str(), &end, cLocale());
    if (end != decimal.c_str() + decimal.size()) {
        std::fprintf(stderr, "the slow reading built an unreadable number: %s\n", decimal.c_str());
        std::abort();
    }
    if (std::isinf(value))
        return std::nullopt;
    if (std::fabs(value) == DBL_MAX) {
        const std::string digits = integerDigits + fractionDigits;
        const std::size_t first = digits.find_first_not_of('0');
        if (digitsAboveLargestDouble(std::string_view(digits).substr(first)))
            return std::nullopt;
    }
    return value;
}

void printText(std::string_view text) {
    std::fputc('"', stderr);
    for (char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02X", static_cast<unsigned char>(c));
    }
    std::fputs("\"\n", stderr);
}

void printReading(const char* who, std::optional<double> value) {
    if (value)
        std::fprintf(stderr, "%s: %a (%.17g)\n", who, *value, *value);
    else
        std::fprintf(stderr, "%s: overflow\n", who);
}

bool sameReading(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    rurozovizera::fuzz::startUnderCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = rurozovizera::textToNumber(text);
    const std::optional<double> expected = referenceReading(text);
    if (!sameReading(value, expected)) {
        std::fputs("textToNumber disagrees with the slow reading of ", stderr);
        printText(text);
        printReading("textToNumber", value);
        printReading("slow reading", expected);
        std::abort();
    }
    return 0;
}
