#include "platform/gdi/picture.h"

#include "platform/gdi/internal/ico_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstring>

namespace bastara::gdi {

std::string_view describe(PictureError error)
{
    switch (error) {
    case PictureError::Empty:
        return "the picture data is empty";
    case PictureError::UnknownFormat:
        return "the data is not a BMP, JPEG, PNG, ICO or CUR picture";
    case PictureError::Corrupt:
        return "the picture data is damaged";
    case PictureError::ZeroSize:
        return "the picture has no width or no height";
    case PictureError::TooLarge:
        return "the picture is too large";
    }
    return "unknown picture error";
}

Picture::Picture(BitmapRef bitmap, std::shared_ptr<const Icon> icon, PictureFormat format)
    : m_bitmap(std::move(bitmap))
    , m_icon(std::move(icon))
    , m_format(format)
{ }

std::span<const std::uint8_t> Picture::fileBytes() const
{
    if (!m_fileBytes)
        return {};
    return *m_fileBytes;
}

Picture Picture::fromBitmap(BitmapRef bitmap, PictureFormat format)
{
    return Picture(std::move(bitmap), nullptr, format);
}

Picture Picture::fromIcon(std::shared_ptr<const Icon> icon, PictureFormat format)
{
    return Picture(nullptr, std::move(icon), format);
}

namespace detail {

    Result<DecodedImage, PictureError> decodeWithQt(
        std::span<const std::uint8_t> data, const char* format)
    {
        const QByteArray bytes = QByteArray::fromRawData(
            reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
        QBuffer buffer;
        buffer.setData(bytes);
        if (!buffer.open(QIODevice::ReadOnly))
            return Unexpected { PictureError::Corrupt };
        QImageReader reader(&buffer, format);
        reader.setAutoDetectImageFormat(false);
        const QSize declared = reader.size();
        if (declared.isValid()) {
            if (declared.width() == 0 || declared.height() == 0)
                return Unexpected { PictureError::ZeroSize };
            if (declared.width() > kMaxBitmapSide || declared.height() > kMaxBitmapSide
                || std::int64_t(declared.width()) * declared.height() > kMaxBitmapPixels)
                return Unexpected { PictureError::TooLarge };
        }
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return Unexpected { PictureError::Corrupt };
        if (image.width() > kMaxBitmapSide || image.height() > kMaxBitmapSide
            || std::int64_t(image.width()) * image.height() > kMaxBitmapPixels)
            return Unexpected { PictureError::TooLarge };
        image = image.convertToFormat(QImage::Format_ARGB32);
        DecodedImage decoded;
        decoded.width = image.width();
        decoded.height = image.height();
        decoded.argb.resize(std::size_t(decoded.width) * std::size_t(decoded.height));
        for (std::int32_t y = 0; y < decoded.height; ++y)
            std::memcpy(decoded.argb.data() + std::size_t(y) * std::size_t(decoded.width),
                image.constScanLine(y), std::size_t(decoded.width) * 4);
        return decoded;
    }

} // namespace detail

namespace {

    bool startsWith(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> magic)
    {
        return data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), data.begin());
    }

    // Transparent pixels are flattened onto white.
    std::uint32_t overWhite(std::uint32_t argb)
    {
        const std::uint32_t a = argb >> 24;
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const std::uint32_t c = (argb >> shift) & 0xFF;
            out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
        }
        return out;
    }

    Result<Picture, PictureError> decodeBitmapPicture(
        std::span<const std::uint8_t> data, const char* qtFormat, PictureFormat format)
    {
        auto decoded = detail::decodeWithQt(data, qtFormat);
        if (!decoded)
            return Unexpected { decoded.error() };
        BitmapRef bitmap = createDibSection(decoded->width, decoded->height);
        if (!bitmap)
            return Unexpected { PictureError::TooLarge };
        for (std::int32_t y = 0; y < decoded->height; ++y) {
            std::uint32_t* row = bitmap->colorRow(y);
            const std::uint32_t* source
                = decoded->argb.data() + std::size_t(y) * std::size_t(decoded->width);
            for (std::int32_t x = 0; x < decoded->width; ++x)
                row[x] = 0xFF000000 | overWhite(source[x]);
        }
        return Picture::fromBitmap(std::move(bitmap), format);
    }

    Result<Picture, PictureError> decodeFile(std::span<const std::uint8_t> data)
    {
        if (startsWith(data, { 'B', 'M' }))
            return decodeBitmapPicture(data, "bmp", PictureFormat::Bmp);
        if (startsWith(data, { 0xFF, 0xD8, 0xFF }))
            return decodeBitmapPicture(data, "jpeg", PictureFormat::Jpeg);
        if (startsWith(data, { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A }))
            return decodeBitmapPicture(data, "png", PictureFormat::Png);
        const bool ico = startsWith(data, { 0, 0, 1, 0 });
        const bool cur = startsWith(data, { 0, 0, 2, 0 });
        if (!ico && !cur)
            return Unexpected { PictureError::UnknownFormat };
        auto icon = detail::decodeIconFile(data, cur);
        if (!icon)
            return Unexpected { icon.error() };
        return Picture::fromIcon(std::move(*icon), cur ? PictureFormat::Cur : PictureFormat::Ico);
    }

} // namespace

Result<Picture, PictureError> decodePicture(std::span<const std::uint8_t> data)
{
    if (data.empty())
        return Unexpected { PictureError::Empty };
    auto picture = decodeFile(data);
    if (picture)
        picture->m_fileBytes
            = std::make_shared<const std::vector<std::uint8_t>>(data.begin(), data.end());
    return picture;
}

} // namespace bastara::gdi
