#include "platform/properties/picture_value.h"

#include <algorithm>

namespace bastara::properties {

PictureValue PictureValue::fromFileBytes(std::vector<std::uint8_t> bytes)
{
    PictureValue value;
    if (bytes.empty())
        return value;
    if (auto decoded = gdi::decodePicture(bytes))
        value.m_picture = std::make_shared<const gdi::Picture>(std::move(*decoded));
    value.m_bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    return value;
}

PictureValue PictureValue::fromPicture(PictureRef picture)
{
    PictureValue value;
    if (!picture)
        return value;
    value.m_bytes = std::make_shared<const std::vector<std::uint8_t>>(gdi::encodePicture(*picture));
    value.m_picture = std::move(picture);
    return value;
}

std::span<const std::uint8_t> PictureValue::fileBytes() const
{
    if (!m_bytes)
        return {};
    return *m_bytes;
}

bool operator==(const PictureValue& a, const PictureValue& b)
{
    return std::ranges::equal(a.fileBytes(), b.fileBytes());
}

} // namespace bastara::properties
