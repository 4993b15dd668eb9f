#include "hex.h"
#include "platform/jet/index_key.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <variant>

namespace bastara::jet {
namespace {

    using testing::hexBytes;

    // A value as a test writes it: a number (stored in the column's width),
    // a flag, text, or Null.
    using Value = std::variant<std::monostate, std::int64_t, double, bool, std::u16string>;

    std::vector<std::uint8_t> keyOf(ColumnType type, bool descending, const Value& value)
    {
        std::array<std::uint8_t, 8> bytes {};
        FieldCell cell;
        const std::size_t width = fixedLength(type).value_or(0);
        auto store = [&](std::uint64_t bits) {
            for (std::size_t i = 0; i < 8; ++i)
                bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
            cell.kind = FieldCell::Kind::Bytes;
            cell.bytes = std::span<const std::uint8_t>(bytes.data(), width);
        };
        if (const auto* whole = std::get_if<std::int64_t>(&value))
            store(static_cast<std::uint64_t>(*whole));
        else if (const auto* real = std::get_if<double>(&value))
            store(type == ColumnType::Single
                    ? std::bit_cast<std::uint32_t>(static_cast<float>(*real))
                    : std::bit_cast<std::uint64_t>(*real));
        else if (const auto* flag = std::get_if<bool>(&value))
            cell = { FieldCell::Kind::Boolean, *flag, {}, {} };
        else if (const auto* text = std::get_if<std::u16string>(&value))
            cell = { FieldCell::Kind::Text, false, {}, *text };
        std::vector<std::uint8_t> key;
        EXPECT_EQ(appendKeyGroup(key, type, descending, cell), KeyProblem::None);
        return key;
    }

    constexpr double infinity = std::numeric_limits<double>::infinity();
    constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

    // Values of each type in the order the engine sorts them, Null first.
    struct Ordering {
        const char* type;
        ColumnType column;
        std::vector<Value> ascending;
    };

    const std::vector<Ordering> orderings {
        { "Byte", ColumnType::Byte,
            { {}, std::int64_t { 0 }, std::int64_t { 1 }, std::int64_t { 127 },
                std::int64_t { 128 }, std::int64_t { 255 } } },
        { "Integer", ColumnType::Integer,
            { {}, std::int64_t { -32768 }, std::int64_t { -1000 }, std::int64_t { -1 },
                std::int64_t { 0 }, std::int64_t { 1 }, std::int64_t { 1000 },
                std::int64_t { 32767 } } },
        { "Long", ColumnType::Long,
            { {}, std::int64_t { -2147483648 }, std::int64_t { -5000 }, std::int64_t { -1 },
                std::int64_t { 0 }, std::int64_t { 1 }, std::int64_t { 5000 },
                std::int64_t { 2147483647 } } },
        { "Currency", ColumnType::Currency,
            { {}, int64Min, std::int64_t { -10000 }, std::int64_t { -1 }, std::int64_t { 0 },
                std::int64_t { 1 }, std::int64_t { 10000 }, int64Max } },
        { "Single", ColumnType::Single,
            { {}, -infinity, -3.4e38, -2.5, -1.0, -1e-40, 0.0, 1e-40, 1.0, 2.5, 3.4e38,
                infinity } },
        { "Double", ColumnType::Double,
            { {}, -infinity, -1e300, -1.0, -0.1, -5e-324, 0.0, 5e-324, 0.1, 1.0, 1e300,
                infinity } },
        // Dates by their OLE number: 1800-01-01, 1899-12-29 12:00, 1899-12-30,
        // 2000-01-01 06:00, 2024-03-20 12:30.
        { "Date", ColumnType::DateTime, { {}, -36522.0, -1.5, 0.0, 36526.25, 45371.5208 } },
        { "Boolean", ColumnType::Boolean, { true, false } },
        // Latin before Arabic letters; the Persian order follows the main codes
        // of آ 79AA, ا 79AB, ح 79B2, د 79B4, ر 79B6, ش 79BA, م 79C6, ی 7A25.
        { "Text", ColumnType::Text,
            { {}, u"", u"a", u"ab", u"abc", u"b", u"cafe", u"café", u"z", u"آرش", u"احمد", u"ارش",
                u"دم", u"رش", u"شم", u"می", u"یم" } },
    };

    TEST(IndexKey, KeysSortAsTheEngineOrdersEachType)
    {
        for (const Ordering& o : orderings) {
            for (const bool descending : { false, true }) {
                for (std::size_t i = 1; i < o.ascending.size(); ++i) {
                    const auto lower = keyOf(o.column, descending, o.ascending[i - 1]);
                    const auto higher = keyOf(o.column, descending, o.ascending[i]);
                    if (descending)
                        EXPECT_GT(lower, higher) << o.type << " descending, value " << i;
                    else
                        EXPECT_LT(lower, higher) << o.type << " value " << i;
                }
            }
        }
    }

