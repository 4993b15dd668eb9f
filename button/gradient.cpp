// The face of every look: flat, shaded darker towards the bottom, or a
// two-colour gradient in bands.

#include "button/arithmetic.h"
#include "button/painter.h"
#include "platform/gdi/draw.h"
#include "platform/window/geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bastara::button {

namespace {

    // The screen the band thickness is judged against: the primary screen,
    // or a common desktop size where there is none.
    constexpr std::int32_t kFallbackScreenWidth = 1920;
    constexpr std::int32_t kFallbackScreenHeight = 1080;

    std::int32_t screenPixels(int metric, std::int32_t fallback)
    {
        const std::int32_t pixels = window::getSystemMetrics(metric);
        return pixels > 0 ? pixels : fallback;
    }

    bool isVertical(GradientDirection direction)
    {
        return static_cast<std::int32_t>(direction) >= 3;
    }

    // Modes 1 and 3 start with the first colour, 2 and 4 run the bands in
    // reverse.
    bool runsForward(GradientDirection direction)
    {
        return static_cast<std::int32_t>(direction) % 2 != 0;
    }

    float clampChannel(float value)
    {
        return std::clamp(value, 0.0f, 255.0f);
    }

} // namespace

void GradientColors(std::span<Rgb> bands, Rgb first, Rgb second)
{
    if (bands.empty())
        return;
    // Green and blue are scaled by 256/255 on the way in, as ShadeColor does.
    float red = float(first.value & 0xFF);
    float green = float(first.value & 0xFF00) / 255.0f;
    float blue = float(first.value & 0xFF0000) / 65280.0f;
    const auto endRed = std::int32_t(second.value & 0xFF);
    const std::int32_t endGreen = roundEven(double(second.value & 0xFF00) / 255.0);
    const std::int32_t endBlue = roundEven(double(second.value & 0xFF0000) / 65280.0);

    bands[0] = first;
    const auto last = std::int32_t(bands.size()) - 1;
    if (last == 0)
        return; // one band: the first colour, and nothing to step by
    const float deltaRed = (float(endRed) - red) / float(last);
    const float deltaGreen = (float(endGreen) - green) / float(last);
    const float deltaBlue = (float(endBlue) - blue) / float(last);
    for (std::int32_t i = 1; i <= last; ++i) {
        red = clampChannel(red + deltaRed);
        green = clampChannel(green + deltaGreen);
        blue = clampChannel(blue + deltaBlue);
        bands[std::size_t(i)] = Rgb(std::uint32_t(std::floor(green)) * 256
            + std::uint32_t(std::floor(red)) + std::uint32_t(std::floor(blue)) * 65536);
    }
}

void Painter::GradientFill(Rgb first, Rgb second, GradientDirection direction)
{
    const std::int32_t width = roundEven(scaleWidth());
    const std::int32_t height = roundEven(scaleHeight());
    if (width <= 0 || height <= 0)
        return;
    const bool vertical = isVertical(direction);
    const std::int32_t length = vertical ? height : width;
    const std::int32_t screen = vertical ? screenPixels(window::SM_CYSCREEN, kFallbackScreenHeight)
                                         : screenPixels(window::SM_CXSCREEN, kFallbackScreenWidth);
    // A control longer than a quarter of the screen gets bands two pixels
    // thick: half the fills.
    std::int32_t step = 1;
    std::int32_t count = length;
    if (screen / length < 4) {
        count = length / 2;
        step = 2;
    }
    if (count <= 0)
        return;

    // Kept between calls: a redraw allocates nothing once the size is known.
    m_bands.resize(std::size_t(count));
    GradientColors(m_bands, first, second);

    gdi::Rect band = vertical ? gdi::Rect { 0, 0, width, step } : gdi::Rect { 0, 0, step, height };
    const bool forward = runsForward(direction);
    Rgb colour;
    for (std::int32_t i = 0; i < count; ++i) {
        colour = m_bands[std::size_t(forward ? i : count - 1 - i)];
        fillBand(band, colour);
        band = vertical ? band.translated(0, step) : band.translated(step, 0);
    }
    selectBandTools(colour);
}

