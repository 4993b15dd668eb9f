// bastara-mkdb --primary-key and --index: the indexes mdbtools lists, the
// rows it reads, and the rows the keys refuse.

#include "support/mkdb_runner.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace bastara {
namespace {

    using testing::haveProgram;
    using testing::mkdb;
    using testing::runProcess;
    using testing::TempDir;
    using testing::writeFile;

    // The CREATE INDEX part of mdb-schema's PostgreSQL schema.
    std::string indexLines(const std::filesystem::path& file)
    {
        const auto result = runProcess({ "mdb-schema", "--indexes", file.string(), "postgres" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::istringstream lines(result.out);
        std::string shown;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("--"))
                continue;
            if (line.find("INDEX") != std::string::npos
                || line.find("PRIMARY KEY") != std::string::npos)
                shown += line + "\n";
        }
        return shown;
    }

    class MkdbKeys : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!haveProgram("mdb-schema"))
                GTEST_SKIP() << "mdbtools is not installed";
        }
        TempDir dir;
    };

    TEST_F(MkdbKeys, APrimaryKeyOnAHundredThousandShuffledRowsIsListedAndEveryRowReads)
    {
        std::ostringstream csv;
        csv << "ID,Name\n";
        // 7919 is prime to 100,000: every ID once, far from key order.
        for (int i = 0; i < 100000; ++i)
            csv << (i * 7919) % 100000 << ",row " << i << '\n';
        writeFile(dir / "rows.csv", csv.str());
        const auto file = dir / "t.mdb";
        const auto result = mkdb({ "--primary-key", "ID", "--index", "Name", "--rows",
            (dir / "rows.csv").string(), file.string(), "T", "ID:Long:", "Name:Text:20" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(indexLines(file),
            "ALTER TABLE \"t\" ADD CONSTRAINT \"t_pkey\" PRIMARY KEY (\"id\");\n"
            "CREATE INDEX \"t_name_idx\" ON \"t\" (\"name\");\n");
        const auto exported = runProcess({ "mdb-export", file.string(), "T" });
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        std::istringstream lines(exported.out);
        std::vector<bool> seen(100000, false);
        std::string line;
        std::getline(lines, line);
        std::size_t rows = 0;
        while (std::getline(lines, line)) {
            const int id = std::stoi(line);
            ASSERT_FALSE(seen.at(static_cast<std::size_t>(id))) << line;
            seen[static_cast<std::size_t>(id)] = true;
            ++rows;
        }
        EXPECT_EQ(rows, 100000u);
    }

    TEST_F(MkdbKeys, CompositeDescendingAndPersianKeysAreListedAsGiven)
    {
        writeFile(dir / "rows.csv",
            "Name,City,Born,Score\n"
            "آرش احمدی,شیراز,1990-01-02,3\n"
            "رضا یزدانی,تهران,1985-05-06,-2.5\n"
            "Élodie,Paris,2001-12-31,\n"
            "ali,Tehran,,7\n");
        const auto file = dir / "t.mdb";
        const auto result = mkdb({ "--primary-key", "Name", "--index", "unique:City,-Born",
            "--index", "-Score", "--rows", (dir / "rows.csv").string(), file.string(), "T",
            "Name:Text:50", "City:Text:30", "Born:Date:", "Score:Single:" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(indexLines(file),
            "ALTER TABLE \"t\" ADD CONSTRAINT \"t_pkey\" PRIMARY KEY (\"name\");\n"
            "CREATE UNIQUE INDEX \"t_city_born_idx\" ON \"t\" (\"city\", \"born\" DESC);\n"
            "CREATE INDEX \"t_score_idx\" ON \"t\" (\"score\" DESC);\n");
        const auto count = runProcess({ "mdb-count", file.string(), "T" });
        EXPECT_EQ(count.out, "4\n");
    }

    // Each refusal names the CSV line, and no file is left.
    TEST_F(MkdbKeys, RowsTheKeysRefuseEndTheImportAtTheirLine)
    {
        struct Case {
            const char* what;
            std::vector<std::string> keys;
            std::string csv;
            std::string message;
        };
        const std::string duplicate = ": error 3022: The changes you requested to the table were "
                                      "not successful because they would create duplicate values";
        const std::string null = ": error 3058: Index or primary key cannot contain a Null value.";
        const std::vector<Case> cases {
            { "a repeated primary key", { "--primary-key", "ID" }, "ID,N\n1,a\n2,b\n1,c\n",
                "line 4" + duplicate },
            { "a Null in the primary key", { "--primary-key", "ID" }, "ID,N\n1,a\n,b\n",
                "line 3" + null },
            { "a Null in a composite key", { "--primary-key", "ID,N" }, "ID,N\n1,a\n2,\n",
                "line 3" + null },
            { "Text that differs only in case", { "--index", "unique:N" }, "ID,N\n1,a\n2,b\n3,B\n",
                "line 4" + duplicate },
            { "a repeated composite key", { "--index", "unique:-ID,N" },
                "ID,N\n1,a\n1,b\n\"1\",a\n", "line 4" + duplicate },
        };
        for (const Case& c : cases) {
            writeFile(dir / "rows.csv", c.csv);
            std::vector<std::string> args = c.keys;
            args.insert(args.end(),
                { "--rows", (dir / "rows.csv").string(), (dir / "t.mdb").string(), "T",
                    "ID:Long:", "N:Text:5" });
            const auto result = mkdb(args);
            EXPECT_EQ(result.exitCode, 1) << c.what;
            EXPECT_NE(result.err.find(c.message), std::string::npos)
                << c.what << ": " << result.err;
            EXPECT_FALSE(std::filesystem::exists(dir / "t.mdb")) << c.what;
        }
    }

    // Nulls do not clash in a unique index, and equal keys are fine in a plain one.
    TEST_F(MkdbKeys, NullsInAUniqueIndexAndRepeatsInAPlainOneAreKept)
    {
        writeFile(dir / "rows.csv", "ID,N\n,a\n,a\n2,a\n");
        const auto file = dir / "t.mdb";
        const auto result = mkdb({ "--index", "unique:ID", "--index", "N", "--rows",
            (dir / "rows.csv").string(), file.string(), "T", "ID:Long:", "N:Text:5" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(runProcess({ "mdb-count", file.string(), "T" }).out, "3\n");
    }

} // namespace
} // namespace bastara
