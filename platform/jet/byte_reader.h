#pragma once

// The reading twin of PageWriter: a bounds-checked cursor over bytes that may
// come from anywhere (a damaged or hostile file). A read past the end yields
// zeros and makes the reader fail; callers check ok() once per structure.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace bastara::jet {

class ByteReader
{
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes);

    ByteReader& at(std::size_t offset);
    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint32_t u32le();
    double f64le();
    // `count` bytes; empty (and failed) when they are not all there.
    std::span<const std::uint8_t> bytes(std::size_t count);
    // `byteCount / 2` UCS-2LE code units.
    std::u16string utf16le(std::size_t byteCount);

    std::size_t offset() const { return m_offset; }
    bool ok() const { return !m_failed; }

private:
    bool take(std::size_t count);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
    bool m_failed = false;
};

} // namespace bastara::jet
