// ICO / CUR decoding (picture.h).
//
// File layout, all little-endian:
//
//   ICONDIR         offset size
//     reserved        0     2   0
//     type            2     2   1 icon, 2 cursor
//     count           4     2   number of entries, >= 1
//   ICONDIRENTRY    6 + 16 i
//     width           0     1   0 means 256
//     height          1     1   0 means 256
//     colorCount      2     1
//     reserved        3     1
//     planes/hotX     4     2   cursor: hotspot x
//     bitCount/hotY   6     2   cursor: hotspot y
//     bytesInRes      8     4   size of the image data
//     imageOffset    12     4   from the start of the file
//
// Image data is a PNG stream, or a BITMAPINFOHEADER (biSize >= 40) followed by
// the palette (bit counts <= 8), the XOR (colour) rows and the AND (mask) rows,
// both bottom-up and padded to 4 bytes; biHeight counts both halves.

#include "platform/gdi/internal/ico_decoder.h"

#include <optional>

namespace bastara::gdi::detail {

namespace {

    // Bounds-checked little-endian reads from one span.
    class ByteReader
    {
    public:
        explicit ByteReader(std::span<const std::uint8_t> data)
            : m_data(data)
        { }

        std::optional<std::uint32_t> u8(std::size_t offset) const
        {
            if (offset >= m_data.size())
                return std::nullopt;
            return m_data[offset];
        }
        std::optional<std::uint32_t> u16(std::size_t offset) const
        {
            if (offset > m_data.size() || m_data.size() - offset < 2)
                return std::nullopt;
            return std::uint32_t(m_data[offset]) | (std::uint32_t(m_data[offset + 1]) << 8);
        }
        std::optional<std::uint32_t> u32(std::size_t offset) const
        {
            if (offset > m_data.size() || m_data.size() - offset < 4)
                return std::nullopt;
            return std::uint32_t(m_data[offset]) | (std::uint32_t(m_data[offset + 1]) << 8)
                | (std::uint32_t(m_data[offset + 2]) << 16)
                | (std::uint32_t(m_data[offset + 3]) << 24);
        }
        std::optional<std::int32_t> i32(std::size_t offset) const
        {
            const auto v = u32(offset);
            if (!v)
                return std::nullopt;
            return std::int32_t(*v);
        }
        // The sub-span [offset, offset + length), or nullopt when it does not fit.
        std::optional<std::span<const std::uint8_t>> slice(
            std::size_t offset, std::size_t length) const
        {
            if (offset > m_data.size() || m_data.size() - offset < length)
                return std::nullopt;
            return m_data.subspan(offset, length);
        }
        std::size_t size() const { return m_data.size(); }

    private:
        std::span<const std::uint8_t> m_data;
    };

    // Icons larger than this are not icons.
    constexpr std::int32_t kMaxIconSide = 1024;

    constexpr std::uint8_t kPngSignature[] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };

