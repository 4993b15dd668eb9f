// Button pictures: the sized copy of a bitmap with its transparent colour
// evened out, the masked drawing of that copy, and the picture step of a
// redraw (greyed while the control is disabled).
//
// The per-pixel scan runs only when the copy is made (once per size); a redraw
// does the mask composition of TransparentBlit, or one icon draw.

#include "button/arithmetic.h"
#include "button/layout.h"
#include "button/painter.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/icon.h"

#include <cstdlib>
#include <vector>

namespace bastara::button {

namespace {

    // A pixel matches the key when each of its channels is within 3 of the
    // key's.
    constexpr int kKeyTolerance = 3;

    bool matchesKey(gdi::ColorRef pixel, gdi::ColorRef key)
    {
        return std::abs(int(gdi::redOf(pixel)) - int(gdi::redOf(key))) <= kKeyTolerance
            && std::abs(int(gdi::greenOf(pixel)) - int(gdi::greenOf(key))) <= kKeyTolerance
            && std::abs(int(gdi::blueOf(pixel)) - int(gdi::blueOf(key))) <= kKeyTolerance;
    }

    gdi::Rect grown(const gdi::Rect& r, std::int32_t by)
    {
        return { r.left - by, r.top - by, r.right + by, r.bottom + by };
    }

} // namespace

void Painter::PreparePicture(std::int32_t width, std::int32_t height, gdi::Region* region)
{
    ButtonState& s = m_state;
    if (!s.picture)
        return;
    s.preparedImage.reset();
    // Icons are drawn with their own mask at every redraw.
    if (s.pictureIsIcon != 0)
        return;

    if (region) {
        const gdi::Region whole
            = gdi::createRectRegion(0, 0, roundEven(scaleWidth()), roundEven(scaleHeight()));
        s.outlineRegion = whole;
        s.innerRegion = whole;
    }
    // A copy with no pixels is no copy (the image copy would read a zero size
    // as "keep the original").
    if (width <= 0 || height <= 0)
        return;
    gdi::BitmapRef copy = gdi::copyImage(s.picture->bitmap(), width, height);
    if (!copy)
        return;

    // Every pixel within the tolerance of the top-left one becomes exactly
    // that colour, so the exact-match mask of TransparentBlit takes the whole
    // band as transparent. Runs of such pixels are cut from the regions: as
    // they are from the window region, one pixel wider from the outline and
    // two from the inner region.
    const gdi::ColorRef key = copy->colorAt(0, 0);
    std::vector<gdi::Rect> runs;
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t runStart = -1;
        for (std::int32_t x = 0; x < width; ++x) {
            std::int32_t runEnd = -1;
            if (matchesKey(copy->colorAt(x, y), key)) {
                copy->setColorAt(x, y, key);
                if (runStart < 0)
                    runStart = x;
                if (x == width - 1)
                    runEnd = width;
            } else if (runStart >= 0) {
                runEnd = x;
            }
            if (runEnd >= 0) {
                if (region)
                    runs.push_back({ runStart, y, runEnd, y + 1 });
                runStart = -1;
            }
        }
    }
    if (region && !runs.empty()) {
        const gdi::Region cut = gdi::Region::fromRects(runs);
        gdi::combineRegion(*region, *region, cut, gdi::CombineMode::Diff);
        for (gdi::Rect& r : runs)
            r = grown(r, 1);
        const gdi::Region cutOutline = gdi::Region::fromRects(runs);
        gdi::combineRegion(*s.outlineRegion, *s.outlineRegion, cutOutline, gdi::CombineMode::Diff);
        for (gdi::Rect& r : runs)
            r = grown(r, 1);
        const gdi::Region cutInner = gdi::Region::fromRects(runs);
        gdi::combineRegion(*s.innerRegion, *s.innerRegion, cutInner, gdi::CombineMode::Diff);
    }

    s.preparedImage = std::move(copy);
    s.preparedWidth = width;
    s.preparedHeight = height;
}

