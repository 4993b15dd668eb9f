#include "button/layout.h"

#include "button/arithmetic.h"

#include <algorithm>

namespace bastara::button {

namespace {

    // The part of the face the shape leaves usable: left inset L, right edge X
    // and usable width RW.
    struct Frame {
        std::int32_t left = 0;
        std::int32_t right = 0;
        std::int32_t width = 0;
    };

    Frame frameFor(const LayoutInput& in)
    {
        const float sw = in.scaleWidth;
        const std::int32_t sl = in.shapeLeft;
        const std::int32_t sr = in.shapeRight;
        Frame f;
        switch (in.shape) {
        case Shape::SlantedLeft:
            f.left = sl - sl / 3 + 3;
            f.right = roundEven(sw);
            f.width = roundEven(sw - float(f.left));
            break;
        case Shape::SlantedRight:
            f.left = 0;
            f.right = roundEven(sw - float(sr)) / 3 + sr;
            f.width = f.right;
            break;
        case Shape::Parallelogram:
            f.left = sl - sl / 3 + 3;
            f.right = roundEven(sw - float(sr)) / 3 + sr;
            f.width = f.right - f.left;
            break;
        case Shape::PictureFramed:
        case Shape::PictureRimmed:
            f.left = 3;
            f.right = sr - 3;
            f.width = f.right;
            break;
        case Shape::Rectangle:
        case Shape::Oval:
        case Shape::OvalPlain:
        case Shape::OvalFramed:
            f.left = 0;
            f.right = roundEven(sw);
            f.width = sr;
            break;
        }
        return f;
    }

    // Picture reservations beside (A left, B right) or stacked (C above, D
    // below) the caption.
    struct Reservation {
        std::int32_t left = 0; // A
        std::int32_t right = 0; // B
        std::int32_t above = 0; // C
        std::int32_t below = 0; // D
        bool beside = false;
        bool stacked = false;
    };

    Reservation reservationFor(const LayoutInput& in, bool hasPicture)
    {
        Reservation r;
        const std::int32_t p = in.pictureSizePx;
        if (!hasPicture || p > 32)
            return r;
        switch (in.pictureAlign) {
        case PicturePlacement::LeftEdge:
        case PicturePlacement::LeftOfCaption:
            r.left = p;
            r.beside = true;
            break;
        case PicturePlacement::RightEdge:
        case PicturePlacement::RightOfCaption:
            r.right = p;
            r.beside = true;
            break;
        case PicturePlacement::TopCenter:
            r.above = p;
            r.stacked = true;
            break;
        case PicturePlacement::BottomCenter:
            r.below = p;
            r.stacked = true;
            break;
        }
        return r;
    }

    std::int32_t captionShift(
        const LayoutInput& in, const Frame& f, const Reservation& r, std::int32_t textWidth)
    {
        const std::int32_t a = r.left;
        const std::int32_t b = r.right;
        switch (in.captionAlign) {
        case CaptionAlignment::Left:
            return f.left + 4 + a + (a > 0 ? 4 : 0);
        case CaptionAlignment::Right:
            return f.right - b - 4 - textWidth - (b > 0 ? 4 : 0);
        case CaptionAlignment::Center:
            if (a > 0 && in.pictureAlign == PicturePlacement::LeftOfCaption)
                return (f.width - (textWidth + a + 4)) / 2 + f.left + 4 + a;
            if (b > 0 && in.pictureAlign == PicturePlacement::RightOfCaption)
                return (f.width - (textWidth + b + 4)) / 2 + f.left;
            return (f.width - (a + b) - textWidth) / 2 + f.left + a;
        }
        return 0;
    }

    // Keeps a rectangle inside the margins: top at least 4, left at least
    // L + 4, right at most X - 4, bottom at most round(SH - 5).
    gdi::Rect clampToMargins(gdi::Rect r, const Frame& f, float sh)
    {
        r.top = std::max(r.top, 4);
        r.left = std::max(r.left, f.left + 4);
        r.right = std::min(r.right, f.right - 4);
        if (sh - 5.0f < float(r.bottom))
            r.bottom = roundEven(sh - 5.0f);
        return r;
    }

} // namespace

std::u16string captionLines(std::u16string_view caption)
{
    std::u16string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'|' && i + 1 < caption.size() && caption[i + 1] == u'|') {
            text += u"\r\n";
            ++i;
        } else {
            text += caption[i];
        }
    }
    return text;
}

