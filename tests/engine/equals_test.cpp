#include "equals_rows.h"
#include "key_sequence.h"
#include "operation_codes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace rurozovizera {
namespace {

using test_support::calculate;
using test_support::pressKeys;

// The worked example, step by step, with the pending key after each key.
TEST(Equals, WorkedExampleTwelvePlusFiveThenPlusThree) {
    struct Step {
        const char* keys;
        Display primary;
        Display secondary;
        bool equalsEnabled;
        double pending;
    };
    const Step steps[] = {
        {"1 2", {"12", true}, {"", false}, true, 0},
        {"+", {"12", false}, {"", true}, true, 12 + AddCode},
        {"5", {"12", false}, {"5", true}, true, 12 + AddCode},
        {"=", {"12", false}, {"17", true}, false, 17},
        {"+", {"", true}, {"17", false}, false, 17 + AddChainCode},
        {"3", {"3", true}, {"17", false}, true, 17 + AddChainCode},
        {"=", {"20", true}, {"20", false}, false, 20},
    };
    Calculator calculator;
    for (const Step& step : steps) {
        pressKeys(calculator, step.keys);
        EXPECT_EQ(calculator.primary(), step.primary) << "after " << step.keys;
        EXPECT_EQ(calculator.secondary(), step.secondary) << "after " << step.keys;
        EXPECT_EQ(calculator.equalsEnabled(), step.equalsEnabled) << "after " << step.keys;
        EXPECT_EQ(calculator.state().pendingKey, step.pending) << "after " << step.keys;
    }
}

struct Sequence {
    const char* keys;
    const char* result;
    bool inPrimary; // which display shows the result
    friend void PrintTo(const Sequence& s, std::ostream* os) { *os << s.keys; }
};

class EqualsSequences : public ::testing::TestWithParam<Sequence> {};

TEST_P(EqualsSequences, ShowTheResultInTheRightDisplay) {
    const Sequence& s = GetParam();
    const Calculator calculator = calculate(s.keys);
    const Display& shown = s.inPrimary ? calculator.primary() : calculator.secondary();
    EXPECT_TRUE(shown.visible) << s.keys;
    EXPECT_EQ(shown.text, s.result) << s.keys;
    // The final step always writes the result into the secondary display.
    EXPECT_EQ(calculator.secondary().text, s.result) << s.keys;
    EXPECT_FALSE(calculator.equalsEnabled()) << s.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Ordinary, EqualsSequences,
    ::testing::Values(Sequence{"1 2 + 5 =", "17", false}, Sequence{"1 2 - 5 =", "7", false},
                      Sequence{"1 2 - 5 = - 3 =", "4", true},
                      Sequence{"1 0 0 / 8 =", "12.5", false},
                      Sequence{"1 0 0 / 8 = / 5 =", "2.5", true},
                      Sequence{"1 2 + 5 = * 2 =", "34", true}, Sequence{"9 ^ =", "81", false},
                      Sequence{"1 2 + 5 = ^ =", "289", false}, Sequence{"1 6 Sqrt =", "4", false},
                      Sequence{"2 0 0 % 1 5 =", "30", false},
                      Sequence{"1 2 + 5 = Sqrt =", "4.12310562561766", false},
                      Sequence{"5 + 7 = + 3 = + 4 =", "19", true},
                      Sequence{"1 / 3 =", "0.333333333333333", false},
                      Sequence{"1 / 3 = * 3 =", "0.999999999999999", true},
                      // Operands this large make every code collide: the add row wins.
                      Sequence{"9 9 9 9 9 9 9 9 * 9 9 9 9 9 9 9 9 =", "199999998", false}));

INSTANTIATE_TEST_SUITE_P(KeyQuirks, EqualsSequences,
                         ::testing::Values(
                             // A second operation key replaces the first, keeping the operand.
                             Sequence{"1 2 + * 5 =", "60", false},
                             // ... and the digits after it extend the second operand.
                             Sequence{"1 2 + 5 + 3 =", "65", false}, Sequence{"+ 5 =", "5", false},
                             Sequence{"1 2 + 5 = + 0 9 =", "26", true},
                             // A digit 0 to 8 after a result takes the first-stage branch with the
                             // older text still hidden in the primary display.
                             Sequence{"1 2 + 5 = 8 + 3 =", "1795", false},
                             // 9 does not switch Equals on, so the next key still chains.
                             Sequence{"1 2 + 5 = 9 + 3 =", "182", true},
                             Sequence{"1 2 + 5 = + 3 - 1 =", "-168", false},
                             Sequence{"1 2 + 5 = + 9 - 1 =", "16", true},
                             Sequence{"1 2 + 5 = % 5 0 =", "210", false},
                             Sequence{"9 ^ 5 =", "81", false}));

// Large operands make neighbouring codes give the same sum; the first row in
// table order whose sum matches then runs, whichever key was pressed.
INSTANTIATE_TEST_SUITE_P(
    CodeCollisions, EqualsSequences,
    ::testing::Values(Sequence{"6 5 5 2 6 * 2 =", "131052", false},
                      Sequence{"6 5 5 2 7 * 2 =", "65529", false},
                      Sequence{"1 3 1 0 6 3 / 7 =", "131070", false},
                      Sequence{"2 0 0 0 0 0 - 5 =", "1000000", false},
                      Sequence{"2 0 0 0 0 0 % 5 =", "447.213595499958", false},
                      Sequence{"6 0 0 0 0 0 + 0 = + 5 =", "774.596669241483", false},
                      Sequence{"3 0 0 0 0 0 0 + 0 = + 5 =", "2999995", true},
                      Sequence{"1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 + 5 =", "2E+17", false},
                      Sequence{"1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 * 1 =", "1E+36", false}));

TEST(Equals, SquareRootOfAHugeOperandIsSquaredByAnEarlierRow) {
    // Row 6 (square) matches before row 7, and switches no display.
    const Calculator calculator = calculate("7 0 0 0 0 Sqrt =");
    EXPECT_EQ(calculator.primary(), (Display{"70000", true}));
    EXPECT_EQ(calculator.secondary(), (Display{"4900000000", false}));
}

TEST(Equals, AfterClearMatchesNoRow) {
    const Calculator calculator = calculate("=");
    EXPECT_EQ(calculator.primary(), (Display{"", true}));
    EXPECT_EQ(calculator.secondary(), (Display{"0", false}));
    EXPECT_FALSE(calculator.equalsEnabled());
}

TEST(Equals, ExtendedSquareRootOperandMatchesNoRow) {
    const Calculator calculator = calculate("1 6 Sqrt 5 =");
    EXPECT_EQ(calculator.primary(), (Display{"165", true}));
    EXPECT_EQ(calculator.secondary(), (Display{"25.81178064306", false}));
    EXPECT_EQ(calculator.state().pendingKey, 16 + RootCode);
}

TEST(Equals, ALaterRowMatchesTheResultOfAnEarlierOne) {
    Calculator divideToo = calculate("1 2 +");
    divideToo.type("9.81178064301");
    pressKeys(divideToo, "=");
    EXPECT_EQ(divideToo.secondary().text, "1.22301959619826");

    Calculator subtractToo;
    subtractToo.type("9.81178064313");
    pressKeys(subtractToo, "+ 5 =");
    EXPECT_EQ(subtractToo.primary().text, "-4.81178064313");
    EXPECT_EQ(subtractToo.secondary().text, "-4.81178064313");
}

TEST(Equals, ZeroTimesANegativeNumberShowsZero) {
    Calculator calculator = calculate("0 *");
    calculator.type("-5");
    pressKeys(calculator, "=");
    EXPECT_EQ(calculator.secondary().text, "0");
}

TEST(Equals, TinyProductsBecomeZeroWithoutError) {
    Calculator calculator;
    calculator.type("1E-200");
    pressKeys(calculator, "*");
    calculator.type("1E-200");
    const auto outcomes = pressKeys(calculator, "=");
    EXPECT_FALSE(outcomes.front().error.has_value());
    EXPECT_EQ(calculator.secondary().text, "0");
}

TEST(Equals, DisabledEqualsIsIgnored) {
    Calculator calculator = calculate("1 2 + 5 = + 9");
    const CalculatorState before = calculator.state();
    const auto outcomes = pressKeys(calculator, "=");
    EXPECT_TRUE(outcomes.front().ignored);
    EXPECT_EQ(calculator.state(), before);
}

TEST(Equals, ReadsLongPastedOperands) {
    Calculator calculator;
    calculator.type(std::string("1").append(5'000'000, ' ').append("2"));
    pressKeys(calculator, "+");
    calculator.type(std::string(5'000'000, '0').append("5"));
    pressKeys(calculator, "=");
    EXPECT_EQ(calculator.secondary().text, "17");
}

// Which rows' codes give one common sum, band by band of the sum's size.
TEST(EqualsRows, CodesCollideByBandsOfMagnitude) {
    using Groups = std::set<std::set<int>>;
    struct Band {
        double value;
        Groups groups; // only the rows that share a sum with another
    };
    const Band bands[] = {
        {1000, {}},
        {65527, {{1, 3}, {5, 8}, {6, 7}, {11, 13}}},
        {100000, {{1, 3}, {5, 8}, {6, 7}, {11, 13}}},
        {-100000, {{1, 3}, {5, 8}, {6, 7}, {11, 13}}},
        {200000, {{1, 2}, {3, 4, 6}, {5, 8}, {7, 9, 12}, {10, 11, 13}}},
        {300000, {{1, 2, 3}, {4, 6, 7, 9, 12, 13}, {5, 8, 10, 11}}},
        {600000, {{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13}}},
        {1500000, {{1, 2, 3, 4, 6, 7}, {5, 8, 9, 10, 11, 12, 13}}},
        {3000000, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}}},
    };
    for (const Band& band : bands) {
        std::map<double, std::set<int>> rowsBySum;
        for (std::size_t i = 0; i < kEqualsRows.size(); ++i)
            rowsBySum[band.value + kEqualsRows[i].code].insert(static_cast<int>(i) + 1);
        Groups shared;
        for (const auto& [sum, rows] : rowsBySum)
            if (rows.size() > 1)
                shared.insert(rows);
        EXPECT_EQ(shared, band.groups) << "value " << band.value;
    }
}

} // namespace
} // namespace rurozovizera
