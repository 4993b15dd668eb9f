#include "platform/gdi/bitmap.h"

#include <cassert>
#include <cstring>

namespace bastara::gdi {

namespace {

    std::int32_t pitchFor(std::int32_t width, PixelFormat format)
    {
        if (format == PixelFormat::Rgb32)
            return width * 4;
        // Device-dependent monochrome rows are padded to 16 bits.
        return ((width + 15) / 16) * 2;
    }

    constexpr std::uint32_t kOpaque = 0xFF000000;

} // namespace

Bitmap::Bitmap(std::int32_t width, std::int32_t height, PixelFormat format)
    : m_width(width)
    , m_height(height)
    , m_format(format)
    , m_pitch(pitchFor(width, format))
{
    const auto bytes = std::size_t(m_pitch) * std::size_t(m_height);
    m_words.assign((bytes + 3) / 4, format == PixelFormat::Rgb32 ? kOpaque : 0u);
}

std::shared_ptr<Bitmap> Bitmap::create(std::int32_t width, std::int32_t height, PixelFormat format)
{
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return nullptr;
    if (std::int64_t(width) * height > kMaxBitmapPixels)
        return nullptr;
    return std::make_shared<Bitmap>(width, height, format);
}

bool Bitmap::bitAt(std::int32_t x, std::int32_t y) const
{
    assert(isMonochrome() && bounds().contains(x, y));
    return (scanline(y)[x >> 3] >> (7 - (x & 7))) & 1;
}

void Bitmap::setBitAt(std::int32_t x, std::int32_t y, bool white)
{
    assert(isMonochrome() && bounds().contains(x, y));
    auto& byte = scanline(y)[x >> 3];
    const auto mask = std::uint8_t(0x80u >> (x & 7));
    byte = white ? std::uint8_t(byte | mask) : std::uint8_t(byte & ~mask);
}

ColorRef Bitmap::colorAt(std::int32_t x, std::int32_t y) const
{
    if (!bounds().contains(x, y))
        return CLR_INVALID;
    if (isMonochrome())
        return bitAt(x, y) ? 0xFFFFFF : 0;
    return colorRefFromDevice(colorRow(y)[x] & 0xFFFFFF);
}

void Bitmap::setColorAt(std::int32_t x, std::int32_t y, ColorRef color)
{
    if (!bounds().contains(x, y))
        return;
    if (isMonochrome())
        setBitAt(x, y, nearestMonoBit(color));
    else
        colorRow(y)[x] = kOpaque | deviceRgb(color);
}

void Bitmap::fill(ColorRef color)
{
    if (isMonochrome()) {
        const std::uint8_t byte = nearestMonoBit(color) ? 0xFF : 0x00;
        std::memset(m_words.data(), byte, m_words.size() * sizeof(std::uint32_t));
    } else {
        std::fill(m_words.begin(), m_words.end(), kOpaque | deviceRgb(color));
    }
}

std::shared_ptr<Bitmap> Bitmap::clone() const
{
    return std::make_shared<Bitmap>(*this);
}

BitmapRef createBitmap(std::int32_t width, std::int32_t height, int planes, int bitsPerPixel)
{
    if (planes != 1)
        return nullptr;
    if (bitsPerPixel == 1)
        return Bitmap::create(width, height, PixelFormat::Mono1);
    if (bitsPerPixel == 32)
        return Bitmap::create(width, height, PixelFormat::Rgb32);
    return nullptr;
}

BitmapRef createDibSection(std::int32_t width, std::int32_t height)
{
    auto bitmap = Bitmap::create(width, height, PixelFormat::Rgb32);
    if (bitmap)
        bitmap->setDibSection(true);
    return bitmap;
}

BitmapInfo getObject(const Bitmap& bitmap)
{
    BitmapInfo info;
    info.width = bitmap.width();
    info.height = bitmap.height();
    info.widthBytes = bitmap.pitch();
    info.bitsPerPixel = bitmap.bitsPerPixel();
    info.hasBits = bitmap.isDibSection();
    return info;
}

bool nearestMonoBit(ColorRef c)
{
    const ColorRef e = effectiveColor(c);
    const int r = redOf(e), g = greenOf(e), b = blueOf(e);
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite < toBlack;
}

} // namespace bastara::gdi
