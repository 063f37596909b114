// The calculator's 24 keys as data: each key, its caption and the operation
// it runs, so that the window and the key driver bind keys from one table
// instead of 24 copies.
#pragma once

#include "calculator.h"

#include <array>
#include <cstddef>
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

// How many keys the calculator has: Clear is the last key of the
// enumeration, and every table of keys has one entry for each.
inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Clear) + 1;

struct KeySpec {
    Key key;
    std::string_view caption; // exactly as shown on the key
    KeyError (Calculator::*operation)();
};

// Every key in the enumeration's order, so that keySpec() finds a key by its
// place; keypad.cpp checks the order as it compiles.
extern const std::array<KeySpec, kKeyCount> kKeypad;

[[nodiscard]] const KeySpec& keySpec(Key key);
[[nodiscard]] std::optional<Key> keyWithCaption(std::string_view caption);

// What came of a press: the key's error, or a click a disabled key did not
// take.
struct PressResult {
    KeyError error;       // the error that undid the key, if it failed
    bool ignored = false; // Equals while disabled: a disabled key takes no click
};

// Presses a key as a click on it does: a disabled Equals key is ignored.
PressResult press(Calculator& calculator, Key key);

} // namespace rurozovizera
