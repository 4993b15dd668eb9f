// The rendering pipeline: the back buffer's life, the redraw through the
// renderer of the current look, and the host events that drive them.

#include "button/arithmetic.h"
#include "button/button.h"
#include "button/control_windows.h"
#include "button/option_group.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/draw.h"
#include "platform/window/regions.h"
#include "platform/window/timers.h"

#include <cassert>

namespace bastara::button {

void Button::Refresh()
{
    m_state.delayDrawing = kFalse;
    RedrawButton();
}

void Button::DelayDrawing(Bool16 bDelay)
{
    m_state.delayDrawing = bDelay;
    if (bDelay.isFalse())
        Refresh();
}

void Button::RedrawButton()
{
    if (m_state.delayDrawing.isTrue() || m_terminated)
        return;
    // A redraw never starts another: the host's refresh is asynchronous and
    // the renderers call no setter.
    assert(m_redrawDepth == 0);
    ++m_redrawDepth;

    RenderResult result;
    if (const Renderer* renderer = m_renderers.find(m_state.buttonStyle))
        (*renderer)(m_painter, result);

    if (result.redrawLevel != RedrawLevel::Nothing) {
        ManageBackBuffer(kFalse);
        if (framesOutline(result.redrawLevel))
            frameWindowRegion(result.frameColour());
        m_host.refreshWindow();
    }
    --m_redrawDepth;
}

void Button::frameWindowRegion(std::int32_t frameColour)
{
    const ButtonState& s = m_state;
    const bool pressed = s.isPressed();
    const bool roundedLight = s.buttonStyle == Look::RoundedLight;

    auto windowRegion = [this] {
        gdi::Region copy;
        (void)window::getWindowRegion(m_host.windowHandle(), copy);
        return copy; // empty when the window has no region
    };

    std::optional<gdi::Region> region;
    switch (s.buttonShape) {
    case Shape::PictureFramed:
    case Shape::PictureRimmed:
        if (s.hoverTracking.isSet() && !pressed) {
            if (!roundedLight)
                frameColour = s.hoverFaceColor.asSigned();
            if (!roundedLight && frameColour == TranslateColor(s.backColor).asSigned())
                return;
            region = windowRegion();
        } else if (s.isDefaultLook()) {
            region = s.buttonShape == Shape::PictureRimmed ? s.innerRegion : s.outlineRegion;
            if (s.buttonValue.isTrue() && !roundedLight)
                frameColour = ShadeColor(s.pressedFaceColor, -32).asSigned();
        }
        break;
    case Shape::Oval:
    case Shape::OvalPlain:
    case Shape::OvalFramed:
        if (roundedLight && !pressed)
            region = s.outlineRegion;
        else if (s.buttonShape == Shape::OvalFramed)
            region = windowRegion();
        break;
    case Shape::Rectangle:
    case Shape::SlantedLeft:
    case Shape::SlantedRight:
    case Shape::Parallelogram:
        break;
    }
    gdi::DeviceContext* surface = m_host.windowDC();
    if (!region || !surface)
        return;
    gdi::frameRegion(*surface, *region, gdi::createSolidBrush(gdi::ColorRef(frameColour)), 1, 1);
}

void Button::ManageBackBuffer(Bool16 create)
{
    if (create.isFalse()) {
        m_painter.CopyBufferToWindow();
        return;
    }

    ButtonState& s = m_state;
    gdi::DeviceContext* surface = m_host.windowDC();
    if (!s.bufferDC) {
        s.bufferDC = gdi::createCompatibleDC(surface);
        // Captions are drawn without a background box.
        s.bufferDC->setBkMode(3);
        s.bufferOldBrush = s.bufferDC->selectObject(gdi::createSolidBrush(0));
        s.bufferOldPen = s.bufferDC->selectObject(gdi::createPen(gdi::PS_SOLID, 1, 0));
        UpdateResources("Font");
    }
    if (!s.bufferOldBitmap) {
        // Compatible with the window's surface (colour), never with the fresh
        // memory context, which would make it monochrome.
        const std::int32_t width = roundEven(scaleWidth());
        const std::int32_t height = roundEven(scaleHeight());
        gdi::BitmapRef buffer = surface
            ? gdi::createCompatibleBitmap(*surface, width, height)
            : gdi::Bitmap::create(width, height, gdi::PixelFormat::Rgb32);
        s.bufferOldBitmap = s.bufferDC->selectObject(std::move(buffer));
    }
}

void Button::onHostPaint()
{
    m_state.delayDrawing = kFalse;
    RedrawButton();
}

void Button::onHostResize()
{
    if (m_terminated)
        return;
    ButtonState& s = m_state;
    if (s.bufferDC && s.bufferOldBitmap) {
        // Putting the first bitmap back releases the old buffer.
        s.bufferDC->selectObject(std::move(s.bufferOldBitmap));
        s.bufferOldBitmap.reset();
    }
    ManageBackBuffer(kTrue);
    if (s.delayDrawing.isFalse()) {
        BuildShapeRegions();
        CalculateLayout(kFalse);
        RedrawButton();
    }
}

void Button::onHostShow()
{
    if (m_host.userMode())
        return;
    if (m_state.showFocusRect.isTrue() && m_host.displayAsDefault()) {
        m_state.stateFlags |= kFlagDefaultLook;
        RedrawButton();
    }
}

void Button::onHostTerminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    m_life.end();
    ButtonState& s = m_state;
    // A button that ends leaves its option group, so that no entry outlives
    // it (the others keep their values). Whatever its mode now: reading a set
    // again changes the mode without leaving.
    LeaveOptionGroupAtEnd(*this);
    forgetControlWindows(*this);
    // In this order, so that nothing is released while still in use.
    if (s.hoverTracking.isSet())
        window::killTimer(m_host.windowHandle(), kHoverTimerId);
    s.innerRegion.reset();
    s.outlineRegion.reset();
    if (s.bufferDC) {
        m_painter.SetDrawingTool(kFalse, s.bufferDC.get(), DrawingTool::Brush, 0);
        if (s.bufferOldFont)
            s.bufferDC->selectObject(std::move(s.bufferOldFont));
        if (s.bufferOldBitmap)
            s.bufferDC->selectObject(std::move(s.bufferOldBitmap));
        s.bufferOldFont.reset();
        s.bufferOldBitmap.reset();
        s.bufferOldPen.reset();
        s.bufferOldBrush.reset();
        s.bufferDC.reset();
    }
    s.preparedImage.reset();
}

} // namespace bastara::button
