// Rows through the engine's Recordset: what it converts, what it refuses,
// and when the rows reach the file.

#include "engine_test_support.h"
#include "platform/jet/reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::dao {
namespace {

    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;
    using testing::createDatabase;
    using testing::failsWith;
    using testing::tableWith;

    struct Fixture {
        TempDir dir;
        std::shared_ptr<Database> db = createDatabase(dir / "r.mdb", 0);
        std::shared_ptr<TableDef> table = tableWith(*db, u"T",
            { { u"B", dbByte, 0 }, { u"I", dbInteger, 0 }, { u"C", dbCurrency, 0 },
                { u"S", dbSingle, 0 }, { u"F", dbBoolean, 0 }, { u"X", dbText, 3 },
                { u"N", dbBinary, 2 }, { u"D", dbDate, 0 } });
        Fixture() { EXPECT_TRUE(db->TableDefs.Append(table)); }
    };

    TEST(Recordset, SetValueConvertsForTheFieldOrRefuses)
    {
        Fixture f;
        auto rs = f.db->OpenRecordset(u"t");
        ASSERT_TRUE(rs);
        struct Case {
            std::size_t field;
            Variant value;
            int32_t error; // 0: taken
        };
        const Case cases[] = {
            { 0, std::int64_t { 255 }, 0 },
            { 0, std::int64_t { 256 }, 3349 },
            { 1, std::int64_t { -32769 }, 3349 },
            { 1, true, 0 }, // -1, as the automation Variant converts it
            { 2, std::int64_t { 922337203685477 }, 0 },
            { 2, std::int64_t { 922337203685478 }, 3349 },
            { 2, 1.5, 3421 }, // binary fractions are not exact amounts
            { 3, 3.5e38, 3349 },
            { 4, Variant {}, 3162 },
            { 4, std::int64_t { 0 }, 0 },
            { 5, std::u16string(u"abc"), 0 },
            { 5, std::u16string(u"abcd"), 3163 },
            { 6, std::vector<std::uint8_t>(3), 3163 },
            { 7, std::u16string(u"2024-01-01"), 3421 },
            { 8, Variant {}, 3265 },
        };
        ASSERT_TRUE((*rs)->AddNew());
        for (const Case& c : cases) {
            const auto set = (*rs)->SetValue(c.field, c.value);
            if (c.error)
                EXPECT_TRUE(failsWith(set, c.error)) << c.field;
            else
                EXPECT_TRUE(set) << c.field << ": " << set.error().description;
        }
        EXPECT_TRUE((*rs)->Update());
        EXPECT_TRUE(failsWith((*rs)->Update(), 3020));
    }

    TEST(Recordset, RowsReachTheFileWhenItCloses)
    {
        Fixture f;
        const auto empty = readFileBytes(f.db->Name());
        auto rs = f.db->OpenRecordset(u"T");
        ASSERT_TRUE(rs);
        EXPECT_EQ((*rs)->FieldIndex(u"x "), 5u); // matched as field names are
        for (std::int64_t i = 0; i < 1000; ++i) {
            ASSERT_TRUE((*rs)->AddNew());
            ASSERT_TRUE((*rs)->SetValue(0, i % 256));
            ASSERT_TRUE((*rs)->Update());
        }
        EXPECT_EQ(readFileBytes(f.db->Name()), empty);
        ASSERT_TRUE((*rs)->Close());
        EXPECT_TRUE(failsWith((*rs)->AddNew(), 3420));
        const auto info = jet::readDatabase(readFileBytes(f.db->Name()));
        ASSERT_TRUE(info);
        EXPECT_EQ(info->tables.at(0).rowCount, 1000u);
    }

    TEST(Recordset, OneAtATimeAndNoNewTablesAfterRows)
    {
        Fixture f;
        EXPECT_TRUE(failsWith(f.db->OpenRecordset(u"Missing"), 3078));
        auto rs = f.db->OpenRecordset(u"T");
        ASSERT_TRUE(rs);
        EXPECT_TRUE(failsWith(f.db->OpenRecordset(u"T"), 3219));
        ASSERT_TRUE((*rs)->Close());
        EXPECT_TRUE(f.db->OpenRecordset(u"T"));
        auto later = tableWith(*f.db, u"Later", { { u"a", dbLong, 0 } });
        EXPECT_TRUE(failsWith(f.db->TableDefs.Append(later), 3219));
    }

} // namespace
} // namespace bastara::dao
