// The soak test: a million random keys and typed texts, from a fixed seed,
// through the key driver. Every report the driver writes must be one JSON
// object with the documented members that says what the calculator's state
// says, and that state must keep the calculator's invariants
// (calculator_invariants.h).
// Every so often a Clear or a short typed text keeps the display texts from
// growing without bound.
//
// Usage: soak_test [keys [seed]]. Prints one summary line; exits with 0 when
// no invariant was broken and the run reached every kind of error and an
// ignored Equals, 1 otherwise.
#include "calculator_invariants.h"
#include "json_text.h"
#include "key_driver.h"
#include "keypad.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

using rurozovizera::CalculatorState;
using rurozovizera::kKeypad;
using rurozovizera::keys::decodeJsonString;
using rurozovizera::keys::encodeJsonString;
using rurozovizera::test_support::brokenByKey;
using rurozovizera::test_support::brokenByTyping;

constexpr std::uint64_t kDefaultKeys = 1'000'000;
constexpr std::uint64_t kDefaultSeed = 20261208;
constexpr std::size_t kLongestDisplay = 40;
constexpr int kViolationsShown = 10;

// Typed texts worth typing again and again: the edges of the number rule and
// of the double range.
constexpr std::array<std::string_view, 24> kTypedTexts{
    "",
    "0",
    "-4",
    "1E308",
    "-1E308",
    "1.7976931348623157E308",
    "1E400",
    "4.94065645841247E-324",
    "1E-400",
    "9.9999998E+15",
    "&HFFFF",
    "&H7FFFFFFF",
    "&H100000000",
    "&O777",
    "Press Equals...",
    " 1 2\t3\n",
    "12abc",
    "1,5",
    "\xD9\xA2",
    "-.5D2",
    "1e-5",
    "0.1",
    "99999999",
    "\"quoted\\text\"\r\x01",
};

// Characters random typed texts are made of: the number rule's own, others
// that end a number, and a few that JSON must escape or that are more than
// one byte of UTF-8.
constexpr std::array<std::string_view, 32> kTypedPieces{
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "0",
    "1",
    ".",
    ".",
    "-",
    "+",
    "E",
    "e",
    "D",
    "d",
    "&H",
    "&O",
    "F",
    " ",
    "\t",
    "\n",
    ",",
    "x",
    "\"",
    "\\",
    "\xE2\x88\x92",
    "\xC3\xA9",
};

// The members of one report, in the order the driver writes them.
struct Report {
    std::string key;
    std::string primary;
    bool primaryVisible = false;
    std::string secondary;
    bool secondaryVisible = false;
    bool equalsEnabled = false;
    std::string pendingKey;
    std::string memory;
    std::optional<std::string> error;
    bool ignored = false;
};

// Reads the report strictly: the members in their order, nothing else.
class ReportReader {
public:
    explicit ReportReader(std::string_view line) : line_(line) {}

    std::optional<Report> read() {
        Report report;
        const bool ok =
            literal("{") && member("key") && string(report.key) && literal(",") &&
            member("primary") && string(report.primary) && literal(",") &&
            member("primary_visible") && boolean(report.primaryVisible) && literal(",") &&
            member("secondary") && string(report.secondary) && literal(",") &&
            member("secondary_visible") && boolean(report.secondaryVisible) && literal(",") &&
            member("equals_enabled") && boolean(report.equalsEnabled) && literal(",") &&
            member("pending_key") && string(report.pendingKey) && literal(",") &&
            member("memory") && string(report.memory) && literal(",") && member("error") &&
            nullableString(report.error) && literal(",") && member("ignored") &&
            boolean(report.ignored) && literal("}") && pos_ == line_.size();
        if (!ok)
            return std::nullopt;
        return report;
    }

private:
    bool literal(std::string_view text) {
        if (line_.substr(pos_, text.size()) != text)
            return false;
        pos_ += text.size();
        return true;
    }

