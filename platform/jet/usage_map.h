#pragma once

// Usage maps: which pages a table (or an index, or a long-value column) owns,
// as inline bitmap rows of 69 bytes (format.h, namespace usageMap). The rows
// live on ordinary data pages whose owner is 0; page 1 is the global map of
// free pages.

#include "platform/jet/errors.h"
#include "platform/jet/format.h"
#include "platform/jet/page_codec.h"
#include "platform/support/result.h"

#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

namespace bastara::jet {

// A set of page numbers below format::maxPages.
class PageSet
{
public:
    PageSet() = default;
    PageSet(std::initializer_list<std::uint32_t> pages);

    // False (and nothing added) for a page the inline map cannot describe.
    bool add(std::uint32_t page);
    bool contains(std::uint32_t page) const;
    std::vector<std::uint32_t> pages() const;
    bool operator==(const PageSet&) const = default;

private:
    std::bitset<format::maxPages> m_bits;
};

// One inline map row with start page 0.
std::vector<std::uint8_t> inlineMapRow(const PageSet& pages);

// Reads a map row; only the inline form (type 0) is understood.
[[nodiscard]] Result<PageSet, FormatError> readInlineMapRow(std::span<const std::uint8_t> row);

// Page 1: row 0 marks every page number at or above `pageCount` as free,
// row 1 is empty; owner field 1, as the engine writes it.
void writeGlobalMapPage(PageSpan page, std::uint32_t pageCount);

} // namespace bastara::jet
