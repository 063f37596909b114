#include "arithmetic.h"

#include <cmath>

namespace rurozovizera {

namespace {

double checkedResult(double result) {
    if (std::isinf(result))
        throw KeyFailure(CalcError::Overflow);
    return result;
}

} // namespace

std::string_view describe(CalcError error) {
    switch (error) {
    case CalcError::DivisionByZero: return "division by zero";
    case CalcError::Overflow: return "overflow";
    case CalcError::InvalidArgument: return "invalid argument";
    }
    return "unknown error";
}

const char* KeyFailure::what() const noexcept { return describe(error_).data(); }

double checkedSum(double a, double b) { return checkedResult(a + b); }

double checkedDifference(double a, double b) { return checkedResult(a - b); }

double checkedProduct(double a, double b) { return checkedResult(a * b); }

double checkedQuotient(double dividend, double divisor) {
    if (divisor == 0) {
        // 0 ÷ 0 raises the invalid-operation flag, which the check reports
        // as overflow; anything else over zero is a division by zero.
        throw KeyFailure(dividend == 0 ? CalcError::Overflow : CalcError::DivisionByZero);
    }
    return checkedResult(dividend / divisor);
}

double checkedSquareRoot(double value) {
    if (value < 0)
        throw KeyFailure(CalcError::InvalidArgument);
    return std::sqrt(value);
}

} // namespace rurozovizera
