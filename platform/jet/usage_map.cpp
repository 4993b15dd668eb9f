#include "platform/jet/usage_map.h"

#include "platform/jet/byte_reader.h"
#include "platform/jet/data_page.h"
#include "platform/jet/page_writer.h"

namespace bastara::jet {

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

void writeGlobalMapPage(PageSpan page, std::uint32_t pageCount)
{
    PageSet freePages;
    for (std::uint32_t number = pageCount; number < format::maxPages; ++number)
        freePages.add(number);
    const std::vector<std::vector<std::uint8_t>> rows { inlineMapRow(freePages),
        inlineMapRow(PageSet {}) };
    // Two 69-byte rows always fit an empty page.
    (void)writeDataPage(page, 1, rows);
}

} // namespace bastara::jet