    bool member(std::string_view name) {
        return literal("\"") && literal(name) && literal("\"") && literal(":");
    }

    bool string(std::string& out) {
        // A literal runs to the first quote that no backslash escapes.
        if (pos_ >= line_.size() || line_[pos_] != '"')
            return false;
        std::size_t end = pos_ + 1;
        while (end < line_.size() && line_[end] != '"')
            end += line_[end] == '\\' ? 2u : 1u;
        if (end >= line_.size())
            return false;
        auto decoded = decodeJsonString(line_.substr(pos_, end + 1 - pos_));
        if (!decoded)
            return false;
        out = std::move(*decoded);
        pos_ = end + 1;
        return true;
    }

    bool nullableString(std::optional<std::string>& out) {
        if (literal("null")) {
            out.reset();
            return true;
        }
        out.emplace();
        return string(*out);
    }

    bool boolean(bool& out) {
        if (literal("true"))
            out = true;
        else if (literal("false"))
            out = false;
        else
            return false;
        return true;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

// Reads a number written as "%a" writes it, in the "C" locale; empty unless
// the whole text is one number.
std::optional<double> readHexDouble(const std::string& text) {
#ifdef _WIN32
    // Windows' C library has no locale-taking strtod that reads "%a"; the
    // C++ one reads its digits after the sign and "0x".
    std::string_view digits = text;
    const bool negative = digits.starts_with('-');
    if (negative)
        digits.remove_prefix(1);
    if (digits.starts_with("0x"))
        digits.remove_prefix(2);
    double value = 0;
    const char* last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value, std::chars_format::hex);
    if (digits.empty() || error != std::errc{} || end != last)
        return std::nullopt;
    return negative ? -value : value;
#else
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, c);
    if (end != text.c_str() + text.size())
        return std::nullopt;
    return value;
#endif
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

class Soak {
public:
    explicit Soak(std::uint64_t seed) : random_(seed) {}

    void run(std::uint64_t keys) {
        previousState_ = driver_.calculator().state();
        while (keysPressed_ < keys) {
            const std::string command = nextCommand();
            step(command);
        }
    }

    // Prints what the run reached and the summary line; the exit status.
    [[nodiscard]] int summary() const {
        bool reachedEverything = true;
        for (const char* error : {"division by zero", "overflow", "invalid argument"}) {
            if (!errorCounts_.contains(error)) {
                std::printf("soak: no key reported %s: the run proves too little\n", error);
                reachedEverything = false;
            }
        }
        if (ignored_ == 0) {
            std::printf("soak: no Equals was ignored: the run proves too little\n");
            reachedEverything = false;
        }

        std::printf("soak: %llu keys and %llu typed texts, %llu errors reported (",
                    ull(keysPressed_), ull(typedTexts_), ull(errorsReported_));
        const char* separator = "";
        for (const auto& [error, count] : errorCounts_) {
            std::printf("%s%llu %s", separator, ull(count), error.c_str());
            separator = ", ";
        }
        std::printf("), %llu ignored, %llu invariant violations\n", ull(ignored_),
                    ull(violations_));
        return violations_ == 0 && reachedEverything ? 0 : 1;
    }

private:
    static unsigned long long ull(std::uint64_t n) { return n; }

    std::uint64_t below(std::uint64_t n) { return random_() % n; }

    std::string typedText() {
        if (below(2) == 0)
            return std::string(kTypedTexts[below(kTypedTexts.size())]);
        std::string text;
        for (std::uint64_t pieces = below(12); pieces > 0; --pieces)
            text.append(kTypedPieces[below(kTypedPieces.size())]);
        return text;
    }

    std::string typeCommand(const std::string& text) { return "type " + encodeJsonString(text); }

