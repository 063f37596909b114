#include "key_sequence.h"

#include <gtest/gtest.h>

namespace rurozovizera {
namespace {

using test_support::calculate;
using test_support::shownText;

struct MemoryCase {
    const char* keys;
    double memory;
    const char* shown;
    friend void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.keys; }
};

class MemoryKeys : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryKeys, AddRecallAndClear) {
    const Calculator calculator = calculate(GetParam().keys);
    EXPECT_EQ(calculator.state().memory, GetParam().memory) << GetParam().keys;
    EXPECT_EQ(shownText(calculator), GetParam().shown) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(Sequences, MemoryKeys,
                         ::testing::Values(MemoryCase{"MRC", 0, "0"}, MemoryCase{"M+", 0, ""},
                                           MemoryCase{"9 ^ M+", 0, "Press Equals..."},
                                           // M+ does not remember what it already added.
                                           MemoryCase{"5 M+ M+", 10, "5"},
                                           // MRC replaces the text; digits then extend it.
                                           MemoryCase{"1 2 M+ C 7 MRC", 12, "12"},
                                           MemoryCase{"1 2 M+ C 7 MRC 3", 12, "123"},
                                           MemoryCase{"5 M+ MC MRC", 0, "0"},
                                           // Clear keeps the memory.
                                           MemoryCase{"5 M+ C MRC", 5, "5"},
                                           // M+ reads whichever display is visible.
                                           MemoryCase{"1 2 + 5 = M+", 17, "17"},
                                           MemoryCase{"1 . 5 M+ 2 M+", 1.52 + 1.5, "1.52"}));

TEST(MemoryKeys, RecallAfterEqualsEnablesEqualsAgain) {
    Calculator calculator = calculate("4 M+ + 5 =");
    ASSERT_FALSE(calculator.equalsEnabled());
    test_support::pressKeys(calculator, "MRC");
    EXPECT_TRUE(calculator.equalsEnabled());
    EXPECT_EQ(calculator.secondary().text, "4");
}

TEST(MemoryKeys, AddAndClearChangeNothingShown) {
    Calculator calculator = calculate("1 2 + 5 =");
    CalculatorState expected = calculator.state();
    test_support::pressKeys(calculator, "M+");
    expected.memory = 17;
    EXPECT_EQ(calculator.state(), expected);
    test_support::pressKeys(calculator, "MC");
    expected.memory = 0;
    EXPECT_EQ(calculator.state(), expected);
}

TEST(MemoryKeys, RecallWritesFifteenDigitText) {
    const Calculator calculator = calculate("1 / 3 = M+ C MRC");
    EXPECT_EQ(calculator.primary().text, "0.333333333333333");
}

} // namespace
} // namespace rurozovizera
