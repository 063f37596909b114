#include "equals_rows.h"

#include "number_text.h"
#include "operation_codes.h"

namespace rurozovizera {

namespace {

// The values of the primary and secondary display texts, read afresh.
double primaryValue(const CalculatorState& s) { return displayValue(s.primary); }
double secondaryValue(const CalculatorState& s) { return displayValue(s.secondary); }

constexpr auto kPrimary = &CalculatorState::primary;
constexpr auto kSecondary = &CalculatorState::secondary;

} // namespace

// clang-format off
const std::array<EqualsRow, 13> kEqualsRows{{
    // code             compared    formula                                                                                              effect
    {AddCode,           kPrimary,   [](const CalculatorState& s) { return checkedSum(primaryValue(s), secondaryValue(s)); },             RowEffect::None},
    {DivideCode,        kPrimary,   [](const CalculatorState& s) { return checkedQuotient(primaryValue(s), secondaryValue(s)); },        RowEffect::None},
    {MultiplyCode,      kPrimary,   [](const CalculatorState& s) { return checkedProduct(primaryValue(s), secondaryValue(s)); },         RowEffect::None},
    {SubtractCode,      kPrimary,   [](const CalculatorState& s) { return checkedDifference(primaryValue(s), secondaryValue(s)); },      RowEffect::None},
    {SubtractChainCode, kSecondary, [](const CalculatorState& s) { return checkedDifference(secondaryValue(s), primaryValue(s)); },      RowEffect::ResultToPrimary},
    {SquareCode,        kPrimary,   [](const CalculatorState& s) { return checkedProduct(primaryValue(s), primaryValue(s)); },           RowEffect::None},
    {RootCode,          kPrimary,   [](const CalculatorState& s) { return checkedSquareRoot(primaryValue(s)); },                         RowEffect::ShowSecondary},
    {RootChainCode,     kSecondary, [](const CalculatorState& s) { return checkedSquareRoot(secondaryValue(s)); },                       RowEffect::ShowResultInSecondary},
    // Percent divides first: primary × (secondary ÷ 100), a single flag check on the product.
    {PercentCode,       kPrimary,   [](const CalculatorState& s) { return checkedProduct(primaryValue(s), secondaryValue(s) / 100.0); }, RowEffect::None},
    {SquareChainCode,   kSecondary, [](const CalculatorState& s) { return checkedProduct(secondaryValue(s), secondaryValue(s)); },       RowEffect::ShowResultInSecondary},
    {MultiplyChainCode, kSecondary, [](const CalculatorState& s) { return checkedProduct(primaryValue(s), secondaryValue(s)); },         RowEffect::ResultToPrimary},
    {DivideChainCode,   kSecondary, [](const CalculatorState& s) { return checkedQuotient(secondaryValue(s), primaryValue(s)); },        RowEffect::ResultToPrimary},
    {AddChainCode,      kSecondary, [](const CalculatorState& s) { return checkedSum(primaryValue(s), secondaryValue(s)); },             RowEffect::ResultToPrimary},
}};
// clang-format on

void applyRowEffect(RowEffect effect, CalculatorState& state) {
    switch (effect) {
    case RowEffect::None: break;
    case RowEffect::ResultToPrimary: state.primary.text = numberToText(state.pendingKey); break;
    case RowEffect::ShowSecondary:
        state.primary.visible = false;
        state.secondary.visible = true;
        break;
    case RowEffect::ShowResultInSecondary:
        state.secondary.visible = true;
        state.primary.visible = false;
        state.secondary.text = numberToText(state.pendingKey);
        break;
    }
}

} // namespace rurozovizera
