#include "keypad_layout.h"

namespace rurozovizera::ui {

namespace {

// Every key is lettered in Comic Sans MS, in one of four sizes.
constexpr FontSpec kSmallBold{"Comic Sans MS", 8.25, true};
constexpr FontSpec kDigit{"Comic Sans MS", 11.25, true};
constexpr FontSpec kOperator{"Comic Sans MS", 12};

} // namespace

// clang-format off
constexpr std::array<KeyPlacement, kKeyCount> kKeyPlacements{{
    // key              object name     left  top   width height  font        tab  spoken name
    {Key::MemoryClear,  "CmdMemC",     {1560,  600,  495, 375}, kSmallBold, 28, "memory clear"},
    {Key::MemoryRecall, "cmdMrc",      { 840,  600,  495, 375}, kSmallBold, 27, "memory recall"},
    {Key::MemoryAdd,    "CmdMem",      { 120,  600,  495, 375}, kSmallBold, 26, "memory add"},
    {Key::Pi,           "CmdPy",       { 120, 2520,  495, 375}, kDigit,     21, "pi"},
    {Key::Square,       "CmdSqr",      {1560, 2520,  495, 375}, kDigit,     20, "square"},
    {Key::Two,          "CmdTwo",      { 840, 1080,  495, 375}, kDigit,     19, "2"},
    {Key::Three,        "CmdThree",    {1560, 1080,  495, 375}, kDigit,     18, "3"},
    {Key::Four,         "CmdFour",     { 120, 1560,  495, 375}, kDigit,     17, "4"},
    {Key::Five,         "CmdFive",     { 840, 1560,  495, 375}, kDigit,     16, "5"},
    {Key::Six,          "CmdSix",      {1560, 1560,  495, 375}, kDigit,     15, "6"},
    {Key::Seven,        "CmdSeven",    { 120, 2040,  495, 375}, kDigit,     14, "7"},
    {Key::Eight,        "CmdEight",    { 840, 2040,  495, 375}, kDigit,     13, "8"},
    {Key::Nine,         "CmdNine",     {1560, 2040,  495, 375}, kDigit,     12, "9"},
    {Key::Zero,         "CmdZero",     { 840, 2520,  495, 375}, kDigit,     11, "0"},
    {Key::One,          "CmdOne",      { 120, 1080,  495, 375}, kDigit,     10, "1"},
    {Key::Clear,        "CmdCancel",   {2400, 2520, 1095, 375}, kSmallBold,  9, "clear"},
    {Key::Dot,          "CmdDot",      {2400, 2040,  495, 375}, kOperator,   8, "decimal point"},
    {Key::Equals,       "CmdEquals",   {3000, 2040,  495, 375}, kOperator,   7, "equals"},
    {Key::Percent,      "CmdPercent",  {3000,  600,  495, 375}, kSmallBold,  6, "percent"},
    {Key::SquareRoot,   "CmdSqrt",     {2400,  600,  495, 375}, kSmallBold,  5, "square root"},
    {Key::Add,          "cmdAdd",      {3000, 1080,  495, 405}, kOperator,   4, "add"},
    {Key::Subtract,     "cmdSubtract", {2400, 1080,  495, 405}, kOperator,   3, "subtract"},
    {Key::Multiply,     "cmdMultiply", {2400, 1560,  495, 405}, kOperator,   2, "multiply"},
    {Key::Divide,       "cmdDivide",   {3000, 1560,  495, 405}, kOperator,   1, "divide"},
}};
// clang-format on

namespace {

// The window keeps its buttons by key, so each key needs exactly one place.
constexpr bool placesEveryKeyOnce() {
    std::array<int, kKeyCount> places{};
    for (const KeyPlacement& placement : kKeyPlacements)
        ++places[static_cast<std::size_t>(placement.key)];
    for (int count : places) {
        if (count != 1)
            return false;
    }
    return true;
}

static_assert(placesEveryKeyOnce(), "the window must place every key exactly once");

} // namespace

} // namespace rurozovizera::ui
