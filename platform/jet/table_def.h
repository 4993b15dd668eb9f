#pragma once

// Table definitions (TDEF pages; format.h, namespace tdef, has the header
// table). A definition is one logical byte stream: the 63-byte header, then
// real-index row counts, column blocks, column names, real and logical
// indexes, long-value map references and FF FF. A stream longer than a page
// continues on further TDEF pages, each with its own 8-byte page header and
// chained through the `next` field.
//
// Sizes are known before anything is written (tableDefLength), so callers
// plan page numbers first and emit second.

#include "platform/jet/errors.h"
#include "platform/jet/page_store.h"
#include "platform/jet/table_layout.h"
#include "platform/support/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bastara::jet {

struct RealIndexDefinition {
    std::vector<std::uint16_t> columns; // column numbers
    std::uint8_t flags;
    std::uint32_t usageMapRow; // page/row pointer of its owned-pages map
    std::uint32_t rootPage;
    std::uint32_t entryCount; // distinct keys
    std::uint16_t descending = 0; // bit i: columns[i] in descending order
};

// Indexes a table may have, as the engine allows.
inline constexpr std::size_t maxIndexes = 32;

struct LogicalIndexDefinition {
    std::u16string name;
    std::uint32_t number;
    std::uint32_t realIndex;
    std::uint8_t kind; // format::index::kind*
};

// The usage-map rows of one Memo/OLE column.
struct LongValueMapReference {
    std::uint16_t column;
    std::uint32_t ownedMap; // page/row pointers
    std::uint32_t freeMap;
};

struct TableDefinition {
    // System tables list their column blocks sorted by name and carry 0 in a
    // block's second column-number field; user tables keep column order.
    bool system = false;
    std::vector<ColumnDefinition> columns; // by column number
    std::uint32_t rowCount = 0;
    std::uint32_t ownedMap = 0; // page/row pointers
    std::uint32_t freeMap = 0;
    std::vector<RealIndexDefinition> realIndexes;
    std::vector<LogicalIndexDefinition> logicalIndexes;
    std::vector<LongValueMapReference> longValueMaps;
};

// Checks the limits of the format: column count, names, lengths, indexes.
[[nodiscard]] Result<void, FormatError> checkTableDefinition(const TableDefinition& table);

// Bytes of the logical stream, the first page's 8-byte header included.
std::size_t tableDefLength(const TableDefinition& table);
std::uint32_t tableDefPageCount(std::size_t streamLength);

// The order the column blocks (and names, and long-value references) are
// written in: column numbers.
std::vector<std::uint16_t> columnBlockOrder(const TableDefinition& table);

// Writes the definition over `pages` (as many as tableDefPageCount says, in
// chain order).
[[nodiscard]] Result<void, FormatError> writeTableDef(
    const TableDefinition& table, std::span<const std::uint32_t> pages, PageStore& store);

} // namespace bastara::jet
