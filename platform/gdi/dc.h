#pragma once

// Device contexts: a target bitmap plus the drawing state the calls read.
//
//     auto dc = createCompatibleDC(nullptr);            // holds a 1 x 1 mono bitmap
//     BitmapRef old = dc->selectObject(createBitmap(60, 20, 1, 32));
//     dc->setBkMode(3);                                 // kept; draws transparently
//     {
//         ScopedSelection pen(*dc, createPen(PS_DOT, 1, 0));
//         polyline(*dc, points);                        // draw.h
//     }                                                 // previous pen back
//
// A new context has the platform defaults: text colour black, background
// colour white, background mode OPAQUE, stretch mode BLACKONWHITE, the black
// pen, the white brush, the system font, no clip region, current position
// (0, 0). State persists until changed (nothing resets it between draws).
//
// Two kinds exist. A memory context draws into the bitmap selected into it and
// starts with a 1 x 1 monochrome one; bitmaps made compatible with it take the
// format of the bitmap selected at that moment. A display context stands for a
// screen or window surface: bitmaps made compatible with it are colour.
//
// selectObject returns what was selected before. It refuses nullptr (returns
// nullptr and changes nothing), the way a 0 handle fails.
//
// Background mode: TRANSPARENT (1) and OPAQUE (2) are the documented values;
// any other positive value is stored, read back, and draws transparently (the
// platform fills text cells and pen gaps only when the mode equals OPAQUE).

#include "platform/gdi/bitmap.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "platform/gdi/types.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace bastara::gdi {

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Stretch modes: how StretchBlt combines source pixels that fall onto one
// destination pixel while shrinking.
inline constexpr int BLACKONWHITE = 1; // AND (black wins)
inline constexpr int WHITEONBLACK = 2; // OR (white wins)
inline constexpr int COLORONCOLOR = 3; // keep one, drop the others
inline constexpr int HALFTONE = 4; // treated as COLORONCOLOR

inline constexpr int MM_TEXT = 1;

enum class DcKind {
    Memory,
    Display,
};

class DeviceContext
{
public:
    // Use createCompatibleDC, createScreenDC or createDisplayDC.
    DeviceContext(DcKind kind, BitmapRef surface);

    DcKind kind() const { return m_kind; }

    BitmapRef selectObject(BitmapRef bitmap);
    PenRef selectObject(PenRef pen);
    BrushRef selectObject(BrushRef brush);
    FontRef selectObject(FontRef font);

    // The selected objects; a context always has one of each.
    Bitmap& bitmap() { return *m_state.bitmap; }
    const Bitmap& bitmap() const { return *m_state.bitmap; }
    const BitmapRef& bitmapRef() const { return m_state.bitmap; }
    const Pen& pen() const { return *m_state.pen; }
    const Brush& brush() const { return *m_state.brush; }
    const BrushRef& brushRef() const { return m_state.brush; }
    const Font& font() const { return *m_state.font; }

    // Each setter returns the previous value.
    ColorRef setTextColor(ColorRef color) { return std::exchange(m_state.textColor, color); }
    ColorRef textColor() const { return m_state.textColor; }
    ColorRef setBkColor(ColorRef color) { return std::exchange(m_state.bkColor, color); }
    ColorRef bkColor() const { return m_state.bkColor; }
    // Returns 0 and changes nothing for mode <= 0.
    int setBkMode(int mode);
    int bkMode() const { return m_state.bkMode; }
    bool fillsBackground() const { return m_state.bkMode == OPAQUE; }
    // Returns 0 and changes nothing outside BLACKONWHITE .. HALFTONE.
    int setStretchBltMode(int mode);
    int stretchBltMode() const { return m_state.stretchMode; }
    // Only MM_TEXT exists here: setMapMode(MM_TEXT) returns MM_TEXT, other
    // modes fail with 0.
    int setMapMode(int mode) { return mode == MM_TEXT ? MM_TEXT : 0; }
    int mapMode() const { return MM_TEXT; }

    // MoveToEx: returns the previous current position.
    Point moveTo(Point position) { return std::exchange(m_state.position, position); }
    Point currentPosition() const { return m_state.position; }

    // SelectClipRgn: the context keeps a copy; nullopt removes clipping.
    // Returns the kind of the new clip (Simple for no clipping).
    RegionKind selectClipRegion(const std::optional<Region>& region);
    RegionKind selectClipRegion(const Region& region);
    const std::optional<Region>& clipRegion() const { return m_state.clip; }

