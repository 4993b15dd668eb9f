#include "platform/jet/long_values.h"

#include "platform/jet/format.h"

namespace bastara::jet {

namespace {

    constexpr std::uint8_t kindInline = 0x80;
    constexpr std::uint8_t kindSingleRow = 0x40;
    constexpr std::uint8_t kindChain = 0x00;

    LongValueField field(std::size_t length, std::uint8_t kind, std::uint32_t pointer)
    {
        LongValueField bytes {};
        bytes[0] = static_cast<std::uint8_t>(length);
        bytes[1] = static_cast<std::uint8_t>(length >> 8);
        bytes[2] = static_cast<std::uint8_t>(length >> 16);
        bytes[3] = kind;
        for (std::size_t i = 0; i < 4; ++i)
            bytes[4 + i] = static_cast<std::uint8_t>(pointer >> (8 * i));
        return bytes;
    }

    void putPointer(std::uint8_t* at, std::uint32_t pointer)
    {
        for (std::size_t i = 0; i < 4; ++i)
            at[i] = static_cast<std::uint8_t>(pointer >> (8 * i));
    }

} // namespace

LongValueField inlineLongValueField(std::size_t length)
{
    return field(length, kindInline, 0);
}

LongValueWriter::LongValueWriter(PageSpool& spool)
    : m_spool(spool)
{ }

Result<void, IoError> LongValueWriter::flush()
{
    if (!m_current)
        return {};
    m_withRoom = m_page.hasRoom() ? m_current : std::nullopt;
    auto written = m_spool.write(*m_current, m_page.page());
    m_current.reset();
    return written;
}

Result<void, IoError> LongValueWriter::startPage()
{
    if (auto flushed = flush(); !flushed)
        return flushed;
    m_current = m_spool.allocate();
    m_owned.add(*m_current);
    m_page.reset(longValueOwner);
    return {};
}

std::uint32_t LongValueWriter::append(std::span<const std::uint8_t> row)
{
    const std::uint8_t number = m_page.append(row);
    return format::pageRowPointer(*m_current, number);
}

Result<LongValueField, IoError> LongValueWriter::place(std::span<const std::uint8_t> value)
{
    if (value.size() <= longValueRowLimit) {
        if (!m_current || !m_page.fits(value.size())) {
            if (auto started = startPage(); !started)
                return Unexpected { started.error() };
        }
        return field(value.size(), kindSingleRow, append(value));
    }
    const std::size_t pieces = (value.size() + longValuePieceData - 1) / longValuePieceData;
    std::uint32_t first = 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        const auto data = value.subspan(i * longValuePieceData,
            std::min(longValuePieceData, value.size() - i * longValuePieceData));
        const bool last = i + 1 == pieces;
        if (!m_current || i > 0 || !m_page.fits(4 + data.size())) {
            if (auto started = startPage(); !started)
                return Unexpected { started.error() };
        }
        // The next piece starts the page allocated right after this one.
        const std::uint32_t next = last ? 0 : format::pageRowPointer(m_spool.endPage(), 0);
        m_piece.resize(4 + data.size());
        putPointer(m_piece.data(), next);
        std::copy(data.begin(), data.end(), m_piece.begin() + 4);
        const std::uint32_t at = append(m_piece);
        if (i == 0)
            first = at;
    }
    return field(value.size(), kindChain, first);
}

Result<void, IoError> LongValueWriter::finish()
{
    return flush();
}

} // namespace bastara::jet
