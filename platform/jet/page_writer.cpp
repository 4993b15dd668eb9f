#include "platform/jet/page_writer.h"

#include <bit>
#include <string>

namespace bastara::jet {

PageWriter::PageWriter(std::span<std::uint8_t> bytes)
    : m_bytes(bytes)
{ }

bool PageWriter::reserve(std::size_t count)
{
    if (m_failed)
        return false;
    if (m_offset > m_bytes.size() || count > m_bytes.size() - m_offset) {
        m_failed = true;
        m_failedOffset = m_offset;
        m_failedCount = count;
        return false;
    }
    return true;
}

PageWriter& PageWriter::at(std::size_t offset)
{
    if (!m_failed && offset > m_bytes.size()) {
        m_failed = true;
        m_failedOffset = offset;
        m_failedCount = 0;
    }
    if (!m_failed)
        m_offset = offset;
    return *this;
}

PageWriter& PageWriter::skip(std::size_t count)
{
    if (reserve(count))
        m_offset += count;
    return *this;
}

PageWriter& PageWriter::u8(std::uint8_t value)
{
    if (reserve(1))
        m_bytes[m_offset++] = value;
    return *this;
}

PageWriter& PageWriter::u16le(std::uint16_t value)
{
    if (reserve(2)) {
        m_bytes[m_offset++] = static_cast<std::uint8_t>(value);
        m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> 8);
    }
    return *this;
}

PageWriter& PageWriter::u32le(std::uint32_t value)
{
    if (reserve(4)) {
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> shift);
    }
    return *this;
}

PageWriter& PageWriter::u24be(std::uint32_t value)
{
    if (reserve(3)) {
        for (int shift = 16; shift >= 0; shift -= 8)
            m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> shift);
    }
    return *this;
}

PageWriter& PageWriter::u32be(std::uint32_t value)
{
    if (reserve(4)) {
        for (int shift = 24; shift >= 0; shift -= 8)
            m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> shift);
    }
    return *this;
}

PageWriter& PageWriter::f64le(double value)
{
    static_assert(sizeof(double) == 8);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (reserve(8)) {
        for (int shift = 0; shift < 64; shift += 8)
            m_bytes[m_offset++] = static_cast<std::uint8_t>(bits >> shift);
    }
    return *this;
}

PageWriter& PageWriter::bytes(std::span<const std::uint8_t> data)
{
    if (reserve(data.size())) {
        for (std::uint8_t byte : data)
            m_bytes[m_offset++] = byte;
    }
    return *this;
}

PageWriter& PageWriter::fill(std::uint8_t value, std::size_t count)
{
    if (reserve(count)) {
        for (std::size_t i = 0; i < count; ++i)
            m_bytes[m_offset++] = value;
    }
    return *this;
}

PageWriter& PageWriter::utf16le(std::u16string_view text)
{
    if (text.size() > SIZE_MAX / 2 || !reserve(text.size() * 2))
        return *this;
    for (char16_t unit : text) {
        m_bytes[m_offset++] = static_cast<std::uint8_t>(unit);
        m_bytes[m_offset++] = static_cast<std::uint8_t>(unit >> 8);
    }
    return *this;
}

Result<void, FormatError> PageWriter::status() const
{
    if (!m_failed)
        return {};
    return Unexpected { FormatError { FormatError::Kind::OutOfBounds,
        "write of " + std::to_string(m_failedCount) + " bytes at offset "
            + std::to_string(m_failedOffset) + " outside a buffer of "
            + std::to_string(m_bytes.size()) } };
}

} // namespace bastara::jet
