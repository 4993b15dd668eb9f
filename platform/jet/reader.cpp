#include "platform/jet/reader.h"

#include "platform/jet/byte_reader.h"
#include "platform/jet/catalog.h"
#include "platform/jet/format.h"
#include "platform/jet/system_tables.h"
#include "platform/jet/usage_map.h"

#include <algorithm>
#include <set>

namespace bastara::jet {

namespace {

    namespace t = format::tdef;

    // Far above what the writer emits, low enough to bound the work a
    // hostile file can cause.
    constexpr std::uint32_t maxRealIndexes = 64;
    constexpr std::uint32_t maxLogicalIndexes = 64;

    FormatError malformed(std::string why)
    {
        return FormatError { FormatError::Kind::Malformed, std::move(why) };
    }

    template <typename T> Result<T, FormatError> failure(std::string why)
    {
        return Unexpected { malformed(std::move(why)) };
    }

    std::uint32_t pageOf(std::uint32_t pointer)
    {
        return pointer >> 8;
    }
    std::uint8_t rowOf(std::uint32_t pointer)
    {
        return static_cast<std::uint8_t>(pointer & 0xFF);
    }

    // Layout from the stored blocks, as a reader must trust them.
    Result<TableLayout, FormatError> storedLayout(const TableInfo& table)
    {
        TableLayout layout;
        std::size_t fixedEnd = 0;
        std::uint16_t varCount = 0;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const ColumnInfo& column = table.columns[i];
            if (column.number != i || !isKnownColumnType(column.type))
                return failure<TableLayout>("column numbers or types are not valid");
            const auto type = static_cast<ColumnType>(column.type);
            const bool fixed = column.flags & format::column::flagFixed;
            layout.columns.push_back(
                { type, column.length, fixed, column.fixedOffset, column.varIndex, 0 });
            if (fixed && type != ColumnType::Boolean)
                fixedEnd = std::max<std::size_t>(
                    fixedEnd, std::size_t { column.fixedOffset } + column.length);
            if (!fixed) {
                if (column.varIndex != varCount)
                    return failure<TableLayout>("variable columns out of order");
                ++varCount;
            }
        }
        if (fixedEnd > format::pageSize)
            return failure<TableLayout>("fixed area larger than a page");
        layout.fixedSize = static_cast<std::uint16_t>(fixedEnd);
        layout.varCount = varCount;
        return layout;
    }

    std::int32_t asLong(const CellValue& value)
    {
        const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value);
        if (!bytes || bytes->size() != 4)
            return 0;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>((*bytes)[0])
            | static_cast<std::uint32_t>((*bytes)[1]) << 8
            | static_cast<std::uint32_t>((*bytes)[2]) << 16
            | static_cast<std::uint32_t>((*bytes)[3]) << 24);
    }

    std::u16string asText(const CellValue& value)
    {
        const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value);
        if (!bytes)
            return {};
        ByteReader r(*bytes);
        return r.utf16le(bytes->size() & ~std::size_t { 1 });
    }

} // namespace

DatabaseReader::DatabaseReader(std::span<const std::uint8_t> image, HeaderFields header)
    : m_image(image)
    , m_header(header)
    , m_pageCount(static_cast<std::uint32_t>(image.size() / format::pageSize))
{ }

Result<DatabaseReader, FormatError> DatabaseReader::open(std::span<const std::uint8_t> image)
{
    if (image.size() % format::pageSize != 0
        || image.size() < format::pageSize * pages::firstUserPage)
        return failure<DatabaseReader>("file size is not a whole number of pages of a database");
    if (image.size() / format::pageSize > format::maxPages)
        return failure<DatabaseReader>("file larger than this reader accepts");
    Page first;
    std::copy_n(image.begin(), format::pageSize, first.begin());
    maskHeader(PageSpan { first });
    auto header = readHeaderPage(first);
    if (!header)
        return Unexpected { header.error() };
    return DatabaseReader(image, *header);
}

Result<Page, FormatError> DatabaseReader::page(std::uint32_t number) const
{
    if (number >= m_pageCount)
        return failure<Page>("page " + std::to_string(number) + " is beyond the end of the file");
    Page decoded;
    std::copy_n(m_image.begin() + static_cast<std::ptrdiff_t>(number * format::pageSize),
        format::pageSize, decoded.begin());
    PageCodec(m_header.databaseKey).apply(number, PageSpan { decoded });
    return decoded;
}

