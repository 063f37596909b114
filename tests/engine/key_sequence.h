// Test helpers: press keys written as their captions, read what is shown.
#pragma once

#include "calculator.h"
#include "keypad.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace rurozovizera::test_support {

// Presses the keys in `keys`, captions separated by blanks ("1 2 + 5 ="); a
// token in brackets is typed into the visible display instead ("[1E308]").
// An unknown caption fails the test. Returns the result of every key.
inline std::vector<PressResult> pressKeys(Calculator& calculator, std::string_view keys) {
    std::vector<PressResult> results;
    std::istringstream tokens{std::string(keys)};
    for (std::string token; tokens >> token;) {
        if (token.size() >= 2 && token.front() == '[' && token.back() == ']') {
            calculator.type(token.substr(1, token.size() - 2));
            continue;
        }
        const auto key = keyWithCaption(token);
        EXPECT_TRUE(key.has_value()) << "no key with caption " << token;
        if (key)
            results.push_back(press(calculator, *key));
    }
    return results;
}

// A calculator after Clear and the given keys; every key must succeed.
inline Calculator calculate(std::string_view keys) {
    Calculator calculator;
    for (const PressResult& result : pressKeys(calculator, keys)) {
        EXPECT_FALSE(result.error.has_value()) << "a key failed in: " << keys;
        EXPECT_FALSE(result.ignored) << "a key was ignored in: " << keys;
    }
    return calculator;
}

// The text of the display on view.
inline const std::string& shownText(const Calculator& calculator) {
    EXPECT_NE(calculator.primary().visible, calculator.secondary().visible)
        << "exactly one display must be visible";
    return calculator.primary().visible ? calculator.primary().text : calculator.secondary().text;
}

} // namespace rurozovizera::test_support
