#include "key_sequence.h"
#include "operation_codes.h"

#include <gtest/gtest.h>

namespace rurozovizera {
namespace {

using test_support::calculate;

// The state each operation key leaves, by the state it finds.
TEST(OperationKeys, FirstStageHidesThePrimaryAndStoresOperandPlusCode) {
    struct Case {
        const char* keys;
        double pending;
    };
    for (const Case& c : {Case{"1 2 +", 12 + AddCode}, Case{"1 2 -", 12 + SubtractCode},
                          Case{"1 2 *", 12 + MultiplyCode}, Case{"1 2 /", 12 + DivideCode},
                          Case{"1 2 %", 12 + PercentCode}}) {
        const Calculator calculator = calculate(c.keys);
        EXPECT_EQ(calculator.primary(), (Display{"12", false})) << c.keys;
        EXPECT_EQ(calculator.secondary(), (Display{"", true})) << c.keys;
        EXPECT_TRUE(calculator.equalsEnabled()) << c.keys;
        EXPECT_EQ(calculator.state().pendingKey, c.pending) << c.keys;
    }
}

TEST(OperationKeys, ChainedEmptiesAndShowsThePrimaryAndKeepsEqualsOff) {
    struct Case {
        const char* keys;
        double pending;
    };
    for (const Case& c :
         {Case{"1 2 + 5 = +", 17 + AddChainCode}, Case{"1 2 + 5 = -", 17 + SubtractChainCode},
          Case{"1 2 + 5 = *", 17 + MultiplyChainCode}, Case{"1 2 + 5 = /", 17 + DivideChainCode},
          // The last of two chained keys decides.
          Case{"1 2 + 5 = + /", 17 + DivideChainCode}}) {
        const Calculator calculator = calculate(c.keys);
        EXPECT_EQ(calculator.primary(), (Display{"", true})) << c.keys;
        EXPECT_EQ(calculator.secondary(), (Display{"17", false})) << c.keys;
        EXPECT_FALSE(calculator.equalsEnabled()) << c.keys;
        EXPECT_EQ(calculator.state().pendingKey, c.pending) << c.keys;
    }
}

TEST(OperationKeys, SquareShowsPressEqualsOrChainsWithoutChangingDisplays) {
    const Calculator first = calculate("9 ^");
    EXPECT_EQ(first.primary(), (Display{"9", false}));
    EXPECT_EQ(first.secondary(), (Display{"Press Equals...", true}));
    EXPECT_EQ(first.state().pendingKey, 9 + SquareCode);

    const Calculator chained = calculate("1 2 + 5 = ^");
    EXPECT_EQ(chained.primary(), (Display{"12", false}));
    EXPECT_EQ(chained.secondary(), (Display{"17", true}));
    EXPECT_TRUE(chained.equalsEnabled());
    EXPECT_EQ(chained.state().pendingKey, 17 + SquareChainCode);
}

TEST(OperationKeys, SquareRootLeavesItsOperandOnView) {
    const Calculator first = calculate("1 6 Sqrt");
    EXPECT_EQ(first.primary(), (Display{"16", true}));
    EXPECT_EQ(first.state().pendingKey, 16 + RootCode);

    const Calculator chained = calculate("1 2 + 5 = Sqrt");
    EXPECT_EQ(chained.secondary(), (Display{"17", true}));
    EXPECT_TRUE(chained.equalsEnabled());
    EXPECT_EQ(chained.state().pendingKey, 17 + RootChainCode);
}

TEST(OperationKeys, PercentAlwaysReadsThePrimaryDisplay) {
    // After a result the primary display is hidden and holds the old "12".
    const Calculator calculator = calculate("1 2 + 5 = %");
    EXPECT_EQ(calculator.state().pendingKey, 12 + PercentCode);
    EXPECT_FALSE(calculator.equalsEnabled());
    EXPECT_TRUE(calculator.secondary().visible);
}

TEST(OperationKeys, NegativeSquareRootOperandIsNoErrorYet) {
    Calculator calculator;
    calculator.type("-4");
    const auto outcomes = test_support::pressKeys(calculator, "Sqrt");
    EXPECT_FALSE(outcomes.front().error.has_value());
    EXPECT_EQ(calculator.state().pendingKey, -4 + RootCode);
}

} // namespace
} // namespace rurozovizera
