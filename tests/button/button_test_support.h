#pragma once

// Shared pieces of the button tests: the fonts the forms name, pictures made
// from pixel values, and pixel queries on the back buffer and the surface.

#include "../platform/gdi/gdi_test_support.h"
#include "button/button.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/text.h"
#include "platform/window/handles.h"
#include "support/fake_host.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace bastara::button::test {

// "Times New Roman" as the forms name it: Latin from Liberation Serif, Arabic
// script from Noto Naskh Arabic, so text widths do not depend on the machine.
inline void useFormFonts()
{
    gdi::installFontSubstitutes();
}

// A bitmap picture from rows of COLORREF values.
inline PictureRef bitmapPicture(std::initializer_list<std::initializer_list<gdi::ColorRef>> rows)
{
    const auto height = std::int32_t(rows.size());
    const auto width = std::int32_t(rows.begin()->size());
    gdi::BitmapRef bitmap = gdi::createDibSection(width, height);
    std::int32_t y = 0;
    for (const auto& row : rows) {
        std::int32_t x = 0;
        for (gdi::ColorRef c : row)
            bitmap->setColorAt(x++, y, c);
        ++y;
    }
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp));
}

inline PictureRef solidPicture(std::int32_t width, std::int32_t height, gdi::ColorRef colour)
{
    gdi::BitmapRef bitmap = gdi::createDibSection(width, height);
    bitmap->fill(colour);
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp));
}

// An icon from its colour image (nullptr: monochrome) and mask (1 = see-through).
inline PictureRef iconPicture(gdi::BitmapRef colour, gdi::BitmapRef mask)
{
    auto icon = gdi::Icon::create(std::move(mask), std::move(colour), {}, false, {});
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::fromIcon(std::move(icon), gdi::PictureFormat::Ico));
}

// The bounding box of the pixels with exactly this colour; empty when none.
inline gdi::Rect boxOf(const gdi::Bitmap& bitmap, gdi::ColorRef colour)
{
    gdi::Rect box { bitmap.width(), bitmap.height(), 0, 0 };
    for (std::int32_t y = 0; y < bitmap.height(); ++y)
        for (std::int32_t x = 0; x < bitmap.width(); ++x)
            if (bitmap.colorAt(x, y) == colour)
                box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                    std::max(box.bottom, y + 1) };
    return box.isEmpty() ? gdi::Rect {} : box;
}

// The bounding box of the pixels that differ from `background`.
inline gdi::Rect boxOfChanges(const gdi::Bitmap& bitmap, gdi::ColorRef background)
{
    gdi::Rect box { bitmap.width(), bitmap.height(), 0, 0 };
    for (std::int32_t y = 0; y < bitmap.height(); ++y)
        for (std::int32_t x = 0; x < bitmap.width(); ++x)
            if (bitmap.colorAt(x, y) != background)
                box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                    std::max(box.bottom, y + 1) };
    return box.isEmpty() ? gdi::Rect {} : box;
}

// A window handle as decimal text, as a control's Tag holds its container.
inline std::u16string handleTag(window::WindowHandle handle)
{
    const std::string digits = window::windowHandleText(handle);
    return std::u16string(digits.begin(), digits.end());
}

inline gdi::Bitmap& bufferOf(Button& button)
{
    return button.state().bufferDC->bitmap();
}

} // namespace bastara::button::test
