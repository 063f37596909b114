#include "key_sequence.h"

#include <gtest/gtest.h>

#include <limits>

namespace rurozovizera {
namespace {

using test_support::pressKeys;

// A failing key reports its error and leaves the whole state exactly as it
// found it, memory included; the calculator then goes on working.
struct FailureCase {
    const char* description;
    const char* before; // keys (and [typed text]) that set the scene
    const char* key;    // the key that fails
    CalcError error;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.description; }
};

class FailingKey : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailingKey, ReportsTheErrorAndChangesNothing) {
    const FailureCase& c = GetParam();
    Calculator calculator;
    pressKeys(calculator, "7 M+ C");
    pressKeys(calculator, c.before);
    const CalculatorState before = calculator.state();

    const auto outcomes = pressKeys(calculator, c.key);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes.front().error, c.error) << c.description;
    EXPECT_EQ(calculator.state(), before) << c.description;

    // Still alive: a fresh calculation works.
    pressKeys(calculator, "C 1 2 + 5 =");
    EXPECT_EQ(calculator.secondary().text, "17") << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FailingKey,
    ::testing::Values(
        FailureCase{"divide by an empty display", "1 2 /", "=", CalcError::DivisionByZero},
        FailureCase{"divide by zero", "5 / 0", "=", CalcError::DivisionByZero},
        FailureCase{"zero over zero", "0 / 0", "=", CalcError::Overflow},
        FailureCase{"chained divide by zero", "8 + 2 = / 0", "=", CalcError::DivisionByZero},
        FailureCase{"product beyond the range", "2 * [1E308]", "=", CalcError::Overflow},
        FailureCase{"sum beyond the range", "[1.7E308] + [1.7E308]", "=", CalcError::Overflow},
        // So large an operand makes every code vanish: the add row matches
        // first, then the divide row divides by the prompt's value, 0.
        FailureCase{"square of a huge operand", "[1E200] ^", "=", CalcError::DivisionByZero},
        FailureCase{"chained square root of a negative", "5 - 1 2 = Sqrt", "=",
                    CalcError::InvalidArgument},
        FailureCase{"square root of a negative", "[-4] Sqrt", "=", CalcError::InvalidArgument},
        FailureCase{"operand beyond the range", "[1E400]", "+", CalcError::Overflow},
        FailureCase{"chained operand beyond the range", "1 + 1 = [9.9999998E+15] 9 9 9", "*",
                    CalcError::Overflow},
        FailureCase{"percent operand beyond the range", "[1E999]", "%", CalcError::Overflow},
        FailureCase{"square operand beyond the range", "[1E999]", "^", CalcError::Overflow},
        FailureCase{"root operand beyond the range", "[1E999]", "Sqrt", CalcError::Overflow},
        FailureCase{"hexadecimal beyond 32 bits", "[&H100000000]", "M+", CalcError::Overflow},
        FailureCase{"Equals reads a display beyond the range", "1 2 + [1E999]", "=",
                    CalcError::Overflow},
        FailureCase{"memory beyond the range", "[1E308] M+", "M+", CalcError::Overflow}));

TEST(FailingKey, ScientificResultExtendedPastTheRangeOverflowsWhenRead) {
    Calculator calculator;
    pressKeys(calculator, "[9.9999998E+15] 5 M+");
    EXPECT_EQ(calculator.state().memory, 9.9999998E+155);
    const auto outcomes = pressKeys(calculator, "5 5 5 M+");
    EXPECT_EQ(outcomes.back().error, CalcError::Overflow);
    EXPECT_EQ(calculator.state().memory, 9.9999998E+155);
}

TEST(FailingKey, LargestDoubleRecalledFromMemoryOverflowsWhenReadBack) {
    Calculator calculator;
    calculator.type("1.7976931348623157E308");
    pressKeys(calculator, "M+ C MRC");
    EXPECT_EQ(calculator.state().memory, std::numeric_limits<double>::max());
    EXPECT_EQ(calculator.primary().text, "1.79769313486232E+308");
    const auto outcomes = pressKeys(calculator, "M+");
    EXPECT_EQ(outcomes.front().error, CalcError::Overflow);
}

TEST(FailingKey, ErrorsAreNamedForTheReport) {
    EXPECT_EQ(describe(CalcError::DivisionByZero), "division by zero");
    EXPECT_EQ(describe(CalcError::Overflow), "overflow");
    EXPECT_EQ(describe(CalcError::InvalidArgument), "invalid argument");
}

} // namespace
} // namespace rurozovizera
