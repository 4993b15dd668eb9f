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

// Pages a table or long-value column owns, as runs of consecutive numbers:
// a streamed table's pages are mostly contiguous, so this stays small
// whatever the row count.
class PageRuns
{
public:
    void add(std::uint32_t page); // pages arrive in ascending order
    bool empty() const { return m_runs.empty(); }
    std::uint32_t first() const { return m_runs.front().first; }
    std::uint32_t last() const { return m_runs.back().second; }
    // Each run [first, last], ascending.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& runs() const { return m_runs; }

private:
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_runs;
};

// A type-05 bitmap page covers this many page numbers: page k of a reference
// map covers k × this onwards.
inline constexpr std::uint32_t pagesPerBitmapPage = (format::pageSize - 4) * 8;
inline constexpr std::size_t referenceMapSlots = 17;

// Whether `pages` fit one inline row (a 512-page window starting at a
// multiple of 8); otherwise the row is a reference map.
bool fitsInlineMap(const PageRuns& pages);
// The bitmap-page slots (k) a reference map of `pages` needs.
std::vector<std::uint32_t> bitmapSlotsFor(const PageRuns& pages);
// The map row of `pages`: inline when it fits, else type 1 pointing at
// `bitmapPages[k]` for each slot k of bitmapSlotsFor (0 where none).
std::vector<std::uint8_t> mapRow(
    const PageRuns& pages, std::span<const std::uint32_t, referenceMapSlots> bitmapPages);
// A type-05 page: the pages of `pages` that slot `slot` covers.
void writeBitmapPage(PageSpan page, const PageRuns& pages, std::uint32_t slot);

// Page 1: row 0 marks every page number at or above `pageCount` as free,
// row 1 is empty; owner field 1, as the engine writes it.
void writeGlobalMapPage(PageSpan page, std::uint32_t pageCount);

} // namespace bastara::jet