    bool isPng(std::span<const std::uint8_t> data)
    {
        return data.size() >= sizeof kPngSignature
            && std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin());
    }

    struct IconParts {
        BitmapRef mask;
        BitmapRef color;
        std::vector<std::uint8_t> alpha;
    };

    Result<IconParts, PictureError> fromPng(std::span<const std::uint8_t> data)
    {
        auto decoded = decodeWithQt(data, "png");
        if (!decoded)
            return Unexpected { decoded.error() };
        if (decoded->width > kMaxIconSide || decoded->height > kMaxIconSide)
            return Unexpected { PictureError::TooLarge };
        IconParts parts;
        parts.color = Bitmap::create(decoded->width, decoded->height, PixelFormat::Rgb32);
        parts.mask = Bitmap::create(decoded->width, decoded->height, PixelFormat::Mono1);
        if (!parts.color || !parts.mask)
            return Unexpected { PictureError::TooLarge };
        parts.alpha.resize(decoded->argb.size());
        for (std::int32_t y = 0; y < decoded->height; ++y) {
            for (std::int32_t x = 0; x < decoded->width; ++x) {
                const std::size_t i = std::size_t(y) * std::size_t(decoded->width) + std::size_t(x);
                const std::uint32_t argb = decoded->argb[i];
                parts.alpha[i] = std::uint8_t(argb >> 24);
                // A fully transparent pixel keeps the background, and shows
                // nothing through the XOR image.
                const bool transparent = (argb >> 24) == 0;
                parts.mask->setBitAt(x, y, transparent);
                parts.color->colorRow(y)[x] = 0xFF000000 | (transparent ? 0 : (argb & 0xFFFFFF));
            }
        }
        return parts;
    }

    Result<IconParts, PictureError> fromDib(std::span<const std::uint8_t> data)
    {
        const ByteReader in(data);
        const auto headerSize = in.u32(0);
        const auto width = in.i32(4);
        const auto doubledHeight = in.i32(8);
        const auto bitCount = in.u16(14);
        const auto compression = in.u32(16);
        const auto colorsUsed = in.u32(32);
        if (!headerSize || !width || !doubledHeight || !bitCount || !compression || !colorsUsed)
            return Unexpected { PictureError::Corrupt };
        if (*headerSize < 40 || *headerSize > in.size() || *compression != 0)
            return Unexpected { PictureError::Corrupt };
        const std::int32_t w = *width;
        const std::int32_t h = *doubledHeight / 2;
        if (w == 0 || h == 0)
            return Unexpected { PictureError::ZeroSize };
        if (w < 0 || h < 0)
            return Unexpected { PictureError::Corrupt };
        if (w > kMaxIconSide || h > kMaxIconSide)
            return Unexpected { PictureError::TooLarge };
        const std::uint32_t bpp = *bitCount;
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
            return Unexpected { PictureError::Corrupt };

        std::size_t paletteSize = 0;
        if (bpp <= 8) {
            paletteSize = *colorsUsed ? *colorsUsed : (1u << bpp);
            if (paletteSize > (1u << bpp))
                return Unexpected { PictureError::Corrupt };
        }
        const std::size_t paletteOffset = *headerSize;
        const std::size_t xorStride = ((std::size_t(w) * bpp + 31) / 32) * 4;
        const std::size_t andStride = ((std::size_t(w) + 31) / 32) * 4;
        const std::size_t xorOffset = paletteOffset + paletteSize * 4;
        const std::size_t andOffset = xorOffset + xorStride * std::size_t(h);
        const auto palette = in.slice(paletteOffset, paletteSize * 4);
        const auto xorBits = in.slice(xorOffset, xorStride * std::size_t(h));
        if (!palette || !xorBits)
            return Unexpected { PictureError::Corrupt };
        // 32-bit images with alpha sometimes come without a mask.
        auto andBits = in.slice(andOffset, andStride * std::size_t(h));
        if (!andBits && bpp != 32)
            return Unexpected { PictureError::Corrupt };

        auto paletteColor = [&](std::size_t index) -> std::uint32_t {
            if (index >= paletteSize)
                return 0;
            const auto* p = palette->data() + index * 4; // B, G, R, reserved
            return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
        };
        auto maskBit = [&](std::int32_t x, std::int32_t fileRow) {
            if (!andBits)
                return false;
            const std::uint8_t byte
                = (*andBits)[std::size_t(fileRow) * andStride + std::size_t(x) / 8];
            return ((byte >> (7 - (x % 8))) & 1) != 0;
        };
        auto pixelRgb
            = [&](std::int32_t x, std::int32_t fileRow, std::uint8_t& alpha) -> std::uint32_t {
            const std::uint8_t* row = xorBits->data() + std::size_t(fileRow) * xorStride;
            const auto ux = std::size_t(x);
            alpha = 255;
            switch (bpp) {
            case 1:
                return paletteColor((row[ux / 8] >> (7 - ux % 8)) & 1);
            case 4:
                return paletteColor((row[ux / 2] >> (ux % 2 ? 0 : 4)) & 0xF);
            case 8:
                return paletteColor(row[ux]);
            case 16: {
                const std::uint32_t v = row[ux * 2] | (std::uint32_t(row[ux * 2 + 1]) << 8);
                const std::uint32_t r = (v >> 10) & 0x1F, g = (v >> 5) & 0x1F, b = v & 0x1F;
                return ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
            }
            case 24:
                return (std::uint32_t(row[ux * 3 + 2]) << 16)
                    | (std::uint32_t(row[ux * 3 + 1]) << 8) | row[ux * 3];
            default:
                alpha = row[ux * 4 + 3];
                return (std::uint32_t(row[ux * 4 + 2]) << 16)
                    | (std::uint32_t(row[ux * 4 + 1]) << 8) | row[ux * 4];
            }
        };

        IconParts parts;
        const bool monochrome = bpp == 1;
        parts.mask = Bitmap::create(w, monochrome ? 2 * h : h, PixelFormat::Mono1);
        if (!monochrome)
            parts.color = Bitmap::create(w, h, PixelFormat::Rgb32);
        if (!parts.mask || (!monochrome && !parts.color))
            return Unexpected { PictureError::TooLarge };
        std::vector<std::uint8_t> alpha(std::size_t(w) * std::size_t(h));
        bool anyAlpha = false;
        for (std::int32_t y = 0; y < h; ++y) {
            const std::int32_t fileRow = h - 1 - y; // bottom-up
            for (std::int32_t x = 0; x < w; ++x) {
                std::uint8_t a = 255;
                const std::uint32_t rgb = pixelRgb(x, fileRow, a);
                alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)] = a;
                anyAlpha = anyAlpha || a != 0;
                parts.mask->setBitAt(x, y, maskBit(x, fileRow));
                if (monochrome)
                    parts.mask->setBitAt(x, h + y, nearestMonoBit(colorRefFromDevice(rgb)));
                else
                    parts.color->colorRow(y)[x] = 0xFF000000 | rgb;
            }
        }
        // A 32-bit image whose alpha bytes are all zero has no alpha channel.
        if (bpp == 32 && anyAlpha) {
            parts.alpha = std::move(alpha);
            if (!andBits) {
                for (std::int32_t y = 0; y < h; ++y)
                    for (std::int32_t x = 0; x < w; ++x)
                        parts.mask->setBitAt(x, y,
                            parts.alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)] == 0);
            }
        } else if (!andBits) {
            return Unexpected { PictureError::Corrupt };
        }
        return parts;
    }

} // namespace

