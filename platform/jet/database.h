#pragma once

// A whole database file from its description: the system catalog plus the
// user tables, as plain pages. The builder plans every page number first
// (system pages 0..18, then per user table its TDEF pages, usage-map pages
// and one root page per index), then emits. An index's other pages are on
// the spool with the rows; the root keeps its number whatever the rows.
//
// The whole file is rebuilt for every change; a database of this writer is a
// few dozen pages, and a rebuild keeps every page consistent by construction.

#include "platform/jet/errors.h"
#include "platform/jet/page_spool.h"
#include "platform/jet/page_store.h"
#include "platform/jet/table_layout.h"
#include "platform/jet/table_rows.h"
#include "platform/support/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bastara::jet {

struct UserColumn {
    std::u16string name;
    ColumnType type;
    std::uint16_t length; // bytes, as the column block stores it
};

// An index of a user table: one real index in the definition, and one
// logical index (the one users see, with its name) of the same number.
struct UserIndex {
    std::u16string name;
    IndexRules rules;
    bool primary = false; // rules then say unique and required
};

struct UserTable {
    std::u16string name;
    double created; // OLE date
    std::vector<UserColumn> columns;
    std::vector<UserIndex> indexes = {};
};

struct DatabaseContents {
    double created = 0.0; // OLE date, local time
    std::uint32_t databaseKey = 0; // non-zero: pages 1.. are RC4-encoded
    std::uint16_t codePage = 1252;
    std::vector<UserTable> tables;
    // The rows of tables[i], whose pages are on the spool; tables past the
    // end have none.
    std::vector<TableRows> rows;
    // Where the pages of rows end (the spool's end page); 0 without rows.
    // They start right after the last table's pages, so no table can be
    // added once any has rows.
    std::uint32_t rowPagesEnd = 0;
};

// Where a user table's pages went.
struct TablePages {
    std::vector<std::uint32_t> tableDef; // chain order; the first is the table's id
    std::vector<std::uint32_t> usageMaps;
    std::vector<std::uint32_t> indexRoots; // by index
};

struct DatabasePlan {
    std::uint32_t pageCount = 0;
    std::vector<TablePages> tables;
};

// Usage-map rows per usage-map page of a user table: owned/free pairs are
// never split across pages. Rows are the table's pair, a pair per Memo/OLE
// column, then one owned-pages row per index.
inline constexpr std::size_t userMapRowsPerPage = 56;

[[nodiscard]] Result<DatabasePlan, FormatError> planDatabase(const DatabaseContents& contents);

// The columns of a user table as its definition and rows see them.
std::vector<ColumnDefinition> userColumnDefinitions(const UserTable& table);
// What the table's indexes key and refuse, in index order.
std::vector<IndexRules> userIndexRules(const UserTable& table);

// The pages of a file around its rows: those before them (the catalog, the
// definitions, the maps) and the usage-bitmap pages after them that maps of
// over 512 pages point to. All plain.
struct DatabasePages {
    PageStore front;
    std::uint32_t trailingStart = 0;
    std::vector<Page> trailing;
    std::uint32_t pageCount = 0;
};

[[nodiscard]] Result<DatabasePages, FormatError> buildDatabasePages(
    const DatabaseContents& contents);

// The whole file of a database without rows, plain; encode it with
// PageCodec(contents.databaseKey) on the way out.
[[nodiscard]] Result<PageStore, FormatError> buildDatabase(const DatabaseContents& contents);

// Writes the file: the front pages, the rows' pages from `spool` (none when
// null), the trailing pages; each encoded with `codec`.
[[nodiscard]] Result<void, IoError> emitDatabase(
    const DatabasePages& pages, const PageSpool* spool, const PageCodec& codec, PageSink& sink);

} // namespace bastara::jet
