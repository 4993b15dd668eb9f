#include "button_test_support.h"
#include "platform/gdi/draw.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bastara::button {
namespace {

    using test::bufferOf;

    using gdi::test::inkRows;

    constexpr gdi::ColorRef kPaper = 0xFFFFFF;

    class PrimitivesTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ButtonState& s = m_button.state();
            s.shapeRight = 60;
            m_button.ManageBackBuffer(kTrue);
            bufferOf(m_button).fill(kPaper);
        }

        EdgeColors allColours(std::int32_t colour)
        {
            EdgeColors colours;
            colours.fill(1, 12, colour);
            return colours;
        }

        gdi::Bitmap& buffer() { return bufferOf(m_button); }

        test::FakeHost m_host { 60, 20 };
        Button m_button { m_host };
        EdgePoints m_points;
    };

    TEST_F(PrimitivesTest, EdgePointsOfARectangularButton)
    {
        m_button.painter().DrawBorder(m_points, allColours(kNoLine), -1);
        const std::vector<gdi::Point> expected { { 2, 17 }, { 2, 2 }, { 57, 2 }, { 57, 17 },
            { 1, 17 }, { 1, 18 }, { 1, 1 }, { 58, 1 }, { 58, 18 }, { 0, 18 }, { 0, 19 }, { 0, 0 },
            { 59, 0 }, { 59, 19 }, { -1, 19 }, { 59, 19 } };
        EXPECT_EQ(
            std::vector<gdi::Point>(m_points.points.begin(), m_points.points.end()), expected);
    }

    TEST_F(PrimitivesTest, EachRingIsOneLineOfPixels)
    {
        EdgeColors colours = allColours(kNoLine);
        colours.fill(9, 12, 0x0000FF);
        colours.fill(1, 4, 0x00FF00);
        m_button.painter().DrawBorder(m_points, colours, -1);
        const auto outer = inkRows(buffer(), 0x0000FF);
        const auto inner = inkRows(buffer(), 0x00FF00);
        const std::string full(60, '#');
        const std::string sides = '#' + std::string(58, '.') + '#';
        EXPECT_EQ(outer[0], full);
        EXPECT_EQ(outer[10], sides);
        EXPECT_EQ(outer[19], full);
        // The inner ring: x = 2 and x = 57, y = 2 and y = 17.
        EXPECT_EQ(inner[2], std::string(2, '.') + std::string(56, '#') + std::string(2, '.'));
        EXPECT_EQ(inner[10], "..#" + std::string(54, '.') + "#..");
        EXPECT_EQ(inner[17], std::string(2, '.') + std::string(56, '#') + std::string(2, '.'));
        EXPECT_EQ(inkRows(buffer(), kPaper)[1], '.' + std::string(58, '#') + '.');
    }

    TEST_F(PrimitivesTest, WithEveryLineSkippedOnlyTheClosingSegmentIsDrawn)
    {
        // The pen selected is the buffer's own black one.
        m_button.painter().DrawBorder(m_points, allColours(kNoLine), -1);
        const auto ink = inkRows(buffer(), 0x000000);
        for (std::int32_t y = 0; y < 19; ++y)
            EXPECT_EQ(ink[std::size_t(y)], std::string(60, '.')) << y;
        EXPECT_EQ(ink[19], std::string(59, '#') + '.');
    }

    TEST_F(PrimitivesTest, ZeroIsBlackNotNone)
    {
        SCOPED_TRACE("the closing segment reuses the pen of the last line drawn");
        m_button.painter().SetDrawingTool(kTrue, nullptr, DrawingTool::Pen, 0xFF0000);
        EdgeColors colours = allColours(kNoLine);
        colours[1] = 0; // inner left: (2, 17) -> (2, 2)
        m_button.painter().DrawBorder(m_points, colours, -1);
        const auto ink = inkRows(buffer(), 0x000000);
        EXPECT_EQ(ink[3][2], '#');
        EXPECT_EQ(ink[17][2], '#');
        EXPECT_EQ(ink[2][2], '.');
        EXPECT_EQ(ink[19], std::string(59, '#') + '.');
    }

    TEST_F(PrimitivesTest, SlantedShapesMoveTheInnerRingLeftAtTheBottom)
    {
        ButtonState& s = m_button.state();
        s.buttonShape = Shape::SlantedLeft;
        s.shapeLeft = 20;
        m_button.painter().DrawBorder(m_points, allColours(kNoLine), -1);
        EXPECT_EQ(m_points[0], (gdi::Point { 18, 17 }));
        EXPECT_EQ(m_points[10], (gdi::Point { 19, 20 }));

        s.buttonShape = Shape::SlantedRight;
        s.shapeLeft = 0;
        s.shapeRight = 40;
        m_button.painter().DrawBorder(m_points, allColours(kNoLine), -1);
        // The right edge runs from SR at the top to the corner at the bottom.
        EXPECT_EQ(m_points[2], (gdi::Point { 40, 2 }));
        EXPECT_EQ(m_points[3], (gdi::Point { 54, 17 }));
    }

    // The focus rectangle as the bounding box of the pixels it inverts.
    class FocusRectangleTest : public PrimitivesTest
    {
    protected:
        void SetUp() override
        {
            PrimitivesTest::SetUp();
            ButtonState& s = m_button.state();
            s.captionText = u"OK";
            s.captionRect = { 20, 4, 40, 17 };
            s.stateFlags = kFlagDefaultLook;
        }

        gdi::Rect dotted(Bool16 aroundCaption)
        {
            std::int32_t colour = 0;
            m_button.painter().DrawFocusRectangle(colour, kFalse, aroundCaption, m_points);
            return test::boxOfChanges(buffer(), kPaper);
        }
    };

    TEST_F(FocusRectangleTest, InsetFromTheEdgesWhileTheDefaultLookIsShown)
    {
        m_button.state().stateFlags = 0;
        EXPECT_EQ(dotted(kFalse), gdi::Rect {});
        m_button.state().stateFlags = kFlagDefaultLook;
        EXPECT_EQ(dotted(kFalse), (gdi::Rect { 4, 4, 56, 16 }));
    }

    TEST_F(FocusRectangleTest, AroundTheCaption)
    {
        EXPECT_EQ(dotted(kTrue), (gdi::Rect { 18, 2, 42, 19 }));
    }

    TEST_F(FocusRectangleTest, APressedButtonMovesItRightAndDown)
    {
        // Taller, so that the moved bottom edge is inside the buffer; delayed,
        // so that the resize keeps the caption rectangle.
        m_host.resizeSurface(60, 30);
        m_button.DelayDrawing(kTrue);
        m_button.onHostResize();
        bufferOf(m_button).fill(kPaper);
        m_button.state().stateFlags = kFlagDefaultLook | kFlagsPressed;
        EXPECT_EQ(dotted(kTrue), (gdi::Rect { 19, 3, 44, 21 }));
    }

    TEST_F(FocusRectangleTest, TheEtchedLookDoesNotMoveIt)
    {
        m_button.state().stateFlags = kFlagDefaultLook | kFlagsPressed;
        m_button.state().buttonStyle = Look::Etched;
        EXPECT_EQ(dotted(kTrue), (gdi::Rect { 18, 2, 42, 19 }));
    }

    TEST_F(FocusRectangleTest, ACaptionNearTheEdgeGetsAOnePixelMargin)
    {
        m_button.state().captionRect = { 4, 4, 40, 17 };
        EXPECT_EQ(dotted(kTrue), (gdi::Rect { 3, 3, 41, 18 }));
    }

    TEST_F(FocusRectangleTest, OvalShapesAlwaysGoAroundTheCaption)
    {
        m_button.state().buttonShape = Shape::Oval;
        EXPECT_EQ(dotted(kFalse), (gdi::Rect { 20 - 2, 4 - 2, 40 + 2, 17 + 2 }));
        // ... except in look 2, which has none.
        bufferOf(m_button).fill(kPaper);
        m_button.state().buttonStyle = Look::RoundedLight;
        EXPECT_EQ(dotted(kFalse), gdi::Rect {});
    }

    TEST_F(FocusRectangleTest, ASolidOneUsesThePenAndANegativeColourIsBlack)
    {
        std::int32_t colour = -1;
        m_button.painter().DrawFocusRectangle(colour, kTrue, kFalse, m_points);
        EXPECT_EQ(colour, 0);
        // The polyline reaches right and bottom inclusive.
        EXPECT_EQ(test::boxOf(buffer(), 0x000000), (gdi::Rect { 4, 4, 57, 17 }));
    }

    TEST_F(FocusRectangleTest, SlantedShapesDrawTheirOutlineInColour)
    {
        ButtonState& s = m_button.state();
        s.buttonShape = Shape::Parallelogram;
        s.shapeLeft = 10;
        s.shapeRight = 50;
        std::int32_t colour = 0x0000FF;
        m_button.painter().DrawFocusRectangle(colour, kFalse, kFalse, m_points);
        // Points: (8, 15) (8, 4) (49, 4) (49, 15) (9, 15), the last not drawn.
        EXPECT_EQ(test::boxOf(buffer(), 0x0000FF), (gdi::Rect { 8, 4, 50, 16 }));

        // A negative colour draws black but stays the caller's: the rounded
        // dark look hands its remembered hover text colour in here.
        bufferOf(m_button).fill(kPaper);
        colour = -1;
        m_button.painter().DrawFocusRectangle(colour, kFalse, kFalse, m_points);
        EXPECT_EQ(colour, -1);
        EXPECT_EQ(test::boxOf(buffer(), 0x000000), (gdi::Rect { 8, 4, 50, 16 }));
    }

    TEST_F(PrimitivesTest, ToolsGoToTheBufferAndTheFirstOnesComeBack)
    {
        ButtonState& s = m_button.state();
        auto other = gdi::createCompatibleDC(nullptr);
        m_button.painter().SetDrawingTool(
            kTrue, other.get(), DrawingTool::Brush, 0x00FF00, kTrue, 3, 0);
        EXPECT_EQ(s.bufferDC->brush().color(), 0x00FF00u);
        EXPECT_EQ(s.bufferDC->pen().color(), 0x00FF00u);
        EXPECT_EQ(s.bufferDC->pen().width(), 3);
        EXPECT_EQ(other->brush().color(), gdi::stockWhiteBrush()->color());

        // The text colour goes to the context named, resolved.
        m_button.painter().SetDrawingTool(kTrue, other.get(), DrawingTool::TextColour, 0x00112233);
        EXPECT_EQ(other->textColor(), 0x00112233u);

        m_button.painter().SetDrawingTool(kFalse, nullptr, DrawingTool::Brush, 0);
        EXPECT_EQ(s.bufferDC->brushRef(), s.bufferOldBrush);
        gdi::PenRef current = s.bufferDC->selectObject(gdi::stockBlackPen());
        EXPECT_EQ(current, s.bufferOldPen);
    }

} // namespace
} // namespace bastara::button
