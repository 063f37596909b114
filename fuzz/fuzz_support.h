// What the number fuzz targets share. The process runs under a German
// locale (decimal comma) when one is installed, which the engine must not
// notice, while the targets' own references use the C library's number
// formatting and reading in the "C" locale.
#pragma once

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <locale.h>
#include <string>

namespace rurozovizera::fuzz {

inline locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

// Runs the C library's number formatting in the "C" locale while it lives.
class InCLocale {
public:
    InCLocale() : previous_(uselocale(cLocale())) {}
    ~InCLocale() { uselocale(previous_); }
    InCLocale(const InCLocale&) = delete;
    InCLocale& operator=(const InCLocale&) = delete;

private:
    locale_t previous_;
};

// The exact decimal digits of the largest finite double, as glibc's printf
// writes them: it prints the exact value of a double to any precision.
inline const std::string& largestDoubleDigits() {
    static const std::string digits = [] {
        const InCLocale c;
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", DBL_MAX);
        return std::string(buffer);
    }();
    return digits;
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A target's start: the German locale, and the digits above written once
// before the first input.
inline void startUnderCommaLocale() {
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    largestDoubleDigits();
}

} // namespace rurozovizera::fuzz
