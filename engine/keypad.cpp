#include "keypad.h"

#include <algorithm>

namespace rurozovizera {

// clang-format off
const std::array<KeySpec, 24> kKeypad{{
    {Key::Zero,         "CmdZero",     "0",    &Calculator::CmdZero},
    {Key::One,          "CmdOne",      "1",    &Calculator::CmdOne},
    {Key::Two,          "CmdTwo",      "2",    &Calculator::CmdTwo},
    {Key::Three,        "CmdThree",    "3",    &Calculator::CmdThree},
    {Key::Four,         "CmdFour",     "4",    &Calculator::CmdFour},
    {Key::Five,         "CmdFive",     "5",    &Calculator::CmdFive},
    {Key::Six,          "CmdSix",      "6",    &Calculator::CmdSix},
    {Key::Seven,        "CmdSeven",    "7",    &Calculator::CmdSeven},
    {Key::Eight,        "CmdEight",    "8",    &Calculator::CmdEight},
    {Key::Nine,         "CmdNine",     "9",    &Calculator::CmdNine},
    {Key::Dot,          "CmdDot",      ".",    &Calculator::CmdDot},
    {Key::Pi,           "CmdPy",       "TT",   &Calculator::CmdPy},
    {Key::Add,          "cmdAdd",      "+",    &Calculator::cmdAdd},
    {Key::Subtract,     "cmdSubtract", "-",    &Calculator::cmdSubtract},
    {Key::Multiply,     "cmdMultiply", "*",    &Calculator::cmdMultiply},
    {Key::Divide,       "cmdDivide",   "/",    &Calculator::cmdDivide},
    {Key::Square,       "CmdSqr",      "^",    &Calculator::CmdSqr},
    {Key::SquareRoot,   "CmdSqrt",     "Sqrt", &Calculator::CmdSqrt},
    {Key::Percent,      "CmdPercent",  "%",    &Calculator::CmdPercent},
    {Key::Equals,       "CmdEquals",   "=",    &Calculator::CmdEquals},
    {Key::MemoryAdd,    "CmdMem",      "M+",   &Calculator::CmdMem},
    {Key::MemoryRecall, "cmdMrc",      "MRC",  &Calculator::cmdMrc},
    {Key::MemoryClear,  "CmdMemC",     "MC",   &Calculator::CmdMemC},
    {Key::Clear,        "CmdCancel",   "C",    &Calculator::CmdCancel},
}};
// clang-format on

const KeySpec& keySpec(Key key) {
    // The table lists the keys in the enumeration's order.
    return kKeypad[static_cast<std::size_t>(key)];
}

std::optional<Key> keyWithCaption(std::string_view caption) {
    const auto found = std::find_if(kKeypad.begin(), kKeypad.end(),
                                    [&](const KeySpec& spec) { return spec.caption == caption; });
    if (found == kKeypad.end())
        return std::nullopt;
    return found->key;
}

KeyPress press(Calculator& calculator, Key key) {
    if (key == Key::Equals && !calculator.equalsEnabled())
        return {std::nullopt, true};
    return {(calculator.*keySpec(key).operation)(), false};
}

} // namespace rurozovizera
