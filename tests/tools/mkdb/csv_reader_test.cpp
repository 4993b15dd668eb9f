// The CSV reader on the quoting cases of RFC 4180, whole and split across reads.

#include "tools/mkdb/csv_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace bastara::mkdb {
namespace {

    struct Parsed {
        std::vector<std::vector<std::string>> records;
        std::vector<std::uint64_t> lines;
        std::optional<CsvError> error;
    };

    Parsed parse(const std::string& input, char delimiter = ',')
    {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        // Small inputs fit the pipe's buffer.
        EXPECT_EQ(::write(fds[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
        ::close(fds[1]);
        CsvReader reader(fds[0], delimiter);
        Parsed parsed;
        std::vector<std::string_view> fields;
        for (;;) {
            auto more = reader.next(fields);
            if (!more) {
                parsed.error = more.error();
                break;
            }
            if (!*more)
                break;
            parsed.records.emplace_back(fields.begin(), fields.end());
            parsed.lines.push_back(reader.recordLine());
        }
        ::close(fds[0]);
        return parsed;
    }

    using Records = std::vector<std::vector<std::string>>;

    TEST(CsvReader, ReadsQuotedFieldsAndLineEnds)
    {
        struct Case {
            const char* what;
            std::string input;
            Records records;
        };
        const Case cases[] = {
            { "plain, LF", "a,b\n1,2\n", { { "a", "b" }, { "1", "2" } } },
            { "CRLF, no final line end", "a,b\r\n1,2", { { "a", "b" }, { "1", "2" } } },
            { "byte-order mark",
                "\xEF\xBB\xBF"
                "a\n",
                { { "a" } } },
            { "empty fields", ",\n,x\n", { { "", "" }, { "", "x" } } },
            { "quoted delimiter", "\"a,b\",c\n", { { "a,b", "c" } } },
            { "doubled quotes", "\"say \"\"hi\"\"\"\n", { { "say \"hi\"" } } },
            { "line break in quotes", "\"1\r\n2\",x\n", { { "1\r\n2", "x" } } },
            { "empty quoted", "\"\",\"\"\n", { { "", "" } } },
            { "UTF-8 passes through", "علی,café\n", { { "علی", "café" } } },
        };
        for (const Case& c : cases) {
            const Parsed parsed = parse(c.input);
            EXPECT_FALSE(parsed.error) << c.what << ": " << parsed.error->reason;
            EXPECT_EQ(parsed.records, c.records) << c.what;
        }
    }

    TEST(CsvReader, CountsLinesInsideQuotes)
    {
        const Parsed parsed = parse("h\n\"a\nb\nc\"\nd\n");
        EXPECT_EQ(parsed.lines, (std::vector<std::uint64_t> { 1, 2, 5 }));
    }

    TEST(CsvReader, OtherDelimiters)
    {
        EXPECT_EQ(parse("a;b,c\n", ';').records, (Records { { "a", "b,c" } }));
        EXPECT_EQ(parse("a\tb\n", '\t').records, (Records { { "a", "b" } }));
    }

    TEST(CsvReader, RefusesMalformedQuotingWithItsPlace)
    {
        struct Case {
            std::string input;
            std::uint64_t line;
            std::size_t column;
            const char* reason;
        };
        const Case cases[] = {
            { "a,b\n1,x\"y\n", 2, 2, "a quote inside an unquoted field" },
            { "a\n\"x\"y\n", 2, 1, "a closing quote is not followed by a delimiter or line end" },
            { "a\n\"open\nstill\n", 2, 1, "a quoted field is not closed" },
        };
        for (const Case& c : cases) {
            const Parsed parsed = parse(c.input);
            ASSERT_TRUE(parsed.error) << c.input;
            EXPECT_EQ(parsed.error->line, c.line) << c.input;
            EXPECT_EQ(parsed.error->column, c.column) << c.input;
            EXPECT_EQ(parsed.error->reason, c.reason);
        }
    }

} // namespace
} // namespace bastara::mkdb
