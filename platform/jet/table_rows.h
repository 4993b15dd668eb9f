#pragma once

// The rows of one user table, packed into data pages as they come: a row
// goes on the current page while it fits and the page has fewer than 255
// rows, else the page is written to the spool and a new one starts. Rows
// are never split. Only the current page (and each long-value column's) is
// in memory.

#include "platform/jet/index_entries.h"
#include "platform/jet/index_tree.h"
#include "platform/jet/page_spool.h"
#include "platform/jet/row_encoder.h"
#include "platform/jet/usage_map.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace bastara::jet {

struct LongValuePages {
    PageRuns owned;
    std::optional<std::uint32_t> withRoom;
};

// One column of an index, in the index's column order.
struct IndexColumn {
    std::uint16_t column;
    bool descending = false;
};

// What an index keys and what it refuses.
struct IndexRules {
    std::vector<IndexColumn> columns; // 1 to 10
    bool unique = false; // no two rows with the same key, but any number of all-Null keys
    bool required = false; // no Null in any column (a primary key)
    bool ignoreNulls = false; // no entries for all-Null keys
};

// An index's entries and where its pages went.
struct IndexRows {
    // Shared between copies of the contents; a writer works on its own copy.
    std::shared_ptr<const IndexEntries> entries;
    std::optional<Page> root; // the root's bytes; none before any row
    std::vector<std::uint32_t> pages; // every other page, on the spool, ascending
    std::uint32_t distinctKeys = 0;
};

// What the table's definition and usage maps say about its rows.
struct TableRows {
    std::uint32_t rowCount = 0;
    PageRuns dataPages;
    std::optional<std::uint32_t> dataPageWithRoom;
    std::vector<LongValuePages> longValues; // one per Memo/OLE column, in column order
    std::vector<IndexRows> indexes; // one per index rule, in that order
};

class TableRowWriter
{
public:
    // `so_far`: the table's rows from earlier writers (new pages follow them).
    TableRowWriter(std::uint32_t tableDefPage, std::span<const ColumnDefinition> columns,
        PageSpool& spool, TableRows soFar, std::vector<IndexRules> indexes = {});

    [[nodiscard]] Result<void, RowError> add(std::span<const FieldCell> cells);
    // Writes the pages still open. The writer is done after it.
    [[nodiscard]] Result<TableRows, IoError> finish();

    std::uint32_t rowCount() const { return m_rows.rowCount; }

private:
    [[nodiscard]] Result<void, IoError> flush();
    // The row's key for each index into m_keys; a refusal if an index refuses it.
    [[nodiscard]] Result<void, RowError> keyRow(std::span<const FieldCell> cells);

    std::uint32_t m_owner;
    PageSpool& m_spool;
    RowEncoder m_encoder;
    TableRows m_rows;
    DataPageBuilder m_page;
    std::optional<std::uint32_t> m_current;
    std::vector<IndexRules> m_indexRules;
    std::vector<IndexEntries> m_entries; // by index
    std::vector<std::vector<std::uint8_t>> m_keys; // the current row's, by index
    std::vector<bool> m_keyed; // whether the current row has an entry, by index
};

} // namespace bastara::jet
