// The headless key driver: one command in, one JSON line out.
//
// A command is a key written as its caption ("7", "+", "Sqrt", "M+", ...),
// or `type "..."` with a JSON string literal: the user's own typing, which
// replaces the text of every visible display. After each command the driver
// reports the whole calculator state as one JSON object.
#pragma once

#include "calculator.h"
#include "keypad.h"

#include <optional>
#include <string>
#include <string_view>

namespace rurozovizera::keys {

class KeyDriver {
public:
    // Runs one command line (without its line end) and returns the JSON
    // report, or nothing when the line is not a command.
    [[nodiscard]] std::optional<std::string> run(std::string_view line);

    [[nodiscard]] const Calculator& calculator() const { return calculator_; }

private:
    Calculator calculator_;
};

// Why run() refused a line, as the rule it broke: a `type` command whose
// text is not one JSON string literal, or a key that does not exist, with
// the list of the keys.
[[nodiscard]] std::string refusal(std::string_view line);

// The report of one command: the state after it (after a failing key, the
// state it left untouched), the key's error and whether it was ignored.
[[nodiscard]] std::string report(std::string_view key, const CalculatorState& state,
                                 const PressResult& result);

} // namespace rurozovizera::keys