    TEST(IndexKey, KeysAreTheBytesOfTheSampleFiles)
    {
        struct Case {
            ColumnType type;
            bool descending;
            Value value;
            const char* key;
        };
        const std::vector<Case> cases {
            { ColumnType::Byte, false, std::int64_t { 128 }, "7f 80" },
            { ColumnType::Integer, false, std::int64_t { -32768 }, "7f 00 00" },
            { ColumnType::Integer, false, std::int64_t { 1000 }, "7f 83 e8" },
            { ColumnType::Long, false, std::int64_t { 5000 }, "7f 80 00 13 88" },
            { ColumnType::Long, true, std::int64_t { 0 }, "80 7f ff ff ff" },
            { ColumnType::Long, true, std::int64_t { -1 }, "80 80 00 00 00" },
            { ColumnType::Currency, false, std::int64_t { 10000 }, "7f 80 00 00 00 00 00 27 10" },
            { ColumnType::Currency, false, std::int64_t { -10000 }, "7f 7f ff ff ff ff ff d8 f0" },
            { ColumnType::Single, false, 1.0, "7f bf 80 00 00" },
            { ColumnType::Single, false, -2.5, "7f 3f df ff ff" },
            { ColumnType::Single, false, -0.0, "7f 80 00 00 00" },
            { ColumnType::Double, false, 0.1, "7f bf b9 99 99 99 99 99 9a" },
            { ColumnType::Double, false, -1e300, "7f 01 c8 1b c3 77 ff 8a 63" },
            { ColumnType::DateTime, false, 36526.25, "7f c0 e1 d5 c8 00 00 00 00" },
            { ColumnType::DateTime, false, -1.5, "7f 40 07 ff ff ff ff ff ff" },
            { ColumnType::Boolean, false, true, "7f 00" },
            { ColumnType::Boolean, false, false, "7f ff" },
            { ColumnType::Boolean, true, true, "80 ff" },
            { ColumnType::Text, false, u"café", "7f 4d 4a 53 51 01 02 02 02 0e 00" },
            { ColumnType::Text, false, u"A", "7f 4a 01 00" },
            { ColumnType::Text, true, u"a", "80 b5 fe ff 00" },
            // ixTextDesc of index-keys.mdb, its first entry.
            { ColumnType::Text, true, u"پژوهش",
                "80 86 52 86 47 86 36 86 37 86 45 fe f7 f7 f7 f7 f7 ff 00" },
            { ColumnType::Text, false, u"جدول", "7f 79 b0 79 b4 79 c9 79 c5 01 08 08 08 08 00" },
            { ColumnType::Text, false, u"آرش احمدی",
                "7f 79 aa 79 b6 79 ba 07 79 ab 79 b2 79 c6 79 b4 7a 25 01 03 08 08 02 08 08 08 08 "
                "00" },
            { ColumnType::Text, false, {}, "00" },
            { ColumnType::Long, true, {}, "ff" },
        };
        for (const Case& c : cases)
            EXPECT_EQ(keyOf(c.type, c.descending, c.value), hexBytes(c.key)) << c.key;
    }

    TEST(IndexKey, CompositeKeysJoinTheirGroupsInColumnOrder)
    {
        // uqTextInt of index-keys.mdb: kText ascending, kInt descending.
        auto composite = [](const Value& text, const Value& number) {
            auto key = keyOf(ColumnType::Text, false, text);
            const auto second = keyOf(ColumnType::Integer, true, number);
            key.insert(key.end(), second.begin(), second.end());
            return key;
        };
        EXPECT_EQ(composite(u"A", std::int64_t { 1 }), hexBytes("7f 4a 01 00 80 7f fe"));
        EXPECT_EQ(composite({}, {}), hexBytes("00 ff"));
    }

    TEST(IndexKey, TextWithoutASortKeyAndValuesOfTheWrongKindAreRefused)
    {
        std::vector<std::uint8_t> key;
        const FieldCell chinese { FieldCell::Kind::Text, false, {}, u"中文" };
        EXPECT_EQ(appendKeyGroup(key, ColumnType::Text, false, chinese), KeyProblem::NoSortKey);
        const std::uint8_t two[2] = { 1, 2 };
        const FieldCell shortLong { FieldCell::Kind::Bytes, false, two, {} };
        EXPECT_EQ(appendKeyGroup(key, ColumnType::Long, false, shortLong), KeyProblem::WrongKind);
        EXPECT_EQ(appendKeyGroup(key, ColumnType::Text, false, shortLong), KeyProblem::WrongKind);
    }

} // namespace
} // namespace bastara::jet
