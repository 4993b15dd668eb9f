#include "platform/jet/page_codec.h"

#include "platform/jet/rc4.h"

#include <array>

namespace bastara::jet {

void maskHeader(PageSpan page)
{
    Rc4 cipher(format::header::maskKey);
    cipher.apply(page.subspan(format::header::maskedBegin, format::header::maskedLength));
}

PageCodec::PageCodec(std::uint32_t databaseKey)
    : m_key(databaseKey)
{ }

void PageCodec::apply(std::uint32_t pageNumber, PageSpan page) const
{
    if (pageNumber == 0) {
        maskHeader(page);
        return;
    }
    if (m_key == 0)
        return;
    const std::uint32_t pageKey = m_key ^ pageNumber;
    const std::array<std::uint8_t, 4> key { static_cast<std::uint8_t>(pageKey),
        static_cast<std::uint8_t>(pageKey >> 8), static_cast<std::uint8_t>(pageKey >> 16),
        static_cast<std::uint8_t>(pageKey >> 24) };
    Rc4 cipher(key);
    cipher.apply(page);
}

} // namespace bastara::jet
