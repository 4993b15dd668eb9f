#pragma once

// A bounds-checked cursor that writes little-endian integers, big-endian key
// integers and UTF-16 text into one byte span (a page, or a buffer sized in
// advance). A write that would not fit writes nothing and makes the writer
// fail; status() reports the first such write. Nothing here memcpy's a
// compiler-laid-out struct: every on-disk field is written by name.
//
//     PageWriter w(page);
//     w.at(format::tdef::rowCount).u32le(rows);
//     if (auto s = w.status(); !s) return s;

#include "platform/jet/errors.h"
#include "platform/support/result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace bastara::jet {

class PageWriter
{
public:
    explicit PageWriter(std::span<std::uint8_t> bytes);

    PageWriter& at(std::size_t offset);
    PageWriter& skip(std::size_t count);
    PageWriter& u8(std::uint8_t value);
    PageWriter& u16le(std::uint16_t value);
    PageWriter& u32le(std::uint32_t value);
    PageWriter& u24be(std::uint32_t value);
    PageWriter& u32be(std::uint32_t value);
    PageWriter& f64le(double value);
    PageWriter& bytes(std::span<const std::uint8_t> data);
    PageWriter& fill(std::uint8_t value, std::size_t count);
    // UCS-2LE code units, as Jet stores every name and text value.
    PageWriter& utf16le(std::u16string_view text);

    std::size_t offset() const { return m_offset; }
    std::size_t size() const { return m_bytes.size(); }
    bool ok() const { return !m_failed; }
    [[nodiscard]] Result<void, FormatError> status() const;

private:
    // Room for `count` bytes at the cursor; on failure remembers where.
    bool reserve(std::size_t count);

    std::span<std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
    bool m_failed = false;
    std::size_t m_failedOffset = 0;
    std::size_t m_failedCount = 0;
};

} // namespace bastara::jet
