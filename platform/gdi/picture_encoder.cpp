// encodePicture (picture.h): pictures made in memory written as files that
// decodePicture reads back pixel for pixel.
//
// BMP, all little-endian:
//
//   BITMAPFILEHEADER  offset size
//     type              0     2   "BM"
//     fileSize          2     4
//     reserved          6     4   0
//     bitsOffset       10     4   54
//   BITMAPINFOHEADER 14    40   (below)
//   pixels           54         rows bottom-up, B G R A per pixel
//
// ICO / CUR: ICONDIR (6 bytes), one ICONDIRENTRY (16 bytes; a cursor keeps
// its hotspot in the planes and bit-count fields), then a BITMAPINFOHEADER
// whose height counts both halves, the palette (1-bit images only), the XOR
// rows and the AND (mask) rows, bottom-up, each row padded to 4 bytes.
//
//   BITMAPINFOHEADER  offset size
//     size              0     4   40
//     width             4     4
//     height            8     4
//     planes           12     2   1
//     bitCount         14     2   1 or 32
//     compression      16     4   0 (BI_RGB)
//     sizeImage        20     4   0
//     resolution       24     8   0
//     colorsUsed       32     4   0
//     colorsImportant  36     4   0

#include "platform/gdi/picture.h"

namespace bastara::gdi {

namespace {

    class ByteWriter
    {
    public:
        void u8(std::uint32_t v) { m_bytes.push_back(std::uint8_t(v & 0xFF)); }
        void u16(std::uint32_t v)
        {
            u8(v);
            u8(v >> 8);
        }
        void u32(std::uint32_t v)
        {
            u16(v & 0xFFFF);
            u16(v >> 16);
        }
        void zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }
        std::size_t size() const { return m_bytes.size(); }
        std::vector<std::uint8_t> take() { return std::move(m_bytes); }

    private:
        std::vector<std::uint8_t> m_bytes;
    };

    constexpr std::uint32_t kInfoHeaderSize = 40;

    void infoHeader(ByteWriter& out, std::int32_t width, std::int32_t height, std::uint32_t bits)
    {
        out.u32(kInfoHeaderSize);
        out.u32(std::uint32_t(width));
        out.u32(std::uint32_t(height));
        out.u16(1);
        out.u16(bits);
        out.zeros(24);
    }

    // Row y of a colour bitmap as B G R A, alpha from `alpha`, else `noAlpha`.
    // An icon without alpha must say so with 0 everywhere; a BMP says 0xFF.
    void colourRow(ByteWriter& out, const Bitmap& colour, std::int32_t y,
        const std::vector<std::uint8_t>& alpha, std::uint8_t noAlpha)
    {
        const std::uint32_t* row = colour.colorRow(y);
        for (std::int32_t x = 0; x < colour.width(); ++x) {
            out.u8(row[x]);
            out.u8(row[x] >> 8);
            out.u8(row[x] >> 16);
            out.u8(alpha.empty()
                    ? noAlpha
                    : alpha[std::size_t(y) * std::size_t(colour.width()) + std::size_t(x)]);
        }
    }

    // Row y of a monochrome bitmap, 1 = white, padded to 4 bytes.
    void maskRow(ByteWriter& out, const Bitmap& mask, std::int32_t y)
    {
        const std::size_t start = out.size();
        for (std::int32_t x0 = 0; x0 < mask.width(); x0 += 8) {
            std::uint32_t byte = 0;
            for (std::int32_t bit = 0; bit < 8 && x0 + bit < mask.width(); ++bit)
                if (mask.bitAt(x0 + bit, y))
                    byte |= 0x80u >> bit;
            out.u8(byte);
        }
        while ((out.size() - start) % 4 != 0)
            out.u8(0);
    }

    std::vector<std::uint8_t> encodeBmp(const Bitmap& bitmap)
    {
        const std::uint32_t pixels = std::uint32_t(bitmap.width()) * std::uint32_t(bitmap.height());
        ByteWriter out;
        out.u8('B');
        out.u8('M');
        out.u32(14 + kInfoHeaderSize + 4 * pixels);
        out.u32(0);
        out.u32(14 + kInfoHeaderSize);
        infoHeader(out, bitmap.width(), bitmap.height(), 32);
        for (std::int32_t y = bitmap.height() - 1; y >= 0; --y)
            colourRow(out, bitmap, y, {}, 0xFF);
        return out.take();
    }

    std::vector<std::uint8_t> encodeIcon(const Icon& icon, bool cursor)
    {
        const std::int32_t w = icon.width();
        const std::int32_t h = icon.height();
        const Bitmap* colour = icon.color().get();
        ByteWriter image;
        infoHeader(image, w, 2 * h, colour ? 32 : 1);
        if (colour) {
            for (std::int32_t y = h - 1; y >= 0; --y)
                colourRow(image, *colour, y, icon.alpha(), 0);
        } else {
            // A monochrome icon keeps its XOR image below the mask.
            image.u32(0x000000);
            image.u32(0xFFFFFF);
            for (std::int32_t y = h - 1; y >= 0; --y)
                maskRow(image, *icon.mask(), h + y);
        }
        for (std::int32_t y = h - 1; y >= 0; --y)
            maskRow(image, *icon.mask(), y);
        std::vector<std::uint8_t> data = image.take();

        ByteWriter out;
        out.u16(0);
        out.u16(cursor ? 2 : 1);
        out.u16(1);
        out.u8(w >= 256 ? 0 : std::uint32_t(w));
        out.u8(h >= 256 ? 0 : std::uint32_t(h));
        out.u8(0);
        out.u8(0);
        out.u16(cursor ? std::uint32_t(icon.hotspot().x) : 1);
        out.u16(cursor ? std::uint32_t(icon.hotspot().y) : (colour ? 32 : 1));
        out.u32(std::uint32_t(data.size()));
        out.u32(22);
        std::vector<std::uint8_t> file = out.take();
        file.insert(file.end(), data.begin(), data.end());
        return file;
    }

} // namespace

std::vector<std::uint8_t> encodePicture(const Picture& picture)
{
    if (!picture.fileBytes().empty())
        return { picture.fileBytes().begin(), picture.fileBytes().end() };
    if (const auto& icon = picture.icon())
        return encodeIcon(*icon, picture.format() == PictureFormat::Cur);
    return encodeBmp(*picture.bitmap());
}

} // namespace bastara::gdi