Result<TableInfo, FormatError> DatabaseReader::tableDefinition(std::uint32_t firstPage) const
{
    // Gather the logical stream over the page chain.
    TableInfo table;
    table.firstPage = firstPage;
    std::vector<std::uint8_t> stream;
    std::set<std::uint32_t> seen;
    std::uint32_t number = firstPage;
    do {
        if (!seen.insert(number).second)
            return failure<TableInfo>("TDEF page chain loops");
        auto decoded = page(number);
        if (!decoded)
            return Unexpected { decoded.error() };
        if ((*decoded)[0] != static_cast<std::uint8_t>(format::PageType::TableDef))
            return failure<TableInfo>("page " + std::to_string(number) + " is not a TDEF page");
        table.pages.push_back(number);
        const std::size_t skip = stream.empty() ? 0 : t::pageHeaderSize;
        stream.insert(
            stream.end(), decoded->begin() + static_cast<std::ptrdiff_t>(skip), decoded->end());
        ByteReader link(*decoded);
        number = link.at(t::nextPage).u32le();
    } while (number != 0);

    ByteReader r(stream);
    const std::uint32_t length = r.at(t::length).u32le();
    if (length < t::headerSize || length > stream.size())
        return failure<TableInfo>("TDEF length does not match its pages");
    r = ByteReader(std::span<const std::uint8_t>(stream).first(length));
    table.rowCount = r.at(t::rowCount).u32le();
    table.tableType = r.at(t::tableType).u8();
    r.at(t::varColumns).u16le();
    const std::uint16_t columnCount = r.at(t::columns).u16le();
    table.logicalIndexCount = r.at(t::logicalIndexes).u32le();
    table.realIndexCount = r.at(t::realIndexes).u32le();
    table.ownedMap = r.at(t::ownedMap).u32le();
    table.freeMap = r.at(t::freeMap).u32le();
    if (columnCount == 0 || columnCount > maxColumns || table.realIndexCount > maxRealIndexes
        || table.logicalIndexCount > maxLogicalIndexes)
        return failure<TableInfo>("TDEF counts out of range");

    r.at(t::headerSize + t::realIndexCountSize * table.realIndexCount);
    std::vector<ColumnInfo> blocks;
    for (std::uint16_t i = 0; i < columnCount; ++i) {
        ColumnInfo column {};
        const std::size_t start = r.offset();
        column.type = r.u8();
        r.at(start + format::column::number);
        column.number = r.u16le();
        column.varIndex = r.u16le();
        r.at(start + format::column::flags);
        column.flags = r.u8();
        r.at(start + format::column::fixedOffset);
        column.fixedOffset = r.u16le();
        column.length = r.u16le();
        blocks.push_back(column);
    }
    for (ColumnInfo& column : blocks) {
        const std::uint16_t nameLength = r.u16le();
        column.name = r.utf16le(nameLength);
    }
    r.at(r.offset() + t::realIndexSize * table.realIndexCount);
    r.at(r.offset() + t::logicalIndexSize * table.logicalIndexCount);
    for (std::uint32_t i = 0; i < table.logicalIndexCount; ++i) {
        const std::uint16_t nameLength = r.u16le();
        table.logicalIndexNames.push_back(r.utf16le(nameLength));
    }
    for (const ColumnInfo& column : blocks) {
        if (!isKnownColumnType(column.type) || !isLongValue(static_cast<ColumnType>(column.type)))
            continue;
        LongValueMapReference reference {};
        reference.column = r.u16le();
        reference.ownedMap = r.u32le();
        reference.freeMap = r.u32le();
        table.longValueMaps.push_back(reference);
    }
    if (r.u16le() != t::terminator || !r.ok() || r.offset() != length)
        return failure<TableInfo>("TDEF does not end where its contents do");
    std::sort(blocks.begin(), blocks.end(),
        [](const ColumnInfo& a, const ColumnInfo& b) { return a.number < b.number; });
    table.columns = std::move(blocks);
    if (auto layout = storedLayout(table); !layout)
        return Unexpected { layout.error() };
    return table;
}

