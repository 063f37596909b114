#include "equals_rows.h"

#include "number_text.h"
#include "operation_codes.h"

namespace rurozovizera {

namespace {

// P and S: the values of the primary and secondary display texts.
double P(const CalculatorState& s) { return displayValue(s.TxtDisplay); }
double S(const CalculatorState& s) { return displayValue(s.txtdisplay2); }

constexpr auto kPrimary = &CalculatorState::TxtDisplay;
constexpr auto kSecondary = &CalculatorState::txtdisplay2;

} // namespace

// clang-format off
const std::array<EqualsRow, 13> kEqualsRows{{
    // code               compared    formula                                                               effect
    {AddCode,             kPrimary,   [](const CalculatorState& s) { return checkedSum(P(s), S(s)); },        RowEffect::None},
    {DivideCode,          kPrimary,   [](const CalculatorState& s) { return checkedQuotient(P(s), S(s)); },   RowEffect::None},
    {MultiplyCode,        kPrimary,   [](const CalculatorState& s) { return checkedProduct(P(s), S(s)); },    RowEffect::None},
    {SubtractCode,        kPrimary,   [](const CalculatorState& s) { return checkedDifference(P(s), S(s)); }, RowEffect::None},
    {SubtractChainCode,   kSecondary, [](const CalculatorState& s) { return checkedDifference(S(s), P(s)); }, RowEffect::ResultToPrimary},
    {SquareCode,          kPrimary,   [](const CalculatorState& s) { return checkedProduct(P(s), P(s)); },    RowEffect::None},
    {RootCode,            kPrimary,   [](const CalculatorState& s) { return checkedSquareRoot(P(s)); },       RowEffect::ShowSecondary},
    {RootChainCode,       kSecondary, [](const CalculatorState& s) { return checkedSquareRoot(S(s)); },       RowEffect::ShowResultInSecondary},
    // Percent divides first: P × (S ÷ 100), a single flag check on the product.
    {PercentCode,         kPrimary,   [](const CalculatorState& s) { return checkedProduct(P(s), S(s) / 100.0); }, RowEffect::None},
    {SquareChainCode,     kSecondary, [](const CalculatorState& s) { return checkedProduct(S(s), S(s)); },    RowEffect::ShowResultInSecondary},
    {MultiplyChainCode,   kSecondary, [](const CalculatorState& s) { return checkedProduct(P(s), S(s)); },    RowEffect::ResultToPrimary},
    {DivideChainCode,     kSecondary, [](const CalculatorState& s) { return checkedQuotient(S(s), P(s)); },   RowEffect::ResultToPrimary},
    {AddChainCode,        kSecondary, [](const CalculatorState& s) { return checkedSum(P(s), S(s)); },        RowEffect::ResultToPrimary},
}};
// clang-format on

void applyRowEffect(RowEffect effect, CalculatorState& state) {
    switch (effect) {
    case RowEffect::None: break;
    case RowEffect::ResultToPrimary: state.TxtDisplay.text = numberToText(state.PendingKey); break;
    case RowEffect::ShowSecondary:
        state.TxtDisplay.visible = false;
        state.txtdisplay2.visible = true;
        break;
    case RowEffect::ShowResultInSecondary:
        state.txtdisplay2.visible = true;
        state.TxtDisplay.visible = false;
        state.txtdisplay2.text = numberToText(state.PendingKey);
        break;
    }
}

} // namespace rurozovizera
