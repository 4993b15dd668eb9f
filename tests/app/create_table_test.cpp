#include "app/create_table.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/jet/reader.h"
#include "support/failing_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;
    using bastara::testing::writeFileBytes;

    jet::DatabaseInfo readBack(const std::filesystem::path& path)
    {
        auto info = jet::readDatabase(readFileBytes(path));
        EXPECT_TRUE(info);
        return info ? *info : jet::DatabaseInfo {};
    }

    const EngineFailure* engineFailure(const Result<void, CreateFailure>& result)
    {
        return result ? nullptr : std::get_if<EngineFailure>(&result.error());
    }

    int32_t engineNumber(const Result<void, CreateFailure>& result)
    {
        const auto* failure = engineFailure(result);
        return failure ? failure->error.number : 0;
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

    using SinkWrapper = decltype(jet::FileWriteOptions::wrapSink);

    // Write options that let the first file through (the new, empty database)
    // and hand the sinks of later files (the database with its table) to
    // `laterFiles`.
    jet::FileWriteOptions afterTheFirstFile(SinkWrapper laterFiles)
    {
        jet::FileWriteOptions options;
        options.wrapSink = [files = 0, laterFiles](std::unique_ptr<jet::PageSink> sink) mutable {
            return files++ == 0 ? std::move(sink) : laterFiles(std::move(sink));
        };
        return options;
    }

    TEST(CreateTable, AFailureAfterCreationRemovesTheNewFileAndTheNameCanBeUsedAgain)
    {
        const std::vector<FieldRow> good { { u"a", u"Long", u"" } };
        struct Case {
            const char* what;
            std::u16string table;
            std::vector<FieldRow> rows;
            bool diskFills = false;
            int32_t number;
            bool tableRefused; // else a field
        };
        const Case cases[] = {
            { "invalid field name", u"t", { { u"x.y", u"Long", u"" } }, false, 3125, false },
            { "invalid table name", u"bad!name", good, false, 3125, true },
            { "empty table name", u"", good, false, 3125, true },
            { "no fields", u"t", {}, false, 3264, true },
            { "repeated field name", u"t", { { u"a", u"Long", u"" }, { u"A", u"Long", u"" } },
                false, 3367, false },
            { "disk full writing the table", u"t", good, true, 3026, true },
        };
        for (const Case& c : cases) {
            TempDir dir;
            {
                dao::testing::ScopedEngineHooks hooks(
                    { c.diskFills ? afterTheFirstFile(bastara::testing::failingWrites(0).wrapSink)
                                  : jet::FileWriteOptions {},
                        {}, {} });
                const auto created = createTable(dir / "t.mdb", c.table, c.rows);
                EXPECT_EQ(engineNumber(created), c.number) << c.what;
                if (const EngineFailure* failure = engineFailure(created)) {
                    EXPECT_EQ(failure->table, c.tableRefused) << c.what;
                }
            }
            EXPECT_TRUE(dir.entries().empty()) << c.what;
            EXPECT_TRUE(createTable(dir / "t.mdb", u"t", good)) << c.what;
            EXPECT_EQ(readBack(dir / "t.mdb").tables.size(), 1u) << c.what;
        }
    }

    TEST(CreateTable, AFileThatTookTheNameMeanwhileIsLeftAlone)
    {
        TempDir dir;
        const std::vector<std::uint8_t> theirs { 't', 'h', 'e', 'i', 'r', 's' };
        // While the engine writes the table, someone moves the new database
        // aside and puts their own file under its name.
        const auto takeTheName = [&](std::unique_ptr<jet::PageSink> sink) {
            std::filesystem::rename(dir / "t.mdb", dir / "moved.mdb");
            writeFileBytes(dir / "t.mdb", theirs);
            return sink;
        };
        dao::testing::ScopedEngineHooks hooks({ afterTheFirstFile(takeTheName), {}, {} });
        EXPECT_NE(engineNumber(createTable(dir / "t.mdb", u"t", { { u"a", u"Long", u"" } })), 0);
        EXPECT_EQ(readFileBytes(dir / "t.mdb"), theirs);
        EXPECT_EQ(dir.entries(), (std::vector<std::string> { "moved.mdb", "t.mdb" }));
    }

} // namespace
} // namespace bastara::app
