#pragma once

// A reader of the databases this writer makes, for round-trip tests and
// fuzzing. It takes the file as a byte span, trusts nothing in it (every
// offset, count and page chain is checked), and understands exactly what the
// writer emits: Jet 4, inline usage maps, rows without long values.
//
//     auto info = readDatabase(bytes);
//     if (info) for (const TableInfo& table : info->tables) ...

#include "platform/jet/data_page.h"
#include "platform/jet/errors.h"
#include "platform/jet/header_page.h"
#include "platform/jet/page_store.h"
#include "platform/jet/table_def.h"
#include "platform/support/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bastara::jet {

struct ColumnInfo {
    std::u16string name;
    std::uint8_t type; // Jet type byte
    std::uint16_t number;
    std::uint16_t length;
    std::uint8_t flags;
    std::uint16_t fixedOffset;
    std::uint16_t varIndex;
};

struct TableInfo {
    std::u16string name; // from the catalog; empty when read by page
    std::uint32_t firstPage = 0;
    std::vector<std::uint32_t> pages; // the TDEF chain
    std::uint8_t tableType = 0;
    std::uint32_t rowCount = 0;
    std::uint32_t ownedMap = 0; // page/row pointers
    std::uint32_t freeMap = 0;
    std::uint32_t logicalIndexCount = 0;
    std::uint32_t realIndexCount = 0;
    std::vector<ColumnInfo> columns; // by column number
    std::vector<std::u16string> logicalIndexNames;
    std::vector<LongValueMapReference> longValueMaps; // in column-block order
};

struct CatalogRow {
    std::int32_t id;
    std::int32_t parentId;
    std::u16string name;
    std::int16_t type;
    std::uint32_t flags;
};

struct DatabaseInfo {
    HeaderFields header;
    std::uint32_t pageCount = 0;
    std::vector<CatalogRow> catalog; // MSysObjects rows in storage order
    std::vector<TableInfo> tables; // user tables, in catalog order
};

class DatabaseReader
{
public:
    [[nodiscard]] static Result<DatabaseReader, FormatError> open(
        std::span<const std::uint8_t> image);

    const HeaderFields& header() const { return m_header; }
    std::uint32_t pageCount() const { return m_pageCount; }

    // Page `number` decoded (header unmasked, RC4 undone).
    [[nodiscard]] Result<Page, FormatError> page(std::uint32_t number) const;
    [[nodiscard]] Result<TableInfo, FormatError> tableDefinition(std::uint32_t firstPage) const;
    // Every row of the table, found through its owned-pages usage map.
    [[nodiscard]] Result<std::vector<std::vector<CellValue>>, FormatError> rows(
        const TableInfo& table) const;
    [[nodiscard]] Result<std::vector<CatalogRow>, FormatError> catalog() const;

private:
    DatabaseReader(std::span<const std::uint8_t> image, HeaderFields header);

    std::span<const std::uint8_t> m_image;
    HeaderFields m_header;
    std::uint32_t m_pageCount;
};

[[nodiscard]] Result<DatabaseInfo, FormatError> readDatabase(std::span<const std::uint8_t> image);

} // namespace bastara::jet
