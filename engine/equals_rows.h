// The thirteen rows that Equals walks to find the pending operation.
//
// In each row Equals adds the row's code to the value of the row's compared
// display and compares the sum with the pending key. A row that matches
// computes its formula, stores the result in the pending key and applies its
// effect; the rows after it then compare against that result. The order is
// fixed and decides which operation runs when two codes give the same sum,
// as they do for large operands.
#pragma once

#include "calculator.h"

#include <array>

namespace rurozovizera {

// What a matching row does after storing its result.
enum class RowEffect {
    None,
    ResultToPrimary,       // the primary display shows the result's text
    ShowSecondary,         // the secondary display becomes the visible one
    ShowResultInSecondary, // ... and shows the result's text
};

struct EqualsRow {
    double code;
    Display CalculatorState::*compared;
    // Reads its operands afresh from the display texts, so it sees text that
    // an earlier row wrote; fails like any arithmetic step.
    double (*formula)(const CalculatorState&);
    RowEffect effect;
};

extern const std::array<EqualsRow, 13> kEqualsRows;

// Carries out a matching row's effect with the new pending key.
void applyRowEffect(RowEffect effect, CalculatorState& state);

} // namespace rurozovizera
