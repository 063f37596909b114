#include "json_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace rurozovizera::keys {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// The escapes written as a backslash and one letter. "\/" is only read;
// writing leaves "/" as it is.
struct Escape {
    char letter;
    char character;
};
constexpr Escape kEscapes[] = {{'"', '"'},  {'\\', '\\'}, {'b', '\b'}, {'f', '\f'},
                               {'n', '\n'}, {'r', '\r'},  {'t', '\t'}, {'/', '/'}};

const Escape* escapeWithLetter(char letter) {
    for (const Escape& escape : kEscapes)
        if (escape.letter == letter)
            return &escape;
    return nullptr;
}

const Escape* escapeForCharacter(char character) {
    for (const Escape& escape : kEscapes)
        if (escape.character == character && character != '/')
            return &escape;
    return nullptr;
}

std::optional<std::uint32_t> readHex4(std::string_view text, std::size_t at) {
    if (at + 4 > text.size())
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + at + 4, value, 16);
    if (error != std::errc() || end != text.data() + at + 4)
        return std::nullopt;
    return value;
}

constexpr bool isHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUtf8(std::string& out, std::uint32_t c) {
    auto byte = [&](std::uint32_t b) { out.push_back(static_cast<char>(b)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

// Length of the valid UTF-8 sequence starting at text[at], or 0 when the
// byte there does not start one (overlong forms, surrogates and code points
// above U+10FFFF are not valid).
std::size_t validUtf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    const auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned second = byte(1);
        const bool ok = (lead == 0xE0)   ? second >= 0xA0 && second <= 0xBF
                        : (lead == 0xED) ? second >= 0x80 && second <= 0x9F
                                         : continuation(1);
        return ok && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned second = byte(1);
        const bool ok = (lead == 0xF0)   ? second >= 0x90 && second <= 0xBF
                        : (lead == 0xF4) ? second >= 0x80 && second <= 0x8F
                                         : continuation(1);
        return ok && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::optional<std::string> decodeJsonString(std::string_view literal) {
    if (literal.size() < 2 || literal.front() != '"')
        return std::nullopt;
    std::string out;
    out.reserve(literal.size());
    std::size_t i = 1;
    while (i < literal.size()) {
        const char c = literal[i++];
        if (c == '"')
            return i == literal.size() ? std::optional(std::move(out)) : std::nullopt;
        if (static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (i == literal.size())
            return std::nullopt;
        const char letter = literal[i++];
        if (const Escape* escape = escapeWithLetter(letter)) {
            out.push_back(escape->character);
            continue;
        }
        if (letter != 'u')
            return std::nullopt;
        auto code = readHex4(literal, i);
        if (!code || isLowSurrogate(*code))
            return std::nullopt;
        i += 4;
        if (isHighSurrogate(*code)) {
            if (literal.substr(i, 2) != "\\u")
                return std::nullopt;
            const auto low = readHex4(literal, i + 2);
            if (!low || !isLowSurrogate(*low))
                return std::nullopt;
            i += 6;
            code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        appendUtf8(out, *code);
    }
    return std::nullopt; // no closing quote
}

std::string encodeJsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const std::size_t length = validUtf8Length(text, i)) {
                out.append(text.substr(i, length));
                i += length;
            } else {
                out.append("\xEF\xBF\xBD"); // U+FFFD REPLACEMENT CHARACTER
                ++i;
            }
            continue;
        }
        ++i;
        if (const Escape* escape = escapeForCharacter(static_cast<char>(c))) {
            out.push_back('\\');
            out.push_back(escape->letter);
        } else if (c < 0x20) {
            out.append("\\u00");
            out.push_back(kHexDigits[c >> 4]);
            out.push_back(kHexDigits[c & 0xF]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    out.push_back('"');
    return out;
}

std::string quoteStart(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t count = 0; count < characters && end < text.size(); ++count)
        end += std::max<std::size_t>(validUtf8Length(text, end), 1);
    std::string out = encodeJsonString(text.substr(0, end));
    if (end < text.size())
        out.append("... (").append(std::to_string(text.size())).append(" bytes)");
    return out;
}

std::string hexDouble(double value) {
    // std::to_chars writes what "%a" writes, less the "0x" after the sign.
    std::array<char, 40> digits{};
    const auto end =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex)
            .ptr;
    std::string_view written(digits.data(), static_cast<std::size_t>(end - digits.data()));
    std::string out;
    if (written.front() == '-') {
        out.push_back('-');
        written.remove_prefix(1);
    }
    out.append("0x");
    out.append(written);
    return out;
}

} // namespace rurozovizera::keys
