// bastara-mkdb as a user runs it.

#include "platform/jet/reader.h"
#include "support/mkdb_runner.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara {
namespace {

    using testing::mkdb;
    using testing::readFileBytes;
    using testing::runProcess;
    using testing::TempDir;

    TEST(Mkdb, CreatesTheTableWithTheFieldsInOrder)
    {
        TempDir dir;
        const auto result = mkdb({ (dir / "out").string(), "جدول", "متن:Text:50",
            "a:b:Long:", "when:Time:", "price:Currency:12abc", "f:Float:" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const auto bytes = readFileBytes(dir / "out.mdb");
        const auto info = jet::readDatabase(bytes);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->header.databaseKey, 0u); // no --encrypt
        ASSERT_EQ(info->tables.size(), 1u);
        const auto& columns = info->tables[0].columns;
        ASSERT_EQ(columns.size(), 5u);
        EXPECT_EQ(columns[0].name, u"متن");
        EXPECT_EQ(columns[0].length, 100);
        EXPECT_EQ(columns[1].name, u"a:b");
        EXPECT_EQ(columns[2].type, 0x08); // Time gives Date
        EXPECT_EQ(columns[3].type, 0x05);
        EXPECT_EQ(columns[4].type, 0x07); // Float is stored as Double
    }

    TEST(Mkdb, EncryptEncodesThePages)
    {
        TempDir dir;
        const auto result = mkdb({ "--encrypt", (dir / "e.mdb").string(), "t", "a:Long:" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const auto info = jet::readDatabase(readFileBytes(dir / "e.mdb"));
        ASSERT_TRUE(info);
        EXPECT_NE(info->header.databaseKey, 0u);
    }

    TEST(Mkdb, AnEngineErrorPrintsItsNumberAndDescription)
    {
        TempDir dir;
        ASSERT_EQ(mkdb({ (dir / "x.mdb").string(), "t", "a:Long:" }).exitCode, 0);
        const auto before = readFileBytes(dir / "x.mdb");
        const auto again = mkdb({ (dir / "x.mdb").string(), "t", "a:Long:" });
        EXPECT_EQ(again.exitCode, 1);
        EXPECT_EQ(again.err, "bastara-mkdb: error 3204: Database already exists.\n");
        EXPECT_EQ(readFileBytes(dir / "x.mdb"), before);
    }

    TEST(Mkdb, AnEngineRefusalNamesTheFieldOrTable)
    {
        TempDir dir;
        const auto field = mkdb({ (dir / "f.mdb").string(), "t", "a:Long:", "x.y:Long:" });
        EXPECT_EQ(
            field.err.rfind("bastara-mkdb: field 2 ('x.y'): error 3125: 'x.y' isn't a valid", 0),
            0u)
            << field.err;
        const auto table = mkdb({ (dir / "t.mdb").string(), "a.b", "a:Long:" });
        EXPECT_EQ(
            table.err.rfind("bastara-mkdb: table 'a.b': error 3125: 'a.b' isn't a valid", 0), 0u)
            << table.err;
        EXPECT_TRUE(dir.entries().empty());
    }

    // Runs bastara-mkdb unable to write files larger than `bytes`: the new,
    // empty database fits, the database with its table does not.
    testing::ProcessResult mkdbWithFileSizeLimit(std::size_t bytes, std::vector<std::string> args)
    {
        // Ignored, the signal lets the write fail with EFBIG instead of
        // ending the process; the disposition survives exec.
        args.insert(args.begin(),
            { "sh", "-c", "trap '' XFSZ; exec prlimit --fsize=" + std::to_string(bytes) + " \"$@\"",
                "sh", BASTARA_MKDB_PATH });
        return runProcess(args);
    }

    TEST(Mkdb, AFailureAfterCreationLeavesNoFileAndTheNameCanBeUsedAgain)
    {
        constexpr std::size_t emptyDatabaseBytes = 19 * 4096;
        struct Case {
            const char* what;
            std::vector<std::string> fields;
            bool diskFills;
            const char* error;
        };
        const Case cases[] = {
            { "invalid field name", { "x.y:Long:" }, false,
                "error 3125: 'x.y' isn't a valid name." },
            { "no fields", {}, false, "error 3264: No field defined" },
            { "disk full writing the table", { "a:Long:" }, true,
                "error 3026: Not enough space on disk." },
        };
        for (const Case& c : cases) {
            TempDir dir;
            std::vector<std::string> args { (dir / "t.mdb").string(), "t" };
            args.insert(args.end(), c.fields.begin(), c.fields.end());
            const auto refused
                = c.diskFills ? mkdbWithFileSizeLimit(emptyDatabaseBytes + 4096, args) : mkdb(args);
            EXPECT_EQ(refused.exitCode, 1) << c.what;
            EXPECT_NE(refused.err.find(c.error), std::string::npos)
                << c.what << ": " << refused.err;
            EXPECT_TRUE(dir.entries().empty()) << c.what;

            const auto again = mkdb({ (dir / "t.mdb").string(), "t", "a:Long:" });
            EXPECT_EQ(again.exitCode, 0) << c.what << ": " << again.err;
            const auto info = jet::readDatabase(readFileBytes(dir / "t.mdb"));
            ASSERT_TRUE(info) << c.what;
            EXPECT_EQ(info->tables.size(), 1u) << c.what;
        }
    }

    TEST(Mkdb, RowProblemsAreReportedBeforeAnythingIsWritten)
    {
        TempDir dir;
        const auto unknown = mkdb({ (dir / "u.mdb").string(), "t", "a:Long:", "b:text:5" });
        EXPECT_EQ(unknown.exitCode, 2);
        EXPECT_NE(unknown.err.find("field 2 ('b'): unknown type 'text'"), std::string::npos)
            << unknown.err;
        std::vector<std::string> args { (dir / "many.mdb").string(), "t" };
        for (int i = 0; i < 102; ++i)
            args.push_back("f" + std::to_string(i) + ":Long:");
        const auto many = mkdb(args);
        EXPECT_EQ(many.exitCode, 2);
        EXPECT_NE(many.err.find("too many fields: 102 given, at most 101"), std::string::npos)
            << many.err;
        const auto usage = mkdb({ "only-a-file.mdb" });
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_NE(usage.err.find("--help"), std::string::npos);
        EXPECT_TRUE(dir.entries().empty());
    }

    TEST(Mkdb, HelpExplainsTheCommand)
    {
        const auto help = mkdb({ "--help" });
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(
            help.out.rfind("Usage: bastara-mkdb [--encrypt] FILE TABLE NAME:TYPE:SIZE...", 0), 0u);
        EXPECT_NE(help.out.find("Exit status"), std::string::npos);
    }

} // namespace
} // namespace bastara
