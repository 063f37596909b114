// The two rules by which display text and numbers meet.
//
// The calculator keeps its operands as display text, so every key that
// computes reads text with textToNumber() and every key that writes a result
// writes it with numberToText(). Both are pure: they read no locale, no
// setting and no state, and "." is the decimal separator everywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rurozovizera {

// Reads the number at the start of a display text. Blanks, tabs and line
// feeds are ignored wherever they stand. "&H"/"&O" introduce a hexadecimal or
// octal integer; otherwise the longest prefix of the form
//   [+|-] digits with at most one "." [E|e|D|d [+|-] digits]
// is read and rounded to the nearest double. Text that holds no number reads
// as 0. Returns no value when the number lies beyond the double range (the
// overflow error); numbers too small for a double quietly become subnormal
// or zero. Linear in the length of the text.
[[nodiscard]] std::optional<double> textToNumber(std::string_view text);

// Writes a finite double rounded to 15 significant digits: fixed notation
// for decimal exponents -4 to 14, otherwise scientific ("1.2345E-05",
// "1E+15"); trailing zeros dropped, zero of either sign written "0".
[[nodiscard]] std::string numberToText(double value);

} // namespace rurozovizera
