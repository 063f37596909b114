// The two pieces of JSON the key driver speaks: string literals in, string
// values and doubles out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rurozovizera::keys {

// Decodes one complete JSON string literal, quotes included, to UTF-8.
// Handles every JSON escape, with \uXXXX surrogate pairs combined. Returns
// nothing for anything that is not exactly one valid literal: a missing
// quote, trailing text, an unknown escape, a raw control character, or a
// surrogate without its partner. Bytes from 0x80 up pass through unchanged.
[[nodiscard]] std::optional<std::string> decodeJsonString(std::string_view literal);

// Encodes text as a JSON string literal: quotes, backslashes and control
// characters escaped; bytes that are not valid UTF-8 become U+FFFD each, so
// the output is always valid UTF-8 whatever the display holds.
[[nodiscard]] std::string encodeJsonString(std::string_view text);

// The start of a text for a message: at most `characters` characters of it
// encoded as by encodeJsonString (a byte that is not valid UTF-8 counts as
// one character), followed by "... (N bytes)" when the text is longer, so
// that a message stays short however long the text.
[[nodiscard]] std::string quoteStart(std::string_view text, std::size_t characters);

// A double exactly, in the form of C's printf "%a" ("0x1.8p+1", "-0x0p+0"),
// independent of the process's locale.
[[nodiscard]] std::string hexDouble(double value);

} // namespace rurozovizera::keys
