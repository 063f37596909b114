// Speed of the calculator engine: each kind of key on ordinary operands,
// Equals where its thirteen rows read very long display texts, and the two
// rules by which display text and numbers meet.
//
// Keys are pressed through press(), as the window and the key driver press
// them. Each benchmark checks once that its keys give the calculator's
// result, so that a figure is never the speed of a wrong answer.
#include "calculator.h"
#include "keypad.h"
#include "number_text.h"
#include "operation_codes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using rurozovizera::Calculator;
using rurozovizera::Key;
using rurozovizera::press;

constexpr std::int64_t KiB = 1024;
constexpr std::int64_t MiB = 1024 * KiB;

// Presses the keys in order. A key that fails or is ignored stops the
// benchmark with an error, as the figure would not be that of the keys.
bool pressAll(benchmark::State& state, Calculator& calculator, std::initializer_list<Key> keys) {
    for (Key key : keys) {
        const rurozovizera::PressResult result = press(calculator, key);
        if (result.error || result.ignored) {
            state.SkipWithError("a key failed or was ignored");
            return false;
        }
    }
    return true;
}

// Stops the benchmark with an error unless `holds`.
bool check(benchmark::State& state, bool holds, const char* what) {
    if (!holds)
        state.SkipWithError(what);
    return holds;
}

// ---------------------------------------------------------------------------
// Keys on ordinary operands.