Result<std::shared_ptr<const Icon>, PictureError> decodeIconFile(
    std::span<const std::uint8_t> data, bool cursor)
{
    const ByteReader in(data);
    const auto count = in.u16(4);
    if (!count || *count == 0)
        return Unexpected { PictureError::Corrupt };
    // The first entry in the file.
    const std::size_t entry = 6;
    const auto hotX = in.u16(entry + 4);
    const auto hotY = in.u16(entry + 6);
    const auto size = in.u32(entry + 8);
    const auto offset = in.u32(entry + 12);
    if (!hotX || !hotY || !size || !offset)
        return Unexpected { PictureError::Corrupt };
    const auto image = in.slice(*offset, *size);
    if (!image)
        return Unexpected { PictureError::Corrupt };
    auto parts = isPng(*image) ? fromPng(*image) : fromDib(*image);
    if (!parts)
        return Unexpected { parts.error() };
    const Point hotspot = cursor ? Point { std::int32_t(*hotX), std::int32_t(*hotY) } : Point {};
    auto icon = Icon::create(
        std::move(parts->mask), std::move(parts->color), std::move(parts->alpha), cursor, hotspot);
    if (!icon)
        return Unexpected { PictureError::Corrupt };
    return icon;
}

} // namespace bastara::gdi::detail
