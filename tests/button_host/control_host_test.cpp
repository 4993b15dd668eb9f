#include "../platform/window/window_test_support.h"
#include "button/renderers/renderer.h"
#include "button_host/control_host.h"
#include "platform/gdi/draw.h"
#include "platform/window/widget_bridge.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::button_host {
namespace {

    using window::test::runEventsFor;
    using window::test::runEventsUntil;

    constexpr gdi::ColorRef kPaint = 0x0000FF; // red
    constexpr QRgb kPaintQt = 0xFFFF0000;

    class ControlHostTest : public testing::Test
    {
    protected:
        ControlHostTest()
        {
            m_form.resize(200, 100);
            m_host = new ControlHost(&m_form);
            m_host->move(10, 20);
        }

        // A look that fills the face and counts its calls.
        void installFill(button::RedrawLevel level = button::RedrawLevel::Copy)
        {
            m_host->control().renderers().install(button::Look::Classic,
                [this, level](button::Painter& p, button::RenderResult& result) {
                    ++m_renders;
                    p.DrawRectangle(p.buffer(), 0, 0, 1000, 1000, kPaint);
                    result.redrawLevel = level;
                });
        }

        QWidget m_form;
        ControlHost* m_host = nullptr; // owned by the form
        int m_renders = 0;
    };

    TEST_F(ControlHostTest, SizingAHiddenHostDrawsOnceIntoTheSurface)
    {
        installFill();
        m_host->setSizePixels(60, 20);
        EXPECT_EQ(m_renders, 1);
        EXPECT_EQ(m_host->surface().size(), (gdi::Size { 60, 20 }));
        EXPECT_EQ(m_host->surface().colorAt(59, 19), kPaint);
        EXPECT_EQ(m_host->control().hdc()->bitmap().size(), (gdi::Size { 60, 20 }));
        EXPECT_EQ(m_host->control().hwnd(), window::handleOf(m_host));
        EXPECT_EQ(m_host->services().containerWindow(), window::handleOf(&m_form));

        // Qt's own resize notification for that size, at show, changes nothing
        // (showing draws the focused button's default look, nothing more).
        const gdi::Bitmap* buffer = &m_host->control().state().bufferDC->bitmap();
        m_form.show();
        runEventsFor(50);
        EXPECT_EQ(&m_host->control().state().bufferDC->bitmap(), buffer);
        EXPECT_EQ(m_host->paintsRaised(), 0);
    }

    TEST_F(ControlHostTest, ResizingTheWidgetRemakesTheBufferAtTheNewSize)
    {
        installFill();
        m_form.show();
        m_host->setSizePixels(60, 20);
        m_host->resize(80, 30);
        runEventsFor(20);
        EXPECT_EQ(m_host->control().state().bufferDC->bitmap().size(), (gdi::Size { 80, 30 }));
        EXPECT_EQ(m_host->surface().size(), (gdi::Size { 80, 30 }));
        EXPECT_EQ(m_host->surface().colorAt(79, 29), kPaint);
    }

    TEST_F(ControlHostTest, TheControlsOwnRefreshNeverRaisesItsPaint)
    {
        installFill();
        m_host->setSizePixels(60, 20);
        m_form.show();
        runEventsFor(20);
        const int renders = m_renders;
        for (int i = 0; i < 5; ++i)
            m_host->control().Refresh();
        runEventsFor(50);
        EXPECT_EQ(m_renders, renders + 5);
        EXPECT_EQ(m_host->paintsRaised(), 0);
        // The widget shows what the control drew.
        EXPECT_EQ(m_host->grab().toImage().pixel(59, 19), kPaintQt);
    }

    TEST_F(ControlHostTest, AnUndrawnSurfaceRaisesPaintWhenExposed)
    {
        // Nothing draws (no look), so the surface is never brought up to date.
        m_host->control().renderers().remove(button::Look::Classic);
        m_host->setSizePixels(60, 20);
        m_form.show();
        EXPECT_TRUE(runEventsUntil([&] { return m_host->paintsRaised() > 0; }));
        // ... and it shows the container's colour meanwhile.
        EXPECT_EQ(m_host->surface().colorAt(0, 0),
            button::TranslateColor(button::kSystemButtonFace).colorRef());
    }

    TEST_F(ControlHostTest, EnabledIsTheControlsOwnFlag)
    {
        button::Host& services = m_host->services();
        m_form.setEnabled(false);
        EXPECT_TRUE(services.enabled());
        services.setEnabled(false);
        EXPECT_FALSE(services.enabled());
        EXPECT_FALSE(m_host->isEnabled());
        m_form.setEnabled(true);
        EXPECT_FALSE(services.enabled());
    }

    TEST_F(ControlHostTest, MousePointersMapToCursors)
    {
        button::Host& services = m_host->services();
        ASSERT_TRUE(services.setMousePointer(11).ok());
        EXPECT_EQ(m_host->cursor().shape(), Qt::WaitCursor);
        EXPECT_FALSE(services.setMousePointer(16).ok());
        EXPECT_EQ(services.mousePointer(), 11);

        // Only icons and cursors can be the custom pointer.
        auto bitmap = std::make_shared<const gdi::Picture>(
            gdi::Picture::fromBitmap(gdi::createDibSection(4, 4), gdi::PictureFormat::Bmp));
        EXPECT_FALSE(services.setMouseIcon(bitmap).ok());
        auto icon = gdi::Icon::create(
            gdi::createBitmap(8, 8, 1, 1), gdi::createBitmap(8, 8, 1, 32), {}, true, { 1, 2 });
        ASSERT_TRUE(services
                        .setMouseIcon(std::make_shared<const gdi::Picture>(
                            gdi::Picture::fromIcon(icon, gdi::PictureFormat::Cur)))
                        .ok());
        ASSERT_TRUE(services.setMousePointer(button::kPointerCustomIcon).ok());
        EXPECT_EQ(m_host->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(m_host->cursor().hotSpot(), QPoint(1, 2));
    }

    TEST_F(ControlHostTest, DestroyingTheHostReleasesTheControlsResources)
    {
        installFill();
        m_host->setSizePixels(60, 20);
        const std::weak_ptr<gdi::Bitmap> buffer = m_host->control().state().bufferDC->bitmapRef();
        delete m_host;
        EXPECT_TRUE(buffer.expired());
    }

    // What the window hears when the focus leaves a button as the window
    // deletes its children (on X11 a focused button of a dialog being unloaded
    // gives up the focus only in its destructor).
    class FocusLeavesWhenDestroyed : public QObject
    {
    public:
        explicit FocusLeavesWhenDestroyed(QWidget& window)
            : QObject(&window)
            , m_window(window)
        { }
        ~FocusLeavesWhenDestroyed() override { emit qApp->focusChanged(&m_window, nullptr); }

    private:
        QWidget& m_window;
    };

    TEST(WindowDestructionTest, AFocusChangeWhileTheWindowDeletesItsButtonsIsHarmless)
    {
        auto* window = new QWidget;
        window->resize(100, 80);
        for (int y : { 0, 30 }) {
            auto* host = new ControlHost(window);
            host->move(0, y);
            host->setSizePixels(60, 20);
        }
        // Deleted after the buttons, before the window's button bookkeeping
        // (attached when the window is first shown).
        new FocusLeavesWhenDestroyed(*window);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

        delete window;
        EXPECT_EQ(QApplication::focusWidget(), nullptr);
    }

} // namespace
} // namespace bastara::button_host
