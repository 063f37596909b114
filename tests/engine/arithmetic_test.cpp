#include "arithmetic.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <limits>
#include <optional>

namespace rurozovizera {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

enum class Step { Sum, Difference, Product, Quotient };

std::optional<CalcError> checkedError(Step step, double a, double b) {
    try {
        switch (step) {
        case Step::Sum: (void)checkedSum(a, b); break;
        case Step::Difference: (void)checkedDifference(a, b); break;
        case Step::Product: (void)checkedProduct(a, b); break;
        case Step::Quotient: (void)checkedQuotient(a, b); break;
        }
    } catch (const KeyFailure& failure) {
        return failure.error();
    }
    return std::nullopt;
}

// What the processor's own exception flags say of the same step, mapped the
// way the flag check maps them.
std::optional<CalcError> flaggedError(Step step, double a, double b) {
    volatile double left = a;
    volatile double right = b;
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double result = 0;
    switch (step) {
    case Step::Sum: result = left + right; break;
    case Step::Difference: result = left - right; break;
    case Step::Product: result = left * right; break;
    case Step::Quotient: result = left / right; break;
    }
    (void)result;
    const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (flags & FE_DIVBYZERO)
        return CalcError::DivisionByZero;
    if (flags & (FE_OVERFLOW | FE_INVALID))
        return CalcError::Overflow;
    return std::nullopt;
}

// The check derives the flags from finite operands and the result; it must
// agree with the hardware flags on every kind of finite operand.
TEST(FlagCheck, AgreesWithTheProcessorFlags) {
    const double operands[] = {0.0,    -0.0,    1.0,    -1.0,   0.5,          3.0,
                               1e-300, -1e-300, 1e300,  -1e300, kLargest,     -kLargest,
                               1e154,  2.0,     1e-320, 100.0,  9.81178064301};
    for (Step step : {Step::Sum, Step::Difference, Step::Product, Step::Quotient})
        for (double a : operands)
            for (double b : operands)
                EXPECT_EQ(checkedError(step, a, b), flaggedError(step, a, b))
                    << "step " << static_cast<int>(step) << " with " << a << " and " << b;
}

TEST(FlagCheck, TinyResultsAreNoError) {
    EXPECT_EQ(checkedProduct(1e-200, 1e-200), 0.0);
    EXPECT_EQ(checkedQuotient(1e-300, 1e300), 0.0);
}

TEST(SquareRoot, RejectsOnlyNegativeArguments) {
    EXPECT_EQ(checkedSquareRoot(16), 4);
    EXPECT_EQ(checkedSquareRoot(0), 0);
    EXPECT_EQ(checkedSquareRoot(-0.0), 0);
    try {
        (void)checkedSquareRoot(-4);
        FAIL() << "no error for a negative argument";
    } catch (const KeyFailure& failure) {
        EXPECT_EQ(failure.error(), CalcError::InvalidArgument);
    }
}

} // namespace
} // namespace rurozovizera
