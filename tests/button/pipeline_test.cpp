#include "button_test_support.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/regions.h"
#include "platform/window/timers.h"
#include "platform/window/widget_bridge.h"
#include "support/sample_renderer.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    using test::bufferOf;

    using test::FakeHost;
    using test::kUndrawnSurface;

    class PipelineTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            test::useFormFonts();
            m_host.control = &m_button;
            m_button.renderers().install(Look::Classic, [this](Painter& p, RenderResult& result) {
                ++m_renders;
                p.DrawRectangle(p.buffer(), 0, 0, 60, 20, m_paint);
                result.edgeColors[12] = m_frame;
                result.redrawLevel = m_level;
            });
        }

        gdi::ColorRef shown(std::int32_t x = 5, std::int32_t y = 5)
        {
            return m_host.surface->colorAt(x, y);
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        FakeHost m_host;
        Button m_button { m_host };
        std::int32_t m_paint = 0x0000FF;
        std::int32_t m_frame = 0x00FF00;
        RedrawLevel m_level = RedrawLevel::Copy;
        int m_renders = 0;
    };

    TEST_F(PipelineTest, ResizeMakesTheBufferAtTheInnerSize)
    {
        m_button.onHostResize();
        const ButtonState& s = m_button.state();
        ASSERT_TRUE(s.bufferDC);
        EXPECT_EQ(s.bufferDC->bitmap().size(), (gdi::Size { 60, 20 }));
        EXPECT_FALSE(s.bufferDC->bitmap().isMonochrome());
        EXPECT_EQ(s.bufferDC->bkMode(), 3);

        m_host.setSizePixels(80, 30);
        EXPECT_EQ(s.bufferDC->bitmap().size(), (gdi::Size { 80, 30 }));
        // The context's own first bitmap is kept to be put back.
        ASSERT_TRUE(s.bufferOldBitmap);
        EXPECT_EQ(s.bufferOldBitmap->size(), (gdi::Size { 1, 1 }));
    }

    TEST_F(PipelineTest, ARedrawCopiesTheBufferAndAsksForARefresh)
    {
        m_button.onHostResize();
        EXPECT_EQ(m_renders, 1);
        EXPECT_EQ(shown(), 0x0000FFu);
        EXPECT_EQ(shown(59, 19), 0x0000FFu);
        EXPECT_EQ(m_host.refreshes, 1);
    }

    TEST_F(PipelineTest, DelayedChangesShowNothingUntilTheDelayEnds)
    {
        m_button.onHostResize();
        m_button.DelayDrawing(kTrue);
        m_paint = 0xFF0000;
        m_button.RedrawButton();
        m_button.RedrawButton();
        EXPECT_EQ(m_renders, 1);
        EXPECT_EQ(shown(), 0x0000FFu);

        m_button.DelayDrawing(kFalse);
        EXPECT_EQ(m_renders, 2);
        EXPECT_EQ(shown(), 0xFF0000u);
        EXPECT_TRUE(m_button.state().delayDrawing.isFalse());

        // Refresh ends a delay the same way.
        m_button.DelayDrawing(kTrue);
        m_paint = 0x00FF00;
        m_button.Refresh();
        EXPECT_EQ(shown(), 0x00FF00u);
        EXPECT_TRUE(m_button.state().delayDrawing.isFalse());
    }

    TEST_F(PipelineTest, PaintWhileDelayedDrawsAndEndsTheDelay)
    {
        m_button.onHostResize();
        m_button.DelayDrawing(kTrue);
        m_paint = 0xFF0000;
        m_button.onHostPaint();
        EXPECT_EQ(shown(), 0xFF0000u);
        EXPECT_TRUE(m_button.state().delayDrawing.isFalse());
    }

    TEST_F(PipelineTest, OnlyExactlyTrueDelays)
    {
        m_button.onHostResize();
        m_button.state().delayDrawing = Bool16::raw(1);
        m_paint = 0xFF0000;
        m_button.RedrawButton();
        EXPECT_EQ(shown(), 0xFF0000u);
    }

    TEST_F(PipelineTest, LevelZeroNeitherCopiesNorRefreshes)
    {
        m_level = RedrawLevel::Nothing;
        m_button.onHostResize();
        EXPECT_EQ(m_renders, 1);
        EXPECT_EQ(shown(), kUndrawnSurface);
        EXPECT_EQ(m_host.refreshes, 0);
    }

    TEST_F(PipelineTest, ALookWithoutARendererDrawsNothing)
    {
        m_button.renderers().remove(Look::Etched);
        m_button.state().buttonStyle = Look::Etched;
        m_button.onHostResize();
        m_button.state().buttonStyle = Look(8);
        m_button.RedrawButton();
        m_button.state().buttonStyle = Look(-1);
        m_button.RedrawButton();
        EXPECT_EQ(m_renders, 0);
        EXPECT_EQ(shown(), kUndrawnSurface);
        EXPECT_EQ(m_host.refreshes, 0);
    }

    // A look-2 oval at rest frames its outline region; level 1 must not.
    TEST_F(PipelineTest, LevelOneCopiesWithoutFraming)
    {
        m_button.renderers().install(Look::RoundedLight, *m_button.renderers().find(Look::Classic));
        ButtonState& s = m_button.state();
        s.buttonStyle = Look::RoundedLight;
        s.buttonShape = Shape::Oval;

        m_level = RedrawLevel::Copy;
        m_button.onHostResize();
        EXPECT_EQ(shown(0, 0), 0x0000FFu);

        // An outline reaching the corners, so that the frame shows there.
        s.outlineRegion = gdi::createRectRegion(0, 0, 60, 20);
        m_level = RedrawLevel::Frame;
        m_button.RedrawButton();
        EXPECT_EQ(shown(0, 0), 0x00FF00u);
        EXPECT_EQ(shown(59, 19), 0x00FF00u);
        EXPECT_EQ(shown(5, 5), 0x0000FFu);
    }

    // Shapes 7 and 8 framed from the window's own region.
    class WindowRegionFrameTest : public PipelineTest
    {
    protected:
        void SetUp() override
        {
            PipelineTest::SetUp();
            m_host.handle = window::handleOf(&m_widget);
            ASSERT_TRUE(
                window::setWindowRegion(m_host.handle, gdi::createRectRegion(0, 0, 60, 20), false));
            ButtonState& s = m_button.state();
            s.buttonShape = Shape::PictureFramed;
            s.hoverTracking = kTrue;
            s.backColor = OleColor(0x0000FF);
            m_level = RedrawLevel::Frame;
        }

        QWidget m_widget;
    };

    TEST_F(WindowRegionFrameTest, AHoveredPictureShapeIsFramedInTheHoverFace)
    {
        m_button.state().hoverFaceColor = Rgb(0x00AA00);
        m_button.onHostResize();
        EXPECT_EQ(shown(0, 0), 0x00AA00u);
        EXPECT_EQ(shown(5, 5), 0x0000FFu);
    }

    TEST_F(WindowRegionFrameTest, NoFrameWhenTheHoverFaceIsTheBackColour)
    {
        m_button.state().hoverFaceColor = Rgb(0x0000FF);
        m_paint = 0x777777;
        m_button.onHostResize();
        EXPECT_EQ(shown(0, 0), 0x777777u);
    }

    TEST_F(PipelineTest, ResizeWhileDelayedRebuildsOnlyTheBuffer)
    {
        m_button.state().captionText = u"OK";
        m_button.onHostResize();
        const gdi::Rect laidOut = m_button.state().captionRect;
        const int renders = m_renders;

        m_button.DelayDrawing(kTrue);
        m_host.setSizePixels(120, 40);
        EXPECT_EQ(bufferOf(m_button).size(), (gdi::Size { 120, 40 }));
        EXPECT_EQ(m_button.state().captionRect, laidOut);
        EXPECT_EQ(m_renders, renders);

        // Without the delay the same resize lays out again and draws.
        m_button.state().delayDrawing = kFalse;
        m_host.setSizePixels(100, 30);
        EXPECT_NE(m_button.state().captionRect, laidOut);
        EXPECT_EQ(m_renders, renders + 1);
    }

    // A picture-shaped button resizes itself to its new picture; the caller's
    // bracket still holds every redraw until it closes.
    TEST_F(WindowRegionFrameTest, APictureSetInsideADelayBracketDrawsOnceWhenItCloses)
    {
        m_button.setPicture(
            test::bitmapPicture({ { 0xFFFFFF, 0x0000FF }, { 0x00FF00, 0x123456 } }));
        m_button.setButtonShape(Shape::PictureFramed);
        const int renders = m_renders;

        m_button.DelayDrawing(kTrue);
        m_button.setPicture(test::bitmapPicture({ { 0x0000FF, 0xFFFFFF, 0x0000FF } }));
        m_button.setCaption(u"OK");
        m_button.setBackColor(OleColor(0x00FF00));
        EXPECT_EQ(m_renders, renders);
        EXPECT_TRUE(m_button.state().delayDrawing.isTrue());

        m_button.DelayDrawing(kFalse);
        EXPECT_EQ(m_renders, renders + 1);
    }

    TEST_F(PipelineTest, ShowInADesignerTurnsOnTheDefaultLook)
    {
        m_button.onHostResize();
        m_button.state().showFocusRect = kTrue;
        m_host.isDefault = true;

        m_host.runMode = true;
        m_button.onHostShow();
        EXPECT_FALSE(m_button.state().isDefaultLook());

        m_host.runMode = false;
        const int renders = m_renders;
        m_button.onHostShow();
        EXPECT_TRUE(m_button.state().isDefaultLook());
        EXPECT_EQ(m_renders, renders + 1);
    }

    TEST_F(PipelineTest, TerminateReleasesEveryDrawingObject)
    {
        ButtonState& s = m_button.state();
        s.picture = test::solidPicture(4, 4, 0xFF);
        m_button.UpdateResources("Picture");
        m_button.onHostResize();
        m_button.painter().PreparePicture(4, 4, nullptr);
        s.innerRegion = gdi::createRectRegion(0, 0, 4, 4);

        const std::weak_ptr<gdi::Bitmap> buffer = s.bufferDC->bitmapRef();
        const std::weak_ptr<gdi::Bitmap> prepared = s.preparedImage;
        const std::weak_ptr<const gdi::Brush> brush = s.bufferDC->brushRef();
        m_button.onHostTerminate();

        EXPECT_TRUE(buffer.expired());
        EXPECT_TRUE(prepared.expired());
        EXPECT_TRUE(brush.expired());
        EXPECT_FALSE(s.bufferDC);
        EXPECT_FALSE(s.innerRegion);

        // Nothing draws afterwards, and a second terminate changes nothing.
        m_button.RedrawButton();
        m_button.onHostResize();
        m_button.onHostTerminate();
        EXPECT_FALSE(s.bufferDC);
    }

    TEST_F(PipelineTest, TerminateStopsTheHoverTimer)
    {
        QWidget widget;
        m_host.handle = window::handleOf(&widget);
        window::ManualTimerClock clock;
        int ticks = 0;
        ASSERT_TRUE(window::setTimer(m_host.handle, kHoverTimerId, 50,
            [&](window::WindowHandle, window::TimerId) { ++ticks; }));
        m_button.state().hoverTracking = kTrue;
        clock.advance(60);
        ASSERT_EQ(ticks, 1);

        m_button.onHostTerminate();
        clock.advance(200);
        EXPECT_EQ(ticks, 1);
    }

    // Nothing set by hand: the host's size alone gives the shape's extent, and
    // with it the caption's wrapping width and the default look's focus frame.
    TEST(SizedByItsHostTest, LaysOutAndDrawsWithinTheWindow)
    {
        test::useFormFonts();
        gdi::ScopedSystemColors pinned(gdi::referenceSystemColors());
        FakeHost host(137, 41);
        Button button(host);
        host.control = &button;
        button.renderers().install(Look::Classic, test::renderSample);
        ButtonState& s = button.state();
        s.captionText = u"Create";
        s.captionAlign = CaptionAlignment::Center;
        s.backColor = OleColor(0xFFFFFF);
        s.stateFlags = kFlagDefaultLook;
        button.UpdateResources("BackColor");
        button.onHostResize();

        EXPECT_EQ(s.shapeRight, 137);
        EXPECT_GT(s.captionRect.left, 40); // centred
        EXPECT_LE(s.captionRect.right, 133);
        EXPECT_LT(s.captionRect.height(), 20); // one line
        // The focus frame's right edge, 4 pixels inside the window.
        int marked = 0;
        for (std::int32_t y = 5; y < 36; ++y)
            marked += host.surface->colorAt(132, y) != 0xFFFFFFu ? 1 : 0;
        EXPECT_GT(marked, 0);
    }

} // namespace
} // namespace bastara::button
