// bastara-mkdb --rows: CSV into the table, judged by mdbtools.

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

    // The table as mdb-export prints it, dates in ISO form.
    std::string exported(const std::filesystem::path& file)
    {
        const auto result
            = runProcess({ "mdb-export", "-T", "%Y-%m-%d %H:%M:%S", file.string(), "T" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }

    class MkdbRows : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!haveProgram("mdb-export"))
                GTEST_SKIP() << "mdbtools is not installed";
        }
        TempDir dir;
    };

    TEST_F(MkdbRows, AHundredThousandRowsReadBackFieldByField)
    {
        std::ostringstream csv;
        std::ostringstream expected;
        csv << "Name,ID,Price,Amount,When,Done\n";
        expected << "ID,Name,Amount,When,Done,Price\n";
        const char* words[] = { "کتاب", "river", "دانشگاه تهران", "café", "\"quoted\", too" };
        for (int i = 0; i < 100000; ++i) {
            const std::string word = words[i % 5];
            const std::string name = i % 5 == 4 ? "\"\"\"quoted\"\", too\"" : word;
            const std::string shownName
                = i % 5 == 4 ? "\"\"\"quoted\"\", too\"" : "\"" + word + "\"";
            char when[32];
            std::snprintf(when, sizeof when, "20%02d-%02d-%02d %02d:%02d:%02d", i % 100, i % 12 + 1,
                i % 28 + 1, i % 24, i % 60, (7 * i) % 60);
            const std::string amount = std::to_string(i) + ".25";
            const std::string price
                = std::to_string(i - 50000) + "." + std::to_string(1000 + i % 9000);
            csv << name << ',' << i << ',' << price << ',' << amount << ',' << when << ','
                << (i % 3 ? "yes" : "0") << '\n';
            expected << i << ',' << shownName << ',' << amount << ",\"" << when << "\","
                     << (i % 3 ? 1 : 0) << ',' << price << '\n';
        }
        writeFile(dir / "rows.csv", csv.str());
        const auto result = mkdb({ "--rows", (dir / "rows.csv").string(), (dir / "t.mdb").string(),
            "T", "ID:Long:", "Name:Text:50",
            "Amount:Double:", "When:Date:", "Done:Boolean:", "Price:Currency:" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, ""); // no progress line off a terminal
        EXPECT_EQ(exported(dir / "t.mdb"), expected.str());
    }

    TEST_F(MkdbRows, EveryTypeAtItsLimitsReadsBack)
    {
        writeFile(dir / "limits.csv",
            "B,I,L,C,S,D,T,F,X,M\n"
            "0,-32768,-2147483648,-922337203685477.5808,-3.4e38,-1.7976931348623157e308,"
            "1900-01-01,false,,\n"
            "255,32767,2147483647,922337203685477.5807,3.4e38,1.7976931348623157e308,"
            "2099-12-31 23:59:59,-1,ééééé,\"any, length\"\n"
            ",,,,,,,no,,\n");
        const auto result = mkdb({ "--rows", (dir / "limits.csv").string(),
            (dir / "t.mdb").string(), "T", "B:Byte:", "I:Integer:", "L:Long:", "C:Currency:",
            "S:Single:", "D:Double:", "T:Date:", "F:Boolean:", "X:Text:5", "M:Memo:" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(exported(dir / "t.mdb"),
            "B,I,L,C,S,D,T,F,X,M\n"
            "0,-32768,-2147483648,-922337203685477.5808,-3.4e+38,-1.797693134862316e+308,"
            "\"1900-01-01 00:00:00\",0,,\n"
            "255,32767,2147483647,922337203685477.5807,3.4e+38,1.797693134862316e+308,"
            "\"2099-12-31 23:59:59\",1,\"ééééé\",\"any, length\"\n"
            ",,,,,,,0,,\n");
    }

    TEST_F(MkdbRows, AValueOnePastItsFieldIsRefusedAndNoFileIsLeft)
    {
        struct Case {
            const char* field;
            const char* value;
            const char* error;
        };
        const Case cases[] = {
            { "v:Byte:", "256", "error 3349: Numeric field overflow." },
            { "v:Byte:", "-1", "error 3349: Numeric field overflow." },
            { "v:Integer:", "32768", "error 3349: Numeric field overflow." },
            { "v:Long:", "-2147483649", "error 3349: Numeric field overflow." },
            { "v:Currency:", "922337203685477.5808", "out of range for Currency" },
            { "v:Currency:", "0.00001", "more than four decimal places" },
            { "v:Single:", "3.5e38", "error 3349: Numeric field overflow." },
            { "v:Double:", "1.8e308", "a number out of range" },
            { "v:Date:", "10000-01-01", "not a date" },
            { "v:Boolean:", "", "error 3162" },
            { "v:Boolean:", "maybe", "not a Boolean" },
            { "v:Text:5", "ابجدهو", "error 3163" },
            { "v:Binary:2", "000102", "error 3163" },
            { "v:Binary:2", "0g", "not hexadecimal digits" },
        };
        for (const Case& c : cases) {
            writeFile(dir / "v.csv", std::string("v\n") + c.value + "\n");
            const auto result = mkdb(
                { "--rows", (dir / "v.csv").string(), (dir / "t.mdb").string(), "T", c.field });
            EXPECT_EQ(result.exitCode, 1) << c.field << " " << c.value;
            EXPECT_NE(result.err.find("line 2, column 1 ('v'): "), std::string::npos) << result.err;
            EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
            EXPECT_FALSE(std::filesystem::exists(dir / "t.mdb")) << c.field << " " << c.value;
        }
    }

    TEST_F(MkdbRows, ACsvThatDoesNotFitTheTableIsRefusedWithItsPlace)
    {
        struct Case {
            std::string csv;
            const char* error;
        };
        const Case cases[] = {
            { "a,c\n", "line 1, column 2 ('c'): the table has no such field" },
            { "a,A\n", "line 1, column 2 ('A'): names field 'a' a second time" },
            { "a\n", "line 1: the header does not name field 'b'" },
            { "a,b\n1\n", "line 2: 1 values for 2 fields" },
            { "a,b\n1,\"x\n", "line 2, column 2: a quoted field is not closed" },
            { "", "the CSV input is empty" },
        };
        for (const Case& c : cases) {
            writeFile(dir / "in.csv", c.csv);
            const auto result = mkdb({ "--rows", (dir / "in.csv").string(),
                (dir / "t.mdb").string(), "T", "a:Long:", "b:Text:10" });
            EXPECT_EQ(result.exitCode, 1) << c.csv;
            EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
            EXPECT_FALSE(std::filesystem::exists(dir / "t.mdb")) << c.csv;
        }
    }

    TEST_F(MkdbRows, MemosOfAnyLengthReadBack)
    {
        std::string csv = "ID,M\n";
        const std::size_t lengths[] = { 0, 64, 65, 2038, 2039, 100000 };
        for (std::size_t n : lengths)
            csv += std::to_string(n) + ",\"" + std::string(n, 'm') + "\"\n";
        csv += "9," + std::string(3000, 'x') + "\n"; // a one-piece Persian-free memo
        writeFile(dir / "m.csv", csv);
        const auto result = mkdb({ "--rows", (dir / "m.csv").string(), (dir / "t.mdb").string(),
            "T", "ID:Long:", "M:Memo:" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::string expected = "ID,M\n";
        for (std::size_t n : lengths)
            expected
                += std::to_string(n) + "," + (n ? "\"" + std::string(n, 'm') + "\"" : "") + "\n";
        expected += "9,\"" + std::string(3000, 'x') + "\"\n";
        EXPECT_EQ(exported(dir / "t.mdb"), expected);
    }

    TEST_F(MkdbRows, AHundredAndOneColumnTableTakesRows)
    {
        std::vector<std::string> args { "--rows", (dir / "w.csv").string(),
            (dir / "t.mdb").string(), "T" };
        std::string header, row, shown;
        for (int c = 0; c < 101; ++c) {
            const std::string name = "f" + std::to_string(c);
            args.push_back(name + (c % 2 ? ":Text:20" : ":Long:"));
            header += (c ? "," : "") + name;
            row += (c ? "," : "") + (c % 2 ? "t" + std::to_string(c) : std::to_string(c));
            shown
                += (c ? "," : "") + (c % 2 ? "\"t" + std::to_string(c) + "\"" : std::to_string(c));
        }
        writeFile(dir / "w.csv", header + "\n" + row + "\n" + row + "\n");
        const auto result = mkdb(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(exported(dir / "t.mdb"), header + "\n" + shown + "\n" + shown + "\n");
    }

    TEST_F(MkdbRows, AnEncryptedFileWithRowsReadsBack)
    {
        writeFile(dir / "e.csv", "a;b\n1;\"x;y\"\n2;علی\n");
        const auto result = mkdb({ "--encrypt", "--delimiter", ";", "--rows",
            (dir / "e.csv").string(), (dir / "t.mdb").string(), "T", "a:Long:", "b:Memo:" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(exported(dir / "t.mdb"), "a,b\n1,\"x;y\"\n2,\"علی\"\n");
    }

    TEST_F(MkdbRows, RowsFromStandardInput)
    {
        writeFile(dir / "s.csv", "a\tb\r\n7\tok\r\n");
        const auto result = runProcess(
            { "sh", "-c", "exec \"$0\" --delimiter tab --rows - \"$1\" T a:Long: b:Text:5 < \"$2\"",
                BASTARA_MKDB_PATH, (dir / "t.mdb").string(), (dir / "s.csv").string() });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(exported(dir / "t.mdb"), "a,b\n7,\"ok\"\n");
    }

} // namespace
} // namespace bastara