    std::string nextCommand() {
        const CalculatorState& state = driver_.calculator().state();
        const std::size_t longest =
            std::max(state.primary.text.size(), state.secondary.text.size());
        if (longest > kLongestDisplay) {
            if (below(2) == 0)
                return "C";
            return typeCommand(std::string(kTypedTexts[below(kTypedTexts.size())]));
        }
        if (below(10) == 0)
            return typeCommand(typedText());
        return std::string(kKeypad[below(kKeypad.size())].caption);
    }

    void violation(const std::string& command, const std::string& line, const char* what) {
        if (violations_ < kViolationsShown) {
            std::printf("soak: command %llu (%s): %s\n  report: %s\n", ull(commands_),
                        command.c_str(), what, line.c_str());
        }
        ++violations_;
    }

    void step(const std::string& command) {
        ++commands_;
        const bool typing = command.starts_with("type ");
        if (typing)
            ++typedTexts_;
        else
            ++keysPressed_;

        const std::optional<std::string> line = driver_.run(command);
        if (!line) {
            violation(command, "", "the driver refused the command");
            return;
        }
        const std::optional<Report> report = ReportReader(*line).read();
        if (!report) {
            violation(command, *line, "the report is not the documented JSON object");
            return;
        }
        const CalculatorState& state = driver_.calculator().state();
        check(command, *line, *report, state, typing);
        previousState_ = state;
    }

    void check(const std::string& command, const std::string& line, const Report& report,
               const CalculatorState& state, bool typing) {
        const auto fail = [&](const char* what) { violation(command, line, what); };

        if (report.key != (typing ? std::string("type") : command))
            fail("the report names another command");

        const std::optional<double> pending = readHexDouble(report.pendingKey);
        const std::optional<double> memory = readHexDouble(report.memory);
        if (!pending || !memory)
            fail("the pending key or the memory is not a number");

        // The report says what the calculator's state says.
        if (report.primary != state.primary.text ||
            report.primaryVisible != state.primary.visible ||
            report.secondary != state.secondary.text ||
            report.secondaryVisible != state.secondary.visible ||
            report.equalsEnabled != state.equalsEnabled ||
            (pending && !sameBits(*pending, state.pendingKey)) ||
            (memory && !sameBits(*memory, state.memory)))
            fail("the report differs from the calculator's state");

        if (report.error) {
            ++errorsReported_;
            ++errorCounts_[*report.error];
            if (*report.error != "division by zero" && *report.error != "overflow" &&
                *report.error != "invalid argument")
                fail("an error the report does not name");
        }
        if (report.ignored)
            ++ignored_;

        const char* broken = nullptr;
        if (typing) {
            if (report.error || report.ignored)
                fail("typing reported an error or was ignored");
            const auto text = decodeJsonString(std::string_view(command).substr(5));
            broken = text ? brokenByTyping(*text, previousState_, state)
                          : "the typed text is no JSON string literal";
        } else {
            broken = brokenByKey(rurozovizera::keyWithCaption(command).value(),
                                 report.error.has_value(), report.ignored, previousState_, state);
        }
        if (broken)
            fail(broken);
    }

    std::mt19937_64 random_;
    rurozovizera::keys::KeyDriver driver_;
    CalculatorState previousState_;
    std::uint64_t commands_ = 0;
    std::uint64_t keysPressed_ = 0;
    std::uint64_t typedTexts_ = 0;
    std::uint64_t errorsReported_ = 0;
    std::uint64_t ignored_ = 0;
    std::uint64_t violations_ = 0;
    std::map<std::string, std::uint64_t> errorCounts_;
};

std::uint64_t argument(int argc, char** argv, int index, std::uint64_t fallback) {
    if (argc <= index)
        return fallback;
    return std::strtoull(argv[index], nullptr, 10);
}

} // namespace

int main(int argc, char** argv) {
    Soak soak(argument(argc, argv, 2, kDefaultSeed));
    soak.run(argument(argc, argv, 1, kDefaultKeys));
    return soak.summary();
}
