// Arithmetic steps and the three ways a key can fail.
//
// Every step that stores a result is followed by the check of the IEEE 754
// overflow, division-by-zero and invalid-operation flags the step raised.
// The operands of a step are always finite (display values are read by the
// text rule, which refuses anything beyond the double range, and every
// stored result has passed this check), so those flags follow from the
// operands and the result alone:
//   division by zero  a non-zero number divided by zero
//   invalid operation zero divided by zero (reported as overflow)
//   overflow          any result beyond the largest finite double
// Computing them this way keeps the check exact without relying on the
// compiler to keep floating-point operations in place around fenv calls.
// Underflow and inexact results are not errors: tiny results quietly become
// subnormal or zero.
#pragma once

#include <exception>
#include <string_view>

namespace rurozovizera {

enum class CalcError { DivisionByZero, Overflow, InvalidArgument };

// The error as the error report names it: "division by zero", "overflow"
// or "invalid argument".
[[nodiscard]] std::string_view describe(CalcError error);

// Thrown by a failing step; the calculator catches it at the key boundary
// and restores the state the key started from.
class KeyFailure : public std::exception {
public:
    explicit KeyFailure(CalcError error) : error_(error) {}
    [[nodiscard]] CalcError error() const { return error_; }
    [[nodiscard]] const char* what() const noexcept override;

private:
    CalcError error_;
};

[[nodiscard]] double checkedSum(double a, double b);
[[nodiscard]] double checkedDifference(double a, double b);
[[nodiscard]] double checkedProduct(double a, double b);
[[nodiscard]] double checkedQuotient(double dividend, double divisor);

// The correctly rounded square root; a negative argument is the
// invalid-argument error. No flag check follows it.
[[nodiscard]] double checkedSquareRoot(double value);

} // namespace rurozovizera
