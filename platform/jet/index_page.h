#pragma once

// Index leaf pages (format.h, namespace indexLeaf). Every catalog index of a
// new database fits on one leaf, which is also its root.
//
// An entry is its key bytes, then the data page (3 bytes, big-endian) and
// row of the row it points at. Entries are stored whole (no shared prefix),
// sorted by key, then by row pointer; the entry-end bitmap marks where each
// one ends.

#include "platform/jet/errors.h"
#include "platform/jet/page_codec.h"
#include "platform/support/result.h"

#include <cstdint>
#include <vector>

namespace bastara::jet {

struct IndexEntry {
    std::vector<std::uint8_t> key; // one "7F value" group per indexed column
    std::uint32_t page;
    std::uint8_t row;
};

// The key group of a Long value: 7F, then the value with its sign bit
// flipped, big-endian, so unsigned byte order is numeric order.
std::vector<std::uint8_t> longKey(std::int32_t value);
// The key group of a Text value: 7F, then its General sort key.
std::vector<std::uint8_t> textKey(const std::vector<std::uint8_t>& sortKey);

// Bytes the entries need on a leaf.
std::size_t indexEntriesLength(const std::vector<IndexEntry>& entries);

// Sorts the entries and writes the leaf; CatalogFull when they do not fit.
[[nodiscard]] Result<void, FormatError> writeIndexLeaf(
    PageSpan page, std::uint32_t tablePage, std::vector<IndexEntry> entries);

} // namespace bastara::jet
