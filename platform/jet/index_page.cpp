#include "platform/jet/index_page.h"

#include "platform/jet/format.h"
#include "platform/jet/page_writer.h"

#include <algorithm>

namespace bastara::jet {

namespace {

    namespace leaf = format::indexLeaf;

    constexpr std::uint8_t valuePresent = 0x7F;
    constexpr std::size_t pointerLength = 4;

    std::vector<std::uint8_t> entryBytes(const IndexEntry& entry)
    {
        std::vector<std::uint8_t> bytes(entry.key);
        bytes.push_back(static_cast<std::uint8_t>(entry.page >> 16));
        bytes.push_back(static_cast<std::uint8_t>(entry.page >> 8));
        bytes.push_back(static_cast<std::uint8_t>(entry.page));
        bytes.push_back(entry.row);
        return bytes;
    }

} // namespace

std::vector<std::uint8_t> longKey(std::int32_t value)
{
    const std::uint32_t flipped = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return { valuePresent, static_cast<std::uint8_t>(flipped >> 24),
        static_cast<std::uint8_t>(flipped >> 16), static_cast<std::uint8_t>(flipped >> 8),
        static_cast<std::uint8_t>(flipped) };
}

std::vector<std::uint8_t> textKey(const std::vector<std::uint8_t>& sortKey)
{
    std::vector<std::uint8_t> key;
    key.reserve(1 + sortKey.size());
    key.push_back(valuePresent);
    key.insert(key.end(), sortKey.begin(), sortKey.end());
    return key;
}

std::size_t indexEntriesLength(const std::vector<IndexEntry>& entries)
{
    std::size_t length = 0;
    for (const IndexEntry& entry : entries)
        length += entry.key.size() + pointerLength;
    return length;
}

Result<void, FormatError> writeIndexLeaf(
    PageSpan page, std::uint32_t tablePage, std::vector<IndexEntry> entries)
{
    std::vector<std::vector<std::uint8_t>> encoded;
    encoded.reserve(entries.size());
    for (const IndexEntry& entry : entries) {
        if (entry.page > 0xFFFFFF)
            return Unexpected { FormatError {
                FormatError::Kind::TooManyPages, "index entry points past page 0xFFFFFF" } };
        encoded.push_back(entryBytes(entry));
    }
    // Key bytes then pointer: comparing whole entries orders by key, then row.
    std::sort(encoded.begin(), encoded.end());
    const std::size_t length = indexEntriesLength(entries);
    if (length > leaf::entrySpace)
        return Unexpected { FormatError { FormatError::Kind::CatalogFull,
            "index entries need " + std::to_string(length) + " bytes, a leaf holds "
                + std::to_string(leaf::entrySpace) } };

    std::fill(page.begin(), page.end(), std::uint8_t { 0 });
    PageWriter w(page);
    w.u8(static_cast<std::uint8_t>(format::PageType::IndexLeaf)).u8(0x01);
    w.u16le(static_cast<std::uint16_t>(leaf::entrySpace - length));
    w.u32le(tablePage);
    // Previous, next and tail leaf, and the shared prefix, stay 0.
    std::size_t end = 0;
    w.at(leaf::firstEntry);
    for (const auto& entry : encoded) {
        w.bytes(entry);
        end += entry.size();
        page[leaf::entryBitmap + end / 8] |= static_cast<std::uint8_t>(1u << (end % 8));
    }
    return w.status();
}

} // namespace bastara::jet
