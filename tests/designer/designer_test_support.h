#pragma once

// Pieces the designer tests share: pictures made in memory, the values a
// property set holds, and running the event loop until queued work is done.

#include "../platform/window/window_test_support.h"
#include "button_host/control_host.h"
#include "platform/gdi/picture.h"

#include <memory>

namespace bastara::designer::test {

using window::test::runEventsFor;
using window::test::runEventsUntil;

inline button::PictureRef bitmapPicture(int width, int height, gdi::ColorRef colour)
{
    gdi::BitmapRef bitmap = gdi::createDibSection(width, height);
    bitmap->fill(colour);
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp));
}

inline button::PictureRef iconPicture()
{
    auto icon = gdi::Icon::create(
        gdi::createBitmap(16, 16, 1, 1), gdi::createBitmap(16, 16, 1, 32), {}, true, {});
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::fromIcon(std::move(icon), gdi::PictureFormat::Ico));
}

inline std::vector<std::u16string> keysOf(const properties::PropertySet& set)
{
    std::vector<std::u16string> keys;
    for (const auto& entry : set.entries())
        keys.push_back(entry.key);
    return keys;
}

} // namespace bastara::designer::test
