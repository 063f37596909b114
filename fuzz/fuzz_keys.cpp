// Fuzzes whole calculations: the input is a sequence of keys and typed
// texts, and after every one of them the calculator's invariants must hold:
//   - exactly one display is visible;
//   - the pending key and the memory are finite numbers, never an infinity
//     or a NaN;
//   - a key that reports an error changed nothing at all;
//   - a key is ignored exactly when it is Equals while Equals is disabled,
//     and an ignored key changed nothing;
//   - keys that only write text (digits, point, pi, the memory recall and
//     clear keys, Clear) never fail;
//   - Equals that completes shows the pending key's text in the secondary
//     display and disables itself.
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
#include "keypad.h"
#include "number_text.h"

#include <cmath>
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

// Keys that write text into a display and read no number cannot fail.
bool onlyWritesText(Key key) {
    switch (key) {
    case Key::Zero:
    case Key::One:
    case Key::Two:
    case Key::Three:
    case Key::Four:
    case Key::Five:
    case Key::Six:
    case Key::Seven:
    case Key::Eight:
    case Key::Nine:
    case Key::Dot:
    case Key::Pi:
    case Key::MemoryRecall:
    case Key::MemoryClear:
    case Key::Clear: return true;
    default: return false;
    }
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

void checkInvariants(std::size_t step, const char* action, const CalculatorState& before,
                     const CalculatorState& after) {
    if (after.primary.visible == after.secondary.visible)
        fail(step, action, before, after, "not exactly one display visible");
    if (!std::isfinite(after.pendingKey))
        fail(step, action, before, after, "the pending key is not finite");
    if (!std::isfinite(after.memory))
        fail(step, action, before, after, "the memory is not finite");
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
            CalculatorState expected = before;
            (expected.primary.visible ? expected.primary : expected.secondary).text = text;
            if (calculator.state() != expected)
                fail(step, "typing", before, calculator.state(),
                     "typing changed more than the visible text");
            checkInvariants(step, "typing", before, calculator.state());
            continue;
        }

        const std::optional<Key> key = keyForByte(data[i]);
        if (!key)
            continue;
        const char* caption = rurozovizera::keySpec(*key).caption.data();
        const rurozovizera::PressResult result = rurozovizera::press(calculator, *key);
        const CalculatorState& after = calculator.state();
        checkInvariants(step, caption, before, after);

        const bool disabledEquals = *key == Key::Equals && !before.equalsEnabled;
        if (result.ignored != disabledEquals)
            fail(step, caption, before, after,
                 result.ignored ? "ignored a key other than a disabled Equals"
                                : "took a click on the disabled Equals key");
        if ((result.ignored || result.error) && after != before)
            fail(step, caption, before, after, "a failed or ignored key changed the state");
        if (result.error && onlyWritesText(*key))
            fail(step, caption, before, after, "a key that only writes text failed");
        if (*key == Key::Equals && !result.ignored && !result.error) {
            if (after.equalsEnabled)
                fail(step, caption, before, after, "Equals left itself enabled");
            if (after.secondary.text != rurozovizera::numberToText(after.pendingKey))
                fail(step, caption, before, after,
                     "Equals left the secondary display without the result");
        }
    }
    return 0;
}
