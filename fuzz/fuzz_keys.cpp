// Fuzzes whole calculations: the input is a sequence of keys and typed
// texts, and after every one of them the calculator's invariants
// (calculator_invariants.h) must hold.
//
// Input bytes, chosen so that a seed reads like the keys it presses:
//   0-9 . + - * / ^ % =   the key with that caption
//   P  pi      S  square root      C  Clear
//   M  M+      R  MRC              Z  MC
//   [text]     types the text (any bytes but "]") into the visible display,
//              as the user's typing replaces it; a missing "]" ends the text
//              at the end of the input
//   blank, tab, line feed  nothing, so that seeds can be laid out
//   any other byte         the key at (byte mod 24) in the keypad table
#include "calculator.h"
#include "calculator_invariants.h"
#include "keypad.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using rurozovizera::Calculator;
using rurozovizera::CalculatorState;
using rurozovizera::Key;
using rurozovizera::test_support::brokenByKey;
using rurozovizera::test_support::brokenByTyping;

std::optional<Key> keyForByte(unsigned char byte) {
    switch (byte) {
    case ' ':
    case '\t':
    case '\n': return std::nullopt;
    case 'P': return Key::Pi;
    case 'S': return Key::SquareRoot;
    case 'C': return Key::Clear;
    case 'M': return Key::MemoryAdd;
    case 'R': return Key::MemoryRecall;
    case 'Z': return Key::MemoryClear;
    default: break;
    }
    const std::string_view caption(reinterpret_cast<const char*>(&byte), 1);
    if (const auto key = rurozovizera::keyWithCaption(caption))
        return key;
    return rurozovizera::kKeypad[byte % rurozovizera::kKeypad.size()].key;
}

void printState(const char* label, const CalculatorState& s) {
    std::fprintf(stderr,
                 "%s: primary \"%s\"%s, secondary \"%s\"%s, equals %s, pending %a, memory %a\n",
                 label, s.primary.text.c_str(), s.primary.visible ? " (visible)" : "",
                 s.secondary.text.c_str(), s.secondary.visible ? " (visible)" : "",
                 s.equalsEnabled ? "enabled" : "disabled", s.pendingKey, s.memory);
}

[[noreturn]] void fail(std::size_t step, const char* action, const CalculatorState& before,
                       const CalculatorState& after, const char* what) {
    std::fprintf(stderr, "step %zu (%s): %s\n", step, action, what);
    printState("before", before);
    printState("after ", after);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Calculator calculator;
    std::size_t step = 0;
    for (std::size_t i = 0; i < size; ++i, ++step) {
        const CalculatorState before = calculator.state();

        if (data[i] == '[') {
            std::size_t end = i + 1;
            while (end < size && data[end] != ']')
                ++end;
            std::string text(reinterpret_cast<const char*>(data) + i + 1, end - i - 1);
            i = end;
            calculator.type(text);
            if (const char* broken = brokenByTyping(text, before, calculator.state()))
                fail(step, "typing", before, calculator.state(), broken);
            continue;
        }

        const std::optional<Key> key = keyForByte(data[i]);
        if (!key)
            continue;
        const char* caption = rurozovizera::keySpec(*key).caption.data();
        const rurozovizera::PressResult result = rurozovizera::press(calculator, *key);
        const CalculatorState& after = calculator.state();
        if (const char* broken =
                brokenByKey(*key, result.error.has_value(), result.ignored, before, after))
            fail(step, caption, before, after, broken);
    }
    return 0;
}
