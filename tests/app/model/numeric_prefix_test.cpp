#include "app/model/numeric_prefix.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    struct Case {
        std::u16string_view text;
        double expected;
    };

    class NumericPrefix : public testing::TestWithParam<Case>
    { };

    TEST_P(NumericPrefix, ReadsTheLeadingNumber)
    {
        EXPECT_DOUBLE_EQ(numericPrefix(GetParam().text), GetParam().expected);
    }

    INSTANTIATE_TEST_SUITE_P(Decimal, NumericPrefix,
        testing::Values(Case { u"50", 50 }, Case { u"12abc", 12 }, Case { u"abc", 0 },
            Case { u"", 0 }, Case { u"-7", -7 }, Case { u"+7", 7 }, Case { u"1.5", 1.5 },
            Case { u".5", 0.5 }, Case { u"5.", 5 }, Case { u"1.2.3", 1.2 }, Case { u"2.5E1", 25 },
            Case { u"2.5e-1", 0.25 }, Case { u"3E", 3 }, Case { u"3Ex", 3 }, Case { u"-", 0 },
            Case { u".", 0 }, Case { u"--1", 0 }));

    INSTANTIATE_TEST_SUITE_P(IgnoredCharacters, NumericPrefix,
        testing::Values(Case { u"1 2", 12 }, Case { u"  50  ", 50 }, Case { u"\t4\n2", 42 },
            Case { u"- 5", -5 }, Case { u"1 . 5", 1.5 }, Case { u"1E 2", 100 },
            // A carriage return is not among the ignored characters: it ends the number.
            Case { u"1\r2", 1 }));

    INSTANTIATE_TEST_SUITE_P(Radix, NumericPrefix,
        testing::Values(Case { u"&H1F", 31 }, Case { u"&hff", 255 }, Case { u"&O17", 15 },
            Case { u"&o8", 0 }, Case { u"&HG", 0 }, Case { u"&", 0 }, Case { u"&X1", 0 },
            Case { u"& H 1 0", 16 }, Case { u"&HFFFF", 65535 }));

    INSTANTIATE_TEST_SUITE_P(PersianAndArabicDigits, NumericPrefix,
        testing::Values(
            Case { u"\u06F5\u06F0", 50 }, Case { u"\u0661\u0662", 12 }, Case { u"1\u06F5", 15 }));

    TEST(NumericPrefixLocale, FullStopIsTheDecimalPointWhateverTheLocale)
    {
        // A locale whose decimal separator is a comma, where the machine has one.
        const char* previous = std::setlocale(LC_NUMERIC, nullptr);
        const std::string saved = previous ? previous : "C";
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        EXPECT_DOUBLE_EQ(numericPrefix(u"1.5"), 1.5);
        EXPECT_DOUBLE_EQ(numericPrefix(u"1,5"), 1);
        std::setlocale(LC_NUMERIC, saved.c_str());
    }

    TEST(NumericPrefixLimits, HugeExponentIsInfiniteAndTinyIsZero)
    {
        EXPECT_TRUE(std::isinf(numericPrefix(u"1E400")));
        EXPECT_LT(numericPrefix(u"-1E400"), 0);
        EXPECT_DOUBLE_EQ(numericPrefix(u"1E-400"), 0);
    }

} // namespace
} // namespace bastara::app
