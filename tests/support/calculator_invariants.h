// The calculator's invariants after every key and every typed text, which
// the soak test and the key fuzzer check on whatever sequence they run:
//   - exactly one display is visible;
//   - the pending key and the memory are finite numbers, never an infinity
//     or a NaN;
//   - a key is ignored exactly when it is Equals while Equals is disabled;
//   - a key that reports an error, or is ignored, changed nothing at all;
//   - keys that only write text (digits, point, pi, the memory recall and
//     clear keys, Clear) never fail;
//   - Equals that completes shows the pending key's text in the secondary
//     display and disables itself;
//   - typing replaces the visible display's text and nothing else.
#pragma once

#include "calculator.h"
#include "keypad.h"
#include "number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace rurozovizera::test_support {

// The invariant a state between keys breaks, or null.
[[nodiscard]] inline const char* brokenInState(const CalculatorState& state) {
    if (state.primary.visible == state.secondary.visible)
        return "not exactly one display visible";
    if (!std::isfinite(state.pendingKey))
        return "the pending key is not finite";
    if (!std::isfinite(state.memory))
        return "the memory is not finite";
    return nullptr;
}

// Keys that write text into a display and read no number cannot fail.
[[nodiscard]] inline bool onlyWritesText(Key key) {
    constexpr std::array kTextKeys{Key::Zero,         Key::One,         Key::Two,  Key::Three,
                                   Key::Four,         Key::Five,        Key::Six,  Key::Seven,
                                   Key::Eight,        Key::Nine,        Key::Dot,  Key::Pi,
                                   Key::MemoryRecall, Key::MemoryClear, Key::Clear};
    return std::ranges::find(kTextKeys, key) != kTextKeys.end();
}

// The first invariant a key broke that took the state from `before` to
// `after`, `failed` when it reported an error and `ignored` when it took no
// click; null when it kept them all.
[[nodiscard]] inline const char* brokenByKey(Key key, bool failed, bool ignored,
                                             const CalculatorState& before,
                                             const CalculatorState& after) {
    if (const char* broken = brokenInState(after))
        return broken;
    const bool disabledEquals = key == Key::Equals && !before.equalsEnabled;
    if (ignored != disabledEquals)
        return ignored ? "ignored a key other than a disabled Equals"
                       : "the disabled Equals key took a click";
    if ((failed || ignored) && after != before)
        return "a failed or ignored key changed the state";
    if (failed && onlyWritesText(key))
        return "a key that only writes text failed";
    if (key == Key::Equals && !failed && !ignored) {
        if (after.equalsEnabled)
            return "Equals left itself enabled";
        if (after.secondary.text != numberToText(after.pendingKey))
            return "Equals left the secondary display without the result";
    }
    return nullptr;
}

// The first invariant typing `text` broke, or null.
[[nodiscard]] inline const char* brokenByTyping(const std::string& text,
                                                const CalculatorState& before,
                                                const CalculatorState& after) {
    if (const char* broken = brokenInState(after))
        return broken;
    CalculatorState expected = before;
    (expected.primary.visible ? expected.primary : expected.secondary).text = text;
    return after == expected ? nullptr : "typing changed more than the visible display's text";
}

} // namespace rurozovizera::test_support
