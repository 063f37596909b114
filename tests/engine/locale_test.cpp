// The calculator must behave the same whatever the user's locale: run the
// number rules and a whole calculation under a locale whose decimal
// separator is ",".
#include "key_sequence.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace rurozovizera {
namespace {

// German, whose decimal separator is ",", by the name the C library knows.
#ifdef _WIN32
constexpr const char* kGerman = "German_Germany.1252";
#else
constexpr const char* kGerman = "de_DE.UTF-8";
#endif

class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, kGerman), nullptr)
            << "the " << kGerman << " locale is missing; the test command generates it";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

TEST_F(CommaLocale, RulesKeepThePoint) {
    EXPECT_EQ(numberToText(12.5), "12.5");
    EXPECT_EQ(numberToText(0.000012345), "1.2345E-05");
    EXPECT_EQ(textToNumber("12.5"), 12.5);
    EXPECT_EQ(textToNumber("1,5"), 1.0);
    EXPECT_EQ(textToNumber("-1.5E-3"), -0.0015);
}

TEST_F(CommaLocale, WholeCalculationWritesThePoint) {
    const Calculator calculator =
        test_support::calculate("1 0 0 / 8 = / 5 = M+ C [1,5] + 1 . 2 5 =");
    EXPECT_EQ(calculator.secondary().text, "2.25");
    EXPECT_EQ(calculator.state().memory, 2.5);
}

} // namespace
} // namespace rurozovizera
