// The calculator's 24 keys as data: each key, its caption and the operation
// it runs, so that the window and the key driver bind keys from one table
// instead of 24 copies.
#pragma once

#include "calculator.h"

#include <array>
#include <optional>
#include <string_view>

namespace rurozovizera {

enum class Key {
    Zero,
    One,
    Two,
    Three,
    Four,
    Five,
    Six,
    Seven,
    Eight,
    Nine,
    Dot,
    Pi,
    Add,
    Subtract,
    Multiply,
    Divide,
    Square,
    SquareRoot,
    Percent,
    Equals,
    MemoryAdd,
    MemoryRecall,
    MemoryClear,
    Clear,
};

struct KeySpec {
    Key key;
    std::string_view caption; // exactly as shown on the key
    KeyOutcome (Calculator::*operation)();
};

extern const std::array<KeySpec, 24> kKeypad;

[[nodiscard]] const KeySpec& keySpec(Key key);
[[nodiscard]] std::optional<Key> keyWithCaption(std::string_view caption);

struct KeyPress {
    KeyOutcome error;     // the error that undid the key, if it failed
    bool ignored = false; // Equals while disabled: a disabled key takes no click
};

// Presses a key as a click on it does: a disabled Equals key is ignored.
KeyPress press(Calculator& calculator, Key key);

} // namespace rurozovizera