// Typing an eight-digit number into a fresh calculator: eight digit keys.
void BM_TypeNumber(benchmark::State& state) {
    for (auto _ : state) {
        Calculator calculator;
        if (!pressAll(state, calculator,
                      {Key::One, Key::Two, Key::Three, Key::Four, Key::Five, Key::Six, Key::Seven,
                       Key::Eight}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    Calculator typed;
    if (pressAll(state, typed,
                 {Key::One, Key::Two, Key::Three, Key::Four, Key::Five, Key::Six, Key::Seven,
                  Key::Eight}))
        check(state, typed.primary().text == "12345678", "the number typed is wrong");
    state.SetItemsProcessed(state.iterations() * 8);
    state.SetLabel("8 digit keys");
}
BENCHMARK(BM_TypeNumber);

// "+" after "1 2". Pressed again while the Equals key is still enabled it
// stores the same pending key, so every iteration does the same work.
void BM_AddKey(benchmark::State& state) {
    Calculator calculator;
    if (!pressAll(state, calculator, {Key::One, Key::Two}))
        return;
    for (auto _ : state) {
        if (!pressAll(state, calculator, {Key::Add}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    check(state, calculator.state().pendingKey == 12 + rurozovizera::AddCode,
          "the pending key is wrong");
}
BENCHMARK(BM_AddKey);

// The state after "1 2 + 5", from which Equals computes 17.
Calculator twelvePlusFive(benchmark::State& state) {
    Calculator calculator;
    pressAll(state, calculator, {Key::One, Key::Two, Key::Add, Key::Five});
    return calculator;
}

// Restoring the state that Equals starts from: a copy of a calculator whose
// displays hold short texts. It is part of BM_EqualsKey's figure, and is
// measured here alone so that it can be taken off.
void BM_RestoreState(benchmark::State& state) {
    const Calculator start = twelvePlusFive(state);
    Calculator calculator;
    for (auto _ : state) {
        calculator = start;
        benchmark::DoNotOptimize(calculator);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestoreState);

// Equals on 12 + 5: the state is restored by a copy before each press.
void BM_EqualsKey(benchmark::State& state) {
    const Calculator start = twelvePlusFive(state);
    Calculator calculator;
    for (auto _ : state) {
        calculator = start;
        if (!pressAll(state, calculator, {Key::Equals}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    check(state, calculator.secondary().text == "17" && calculator.state().pendingKey == 17,
          "12 + 5 = did not give 17");
}
BENCHMARK(BM_EqualsKey);

// The whole calculation "1 2 + 5 =" from a fresh calculator: five keys.
void BM_TwelvePlusFiveEquals(benchmark::State& state) {
    Calculator calculator;
    for (auto _ : state) {
        calculator = Calculator{};
        if (!pressAll(state, calculator, {Key::One, Key::Two, Key::Add, Key::Five, Key::Equals}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    check(state, calculator.secondary().text == "17", "1 2 + 5 = did not give 17");
    state.SetItemsProcessed(state.iterations() * 5);
    state.SetLabel("5 keys");
}
BENCHMARK(BM_TwelvePlusFiveEquals);

// M+ with 12 on view: the memory grows by 12 at each press, exactly while it
// stays below 2^53.
void BM_MemoryAddKey(benchmark::State& state) {
    Calculator calculator;
    if (!pressAll(state, calculator, {Key::One, Key::Two}))
        return;
    for (auto _ : state) {
        if (!pressAll(state, calculator, {Key::MemoryAdd}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    check(state, calculator.state().memory == 12.0 * static_cast<double>(state.iterations()),
          "the memory is wrong");
}
BENCHMARK(BM_MemoryAddKey);

// MRC with 123.45 in the memory: writes the memory's text into the display.
void BM_MemoryRecallKey(benchmark::State& state) {
    Calculator calculator;
    if (!pressAll(state, calculator,
                  {Key::One, Key::Two, Key::Three, Key::Dot, Key::Four, Key::Five, Key::MemoryAdd,
                   Key::Clear}))
        return;
    for (auto _ : state) {
        if (!pressAll(state, calculator, {Key::MemoryRecall}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    check(state, calculator.primary().text == "123.45", "MRC shows the wrong text");
}
BENCHMARK(BM_MemoryRecallKey);

// ---------------------------------------------------------------------------
// Equals in its slowest case: every one of the thirteen rows reads a display
// holding a long text, and none matches, so Equals reads the whole text
// thirteen times (besides keeping a copy of the state to restore on failure).

// "0." followed by digits up to `length` characters: a number a little above
// 0.1.
std::string longFraction(std::size_t length) {
    std::string text = "0.";
    constexpr std::string_view kDigits = "1415926535897932384626433832795028841971";
    while (text.size() < length)
        text.append(kDigits.substr(0, std::min(kDigits.size(), length - text.size())));
    return text;
}

// Both displays hold a long fraction of `length` characters, the secondary
// one on view, with the Equals key enabled and a pending key of about 0.38,
// which no row's sum (about 9.95) can match. Keys reach it: the square root
// of the first fraction leaves its short result on view in the secondary
// display, typing replaces that with a second fraction but for its last
// digit, a 1, and the 1 key switches the Equals key back on.
Calculator twoLongTexts(benchmark::State& state, std::size_t length) {
    Calculator calculator;
    calculator.type(longFraction(length));
    if (pressAll(state, calculator, {Key::SquareRoot, Key::Equals})) {
        calculator.type(longFraction(length - 1));
        pressAll(state, calculator, {Key::One});
    }
    return calculator;
}

void BM_EqualsLongTexts(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const Calculator start = twoLongTexts(state, length);
    if (!check(state,
               start.primary().text.size() == length && start.secondary().text.size() == length &&
                   start.equalsEnabled(),
               "the keys did not reach two long texts with Equals enabled"))
        return;
    Calculator calculator;
    for (auto _ : state) {
        state.PauseTiming();
        calculator = start;
        state.ResumeTiming();
        if (!pressAll(state, calculator, {Key::Equals}))
            break;
        benchmark::DoNotOptimize(calculator);
    }
    const double pending = start.state().pendingKey;
    check(state,
          calculator.state().pendingKey == pending &&
              calculator.secondary().text == rurozovizera::numberToText(pending) &&
              !calculator.equalsEnabled(),
          "a row matched, or Equals failed");
    // Each row reads one whole display.
    state.SetBytesProcessed(state.iterations() * 13 * state.range(0));
}
BENCHMARK(BM_EqualsLongTexts)->Arg(MiB)->Arg(10 * MiB)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Text to number.

// Repeats `pattern` up to `length` characters.
std::string repeated(std::string_view pattern, std::size_t length) {
    std::string text;
    text.reserve(length);
    while (text.size() < length)
        text.append(pattern.substr(0, std::min(pattern.size(), length - text.size())));
    return text;
}

// A run of digits; read to its end, it is the overflow error.
std::string plainDigits(std::size_t length) { return repeated("1234567890", length); }

// Digits in groups with blanks, tabs and line feeds between them, which the
// rule skips; again the overflow error once read to the end.
std::string digitsWithBlanks(std::size_t length) {
    return repeated("123 456\t789 012\n345 ", length);
}

// "1E" and a long run of exponent digits: the overflow error.
std::string longExponent(std::size_t length) { return "1E" + plainDigits(length - 2); }

void BM_TextToNumber(benchmark::State& state, std::string (*makeText)(std::size_t)) {
    const std::string text = makeText(static_cast<std::size_t>(state.range(0)));
    if (!check(state, !rurozovizera::textToNumber(text).has_value(),
               "the text does not read as the overflow error"))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(rurozovizera::textToNumber(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_TextToNumber, plain_digits, plainDigits)
    ->Arg(KiB)
    ->Arg(MiB)
    ->Arg(10 * MiB)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextToNumber, digits_with_blanks, digitsWithBlanks)
    ->Arg(KiB)
    ->Arg(MiB)
    ->Arg(10 * MiB)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextToNumber, long_exponent, longExponent)
    ->Arg(KiB)
    ->Arg(MiB)
    ->Arg(10 * MiB)
    ->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------------------
// Number to text.

constexpr std::size_t kSampleCount = 4096; // a power of two
constexpr std::uint64_t kSeed = 20260101;

// Finite doubles of every magnitude: random bit patterns, the infinities and
// NaNs left out.
std::vector<double> anyFiniteDoubles() {
    std::mt19937_64 random(kSeed);
    std::vector<double> values;
    values.reserve(kSampleCount);
    while (values.size() < kSampleCount) {
        const auto value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    return values;
}

// Doubles of the size a calculator mostly shows: up to a million, either
// sign, with a full set of fraction digits.
std::vector<double> everydayDoubles() {
    std::mt19937_64 random(kSeed);
    std::uniform_real_distribution<double> distribution(-1e6, 1e6);
    std::vector<double> values(kSampleCount);
    for (double& value : values)
        value = distribution(random);
    return values;
}

void BM_NumberToText(benchmark::State& state, std::vector<double> (*makeValues)()) {
    const std::vector<double> values = makeValues();
    if (!check(state, rurozovizera::numberToText(1.0 / 3.0) == "0.333333333333333",
               "numberToText writes 1/3 wrongly"))
        return;
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rurozovizera::numberToText(values[next]));
        next = (next + 1) & (kSampleCount - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_NumberToText, any_finite, anyFiniteDoubles);
BENCHMARK_CAPTURE(BM_NumberToText, everyday, everydayDoubles);

} // namespace

BENCHMARK_MAIN();