    // SaveDC / RestoreDC: the whole state, selected objects included. saveDC
    // returns the new depth (1 for the first save). restoreDC(n) with n > 0
    // goes back to the state saved at depth n, with n < 0 |n| saves back;
    // false (nothing changed) for a depth that does not exist.
    int saveDC();
    bool restoreDC(int savedDepth);

    // The parts of `area` that drawing may touch: inside the bitmap and inside
    // the clip region. Disjoint rectangles, top to bottom.
    std::vector<Rect> visibleRects(const Rect& area) const;
    // The same parts handed to visit(const Rect&) one by one, without
    // collecting them: the form the per-redraw drawing calls use.
    template <typename Visit> void forEachVisibleRect(const Rect& area, Visit&& visit) const;
    bool isVisible(std::int32_t x, std::int32_t y) const;
    // Whether drawing may touch every pixel of `area` (true for an empty
    // one): callers then skip the per-pixel test.
    bool isWhollyVisible(const Rect& area) const;

private:
    struct State {
        BitmapRef bitmap;
        PenRef pen;
        BrushRef brush;
        FontRef font;
        ColorRef textColor = 0;
        ColorRef bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        int stretchMode = BLACKONWHITE;
        std::optional<Region> clip;
        Point position;
    };

    DcKind m_kind;
    State m_state;
    std::vector<State> m_saved;
};

template <typename Visit>
void DeviceContext::forEachVisibleRect(const Rect& area, Visit&& visit) const
{
    const Rect bounded = area.intersected(m_state.bitmap->bounds());
    if (bounded.isEmpty())
        return;
    if (!m_state.clip) {
        visit(bounded);
        return;
    }
    for (const Rect& r : m_state.clip->rects()) {
        if (r.top >= bounded.bottom)
            break;
        const Rect part = r.intersected(bounded);
        if (!part.isEmpty())
            visit(part);
    }
}

// CreateCompatibleDC: a memory context holding a 1 x 1 monochrome bitmap. The
// reference only matters to the platform for device matching; any context (or
// none) may be passed.
[[nodiscard]] std::unique_ptr<DeviceContext> createCompatibleDC(const DeviceContext* reference);
// GetDC(NULL): a display context without a surface; drawing into it does
// nothing. Used as the reference for screen-compatible bitmaps.
[[nodiscard]] std::unique_ptr<DeviceContext> createScreenDC();
// A display context drawing into `surface` (a window's colour back store, kept
// by the window host). nullptr for a null or monochrome surface.
[[nodiscard]] std::unique_ptr<DeviceContext> createDisplayDC(BitmapRef surface);

// CreateCompatibleBitmap: colour for a display context, otherwise the format of
// the bitmap currently selected into `dc` (monochrome for a fresh memory
// context). nullptr when the size is negative or too large.
[[nodiscard]] BitmapRef createCompatibleBitmap(
    const DeviceContext& dc, std::int32_t width, std::int32_t height);

// Selects an object for a scope and puts the previous one back at its end.
//
//     ScopedSelection brush(dc, createSolidBrush(0x808080));
template <typename ObjectRef> class ScopedSelection
{
public:
    ScopedSelection(DeviceContext& dc, ObjectRef object)
        : m_dc(dc)
        , m_previous(dc.selectObject(std::move(object)))
    { }
    ~ScopedSelection()
    {
        if (m_previous)
            m_dc.selectObject(std::move(m_previous));
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // False when the selection was refused (a null object).
    bool selected() const { return m_previous != nullptr; }

private:
    DeviceContext& m_dc;
    ObjectRef m_previous;
};

// Saves the whole context state for a scope (SaveDC / RestoreDC).
class ScopedSavedState
{
public:
    explicit ScopedSavedState(DeviceContext& dc)
        : m_dc(dc)
        , m_depth(dc.saveDC())
    { }
    ~ScopedSavedState() { (void)m_dc.restoreDC(m_depth); }
    ScopedSavedState(const ScopedSavedState&) = delete;
    ScopedSavedState& operator=(const ScopedSavedState&) = delete;

private:
    DeviceContext& m_dc;
    int m_depth;
};

} // namespace bastara::gdi