std::u16string spokenCaption(std::u16string_view caption)
{
    const std::u16string lines = captionLines(caption);
    const auto isBreak = [](char16_t c) { return c == u'\r' || c == u'\n'; };
    std::u16string text;
    text.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const char16_t c = lines[i];
        if (isBreak(c)) {
            // CR LF and LF CR are one break, as the text drawing counts them.
            if (i + 1 < lines.size() && isBreak(lines[i + 1]) && lines[i + 1] != c)
                ++i;
            text += u' ';
            continue;
        }
        if (c != u'&') {
            text += c;
            continue;
        }
        if (i + 1 == lines.size()) {
            text += u'&';
        } else if (lines[i + 1] == u'&') {
            text += u'&';
            ++i;
        }
        // Otherwise the mark underlines the next character and is not read.
    }
    return text;
}

gdi::Size FitPictureSize(std::int32_t pictureWidth, std::int32_t pictureHeight,
    std::int32_t maxWidth, std::int32_t maxHeight)
{
    if (pictureWidth == 0 || pictureHeight == 0)
        return {};
    const double s = std::min(
        double(maxWidth) / double(pictureWidth), double(maxHeight) / double(pictureHeight));
    return { roundEven(double(pictureWidth) * s), roundEven(double(pictureHeight) * s) };
}

gdi::Size preferredFaceSize(const LayoutInput& in, const TextMeasure& measure)
{
    const bool hasPicture = std::int64_t(in.pictureWidth) + in.pictureHeight > 0;
    if (hasPicture && (in.shape == Shape::PictureFramed || in.shape == Shape::PictureRimmed))
        return { in.pictureWidth, in.pictureHeight };

    std::int32_t textWidth = 0;
    std::int32_t textHeight = 0;
    if (!in.caption.empty()) {
        constexpr std::int32_t kUnbounded = 32767;
        gdi::Rect box { 0, 0, kUnbounded, kUnbounded };
        measure(captionLines(in.caption), box);
        textWidth = box.right;
        textHeight = box.bottom;
        if (in.captionStyle != CaptionEffect::Flat) {
            textWidth += 2;
            textHeight += 2;
        }
    }

    // Margins 4 + 4 across, 4 above and 5 below, with one pixel more to
    // spare for the halving of centred placements.
    std::int32_t width = textWidth + 8;
    std::int32_t height = textHeight + 10;
    const Reservation r = reservationFor(in, hasPicture);
    const std::int32_t p = in.pictureSizePx;
    if (r.beside) {
        // The picture, four pixels, the caption; centring splits the rest.
        width = textWidth + p + 16;
        height = std::max(textHeight, p) + 10;
    } else if (r.stacked) {
        width = std::max(textWidth, p) + 8;
        height = textHeight + p + 14;
    } else if (hasPicture && p > 32) {
        width = std::max(width, in.pictureWidth + 12);
        height = std::max(height, in.pictureHeight + 12);
    }

    switch (in.shape) {
    case Shape::SlantedLeft:
    case Shape::SlantedRight:
    case Shape::Parallelogram: {
        // A slant runs one pixel per row; the usable face starts two thirds
        // of the way in.
        const std::int32_t run = height + 1;
        const std::int32_t inset = run - run / 3 + 3;
        width += in.shape == Shape::Parallelogram ? 2 * inset : inset;
        width = std::max(width, run + 5);
        break;
    }
    case Shape::Oval:
    case Shape::OvalPlain:
    case Shape::OvalFramed:
        // A rectangle inscribed in an ellipse takes 1/sqrt(2) of each axis.
        width = (width * 142 + 99) / 100;
        height = (height * 142 + 99) / 100;
        break;
    case Shape::Rectangle:
    case Shape::PictureFramed:
    case Shape::PictureRimmed:
        break;
    }
    return { width, height };
}

