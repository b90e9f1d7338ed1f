// Text conversions: numbers both ways whatever the locale, and the
// 1-based sub-text and search rules.
#include <gtest/gtest.h>

#include <clocale>

#include "runtime/TextConv.h"

namespace qm {
namespace {

TEST(TextConvTest, NumbersToText) {
    EXPECT_EQ(str(-42), "-42");
    EXPECT_EQ(str(0), "0");
    EXPECT_EQ(str(1234567890123LL), "1234567890123");
    EXPECT_EQ(floatText(0.5f), "0.500000");
    EXPECT_EQ(floatText(-1.25f), "-1.250000");
    EXPECT_EQ(chr(65), "A");
}

TEST(TextConvTest, TextToNumbersReadsTheLeadingNumber) {
    EXPECT_EQ(toInt("12abc"), 12);
    EXPECT_EQ(toInt("  -7"), -7);
    EXPECT_EQ(toInt("+3"), 3);
    EXPECT_EQ(toInt("abc"), 0);
    EXPECT_EQ(toInt(""), 0);
    EXPECT_EQ(toInt("4294967297"), 1) << "wraps like a 32-bit register";
    EXPECT_FLOAT_EQ(toFloat("1.5e2x"), 150.0f);
    EXPECT_FLOAT_EQ(toFloat(" -0.25"), -0.25f);
    EXPECT_FLOAT_EQ(toFloat(".5"), 0.5f);
    EXPECT_FLOAT_EQ(toFloat("nonsense"), 0.0f);
}

TEST(TextConvTest, LocaleDoesNotChangeTheDecimalPoint) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    std::string text = floatText(1.5f);
    float back = toFloat("2.75");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "1.500000");
    EXPECT_FLOAT_EQ(back, 2.75f);
}

TEST(TextConvTest, SubTextAndSearchCountFromOne) {
    EXPECT_EQ(mid("hello", 2, 3), "ell");
    EXPECT_EQ(mid("hello", 4, 10), "lo");
    EXPECT_EQ(mid("hello", 3, -1), "llo");
    EXPECT_EQ(mid("hello", 9, 2), "");
    EXPECT_EQ(mid("hello", 0, 2), "he");
    EXPECT_EQ(instr("hello", "l"), 3);
    EXPECT_EQ(instr("hello", "lo"), 4);
    EXPECT_EQ(instr("hello", "z"), 0);
    EXPECT_EQ(lowerCase("Success OK \xC4"), "success ok \xC4") << "A to Z only";
}

}  // namespace
}  // namespace qm
