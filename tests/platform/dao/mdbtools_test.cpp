// Files written through the engine, judged by an outside reader (mdbtools).

#include "engine_test_support.h"
#include "platform/dao/dao.h"
#include "platform/jet/text.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::dao {
namespace {

    using namespace dao::testing;
    using bastara::testing::haveProgram;
    using bastara::testing::runProcess;
    using bastara::testing::TempDir;

    std::string mdb(const std::string& tool, const std::vector<std::string>& args)
    {
        std::vector<std::string> argv { tool };
        argv.insert(argv.end(), args.begin(), args.end());
        const auto result = runProcess(argv);
        EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.err;
        return result.out;
    }

    // The CREATE TABLE statement mdb-schema prints for the table.
    std::string createStatement(const std::string& file)
    {
        const std::string schema = mdb("mdb-schema", { file, "access" });
        const std::size_t start = schema.find("CREATE TABLE");
        const std::size_t end = schema.find(");", start);
        return start == std::string::npos || end == std::string::npos
            ? schema
            : schema.substr(start, end + 2 - start);
    }

    std::string expectedStatement(const std::u16string& table,
        const std::vector<std::pair<std::u16string, std::string>>& columns)
    {
        std::string statement = "CREATE TABLE [" + jet::toUtf8(table) + "]\n (\n";
        for (std::size_t c = 0; c < columns.size(); ++c) {
            statement += "\t[" + jet::toUtf8(columns[c].first) + "]\t\t\t" + columns[c].second;
            statement += c + 1 < columns.size() ? ", \n" : "\n";
        }
        return statement + ");";
    }

    std::string headerLine(const std::vector<std::u16string>& names)
    {
        std::string line;
        for (const std::u16string& name : names)
            line += (line.empty() ? "" : ",") + jet::toUtf8(name);
        return line + "\n";
    }

    class Mdbtools : public ::testing::TestWithParam<int32_t>
    {
    protected:
        void SetUp() override
        {
            if (!haveProgram("mdb-ver"))
                GTEST_SKIP() << "mdbtools is not installed";
        }
        std::string file(const std::string& name) const { return (m_dir / name).string(); }
        TempDir m_dir;
    };

    TEST_P(Mdbtools, AnEmptyDatabaseIsJet4WithTheSystemCatalogOnly)
    {
        ASSERT_TRUE(createDatabase(file("empty.mdb"), GetParam()));
        EXPECT_EQ(mdb("mdb-ver", { file("empty.mdb") }), "JET4\n");
        EXPECT_EQ(mdb("mdb-tables", { "-1", file("empty.mdb") }), "");
        EXPECT_EQ(mdb("mdb-tables", { "-S", "-1", file("empty.mdb") }),
            "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\n");
        const std::string catalog = mdb("mdb-export", { file("empty.mdb"), "MSysObjects" });
        EXPECT_EQ(std::count(catalog.begin(), catalog.end(), '\n'), 9);
        EXPECT_NE(catalog.find("\"MSysDb\",2,"), std::string::npos);
    }

    TEST_P(Mdbtools, APersianTableWithEveryTypeReadsBackInOrderWithItsTypesAndSizes)
    {
        auto db = createDatabase(file("types.mdb"), GetParam());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->TableDefs.Append(tableWith(*db, persianTableName, twelveTypeFields())));
        db.reset();

        EXPECT_EQ(mdb("mdb-ver", { file("types.mdb") }), "JET4\n");
        EXPECT_EQ(
            mdb("mdb-tables", { "-1", file("types.mdb") }), jet::toUtf8(persianTableName) + "\n");
        const auto fields = twelveTypeFields();
        const std::string types[]
            = { "Text (50)", "Boolean NOT NULL", "Byte", "Binary", "Integer", "Long Integer",
                  "Single", "Currency", "Double", "DateTime", "Memo/Hyperlink (255)", "Double" };
        std::vector<std::pair<std::u16string, std::string>> columns;
        std::vector<std::u16string> names;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            columns.emplace_back(fields[c].name, types[c]);
            names.push_back(fields[c].name);
        }
        EXPECT_EQ(createStatement(file("types.mdb")), expectedStatement(persianTableName, columns));
        EXPECT_EQ(mdb("mdb-export", { file("types.mdb"), jet::toUtf8(persianTableName) }),
            headerLine(names));
        const auto json
            = runProcess({ "mdb-json", file("types.mdb"), jet::toUtf8(persianTableName) });
        EXPECT_EQ(json.exitCode, 0);
        EXPECT_EQ(json.out, "");
        EXPECT_EQ(mdb("mdb-count", { file("types.mdb"), jet::toUtf8(persianTableName) }), "0\n");

        // Encrypted: no page after the header shows a page kind in its raw bytes.
        const auto bytes = bastara::testing::readFileBytes(file("types.mdb"));
        ASSERT_EQ(bytes.size(), 21u * 4096u);
        int plainLooking = 0;
        for (std::size_t page = 1; page < 21; ++page)
            plainLooking += bytes[page * 4096] <= 0x04 && bytes[page * 4096 + 1] == 0x01;
        EXPECT_EQ(plainLooking, GetParam() == dbEncrypt ? 0 : 20);
    }

    TEST_P(Mdbtools, AHundredAndOneColumnTable)
    {
        auto db = createDatabase(file("wide.mdb"), GetParam());
        ASSERT_TRUE(db);
        std::vector<FieldArgs> fields;
        std::vector<std::pair<std::u16string, std::string>> columns;
        std::vector<std::u16string> names;
        for (int i = 0; i < 101; ++i) {
            const std::u16string name = u"ستون " + jet::fromUtf8(std::to_string(i)).value();
            fields.push_back({ name, i % 2 ? dbText : dbLong, 20 });
            columns.emplace_back(name, i % 2 ? "Text (20)" : "Long Integer");
            names.push_back(name);
        }
        ASSERT_TRUE(db->TableDefs.Append(tableWith(*db, u"Wide table", fields)));
        EXPECT_EQ(createStatement(file("wide.mdb")), expectedStatement(u"Wide table", columns));
        EXPECT_EQ(mdb("mdb-export", { file("wide.mdb"), "Wide table" }), headerLine(names));
    }

    TEST_P(Mdbtools, TheWidestTableSpansTdefContinuationPages)
    {
        auto db = createDatabase(file("widest.mdb"), GetParam());
        ASSERT_TRUE(db);
        std::vector<FieldArgs> fields;
        std::vector<std::pair<std::u16string, std::string>> columns;
        for (int i = 0; i < 255; ++i) {
            std::u16string name = jet::fromUtf8(std::to_string(i)).value() + u" ";
            name.resize(64, i % 2 ? u'\u0628' : u'x');
            fields.push_back({ name, dbMemo, 0 });
            columns.emplace_back(name, "Memo/Hyperlink (255)");
        }
        ASSERT_TRUE(db->TableDefs.Append(tableWith(*db, u"widest", fields)));
        EXPECT_EQ(createStatement(file("widest.mdb")), expectedStatement(u"widest", columns));
    }

    INSTANTIATE_TEST_SUITE_P(Encoding, Mdbtools, ::testing::Values(0, int32_t { dbEncrypt }),
        [](const auto& param) { return param.param ? "Encrypted" : "Plain"; });

} // namespace
} // namespace bastara::dao
