#include "keypad.h"

#include <algorithm>

namespace rurozovizera {

// clang-format off
constexpr std::array<KeySpec, kKeyCount> kKeypad{{
    {Key::Zero,         "0",    &Calculator::digit<'0'>},
    {Key::One,          "1",    &Calculator::digit<'1'>},
    {Key::Two,          "2",    &Calculator::digit<'2'>},
    {Key::Three,        "3",    &Calculator::digit<'3'>},
    {Key::Four,         "4",    &Calculator::digit<'4'>},
    {Key::Five,         "5",    &Calculator::digit<'5'>},
    {Key::Six,          "6",    &Calculator::digit<'6'>},
    {Key::Seven,        "7",    &Calculator::digit<'7'>},
    {Key::Eight,        "8",    &Calculator::digit<'8'>},
    {Key::Nine,         "9",    &Calculator::digit<'9'>},
    {Key::Dot,          ".",    &Calculator::decimalPoint},
    {Key::Pi,           "TT",   &Calculator::pi},
    {Key::Add,          "+",    &Calculator::add},
    {Key::Subtract,     "-",    &Calculator::subtract},
    {Key::Multiply,     "*",    &Calculator::multiply},
    {Key::Divide,       "/",    &Calculator::divide},
    {Key::Square,       "^",    &Calculator::square},
    {Key::SquareRoot,   "Sqrt", &Calculator::squareRoot},
    {Key::Percent,      "%",    &Calculator::percent},
    {Key::Equals,       "=",    &Calculator::equals},
    {Key::MemoryAdd,    "M+",   &Calculator::memoryAdd},
    {Key::MemoryRecall, "MRC",  &Calculator::memoryRecall},
    {Key::MemoryClear,  "MC",   &Calculator::memoryClear},
    {Key::Clear,        "C",    &Calculator::clear},
}};
// clang-format on

namespace {

constexpr bool listsKeysInEnumerationOrder() {
    for (std::size_t place = 0; place < kKeypad.size(); ++place) {
        if (kKeypad[place].key != static_cast<Key>(place))
            return false;
    }
    return true;
}

static_assert(listsKeysInEnumerationOrder(),
              "the keypad table must list the keys in the order of enum Key");

} // namespace

const KeySpec& keySpec(Key key) { return kKeypad[static_cast<std::size_t>(key)]; }

std::optional<Key> keyWithCaption(std::string_view caption) {
    const auto found = std::find_if(kKeypad.begin(), kKeypad.end(),
                                    [&](const KeySpec& spec) { return spec.caption == caption; });
    if (found == kKeypad.end())
        return std::nullopt;
    return found->key;
}

PressResult press(Calculator& calculator, Key key) {
    if (key == Key::Equals && !calculator.equalsEnabled())
        return {std::nullopt, true};
    return {(calculator.*keySpec(key).operation)(), false};
}

} // namespace rurozovizera