// Each band is what DrawRectangle with no outline paints; the brush and pen
// that the last of those calls would leave in bufferDC are selected once, at
// the end, instead of a new pair per band.
void Painter::fillBand(const gdi::Rect& band, Rgb colour)
{
    gdi::DeviceContext* dc = buffer();
    // A 1 x 1 rectangle has an outline of no length: it paints nothing.
    if (!dc || (band.width() == 1 && band.height() == 1))
        return;
    gdi::fillSolidRect(*dc, band, colour.colorRef());
}

void Painter::selectBandTools(Rgb lastColour)
{
    SetDrawingTool(
        kTrue, buffer(), DrawingTool::Brush, lastColour.asSigned(), kTrue, 1, gdi::PS_SOLID);
}

const std::vector<Rgb>& Painter::shadedRows(std::int32_t colour, float sh)
{
    // The same face and height as last time: the same rows.
    ShadedRows& cached = m_shadedRows;
    if (cached.colour == colour && cached.height == sh)
        return cached.rows;
    const std::int32_t rows = roundEven(sh);
    cached.rows.clear();
    for (std::int32_t i = 0; i < rows; ++i) {
        const std::int16_t shade = roundEven16(-(25.0f / sh) * float(i));
        cached.rows.push_back(
            ShadeColor(Rgb(std::uint32_t(colour)), int(shade), ShadeFlag::ProportionalBlue));
    }
    cached.colour = colour;
    cached.height = sh;
    return cached.rows;
}

void Painter::fillFace(std::int32_t colour)
{
    DrawRectangle(
        buffer(), 0, 0, roundEven(scaleWidth()), roundEven(scaleHeight()), colour, -1, 0, 0);
}

void Painter::PaintBackground(Rgb face, FaceState& faceState, RedrawLevel& redrawLevel,
    std::int32_t& gradient, std::int32_t& hover)
{
    PrepareShapeClip(redrawLevel);
    if (redrawLevel == RedrawLevel::Nothing)
        return;

    const ButtonState& s = m_state;
    const bool pressed = s.isPressed();
    faceState = pressed ? FaceState::Pressed
                        : (s.isDefaultLook() ? FaceState::DefaultLook : FaceState::Normal);
    if (hover < 0)
        hover = face.asSigned();

    const auto mode = static_cast<std::int32_t>(s.buttonMode);
    const bool hoverFace = s.hoverTracking.isSet()
        && ((mode == 0 && !pressed) || (mode > 0 && s.buttonValue.isFalse()));
    const std::int32_t colour = hoverFace ? hover : face.asSigned();

    if (s.gradientMode != GradientDirection::None && s.buttonValue.isFalse()
        && static_cast<std::int32_t>(s.buttonShape) < 7) {
        // Hovering flattens the gradient, unless the hover face is the
        // gradient colour itself.
        if (s.hoverTracking.isTrue() && !pressed && s.gradientColor != s.hoverBackColor) {
            fillFace(hover);
            return;
        }
        if (gradient < 0)
            gradient = face.asSigned();
        GradientFill(face, Rgb(std::uint32_t(gradient)), s.gradientMode);
        return;
    }

    if (s.buttonStyle == Look::RoundedLight && (enabled() || mode > 0)) {
        // Darker towards the bottom: from 0 on the top row to just above -25.
        const float sh = scaleHeight();
        const std::int32_t width = roundEven(scaleWidth());
        const std::vector<Rgb>& rows = shadedRows(colour, sh);
        for (std::size_t i = 0; i < rows.size(); ++i)
            fillBand({ 0, std::int32_t(i), width, std::int32_t(i) + 1 }, rows[i]);
        if (!rows.empty())
            selectBandTools(rows.back());
        return;
    }
    fillFace(colour);
}

} // namespace bastara::button
