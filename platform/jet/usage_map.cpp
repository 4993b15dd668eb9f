#include "platform/jet/usage_map.h"

#include "platform/jet/byte_reader.h"
#include "platform/jet/data_page.h"
#include "platform/jet/page_writer.h"

#include <algorithm>

namespace bastara::jet {

namespace {
    constexpr std::uint8_t typeReference = 0x01;
} // namespace

PageSet::PageSet(std::initializer_list<std::uint32_t> pages)
{
    for (std::uint32_t page : pages)
        add(page);
}

bool PageSet::add(std::uint32_t page)
{
    if (page >= format::maxPages)
        return false;
    m_bits.set(page);
    return true;
}

bool PageSet::contains(std::uint32_t page) const
{
    return page < format::maxPages && m_bits.test(page);
}

std::vector<std::uint32_t> PageSet::pages() const
{
    std::vector<std::uint32_t> result;
    for (std::uint32_t page = 0; page < format::maxPages; ++page) {
        if (m_bits.test(page))
            result.push_back(page);
    }
    return result;
}

std::vector<std::uint8_t> inlineMapRow(const PageSet& pages)
{
    namespace u = format::usageMap;
    std::vector<std::uint8_t> row(u::rowSize, 0);
    row[u::mapType] = u::typeInline;
    // Start page 0 (bytes 1..4 stay zero).
    for (std::uint32_t page : pages.pages())
        row[u::bitmap + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    return row;
}

Result<PageSet, FormatError> readInlineMapRow(std::span<const std::uint8_t> row)
{
    namespace u = format::usageMap;
    ByteReader r(row);
    const std::uint8_t type = r.u8();
    const std::uint32_t start = r.u32le();
    const auto bitmap = r.bytes(u::bitmapBytes);
    if (!r.ok())
        return Unexpected { FormatError {
            FormatError::Kind::Malformed, "usage map row too short" } };
    if (type != u::typeInline)
        return Unexpected { FormatError {
            FormatError::Kind::Malformed, "usage map is not an inline bitmap" } };
    PageSet pages;
    for (std::size_t bit = 0; bit < bitmap.size() * 8; ++bit) {
        if (bitmap[bit / 8] & (1u << (bit % 8))) {
            const std::uint64_t page = std::uint64_t { start } + bit;
            if (page >= format::maxPages || !pages.add(static_cast<std::uint32_t>(page)))
                return Unexpected { FormatError { FormatError::Kind::Malformed,
                    "usage map names a page beyond the readable range" } };
        }
    }
    return pages;
}

void PageRuns::add(std::uint32_t page)
{
    if (!m_runs.empty() && m_runs.back().second + 1 == page)
        m_runs.back().second = page;
    else
        m_runs.emplace_back(page, page);
}

namespace {

    std::uint32_t inlineStart(const PageRuns& pages)
    {
        return pages.empty() ? 0 : pages.first() / 8 * 8;
    }

    template <typename Visit> void forEachPage(const PageRuns& pages, Visit&& visit)
    {
        for (const auto& [first, last] : pages.runs()) {
            for (std::uint32_t page = first;; ++page) {
                visit(page);
                if (page == last)
                    break;
            }
        }
    }

    void setBit(std::span<std::uint8_t> bitmap, std::uint64_t bit)
    {
        bitmap[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(1u << (bit % 8));
    }

} // namespace

bool fitsInlineMap(const PageRuns& pages)
{
    return pages.empty() || pages.last() - inlineStart(pages) < format::maxPages;
}

std::vector<std::uint32_t> bitmapSlotsFor(const PageRuns& pages)
{
    std::vector<std::uint32_t> slots;
    if (fitsInlineMap(pages))
        return slots;
    for (const auto& [first, last] : pages.runs()) {
        for (std::uint32_t k = first / pagesPerBitmapPage; k <= last / pagesPerBitmapPage; ++k) {
            if (slots.empty() || slots.back() != k)
                slots.push_back(k);
        }
    }
    return slots;
}

std::vector<std::uint8_t> mapRow(
    const PageRuns& pages, std::span<const std::uint32_t, referenceMapSlots> bitmapPages)
{
    namespace u = format::usageMap;
    std::vector<std::uint8_t> row(u::rowSize, 0);
    PageWriter w(row);
    if (fitsInlineMap(pages)) {
        const std::uint32_t start = inlineStart(pages);
        w.u8(u::typeInline).u32le(start);
        const std::span<std::uint8_t> bitmap(row.data() + u::bitmap, u::bitmapBytes);
        forEachPage(pages, [&](std::uint32_t page) { setBit(bitmap, page - start); });
        return row;
    }
    w.u8(typeReference);
    for (std::uint32_t page : bitmapPages)
        w.u32le(page);
    return row;
}

void writeBitmapPage(PageSpan page, const PageRuns& pages, std::uint32_t slot)
{
    std::fill(page.begin(), page.end(), std::uint8_t { 0 });
    page[0] = static_cast<std::uint8_t>(format::PageType::UsageBitmap);
    page[1] = 0x01;
    const std::uint64_t first = std::uint64_t { slot } * pagesPerBitmapPage;
    const std::span<std::uint8_t> bitmap = std::span<std::uint8_t>(page).subspan(4);
    forEachPage(pages, [&](std::uint32_t number) {
        if (number >= first && number - first < pagesPerBitmapPage)
            setBit(bitmap, number - first);
    });
}

void writeGlobalMapPage(PageSpan page, std::uint32_t pageCount)
{
    namespace u = format::usageMap;
    // Up to a few thousand bytes the row simply grows, as the engine's does;
    // past what one page holds, the window moves to the end of the file and
    // the pages before it count as used.
    constexpr std::size_t largestBitmap = 3968;
    std::uint32_t start = 0;
    std::size_t bitmapBytes = u::bitmapBytes;
    if (pageCount >= format::maxPages) {
        bitmapBytes = (std::size_t { pageCount } + 8) / 8;
        if (bitmapBytes > largestBitmap) {
            start = pageCount / 8 * 8;
            bitmapBytes = u::bitmapBytes;
        }
    }
    std::vector<std::uint8_t> freeRow(u::bitmap + bitmapBytes, 0);
    PageWriter(freeRow).u8(u::typeInline).u32le(start);
    const std::span<std::uint8_t> bitmap(freeRow.data() + u::bitmap, bitmapBytes);
    for (std::uint64_t number = pageCount; number < start + bitmapBytes * 8; ++number)
        setBit(bitmap, number - start);
    const std::vector<std::vector<std::uint8_t>> rows { std::move(freeRow),
        inlineMapRow(PageSet {}) };
    // Both rows fit an empty page.
    (void)writeDataPage(page, 1, rows);
}

} // namespace bastara::jet
