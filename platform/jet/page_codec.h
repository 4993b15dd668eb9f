#pragma once

// What stands between a page as built and a page on disk:
//
// * page 0: bytes 0x18..0x97 are XOR-ed with RC4 under the fixed key
//   C7 DA 39 6B, in every file;
// * page n ≥ 1: when the database key K (header 0x3E) is not 0 (dbEncrypt),
//   the whole page is RC4-encoded with the key le32(K XOR n).
//
// Both are their own inverse, so the reader uses the same calls.

#include "platform/jet/format.h"

#include <array>
#include <cstdint>
#include <span>

namespace bastara::jet {

using Page = std::array<std::uint8_t, format::pageSize>;
using PageSpan = std::span<std::uint8_t, format::pageSize>;

// Masks (or unmasks) the header region of page 0 in place.
void maskHeader(PageSpan page);

class PageCodec
{
public:
    explicit PageCodec(std::uint32_t databaseKey);

    std::uint32_t databaseKey() const { return m_key; }
    // Encodes (or decodes) page `pageNumber` in place.
    void apply(std::uint32_t pageNumber, PageSpan page) const;

private:
    std::uint32_t m_key;
};

} // namespace bastara::jet
