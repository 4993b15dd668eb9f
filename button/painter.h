#pragma once

// The control's drawing routines: everything a look paints into the back
// buffer goes through here, so renderers see these routines and the state
// record, never the control's properties, setters or events.
//
//     void RenderSomething(Painter& p, RenderResult& r)
//     {
//         p.PaintBackground(face, r.faceState, r.redrawLevel, gradient, hover);
//         if (r.redrawLevel == RedrawLevel::Nothing)
//             return;
//         p.DrawCaption(face, -1, kFalse, kFalse);
//         p.DrawBorder(r.edgePoints, r.edgeColors, -1);
//     }
//
// A painter belongs to one control and lives as long as it; it draws into the
// control's bufferDC (and, for the region frame and the CustomClick move, the
// window's surface). Colours passed as std::int32_t are plain RGB values
// where negative means "none", as the edge colour slots hold them.

#include "button/bool16.h"
#include "button/colors.h"
#include "button/edges.h"
#include "button/host.h"
#include "button/state.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/region.h"
#include "platform/gdi/types.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bastara::button {

// What SetDrawingTool makes.
enum class DrawingTool : std::int32_t {
    Brush = 0, // a solid brush, and with alsoPen a pen of the same colour
    Pen = 1,
    TextColour = 2,
};

// The state a face was painted in. PaintBackground sets the first three; a
// look may store the fourth, whose meaning is the look's own (checked for the
// classic look, hot for the rounded light one, raised for an etched check box
// or option button).
enum class FaceState : std::int16_t {
    Normal = 0,
    DefaultLook = 1,
    Pressed = 2,
    LookSpecific = 3,
};

// What RedrawButton does once the renderer returns.
enum class RedrawLevel : std::int16_t {
    Nothing = 0, // the window keeps what it shows (a CustomClick move is under way)
    Copy = 1, // the buffer is copied to the window
    Frame = 3, // copied, and a shaped window's outline is framed
    FrameRim = 4, // as Frame, after a rim was painted around the inner face
};

// Levels above Copy frame the outline of a shaped window.
constexpr bool framesOutline(RedrawLevel level)
{
    return static_cast<std::int16_t>(level) > static_cast<std::int16_t>(RedrawLevel::Copy);
}

// The arrays and results of one redraw. The renderer fills the edge colours
// (slot 12 as left on return is also the colour a shaped window's outline is
// framed with), and through PaintBackground the face state and redraw level.
struct RenderResult {
    EdgePoints edgePoints;
    EdgeColors edgeColors;
    FaceState faceState = FaceState::Normal;
    RedrawLevel redrawLevel = RedrawLevel::Nothing;

    std::int32_t frameColour() const { return edgeColors[12]; }
};

class Painter
{
public:
    Painter(ButtonState& state, Host& host)
        : m_state(state)
        , m_host(host)
    { }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    ButtonState& state() { return m_state; }
    const ButtonState& state() const { return m_state; }
    Host& host() const { return m_host; }
    // SW and SH: the inner size in pixels, as single-precision values.
    float scaleWidth() const { return m_host.scaleWidth(); }
    float scaleHeight() const { return m_host.scaleHeight(); }
    // The window's own enabled flag.
    bool enabled() const { return m_host.enabled(); }
    // While a designer edits the form.
    bool designMode() const { return !m_host.userMode(); }
    // nullptr until the back buffer exists.
    gdi::DeviceContext* buffer() const { return m_state.bufferDC.get(); }

