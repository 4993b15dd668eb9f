#include "platform/gdi/qt_image.h"

namespace bastara::gdi {

QImage toQImage(const Bitmap& bitmap)
{
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (std::int32_t y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < bitmap.width(); ++x)
            row[x] = 0xFF000000 | deviceRgb(bitmap.colorAt(x, y));
    }
    return image;
}

QImage wrapAsQImage(Bitmap& bitmap)
{
    if (bitmap.isMonochrome() || bitmap.width() == 0 || bitmap.height() == 0)
        return {};
    return QImage(
        bitmap.scanline(0), bitmap.width(), bitmap.height(), bitmap.pitch(), QImage::Format_RGB32);
}

BitmapRef bitmapFromQImage(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    BitmapRef bitmap = createDibSection(image.width(), image.height());
    if (!bitmap)
        return nullptr;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (std::int32_t y = 0; y < argb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint32_t* row = bitmap->colorRow(y);
        for (std::int32_t x = 0; x < argb.width(); ++x) {
            const QRgb p = source[x];
            const int a = qAlpha(p);
            auto channel
                = [a](int c) { return std::uint32_t((c * a + 255 * (255 - a) + 127) / 255); };
            row[x] = 0xFF000000 | (channel(qRed(p)) << 16) | (channel(qGreen(p)) << 8)
                | channel(qBlue(p));
        }
    }
    return bitmap;
}

} // namespace bastara::gdi
