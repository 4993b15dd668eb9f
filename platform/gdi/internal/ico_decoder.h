#pragma once

// ICO and CUR files: the icon directory, and the image of its first entry,
// stored either as a PNG stream or as a DIB (colour bits followed by the AND
// mask, with the header's height counting both).

#include "platform/gdi/picture.h"

namespace bastara::gdi::detail {

[[nodiscard]] Result<std::shared_ptr<const Icon>, PictureError> decodeIconFile(
    std::span<const std::uint8_t> data, bool cursor);

// PNG, BMP or JPEG bytes through Qt's readers, as 0xAARRGGBB pixels; used for
// bitmap pictures and for PNG-compressed icon images.
struct DecodedImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> argb;
};
[[nodiscard]] Result<DecodedImage, PictureError> decodeWithQt(
    std::span<const std::uint8_t> data, const char* format);

} // namespace bastara::gdi::detail