    // --- Primitives -------------------------------------------------------
    // Pens and brushes always go into bufferDC, replacing (and releasing) the
    // previous one; the text colour goes to `dc`. create False puts the first
    // pen and brush back instead.
    void SetDrawingTool(Bool16 create, gdi::DeviceContext* dc, DrawingTool kind,
        std::int32_t colour, Bool16 alsoPen = kFalse, std::int32_t width = 1,
        std::int32_t style = 0);
    // A filled rectangle; outline -1 draws none.
    void DrawRectangle(gdi::DeviceContext* dc, std::int32_t left, std::int32_t top,
        std::int32_t right, std::int32_t bottom, std::int32_t fill, std::int32_t outline = -1,
        std::int32_t width = 1, std::int32_t style = 0);
    // Computes edgePoints and draws each edge line whose colour is not
    // negative; outerStyle (when not negative) is the outer ring's pen style.
    void DrawBorder(EdgePoints& edgePoints, const EdgeColors& edgeColors, std::int32_t outerStyle);
    // The focus indicator, while the default-button look is shown. On the
    // rectangular and oval shapes a negative colour becomes black, also in the
    // caller's variable; the slanted shapes draw it black too but leave the
    // caller's variable as it was.
    void DrawFocusRectangle(
        std::int32_t& colour, Bool16 solid, Bool16 aroundCaption, EdgePoints& edgePoints);
    // The picture and the caption, with relief, hover colour and the disabled
    // look. textColour -1 asks for the white-and-grey disabled caption.
    void DrawCaption(Rgb face, std::int32_t textColour, Bool16 down, Bool16 noGreyPass);

    // --- Pictures ---------------------------------------------------------
    // Makes preparedImage: the bitmap picture copied at width x height with
    // its transparent colour evened out. With a region, also cuts the
    // transparent runs out of it and out of the two outline regions.
    void PreparePicture(std::int32_t width, std::int32_t height, gdi::Region* region);
    // Draws sourceBitmap into destRect of destDC with its top-left colour
    // transparent, scaled to width x height (reduced in place to fit).
    void TransparentBlit(gdi::DeviceContext& destDC, gdi::Rect destRect,
        const gdi::BitmapRef& sourceBitmap, gdi::Rect sourceRect, std::int32_t& width,
        std::int32_t& height);
    // Draws the picture into rect of bufferDC (greyed while disabled).
    void DrawPicture(gdi::Rect& rect);
    // The source picture scaled into the box, aspect ratio kept.
    gdi::Size FitPictureSize(std::int32_t maxWidth, std::int32_t maxHeight) const;

    // --- Face -------------------------------------------------------------
    // Runs the shape pre-pass (which sets redrawLevel and the clip), then
    // paints the face: flat, shaded towards the bottom (look 2) or a
    // gradient. gradient and hover are plain colours where negative means the
    // face colour; both may be replaced by it.
    void PaintBackground(Rgb face, FaceState& faceState, RedrawLevel& redrawLevel,
        std::int32_t& gradient, std::int32_t& hover);
    // The whole inner area in bands from first to second, in the direction
    // given (the control's GradientMode, or the vertical one for rims).
    void GradientFill(Rgb first, Rgb second, GradientDirection direction);

    // --- Shapes -----------------------------------------------------------
    // The pre-pass of every face paint: a pending CustomClick move, the clip
    // of bufferDC, the rim of the pressed and flat-hover states, the frame of
    // the oval-framed and picture-framed shapes; sets the redraw level.
    void PrepareShapeClip(RedrawLevel& level);
    // Moves a pressed command button's window by one pixel, and back when it
    // is released; moved is True right after the move into the pressed place.
    void ApplyCustomClick(Bool16& moved);
    // The back buffer, inner width x inner height, to the window's surface.
    void CopyBufferToWindow();

private:
    // The caption with its "||" marks turned into line breaks.
    const std::u16string& captionWithLineBreaks();
    void drawCaptionText(const std::u16string& text, const gdi::Rect& rect, std::uint32_t format,
        std::int32_t colour);
    void fillFace(std::int32_t colour);
    // A gradient band or shaded row, and the tools left after the last one.
    void fillBand(const gdi::Rect& band, Rgb colour);
    void selectBandTools(Rgb lastColour);
    // The row colours of the rounded light look's shaded face.
    const std::vector<Rgb>& shadedRows(std::int32_t colour, float sh);

    ButtonState& m_state;
    Host& m_host;
    std::vector<Rgb> m_bands; // GradientFill's band colours, kept to avoid reallocating
    // The shaded face's rows, kept while the face colour and height stay.
    struct ShadedRows {
        std::int32_t colour = -1;
        float height = -1.0f;
        std::vector<Rgb> rows;
    } m_shadedRows;
    std::u16string m_captionSource; // the caption m_captionLines was made from
    std::u16string m_captionLines;
};

// The band colours of a gradient from first to second, as many as `bands`
// holds; the first is `first` exactly.
void GradientColors(std::span<Rgb> bands, Rgb first, Rgb second);

} // namespace bastara::button
