#include "keypad_layout.h"

namespace rurozovizera::ui {

namespace {

// Every key is lettered in Comic Sans MS, in one of four sizes.
constexpr FontSpec kSmallBold{"Comic Sans MS", 8.25, true};
constexpr FontSpec kDigit{"Comic Sans MS", 11.25, true};
constexpr FontSpec kOperator{"Comic Sans MS", 12};

} // namespace

// clang-format off
const std::array<KeyPlacement, 24> kKeyPlacements{{
    //  key                 left  top   width height  font        tab  spoken name
    {Key::MemoryClear,   {1560,  600,  495, 375}, kSmallBold, 28, "memory clear"},
    {Key::MemoryRecall,  { 840,  600,  495, 375}, kSmallBold, 27, "memory recall"},
    {Key::MemoryAdd,     { 120,  600,  495, 375}, kSmallBold, 26, "memory add"},
    {Key::Pi,            { 120, 2520,  495, 375}, kDigit,     21, "pi"},
    {Key::Square,        {1560, 2520,  495, 375}, kDigit,     20, "square"},
    {Key::Two,           { 840, 1080,  495, 375}, kDigit,     19, "2"},
    {Key::Three,         {1560, 1080,  495, 375}, kDigit,     18, "3"},
    {Key::Four,          { 120, 1560,  495, 375}, kDigit,     17, "4"},
    {Key::Five,          { 840, 1560,  495, 375}, kDigit,     16, "5"},
    {Key::Six,           {1560, 1560,  495, 375}, kDigit,     15, "6"},
    {Key::Seven,         { 120, 2040,  495, 375}, kDigit,     14, "7"},
    {Key::Eight,         { 840, 2040,  495, 375}, kDigit,     13, "8"},
    {Key::Nine,          {1560, 2040,  495, 375}, kDigit,     12, "9"},
    {Key::Zero,          { 840, 2520,  495, 375}, kDigit,     11, "0"},
    {Key::One,           { 120, 1080,  495, 375}, kDigit,     10, "1"},
    {Key::Clear,         {2400, 2520, 1095, 375}, kSmallBold,  9, "clear"},
    {Key::Dot,           {2400, 2040,  495, 375}, kOperator,   8, "decimal point"},
    {Key::Equals,        {3000, 2040,  495, 375}, kOperator,   7, "equals"},
    {Key::Percent,       {3000,  600,  495, 375}, kSmallBold,  6, "percent"},
    {Key::SquareRoot,    {2400,  600,  495, 375}, kSmallBold,  5, "square root"},
    {Key::Add,           {3000, 1080,  495, 405}, kOperator,   4, "add"},
    {Key::Subtract,      {2400, 1080,  495, 405}, kOperator,   3, "subtract"},
    {Key::Multiply,      {2400, 1560,  495, 405}, kOperator,   2, "multiply"},
    {Key::Divide,        {3000, 1560,  495, 405}, kOperator,   1, "divide"},
}};
// clang-format on

} // namespace rurozovizera::ui
