#pragma once

// Icons and cursors: a colour image with a transparency mask.
//
//     drawIconEx(dc, x, y, *picture.icon(), 32, 32, DI_NORMAL);
//
// DI_NORMAL draws dest = (dest AND mask) XOR image: mask bits 1 keep the
// destination, 0 replace it with the image. A monochrome icon has no colour
// image; its mask is twice as tall, the AND half on top and the XOR half
// below. A 32-bit image with an alpha channel is alpha-blended into colour
// targets instead, the mask ignored, as the platform does.

#include "platform/gdi/dc.h"

#include <memory>
#include <optional>
#include <vector>

namespace bastara::gdi {

class Icon
{
public:
    // Checks the parts fit together: a monochrome mask of the colour image's
    // size (or twice its height without one), alpha values for each pixel of
    // the colour image or none. nullptr otherwise.
    [[nodiscard]] static std::shared_ptr<const Icon> create(BitmapRef mask, BitmapRef color,
        std::vector<std::uint8_t> alpha, bool isCursor, Point hotspot);

    std::int32_t width() const { return m_mask->width(); }
    std::int32_t height() const { return m_color ? m_color->height() : m_mask->height() / 2; }
    bool isCursor() const { return m_isCursor; }
    Point hotspot() const { return m_hotspot; }
    const BitmapRef& mask() const { return m_mask; }
    // nullptr for a monochrome icon.
    const BitmapRef& color() const { return m_color; }
    // Row-major alpha of the colour image; empty without an alpha channel.
    const std::vector<std::uint8_t>& alpha() const { return m_alpha; }

    Icon(BitmapRef mask, BitmapRef color, std::vector<std::uint8_t> alpha, bool isCursor,
        Point hotspot);

private:
    BitmapRef m_mask;
    BitmapRef m_color;
    std::vector<std::uint8_t> m_alpha;
    bool m_isCursor;
    Point m_hotspot;
};

// GetIconInfo: new copies of the mask and the colour image (nullptr for a
// monochrome icon); the caller owns them.
struct IconInfo {
    bool isIcon = true;
    Point hotspot;
    BitmapRef mask;
    BitmapRef color;
};
IconInfo getIconInfo(const Icon& icon);

inline constexpr std::uint32_t DI_MASK = 0x1;
inline constexpr std::uint32_t DI_IMAGE = 0x2;
inline constexpr std::uint32_t DI_NORMAL = DI_MASK | DI_IMAGE;

// DrawIconEx at (x, y), scaled to width x height (0 takes the icon's own size)
// by nearest neighbour. DI_MASK alone ANDs the mask in, DI_IMAGE alone copies
// the image, DI_NORMAL does both. The context's colours and stretch mode are
// left as they were.
void drawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const Icon& icon,
    std::int32_t width, std::int32_t height, std::uint32_t flags);

} // namespace bastara::gdi
