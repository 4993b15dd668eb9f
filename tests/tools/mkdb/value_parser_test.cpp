// CSV text as field values.

#include "tools/mkdb/value_parser.h"

#include <gtest/gtest.h>

namespace bastara::mkdb {
namespace {

    TEST(ValueParser, ReadsEachTypeAndRefusesWhatIsNotOfIt)
    {
        struct Case {
            int32_t type;
            const char* text;
            std::optional<dao::Variant> value; // nothing: refused
        };
        const Case cases[] = {
            { dao::dbLong, "", dao::Variant {} },
            { dao::dbBoolean, "TRUE", true },
            { dao::dbBoolean, "no", false },
            { dao::dbBoolean, "-1", true },
            { dao::dbBoolean, "2", std::nullopt },
            { dao::dbLong, "+42", std::int64_t { 42 } },
            { dao::dbLong, "-9223372036854775808", std::int64_t { INT64_MIN } },
            { dao::dbLong, "9223372036854775808", std::nullopt },
            { dao::dbLong, "1.0", std::nullopt },
            { dao::dbCurrency, "-922337203685477.5808", dao::Currency { INT64_MIN } },
            { dao::dbCurrency, "922337203685477.5808", std::nullopt },
            { dao::dbCurrency, "0.1", dao::Currency { 1000 } },
            { dao::dbCurrency, "1.23456", std::nullopt },
            { dao::dbCurrency, "1e3", std::nullopt },
            { dao::dbDouble, "-2.5e-3", -2.5e-3 },
            { dao::dbDouble, "1e309", std::nullopt },
            { dao::dbDouble, "nan", std::nullopt },
            { dao::dbDate, "1899-12-30", dao::DateTime { 0.0 } },
            { dao::dbDate, "1899-12-29 12:00:00", dao::DateTime { -1.5 } },
            { dao::dbDate, "9999-12-31", dao::DateTime { 2958465.0 } },
            { dao::dbDate, "0100-01-01", dao::DateTime { -657434.0 } },
            { dao::dbDate, "2024-02-30", std::nullopt },
            { dao::dbDate, "2024-01-01 24:00:00", std::nullopt },
            { dao::dbDate, "0099-12-31", std::nullopt },
            { dao::dbText, "علی", std::u16string(u"علی") },
            { dao::dbText, "\xC3", std::nullopt },
            { dao::dbBinary, "00fF", std::vector<std::uint8_t> { 0x00, 0xFF } },
            { dao::dbBinary, "abc", std::nullopt },
            { dao::dbBinary, "zz", std::nullopt },
        };
        for (const Case& c : cases) {
            const auto parsed = parseValue(c.text, c.type);
            ASSERT_EQ(static_cast<bool>(parsed), c.value.has_value()) << c.type << " " << c.text;
            if (!parsed)
                continue;
            EXPECT_TRUE(*parsed == *c.value) << c.type << " " << c.text;
        }
    }

} // namespace
} // namespace bastara::mkdb