void Painter::TransparentBlit(gdi::DeviceContext& destDC, gdi::Rect destRect,
    const gdi::BitmapRef& sourceBitmap, gdi::Rect sourceRect, std::int32_t& width,
    std::int32_t& height)
{
    const ButtonState& s = m_state;
    if (!sourceBitmap)
        return;
    const auto screen = gdi::createScreenDC();
    const auto source = gdi::createCompatibleDC(screen.get());
    source->selectObject(sourceBitmap);

    // An empty source rectangle means the whole prepared copy.
    std::int32_t sourceWidth = sourceRect.right - sourceRect.left;
    std::int32_t sourceHeight = sourceRect.bottom - sourceRect.top;
    if (sourceRect.right == 0) {
        sourceRect.right = s.preparedWidth;
        sourceWidth = s.preparedWidth;
    }
    if (sourceRect.bottom == 0) {
        sourceRect.bottom = s.preparedHeight;
        sourceHeight = s.preparedHeight;
    }
    const std::int32_t destWidth = destRect.right == 0 ? width : destRect.right - destRect.left;
    const std::int32_t destHeight = destRect.bottom == 0 ? height : destRect.bottom - destRect.top;
    // Nothing to draw, and nothing to scale by.
    if (width <= 0 || height <= 0 || destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0
        || sourceHeight <= 0)
        return;

    // A picture larger than the destination shrinks to fit.
    if (width > destWidth || height > destHeight) {
        const float scale
            = std::min(float(destWidth) / float(width), float(destHeight) / float(height));
        width = roundEven(float(width) * scale);
        height = roundEven(float(height) * scale);
    }

    const Rgb key = TranslateColor(OleColor(gdi::getPixel(*source, 0, 0)));

    const auto mask = gdi::createCompatibleDC(screen.get());
    const auto work = gdi::createCompatibleDC(screen.get());
    const auto copy = gdi::createCompatibleDC(screen.get());
    copy->selectObject(gdi::createCompatibleBitmap(*screen, sourceWidth, sourceHeight));
    work->selectObject(gdi::createCompatibleBitmap(*screen, destWidth, destHeight));
    mask->selectObject(gdi::createBitmap(sourceWidth, sourceHeight, 1, 1));

    // The background as it is now.
    work->setMapMode(destDC.mapMode());
    gdi::bitBlt(
        *work, 0, 0, destWidth, destHeight, &destDC, destRect.left, destRect.top, gdi::SRCCOPY);

    // The picture.
    copy->setBkColor(source->bkColor());
    copy->setTextColor(source->textColor());
    gdi::bitBlt(*copy, 0, 0, sourceWidth, sourceHeight, source.get(), sourceRect.left,
        sourceRect.top, gdi::SRCCOPY);

    // The mask: 1 where the picture has the key colour.
    copy->setBkColor(key.colorRef());
    copy->setTextColor(0xFFFFFF);
    gdi::bitBlt(*mask, 0, 0, sourceWidth, sourceHeight, copy.get(), 0, 0, gdi::SRCCOPY);

    // Key pixels of the picture become black.
    copy->setTextColor(0x000000);
    copy->setBkColor(0xFFFFFF);
    gdi::bitBlt(*copy, 0, 0, sourceWidth, sourceHeight, mask.get(), 0, 0, gdi::DSna);

    // Background kept where the mask is 1, blacked out elsewhere; then the
    // picture ORed into the black.
    gdi::stretchBlt(
        *work, 0, 0, width, height, mask.get(), 0, 0, sourceWidth, sourceHeight, gdi::SRCAND);
    gdi::stretchBlt(
        *work, 0, 0, width, height, copy.get(), 0, 0, sourceWidth, sourceHeight, gdi::SRCPAINT);

    gdi::bitBlt(
        destDC, destRect.left, destRect.top, destWidth, destHeight, work.get(), 0, 0, gdi::SRCCOPY);
}

void Painter::DrawPicture(gdi::Rect& rect)
{
    ButtonState& s = m_state;
    if (std::int64_t(s.pictureWidth) + s.pictureHeight == 0)
        return;
    if (!s.preparedImage)
        PreparePicture(rect.width(), rect.height(), nullptr);
    if (s.buttonShape == Shape::PictureFramed || s.buttonShape == Shape::PictureRimmed) {
        rect = { 0, 0, roundEven(scaleWidth()), roundEven(scaleHeight()) };
        if (s.isPressed())
            rect = { rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1 };
    }
    std::int32_t w = rect.width();
    std::int32_t h = rect.height();
    gdi::DeviceContext* buffer = s.bufferDC.get();
    if (w <= 0 || h <= 0 || !buffer || !s.picture)
        return;

    const bool enabled = m_host.enabled();
    // Disabled: the picture goes onto white first, then into the buffer as
    // grey where it is dark and face where it is white. The white bitmap is
    // compatible with the buffer (colour), not with the new context (which
    // would make it monochrome).
    std::unique_ptr<gdi::DeviceContext> greyed;
    if (!enabled) {
        greyed = gdi::createCompatibleDC(buffer);
        gdi::BitmapRef white = gdi::createCompatibleBitmap(*buffer, w, h);
        if (!white)
            return;
        white->fill(0xFFFFFF);
        greyed->selectObject(std::move(white));
    }
    gdi::DeviceContext& target = enabled ? *buffer : *greyed;
    const gdi::Rect destination = enabled ? rect : gdi::Rect { 0, 0, w, h };

    if (s.pictureIsIcon == 1) {
        if (const auto& icon = s.picture->icon())
            gdi::drawIconEx(target, destination.left, destination.top, *icon, w, h, gdi::DI_NORMAL);
    } else if (s.preparedImage) {
        TransparentBlit(target, destination, s.preparedImage, {}, w, h);
    }

    if (!enabled) {
        // Per colour bit: source 1 keeps the face, source 0 takes the grey.
        const gdi::ColorRef oldBackground = buffer->setBkColor(0xFFFFFF);
        gdi::BrushRef oldBrush = buffer->selectObject(gdi::createSolidBrush(kGrey.colorRef()));
        gdi::bitBlt(*buffer, rect.left, rect.top, w, h, greyed.get(), 0, 0, gdi::PSDPxax);
        buffer->setBkColor(oldBackground);
        if (oldBrush)
            buffer->selectObject(std::move(oldBrush));
    }
}

gdi::Size Painter::FitPictureSize(std::int32_t maxWidth, std::int32_t maxHeight) const
{
    return button::FitPictureSize(m_state.pictureWidth, m_state.pictureHeight, maxWidth, maxHeight);
}

} // namespace bastara::button
