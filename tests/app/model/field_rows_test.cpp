#include "app/model/field_rows.h"

#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    std::vector<FieldRow> rowsOfType(std::size_t count, std::u16string typeName)
    {
        return std::vector<FieldRow>(count, FieldRow { u"f", std::move(typeName), u"50" });
    }

    TEST(FieldRows, KnownTypesUpToTheSlotCountPass)
    {
        EXPECT_FALSE(checkRows({}).has_value());
        EXPECT_FALSE(checkRows(rowsOfType(maxFieldRows, u"Long")).has_value());
    }

    TEST(FieldRows, TheFirstUnknownTypeNameIsReportedWithItsRow)
    {
        auto rows = rowsOfType(5, u"Text");
        rows[2].typeName = u"text";
        rows[4].typeName = u"Varchar";
        const auto problem = checkRows(rows);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->kind, RowProblem::Kind::UnknownTypeName);
        EXPECT_EQ(problem->row, 2u);
    }

    TEST(FieldRows, OneRowMoreThanTheSlotsIsRefusedBeforeTypesAreLookedAt)
    {
        auto rows = rowsOfType(maxFieldRows + 1, u"Text");
        rows[0].typeName = u"nonsense";
        const auto problem = checkRows(rows);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->kind, RowProblem::Kind::TooManyRows);
        EXPECT_EQ(problem->row, maxFieldRows);
    }

} // namespace
} // namespace bastara::app
