#include "key_sequence.h"

#include <gtest/gtest.h>

namespace rurozovizera {
namespace {

using test_support::calculate;
using test_support::pressKeys;
using test_support::shownText;

TEST(StartState, PrimaryVisibleAndEmptyEqualsEnabledNumbersZero) {
    const Calculator calculator;
    const CalculatorState& state = calculator.state();
    EXPECT_EQ(state.primary, (Display{"", true}));
    EXPECT_EQ(state.secondary, (Display{"", false}));
    EXPECT_TRUE(state.equalsEnabled);
    EXPECT_EQ(state.pendingKey, 0.0);
    EXPECT_EQ(state.memory, 0.0);
}

struct EntryCase {
    const char* keys;
    const char* shown;
    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.keys; }
};

class EntryKeys : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryKeys, AppendOrReplaceTheVisibleText) {
    const Calculator calculator = calculate(GetParam().keys);
    EXPECT_EQ(shownText(calculator), GetParam().shown) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(Sequences, EntryKeys,
                         ::testing::Values(EntryCase{"1 2 . 5", "12.5"}, EntryCase{"0 0", "00"},
                                           EntryCase{".", "."}, EntryCase{"1 . 2 . 3", "1.2.3"},
                                           EntryCase{"TT 5", "3.1475"},
                                           EntryCase{"1 2 TT", "3.147"},
                                           EntryCase{"0 1 2 3 4 5 6 7 8 9", "0123456789"},
                                           // Digits extend a result rather than starting afresh.
                                           EntryCase{"1 2 + 5 = 3", "173"},
                                           // ... and the square key's prompt.
                                           EntryCase{"9 ^ 5", "Press Equals...5"},
                                           // After an operation key the digits go to the other
                                           // display, which still holds the previous result.
                                           EntryCase{"1 2 + 5 = 8 + 3", "1783"}));

// Which entry keys switch the Equals key back on after a result.
struct EnablingCase {
    const char* key;
    bool enables;
    friend void PrintTo(const EnablingCase& c, std::ostream* os) { *os << c.key; }
};

class EntryKeyAfterResult : public ::testing::TestWithParam<EnablingCase> {};

TEST_P(EntryKeyAfterResult, SetsTheEqualsFlagUnlessNineOrPoint) {
    Calculator calculator = calculate("1 2 + 5 =");
    ASSERT_FALSE(calculator.equalsEnabled());
    pressKeys(calculator, GetParam().key);
    EXPECT_EQ(calculator.equalsEnabled(), GetParam().enables) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(Keys, EntryKeyAfterResult,
                         ::testing::Values(EnablingCase{"0", true}, EnablingCase{"1", true},
                                           EnablingCase{"2", true}, EnablingCase{"3", true},
                                           EnablingCase{"4", true}, EnablingCase{"5", true},
                                           EnablingCase{"6", true}, EnablingCase{"7", true},
                                           EnablingCase{"8", true}, EnablingCase{"9", false},
                                           EnablingCase{".", false}, EnablingCase{"TT", true}));

TEST(EntryKeys, NineAfterClearKeepsEqualsEnabled) {
    const Calculator calculator = calculate("1 2 + 5 = C 9");
    EXPECT_TRUE(calculator.equalsEnabled());
    EXPECT_EQ(calculator.primary().text, "9");
}

TEST(EntryKeys, LongDigitRunsKeepGrowing) {
    Calculator calculator;
    for (int i = 0; i < 10000; ++i)
        press(calculator, Key::Seven);
    EXPECT_EQ(calculator.primary().text, std::string(10000, '7'));
}

TEST(EntryKeys, TypedTextIsExtended) {
    Calculator calculator;
    calculator.type("abc");
    pressKeys(calculator, "1");
    EXPECT_EQ(calculator.primary().text, "abc1");
}

TEST(Typing, ReplacesTheTextOnViewAndNothingElse) {
    // After "+" the secondary display is on view and the hidden primary
    // still holds the first operand, which typing must leave alone.
    Calculator calculator = calculate("1 2 + 5");
    CalculatorState expected = calculator.state();
    calculator.type("7");
    expected.secondary.text = "7";
    EXPECT_EQ(calculator.state(), expected);
}

TEST(ClearKey, ResetsEverythingButTheMemory) {
    for (const char* keys : {"1 2", "1 2 +", "1 2 + 5 =", "9 ^", "1 2 + 5 = + 3", "5 Sqrt"}) {
        Calculator calculator = calculate(std::string("7 M+ C ") + keys);
        pressKeys(calculator, "C");
        CalculatorState expected;
        expected.memory = 7;
        EXPECT_EQ(calculator.state(), expected) << keys;
        pressKeys(calculator, "C");
        EXPECT_EQ(calculator.state(), expected) << keys << ", twice";
    }
}

} // namespace
} // namespace rurozovizera
