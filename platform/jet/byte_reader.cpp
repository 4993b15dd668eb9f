#include "platform/jet/byte_reader.h"

#include <bit>

namespace bastara::jet {

ByteReader::ByteReader(std::span<const std::uint8_t> bytes)
    : m_bytes(bytes)
{ }

bool ByteReader::take(std::size_t count)
{
    if (m_failed || m_offset > m_bytes.size() || count > m_bytes.size() - m_offset) {
        m_failed = true;
        return false;
    }
    return true;
}

ByteReader& ByteReader::at(std::size_t offset)
{
    if (offset > m_bytes.size())
        m_failed = true;
    else
        m_offset = offset;
    return *this;
}

std::uint8_t ByteReader::u8()
{
    return take(1) ? m_bytes[m_offset++] : 0;
}

std::uint16_t ByteReader::u16le()
{
    if (!take(2))
        return 0;
    const auto value = static_cast<std::uint16_t>(m_bytes[m_offset] | (m_bytes[m_offset + 1] << 8));
    m_offset += 2;
    return value;
}

std::uint32_t ByteReader::u32le()
{
    if (!take(4))
        return 0;
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= static_cast<std::uint32_t>(m_bytes[m_offset++]) << shift;
    return value;
}

double ByteReader::f64le()
{
    if (!take(8))
        return 0.0;
    std::uint64_t bits = 0;
    for (int shift = 0; shift < 64; shift += 8)
        bits |= static_cast<std::uint64_t>(m_bytes[m_offset++]) << shift;
    return std::bit_cast<double>(bits);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count)
{
    if (!take(count))
        return {};
    auto result = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return result;
}

std::u16string ByteReader::utf16le(std::size_t byteCount)
{
    const auto raw = bytes(byteCount);
    std::u16string text;
    text.reserve(raw.size() / 2);
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        text.push_back(static_cast<char16_t>(raw[i] | (raw[i + 1] << 8)));
    return text;
}

} // namespace bastara::jet
