#pragma once

// The rows of one user table, packed into data pages as they come: a row
// goes on the current page while it fits and the page has fewer than 255
// rows, else the page is written to the spool and a new one starts. Rows
// are never split. Only the current page (and each long-value column's) is
// in memory.

#include "platform/jet/page_spool.h"
#include "platform/jet/row_encoder.h"
#include "platform/jet/usage_map.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bastara::jet {

struct LongValuePages {
    PageRuns owned;
    std::optional<std::uint32_t> withRoom;
};

// What the table's definition and usage maps say about its rows.
struct TableRows {
    std::uint32_t rowCount = 0;
    PageRuns dataPages;
    std::optional<std::uint32_t> dataPageWithRoom;
    std::vector<LongValuePages> longValues; // one per Memo/OLE column, in column order
};

class TableRowWriter
{
public:
    // `so_far`: the table's rows from earlier writers (new pages follow them).
    TableRowWriter(std::uint32_t tableDefPage, std::span<const ColumnDefinition> columns,
        PageSpool& spool, TableRows soFar);

    [[nodiscard]] Result<void, RowError> add(std::span<const FieldCell> cells);
    // Writes the pages still open. The writer is done after it.
    [[nodiscard]] Result<TableRows, IoError> finish();

    std::uint32_t rowCount() const { return m_rows.rowCount; }

private:
    [[nodiscard]] Result<void, IoError> flush();

    std::uint32_t m_owner;
    PageSpool& m_spool;
    RowEncoder m_encoder;
    TableRows m_rows;
    DataPageBuilder m_page;
    std::optional<std::uint32_t> m_current;
};

} // namespace bastara::jet
