// The calculator state behind the main window, and one operation per key.
//
// The numbers being worked on live only as text, in two displays of which
// one is visible at a time; which one is visible, the Equals key's enabled
// flag and the pending key together record where a calculation stands.
// Text becomes a number only when a key reads it (number_text.h).
//
// Every key is atomic: a key that fails (division by zero, overflow, a
// negative square root) leaves the whole state as it was before the key and
// reports the error, so the user's memory and calculation survive it.
#pragma once

#include "arithmetic.h"

#include <optional>
#include <string>

namespace rurozovizera {

// One of the two display boxes, which lie exactly on top of each other.
struct Display {
    std::string text;
    bool visible = false;

    bool operator==(const Display&) const = default;
};

struct CalculatorState {
    Display primary{"", true};    // the primary display, visible at start
    Display secondary{"", false}; // the secondary display, hidden at start
    bool equalsEnabled = true;    // the Equals key's enabled flag
    double pendingKey = 0;        // operand + operation code, or a result
    double memory = 0;            // the memory register

    bool operator==(const CalculatorState&) const = default;
};

// The value of a display's text at this moment; a number beyond the double
// range fails with the overflow error.
[[nodiscard]] double displayValue(const Display& display);

// The error that undid a key, or none when the key completed.
using KeyError = std::optional<CalcError>;

class Calculator {
public:
    [[nodiscard]] const CalculatorState& state() const { return state_; }
    [[nodiscard]] const Display& primary() const { return state_.primary; }
    [[nodiscard]] const Display& secondary() const { return state_.secondary; }
    [[nodiscard]] bool equalsEnabled() const { return state_.equalsEnabled; }

    // The user's own typing or pasting: the new text replaces the text of
    // every visible display, as the user can type only into the box on view.
    // Nothing reacts to it; the next key that reads the display reads it.
    void type(const std::string& text);

    // One operation per key, named by what the key does. The keypad table
    // (keypad.h) binds each key to its operation, and press() there is how
    // the window, the key driver and the tests press a key.

    // Operand entry: append a character to, or replace, the visible text.
    // digit<'7'>() is the 7 key; there is one such operation per digit key,
    // pressed as press(calculator, Key::Seven).
    template <char Digit>
    KeyError digit();
    KeyError decimalPoint();
    KeyError pi();

    // Operation keys: store the operand plus an operation code in the
    // pending key and switch the displays for the next operand.
    KeyError add();
    KeyError subtract();
    KeyError multiply();
    KeyError divide();
    KeyError square();
    KeyError squareRoot();
    KeyError percent();

    // Finds the pending operation by trial, shows its result and disables
    // the Equals key. A disabled key takes no click: press() ignores Equals
    // while it is disabled, so this runs only on the enabled key.
    KeyError equals();

    // Memory register: add the visible value, recall, clear.
    KeyError memoryAdd();
    KeyError memoryRecall();
    KeyError memoryClear();

    // The calculator part of the Clear key: everything but the memory back
    // to its start value. (Hiding the splash window is the window's part.)
    KeyError clear();

private:
    KeyError appendToVisible(char c, bool enablesEquals);
    void replaceVisible(const std::string& text);
    KeyError twoOperandKey(double firstStageCode, double chainedCode);

    // Runs a key that may fail; on failure restores the state it found.
    template <typename Steps>
    KeyError atomically(Steps&& steps);

    CalculatorState state_;
};

template <char Digit>
KeyError Calculator::digit() {
    static_assert(Digit >= '0' && Digit <= '9', "only the digits have digit keys");
    // The 9 key leaves the Equals key as it is; the other digits switch it on.
    return appendToVisible(Digit, Digit != '9');
}

} // namespace rurozovizera