Result<std::vector<std::vector<CellValue>>, FormatError> DatabaseReader::rows(
    const TableInfo& table) const
{
    auto layout = storedLayout(table);
    if (!layout)
        return Unexpected { layout.error() };
    auto mapPage = page(pageOf(table.ownedMap));
    if (!mapPage)
        return Unexpected { mapPage.error() };
    auto mapRows = readDataPageRows(*mapPage);
    if (!mapRows)
        return Unexpected { mapRows.error() };
    if (rowOf(table.ownedMap) >= mapRows->size())
        return failure<std::vector<std::vector<CellValue>>>("usage map row is missing");
    auto owned = readInlineMapRow((*mapRows)[rowOf(table.ownedMap)]);
    if (!owned)
        return Unexpected { owned.error() };

    std::vector<std::vector<CellValue>> result;
    for (std::uint32_t number : owned->pages()) {
        auto data = page(number);
        if (!data)
            return Unexpected { data.error() };
        ByteReader owner(*data);
        if (owner.at(format::data::owner).u32le() != table.firstPage)
            return failure<std::vector<std::vector<CellValue>>>(
                "owned page belongs to another table");
        auto rowBytes = readDataPageRows(*data);
        if (!rowBytes)
            return Unexpected { rowBytes.error() };
        for (const auto& bytes : *rowBytes) {
            if (bytes.empty())
                continue;
            auto values = decodeRow(*layout, bytes);
            if (!values)
                return Unexpected { values.error() };
            result.push_back(std::move(*values));
        }
    }
    return result;
}

Result<std::vector<CatalogRow>, FormatError> DatabaseReader::catalog() const
{
    auto objects = tableDefinition(pages::objectsTable);
    if (!objects)
        return Unexpected { objects.error() };
    // Find the columns by name, as every reader of the format does.
    auto columnNumber = [&objects](std::u16string_view name) -> std::optional<std::size_t> {
        for (const ColumnInfo& column : objects->columns) {
            if (column.name == name)
                return column.number;
        }
        return std::nullopt;
    };
    const auto id = columnNumber(u"Id");
    const auto parentId = columnNumber(u"ParentId");
    const auto name = columnNumber(u"Name");
    const auto type = columnNumber(u"Type");
    const auto flags = columnNumber(u"Flags");
    if (!id || !parentId || !name || !type || !flags)
        return failure<std::vector<CatalogRow>>("MSysObjects lacks a catalog column");
    auto rows = this->rows(*objects);
    if (!rows)
        return Unexpected { rows.error() };
    std::vector<CatalogRow> catalog;
    for (const auto& row : *rows) {
        const auto* typeBytes = std::get_if<std::vector<std::uint8_t>>(&row[*type]);
        const std::int16_t typeValue = typeBytes && typeBytes->size() == 2
            ? static_cast<std::int16_t>((*typeBytes)[0] | ((*typeBytes)[1] << 8))
            : std::int16_t { 0 };
        catalog.push_back({ asLong(row[*id]), asLong(row[*parentId]), asText(row[*name]), typeValue,
            static_cast<std::uint32_t>(asLong(row[*flags])) });
    }
    return catalog;
}

Result<DatabaseInfo, FormatError> readDatabase(std::span<const std::uint8_t> image)
{
    auto reader = DatabaseReader::open(image);
    if (!reader)
        return Unexpected { reader.error() };
    DatabaseInfo info;
    info.header = reader->header();
    info.pageCount = reader->pageCount();
    auto catalog = reader->catalog();
    if (!catalog)
        return Unexpected { catalog.error() };
    info.catalog = std::move(*catalog);
    for (const CatalogRow& row : info.catalog) {
        const bool userTable = row.parentId == objects::tables && row.type == objects::typeTable
            && (row.flags & 0x80000002u) == 0;
        if (!userTable)
            continue;
        auto table = reader->tableDefinition(static_cast<std::uint32_t>(row.id) & 0x00FFFFFFu);
        if (!table)
            return Unexpected { table.error() };
        table->name = row.name;
        info.tables.push_back(std::move(*table));
    }
    return info;
}

} // namespace bastara::jet
