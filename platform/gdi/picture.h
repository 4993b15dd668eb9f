#pragma once

// Pictures decoded from stored bytes: BMP, JPEG, PNG (bitmaps) and ICO, CUR
// (icons). The kind is kept, because bitmaps and icons are drawn differently
// (a bitmap through a transparency key, an icon through its own mask).
//
//     auto picture = decodePicture(bytes);
//     if (!picture) report(describe(picture.error()));
//     else if (picture->kind() == PictureKind::Icon) drawIconEx(dc, x, y, *picture->icon(), ...);
//
// Bitmaps come out as 32-bit DIB sections (their pixels are the program's to
// read); transparency in a PNG is flattened onto white. Icon files hold several
// images; the first one in the file is taken. Zero-sized images are refused, so
// a picture always has a width and a height.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/icon.h"
#include "platform/support/result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace bastara::gdi {

enum class PictureKind {
    Bitmap, // BMP, JPEG, PNG
    Icon, // ICO, CUR
};

enum class PictureFormat {
    Bmp,
    Jpeg,
    Png,
    Ico,
    Cur,
};

enum class PictureError {
    Empty,
    UnknownFormat,
    Corrupt,
    ZeroSize,
    TooLarge,
};
std::string_view describe(PictureError error);

class Picture
{
public:
    static Picture fromBitmap(BitmapRef bitmap, PictureFormat format);
    static Picture fromIcon(std::shared_ptr<const Icon> icon, PictureFormat format);

    PictureKind kind() const { return m_icon ? PictureKind::Icon : PictureKind::Bitmap; }
    PictureFormat format() const { return m_format; }
    std::int32_t width() const { return m_icon ? m_icon->width() : m_bitmap->width(); }
    std::int32_t height() const { return m_icon ? m_icon->height() : m_bitmap->height(); }
    // The image of a bitmap picture; nullptr for icons.
    const BitmapRef& bitmap() const { return m_bitmap; }
    // The icon of an icon picture; nullptr for bitmaps.
    const std::shared_ptr<const Icon>& icon() const { return m_icon; }
    // The file this picture was decoded from, so that it can be stored again
    // unchanged; empty for pictures made in memory.
    std::span<const std::uint8_t> fileBytes() const;

private:
    Picture(BitmapRef bitmap, std::shared_ptr<const Icon> icon, PictureFormat format);
    friend Result<Picture, PictureError> decodePicture(std::span<const std::uint8_t> data);

    BitmapRef m_bitmap;
    std::shared_ptr<const Icon> m_icon;
    PictureFormat m_format;
    std::shared_ptr<const std::vector<std::uint8_t>> m_fileBytes;
};

[[nodiscard]] Result<Picture, PictureError> decodePicture(std::span<const std::uint8_t> data);

// The picture as a file that decodePicture reads back to the same picture: the
// bytes it was decoded from, else (made in memory) a 32-bit BMP for a bitmap,
// or an ICO or CUR holding the icon's image, mask and alpha.
[[nodiscard]] std::vector<std::uint8_t> encodePicture(const Picture& picture);

} // namespace bastara::gdi
