#include "hex.h"
#include "platform/jet/sort_key.h"

#include <gtest/gtest.h>
#include <map>

namespace bastara::jet {
namespace {

    using testing::hexBytes;

    std::vector<std::uint8_t> keyOf(std::u16string_view text)
    {
        auto key = generalSortKey(text);
        EXPECT_TRUE(key.has_value());
        return key.value_or(std::vector<std::uint8_t> {});
    }

    struct WorkedExample {
        const char* label;
        std::u16string text;
        const char* key;
    };

    // Every worked example of the key notes, part C.
    const WorkedExample workedExamples[] = {
        { "C.1 table", u"table", "6D 4A 4C 5E 51 01 00" },
        { "C.2 Table 1", u"Table 1", "6D 4A 4C 5E 51 07 38 01 00" },
        { "C.3 jadval", u"\u062C\u062F\u0648\u0644", "79 B0 79 B4 79 C9 79 C5 01 08 08 08 08 00" },
        { "C.4 jadval 1", u"\u062C\u062F\u0648\u0644 \u06F1",
            "79 B0 79 B4 79 C9 79 C5 07 39 03 01 08 08 08 08 02 39 00" },
        { "C.5 fildha", u"\u0641\u06CC\u0644\u062F\u0647\u0627",
            "79 C1 7A 25 79 C5 79 B4 79 C8 79 AB 01 08 02 08 08 08 08 00" },
        { "C.6 karbar-ha with ZWNJ", u"\u06A9\u0627\u0631\u0628\u0631\u200C\u0647\u0627",
            "7A 03 79 AB 79 B6 79 AC 79 B6 08 14 79 C8 79 AB 01 02 08 08 08 08 02 08 08 00" },
        { "C.6 with ZWJ", u"\u06A9\u0627\u0631\u0628\u0631\u200D\u0647\u0627",
            "7A 03 79 AB 79 B6 79 AC 79 B6 79 C8 79 AB 01 02 08 08 08 08 08 08 00" },
        { "C.6 without joiner", u"\u06A9\u0627\u0631\u0628\u0631\u0647\u0627",
            "7A 03 79 AB 79 B6 79 AC 79 B6 79 C8 79 AB 01 02 08 08 08 08 08 08 00" },
        { "C.7 Cafe", u"Caf\u00E9", "4D 4A 53 51 01 02 02 02 0E 00" },
        { "C.8 MSysObjects", u"MSysObjects", "60 6B 76 6B 64 4C 5B 51 4D 6D 6B 01 00" },
        { "C.9 Strasse", u"Stra\u00DFe", "6B 6D 69 4A 6B 6B 51 01 00" },
        { "C.10 Cafe-Bar", u"Caf\u00E9-Bar",
            "4D 4A 53 51 4C 4A 69 01 02 02 02 0E 01 01 01 80 17 06 82 00" },
        { "C.11 man", u"\u0645\u064E\u0646", "79 C6 79 C7 01 08 08 01 01 01 80 0B 06 A3 00" },
    };

    TEST(GeneralSortKey, EveryWorkedExampleGivesItsKey)
    {
        for (const WorkedExample& example : workedExamples)
            EXPECT_EQ(keyOf(example.text), hexBytes(example.key)) << example.label;
    }

