#include "platform/jet/table_rows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <optional>

namespace bastara::jet {
namespace {

    // Rows of one nullable Long through an index with the given rules: which
    // rows are refused, and what the index holds afterwards.
    TEST(TableRowWriter, IndexRulesDecideWhichRowsAreRefusedAndWhichGetEntries)
    {
        using Kind = RowError::Kind;
        struct Case {
            const char* what;
            IndexRules rules;
            std::vector<std::optional<std::int32_t>> values;
            std::vector<std::optional<Kind>> refused; // by row
            std::size_t entries;
            std::uint32_t distinct;
        };
        const std::vector<IndexColumn> id { { 0, false } };
        const std::vector<Case> cases {
            { "plain", { id, false, false, false }, { 2, 1, 2, std::nullopt, std::nullopt },
                { {}, {}, {}, {}, {} }, 5, 3 },
            { "unique", { id, true, false, false }, { 2, 1, 2, std::nullopt, std::nullopt },
                { {}, {}, Kind::DuplicateKey, {}, {} }, 4, 3 },
            { "primary", { id, true, true, false }, { 2, 1, 2, std::nullopt, 3 },
                { {}, {}, Kind::DuplicateKey, Kind::NullInKey, {} }, 3, 3 },
            { "ignore nulls", { id, false, false, true }, { std::nullopt, 1, std::nullopt, 1 },
                { {}, {}, {}, {} }, 2, 1 },
        };
        for (const Case& c : cases) {
            testing::TempDir dir;
            auto spool = PageSpool::create(dir.path(), 30);
            ASSERT_TRUE(spool);
            const std::vector<ColumnDefinition> columns { { u"ID", ColumnType::Long, 4, 0x03 } };
            TableRowWriter writer(24, columns, *spool, {}, { c.rules });
            for (std::size_t r = 0; r < c.values.size(); ++r) {
                std::array<std::uint8_t, 4> bytes {};
                FieldCell cell;
                if (c.values[r]) {
                    const auto bits = static_cast<std::uint32_t>(*c.values[r]);
                    for (std::size_t i = 0; i < 4; ++i)
                        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
                    cell = { FieldCell::Kind::Bytes, false, bytes, {} };
                }
                const auto added = writer.add(std::span<const FieldCell>(&cell, 1));
                if (c.refused[r]) {
                    ASSERT_FALSE(added) << c.what << " row " << r;
                    EXPECT_EQ(added.error().kind, *c.refused[r]) << c.what << " row " << r;
                } else {
                    EXPECT_TRUE(added) << c.what << " row " << r;
                }
            }
            auto rows = writer.finish();
            ASSERT_TRUE(rows);
            ASSERT_EQ(rows->indexes.size(), 1u);
            EXPECT_EQ(rows->indexes[0].entries->size(), c.entries) << c.what;
            EXPECT_EQ(rows->indexes[0].distinctKeys, c.distinct) << c.what;
            EXPECT_EQ(rows->rowCount, std::count(c.refused.begin(), c.refused.end(), std::nullopt))
                << c.what;
            ASSERT_TRUE(rows->indexes[0].root);
        }
    }

} // namespace
} // namespace bastara::jet