LayoutResult computeLayout(const LayoutInput& in, bool preparePicture, const TextMeasure& measure)
{
    const float sw = in.scaleWidth;
    const float sh = in.scaleHeight;
    const bool hasPicture = std::int64_t(in.pictureWidth) + in.pictureHeight > 0;
    const Frame f = frameFor(in);
    const Reservation r = reservationFor(in, hasPicture);
    const std::int32_t p = in.pictureSizePx;
    const bool hasCaption = !in.caption.empty();

    // Measure the caption within the space the picture leaves.
    gdi::Rect text;
    if (hasCaption) {
        text = { 0, 0, f.width - 8 - (r.beside ? p : 0),
            roundEven(sh - 8.0f - float(r.stacked ? p : 0)) };
        measure(captionLines(in.caption), text);
        // Room for the relief copies.
        if (in.captionStyle != CaptionEffect::Flat) {
            text.right += 2;
            text.bottom += 2;
        }
    }
    const std::int32_t textWidth = hasCaption ? text.right : 0;
    const std::int32_t textHeight = hasCaption ? text.bottom : 0;

    gdi::Rect caption = text;
    if (hasCaption)
        caption = caption.translated(captionShift(in, f, r, textWidth), 0);

    gdi::Rect picture;
    if (hasPicture) {
        switch (in.pictureAlign) {
        case PicturePlacement::LeftEdge:
            picture.left = f.left + 4;
            break;
        case PicturePlacement::LeftOfCaption:
            picture.left = hasCaption ? caption.left - 4 - r.left : f.left + 4;
            break;
        case PicturePlacement::RightEdge:
            picture.left = f.right - 4 - r.right;
            break;
        case PicturePlacement::RightOfCaption:
            picture.left = hasCaption ? caption.right + 4 : f.right - 4 - r.right;
            break;
        case PicturePlacement::TopCenter:
        case PicturePlacement::BottomCenter:
            picture.left = (f.width - p) / 2 + f.left;
            break;
        }
        switch (in.pictureAlign) {
        case PicturePlacement::TopCenter: {
            const std::int32_t t = roundEven(sh - float(textHeight + r.above)) / 2;
            picture.top = t;
            caption = caption.translated(0, t + 2 + r.above);
            break;
        }
        case PicturePlacement::BottomCenter: {
            const std::int32_t h = roundEven(sh - float(textHeight + r.below)) / 2;
            caption = caption.translated(0, h + 2);
            picture.top = h + textHeight + 4;
            break;
        }
        case PicturePlacement::LeftEdge:
        case PicturePlacement::LeftOfCaption:
        case PicturePlacement::RightEdge:
        case PicturePlacement::RightOfCaption:
            caption = caption.translated(0, roundEven(sh - float(textHeight)) / 2);
            picture.top = roundEven(sh - float(p)) / 2;
            break;
        }
        picture.right = picture.left + p;
        picture.bottom = picture.top + p;
    } else {
        caption = caption.translated(0, roundEven(sh - float(textHeight)) / 2);
    }

    LayoutResult result;
    result.preparePicture = preparePicture;
    result.captionRect = clampToMargins(caption, f, sh);

    const bool customShape = in.shape == Shape::PictureFramed || in.shape == Shape::PictureRimmed;
    if (p <= 32) {
        result.pictureRect = clampToMargins(picture, f, sh);
    } else if (p == 40) {
        const float margin = in.shape == Shape::OvalFramed ? 1.0f : 3.0f;
        const std::int32_t m = std::int32_t(margin);
        result.pictureRect = { m, m, roundEven(sw - margin), roundEven(sh - margin) };
        result.preparePicture = true;
    } else if (p == 48 && customShape) {
        result.pictureRect = { 0, 0, roundEven(sw), roundEven(sh) };
    } else if (p == 48 && hasPicture) {
        const gdi::Size fit = FitPictureSize(
            in.pictureWidth, in.pictureHeight, f.width - 12, roundEven(sh - 12.0f));
        const std::int32_t left = (f.width - fit.width) / 2 + f.left;
        const std::int32_t top = roundEven(sh - float(fit.height)) / 2;
        result.pictureRect = { left, top, left + fit.width, top + fit.height };
        result.preparePicture = true;
    } else {
        result.pictureRect = picture;
    }
    return result;
}

} // namespace bastara::button
