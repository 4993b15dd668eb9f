#include "app/create_table.h"
#include "platform/jet/reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;

    jet::DatabaseInfo readBack(const std::filesystem::path& path)
    {
        auto info = jet::readDatabase(readFileBytes(path));
        EXPECT_TRUE(info);
        return info ? *info : jet::DatabaseInfo {};
    }

    int32_t engineNumber(const Result<void, CreateFailure>& result)
    {
        const auto* error = result ? nullptr : std::get_if<dao::EngineError>(&result.error());
        return error ? error->number : 0;
    }

    TEST(CreateTable, WritesAnEncodedDatabaseWithTheRowsInOrder)
    {
        TempDir dir;
        const std::vector<FieldRow> rows { { u"C", u"Text", u"50" }, { u"A", u"Time", u"" },
            { u"B", u"Text", u"" } };
        ASSERT_TRUE(createTable(dir / "t.mdb", u"جدول", rows));
        const auto info = readBack(dir / "t.mdb");
        EXPECT_NE(info.header.databaseKey, 0u); // the application always encrypts
        ASSERT_EQ(info.tables.size(), 1u);
        const auto& columns = info.tables[0].columns;
        ASSERT_EQ(columns.size(), 3u);
        EXPECT_EQ(columns[0].name, u"C");
        EXPECT_EQ(columns[0].length, 100); // "50" passes 50
        EXPECT_EQ(columns[1].name, u"A");
        EXPECT_EQ(columns[1].type, 0x08); // Time is Date
        EXPECT_EQ(columns[2].length, 510); // an empty size passes 0: as large as allowed
    }

    TEST(CreateTable, RowProblemsStopItBeforeTheEngineIsCalled)
    {
        TempDir dir;
        const auto unknown = createTable(dir / "u.mdb", u"t", { { u"a", u"text", u"5" } });
        ASSERT_FALSE(unknown);
        EXPECT_TRUE(std::holds_alternative<RowProblem>(unknown.error()));
        const auto many
            = createTable(dir / "m.mdb", u"t", std::vector<FieldRow>(102, { u"a", u"Long", u"" }));
        ASSERT_FALSE(many);
        EXPECT_TRUE(std::holds_alternative<RowProblem>(many.error()));
        EXPECT_TRUE(dir.entries().empty());
    }

    TEST(CreateTable, AnEngineFailureAfterCreationLeavesTheDatabaseWithoutTheTable)
    {
        TempDir dir;
        EXPECT_EQ(engineNumber(createTable(dir / "e.mdb", u"t", {})), 3264);
        EXPECT_EQ(engineNumber(createTable(dir / "n.mdb", u"bad!name", { { u"a", u"Long", u"" } })),
            3125);
        EXPECT_EQ(engineNumber(createTable(
                      dir / "d.mdb", u"t", { { u"a", u"Long", u"" }, { u"A", u"Long", u"" } })),
            3367);
        for (const char* name : { "e.mdb", "n.mdb", "d.mdb" })
            EXPECT_TRUE(readBack(dir / name).tables.empty()) << name;
        EXPECT_EQ(engineNumber(createTable(dir / "d.mdb", u"t", { { u"a", u"Long", u"" } })), 3204);
    }

} // namespace
} // namespace bastara::app
