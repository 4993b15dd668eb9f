#include "app/model/list_position.h"

#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    std::size_t positionIn(std::u16string_view text, std::size_t rows = 10)
    {
        const auto position = listPosition(text, rows);
        EXPECT_TRUE(position.ok()) << "for a position text of " << text.size() << " characters";
        return position.ok() ? *position : 999;
    }

    PositionProblem problemOf(std::u16string_view text, std::size_t rows = 10)
    {
        const auto position = listPosition(text, rows);
        EXPECT_FALSE(position.ok());
        return position.ok() ? PositionProblem {} : position.error();
    }

    TEST(ListPosition, HalvesRoundToTheEvenNeighbour)
    {
        EXPECT_EQ(positionIn(u"1.5"), 2u);
        EXPECT_EQ(positionIn(u"0.5"), 0u);
        EXPECT_EQ(positionIn(u"2.5"), 2u);
        EXPECT_EQ(positionIn(u"3.5"), 4u);
        EXPECT_EQ(positionIn(u"2.51"), 3u);
        EXPECT_EQ(positionIn(u"-0.5"), 0u);
    }

    TEST(ListPosition, TheTextIsReadByTheNumericPrefixRule)
    {
        EXPECT_EQ(positionIn(u"2"), 2u);
        EXPECT_EQ(positionIn(u" 1 "), 1u);
        EXPECT_EQ(positionIn(u"3rd"), 3u);
        EXPECT_EQ(positionIn(u"&H9"), 9u);
        EXPECT_EQ(positionIn(u""), 0u);
        EXPECT_EQ(positionIn(u"none"), 0u);
    }

    TEST(ListPosition, ANumberOutsideSixteenBitsIsRefusedFirst)
    {
        EXPECT_EQ(problemOf(u"32768", 40000), PositionProblem::NotSixteenBit);
        EXPECT_EQ(problemOf(u"32767.5", 40000), PositionProblem::NotSixteenBit);
        EXPECT_EQ(problemOf(u"-32769"), PositionProblem::NotSixteenBit);
        EXPECT_EQ(problemOf(u"1E400"), PositionProblem::NotSixteenBit);
        EXPECT_EQ(positionIn(u"32767.49", 40000), 32767u);
        EXPECT_EQ(problemOf(u"-32768"), PositionProblem::OutsideList);
    }

    TEST(ListPosition, APositionMustNameARow)
    {
        EXPECT_EQ(positionIn(u"2", 3), 2u);
        EXPECT_EQ(problemOf(u"3", 3), PositionProblem::OutsideList);
        EXPECT_EQ(problemOf(u"-1", 3), PositionProblem::OutsideList);
        EXPECT_EQ(problemOf(u"0", 0), PositionProblem::OutsideList);
    }

} // namespace
} // namespace bastara::app
