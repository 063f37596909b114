#include "calculator.h"

#include "equals_rows.h"
#include "number_text.h"
#include "operation_codes.h"

#include <utility>

namespace rurozovizera {

namespace {

// The pi key's text: exactly these five characters.
constexpr const char* kPiText = "3.147";
// What the square key shows while it waits for Equals.
constexpr const char* kPressEquals = "Press Equals...";

} // namespace

double displayValue(const Display& display) {
    if (const auto value = textToNumber(display.text))
        return *value;
    throw KeyFailure(CalcError::Overflow);
}

template <typename Steps>
KeyError Calculator::atomically(Steps&& steps) {
    CalculatorState before = state_;
    try {
        std::forward<Steps>(steps)();
    } catch (const KeyFailure& failure) {
        state_ = std::move(before);
        return failure.error();
    }
    return std::nullopt;
}

// Each entry key tests the primary display's visibility, then the
// secondary's, and acts on every display that is visible at that moment.
KeyError Calculator::appendToVisible(char c, bool enablesEquals) {
    if (state_.primary.visible)
        state_.primary.text.push_back(c);
    if (state_.secondary.visible)
        state_.secondary.text.push_back(c);
    if (enablesEquals)
        state_.equalsEnabled = true;
    return std::nullopt;
}

void Calculator::replaceVisible(const std::string& text) {
    if (state_.primary.visible)
        state_.primary.text = text;
    if (state_.secondary.visible)
        state_.secondary.text = text;
}

void Calculator::type(const std::string& text) { replaceVisible(text); }

// The decimal point, like the 9 key, leaves the Equals key as it is.
KeyError Calculator::decimalPoint() { return appendToVisible('.', false); }

KeyError Calculator::pi() {
    replaceVisible(kPiText);
    state_.equalsEnabled = true;
    return std::nullopt;
}

// With the Equals key enabled an operation key starts a calculation from the
// primary display; disabled (a result is shown) it chains from the result in
// the secondary display and empties the primary for the next operand.
KeyError Calculator::twoOperandKey(double firstStageCode, double chainedCode) {
    return atomically([&] {
        if (state_.equalsEnabled) {
            state_.primary.visible = false;
            state_.secondary.visible = true;
            state_.pendingKey = checkedSum(displayValue(state_.primary), firstStageCode);
        } else {
            state_.primary.text.clear();
            state_.primary.visible = true;
            state_.secondary.visible = false;
            state_.pendingKey = checkedSum(displayValue(state_.secondary), chainedCode);
        }
    });
}

KeyError Calculator::add() { return twoOperandKey(AddCode, AddChainCode); }
KeyError Calculator::subtract() { return twoOperandKey(SubtractCode, SubtractChainCode); }
KeyError Calculator::multiply() { return twoOperandKey(MultiplyCode, MultiplyChainCode); }
KeyError Calculator::divide() { return twoOperandKey(DivideCode, DivideChainCode); }

KeyError Calculator::square() {
    return atomically([&] {
        state_.equalsEnabled = true;
        if (state_.primary.visible) {
            state_.primary.visible = false;
            state_.secondary.visible = true;
            state_.secondary.text = kPressEquals;
            state_.pendingKey = checkedSum(displayValue(state_.primary), SquareCode);
        } else {
            state_.pendingKey = checkedSum(displayValue(state_.secondary), SquareChainCode);
        }
    });
}

// The square root key leaves its operand on view; Equals switches displays.
KeyError Calculator::squareRoot() {
    return atomically([&] {
        state_.equalsEnabled = true;
        if (state_.primary.visible)
            state_.pendingKey = checkedSum(displayValue(state_.primary), RootCode);
        else
            state_.pendingKey = checkedSum(displayValue(state_.secondary), RootChainCode);
    });
}

// Percent tests nothing: it always takes the primary display's text, even
// when that display is hidden and holds an older text than the one on view.
KeyError Calculator::percent() {
    return atomically([&] {
        state_.primary.visible = false;
        state_.secondary.visible = true;
        state_.pendingKey = checkedSum(displayValue(state_.primary), PercentCode);
    });
}

KeyError Calculator::equals() {
    return atomically([&] {
        // No early exit: once a row matches, later rows compare with its
        // result and may match again.
        for (const EqualsRow& row : kEqualsRows) {
            const double sum = checkedSum(displayValue(state_.*row.compared), row.code);
            if (sum != state_.pendingKey)
                continue;
            state_.pendingKey = row.formula(state_);
            applyRowEffect(row.effect, state_);
        }
        state_.secondary.text = numberToText(state_.pendingKey);
        state_.equalsEnabled = false;
    });
}

KeyError Calculator::memoryAdd() {
    return atomically([&] {
        if (state_.primary.visible)
            state_.memory = checkedSum(displayValue(state_.primary), state_.memory);
        if (state_.secondary.visible)
            state_.memory = checkedSum(displayValue(state_.secondary), state_.memory);
    });
}

KeyError Calculator::memoryClear() {
    state_.memory = 0;
    return std::nullopt;
}

KeyError Calculator::memoryRecall() {
    replaceVisible(numberToText(state_.memory));
    state_.equalsEnabled = true;
    return std::nullopt;
}

KeyError Calculator::clear() {
    state_.primary.visible = true;
    state_.secondary.visible = false;
    state_.equalsEnabled = true;
    state_.pendingKey = 0;
    state_.primary.text.clear();
    state_.secondary.text.clear();
    return std::nullopt;
}

} // namespace rurozovizera
