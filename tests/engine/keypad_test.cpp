#include "keypad.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace rurozovizera {
namespace {

TEST(Keypad, EveryKeyIsFoundByItsOwnCaptionOnly) {
    std::set<std::string_view> captions;
    for (const KeySpec& spec : kKeypad) {
        EXPECT_EQ(keyWithCaption(spec.caption), spec.key) << spec.caption;
        EXPECT_TRUE(captions.insert(spec.caption).second) << "duplicate caption " << spec.caption;
    }
    for (std::string_view unknown : {"", "x", "Sqrt ", "sqrt", "m+", "type", "?"})
        EXPECT_FALSE(keyWithCaption(unknown).has_value()) << unknown;
}

} // namespace
} // namespace rurozovizera