    TEST(GeneralSortKey, TheTableCoversExactlyThePublishedRangesWithTheirKinds)
    {
        // Counts per range and kind as the code notes give them; a mistyped
        // entry or a gap shows up here.
        struct Range {
            char16_t first, last;
            int simple, intl, unprint, ignore;
        };
        const Range ranges[] = {
            { u'\u0020', u'\u007E', 93, 0, 2, 0 },
            { u'\u00A0', u'\u00FF', 36, 59, 1, 0 },
            { u'\u0600', u'\u06FF', 106, 59, 7, 84 },
            { u'\u200B', u'\u200F', 2, 0, 0, 3 },
        };
        int covered = 0;
        for (const Range& range : ranges) {
            std::map<SortKind, int> kinds;
            for (char32_t unit = range.first; unit <= range.last; ++unit) {
                const auto entry = generalSortEntry(static_cast<char16_t>(unit));
                ASSERT_TRUE(entry.has_value()) << std::hex << static_cast<int>(unit);
                ++kinds[entry->kind];
                ++covered;
            }
            EXPECT_EQ(kinds[SortKind::Simple], range.simple) << std::hex << int(range.first);
            EXPECT_EQ(kinds[SortKind::Intl], range.intl) << std::hex << int(range.first);
            EXPECT_EQ(kinds[SortKind::Unprint], range.unprint) << std::hex << int(range.first);
            EXPECT_EQ(kinds[SortKind::Ignore], range.ignore) << std::hex << int(range.first);
        }
        ASSERT_TRUE(generalSortEntry(u'\uFEFF').has_value());
        EXPECT_EQ(generalSortEntry(u'\uFEFF')->kind, SortKind::Ignore);
        EXPECT_EQ(covered + 1, 453);

        int total = 0;
        for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
            total += generalSortEntry(static_cast<char16_t>(unit)).has_value();
        EXPECT_EQ(total, 453);
    }

    TEST(GeneralSortKey, CharactersOutsideTheTableHaveNoKey)
    {
        EXPECT_FALSE(generalSortKey(u"tab\tle").has_value());
        EXPECT_FALSE(generalSortKey(u"\u0391lpha").has_value()); // Greek capital alpha
        EXPECT_FALSE(generalSortKey(u"\uFB8F").has_value()); // Arabic presentation form
        EXPECT_FALSE(generalSortKey(u"\U0001F600").has_value()); // surrogate pair
        EXPECT_FALSE(generalSortKey(u"x\u007F").has_value());
    }

    TEST(GeneralSortKey, CaseTrailingSpacesAndIgnorableCharactersLeaveNoTrace)
    {
        EXPECT_EQ(keyOf(u"Table"), keyOf(u"TABLE"));
        EXPECT_EQ(keyOf(u"Table 1"), keyOf(u"Table 1   "));
        EXPECT_EQ(keyOf(u"\u00C9t\u00E9"), keyOf(u"\u00E9T\u00C9"));
        // Tatweel and RLM are ignored, so a name with them clashes with the plain one.
        EXPECT_EQ(
            keyOf(u"\u062C\u0640\u062F\u0648\u0644\u200F"), keyOf(u"\u062C\u062F\u0648\u0644"));
        // A trailing space before an ignored character is kept and keyed.
        EXPECT_NE(keyOf(u"name \u200F"), keyOf(u"name"));
        EXPECT_EQ(keyOf(u""), hexBytes("01 00"));
        EXPECT_EQ(keyOf(u"   "), hexBytes("01 00"));
        EXPECT_EQ(keyOf(u"\u0640"), hexBytes("01 00"));
    }

    TEST(GeneralSortKey, LookAlikesAndMarksStayDistinct)
    {
        // Persian yeh/keheh versus Arabic yeh/kaf; no normalisation happens.
        EXPECT_NE(keyOf(u"\u06CC"), keyOf(u"\u064A"));
        EXPECT_NE(keyOf(u"\u06A9"), keyOf(u"\u0643"));
        EXPECT_NE(keyOf(u"Cafe"), keyOf(u"Caf\u00E9"));
        EXPECT_NE(keyOf(u"coop"), keyOf(u"co-op"));
        // Published irregularities kept as they are.
        EXPECT_EQ(keyOf(u"\u0629"), keyOf(u"\u062A"));
        EXPECT_EQ(keyOf(u"\u0651"), keyOf(u"a"));
        EXPECT_EQ(keyOf(u"\u0665"), hexBytes("41 03 01 38 00"));
        EXPECT_EQ(keyOf(u"\u06F5"), hexBytes("41 04 01 39 00"));
    }

    TEST(GeneralSortKey, OnlyTheFirst255CodeUnitsAreKeyed)
    {
        const std::u16string longName(255, u'a');
        EXPECT_EQ(keyOf(longName + u"b"), keyOf(longName + u"c"));
        EXPECT_EQ(keyOf(longName + u"\u4E00"), keyOf(longName));
        EXPECT_EQ(keyOf(longName).size(), 255u + 2u);
    }

} // namespace
} // namespace bastara::jet
