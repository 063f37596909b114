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

// Empty when the key completed, otherwise the error that undid it.
using KeyOutcome = std::optional<CalcError>;

enum class DisplayId { Primary, Secondary };

class Calculator {
public:
    [[nodiscard]] const CalculatorState& state() const { return state_; }
    [[nodiscard]] const Display& primary() const { return state_.primary; }
    [[nodiscard]] const Display& secondary() const { return state_.secondary; }
    [[nodiscard]] bool equalsEnabled() const { return state_.equalsEnabled; }

    // The user's own typing or pasting into a display box. Nothing reacts to
    // it; the next key that reads the display reads this text.
    void setDisplayText(DisplayId display, std::string text);

    // Operand entry: append a character to, or replace, the visible text.
    KeyOutcome CmdZero();
    KeyOutcome CmdOne();
    KeyOutcome CmdTwo();
    KeyOutcome CmdThree();
    KeyOutcome CmdFour();
    KeyOutcome CmdFive();
    KeyOutcome CmdSix();
    KeyOutcome CmdSeven();
    KeyOutcome CmdEight();
    KeyOutcome CmdNine();
    KeyOutcome CmdDot();
    KeyOutcome CmdPy();

    // Operation keys: store the operand plus an operation code in the
    // pending key and switch the displays for the next operand.
    KeyOutcome cmdAdd();
    KeyOutcome cmdSubtract();
    KeyOutcome cmdMultiply();
    KeyOutcome cmdDivide();
    KeyOutcome CmdSqr();
    KeyOutcome CmdSqrt();
    KeyOutcome CmdPercent();

    // Finds the pending operation by trial and shows its result. Does
    // nothing while the Equals key is disabled, as a disabled key cannot be
    // pressed.
    KeyOutcome CmdEquals();

    // Memory register: add the visible value, clear, recall.
    KeyOutcome CmdMem();
    KeyOutcome CmdMemC();
    KeyOutcome cmdMrc();

    // The calculator part of the Clear key: everything but the memory back
    // to its start value. (Hiding the splash window is the window's part.)
    KeyOutcome CmdCancel();

private:
    void clear();
    KeyOutcome appendToVisible(char c, bool enablesEquals);
    void replaceVisible(const std::string& text);
    KeyOutcome twoOperandKey(double firstStageCode, double chainedCode);

    // Runs a key that may fail; on failure restores the state it found.
    template <typename Steps>
    KeyOutcome atomically(Steps&& steps);

    CalculatorState state_;
};

} // namespace rurozovizera
