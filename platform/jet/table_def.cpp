#include "platform/jet/table_def.h"

#include "platform/jet/format.h"
#include "platform/jet/page_writer.h"

#include <algorithm>
#include <numeric>

namespace bastara::jet {

namespace {

    namespace t = format::tdef;

    FormatError invalid(std::string why)
    {
        return FormatError { FormatError::Kind::InvalidDefinition, std::move(why) };
    }

    std::u16string foldAscii(std::u16string_view name)
    {
        std::u16string folded(name);
        for (char16_t& unit : folded) {
            if (unit >= u'A' && unit <= u'Z')
                unit = static_cast<char16_t>(unit - u'A' + u'a');
        }
        return folded;
    }

    std::size_t nameBytes(std::u16string_view name)
    {
        return 2 + 2 * name.size();
    }

    void writeColumnBlock(PageWriter& w, const TableDefinition& table, const TableLayout& layout,
        std::uint16_t number)
    {
        const ColumnDefinition& column = table.columns[number];
        const ColumnSlot& slot = layout.columns[number];
        w.u8(static_cast<std::uint8_t>(column.type));
        w.u32le(t::magic);
        w.u16le(number);
        w.u16le(slot.fixed ? slot.varBefore : slot.varIndex);
        w.u16le(table.system ? 0 : number);
        w.u16le(format::header::sortGeneral).u8(0).u8(0);
        w.u8(column.flags);
        w.u8(0); // no Unicode compression, as DAO creates columns
        w.u32le(0);
        w.u16le(slot.fixed ? slot.fixedOffset : 0);
        w.u16le(column.length);
    }

    void writeRealIndex(PageWriter& w, const RealIndexDefinition& index)
    {
        w.u32le(t::realIndexMagic);
        for (std::size_t slot = 0; slot < format::index::columnSlots; ++slot) {
            const bool descending = (index.descending >> slot) & 1u;
            if (slot < index.columns.size())
                w.u16le(index.columns[slot])
                    .u8(descending ? format::index::descending : format::index::ascending);
            else
                w.u16le(0xFFFF).u8(0);
        }
        w.u32le(index.usageMapRow).u32le(index.rootPage).u32le(0);
        w.u8(index.flags).fill(0, 5);
    }

    void writeLogicalIndex(PageWriter& w, const LogicalIndexDefinition& index)
    {
        w.u32le(t::magic).u32le(index.number).u32le(index.realIndex);
        w.u8(0).u32le(0xFFFFFFFF).u32le(0);
        w.u8(0x04).u8(0x04); // as the engine writes them; meaning unknown
        w.u8(index.kind).u32le(0);
    }

} // namespace

Result<void, FormatError> checkTableDefinition(const TableDefinition& table)
{
    if (table.columns.empty() || table.columns.size() > maxColumns)
        return Unexpected { invalid("a table has 1 to 255 columns") };
    for (const ColumnDefinition& column : table.columns) {
        if (column.name.empty() || column.name.size() > maxNameLength)
            return Unexpected { invalid("a column name has 1 to 64 code units") };
        const auto fixed = fixedLength(column.type);
        const bool lengthOk = fixed    ? column.length == *fixed
            : isLongValue(column.type) ? column.length == 0
            : column.type == ColumnType::Text
            ? column.length >= 2 && column.length <= maxVariableBytes && column.length % 2 == 0
            : column.length >= 1 && column.length <= maxVariableBytes;
        if (!isKnownColumnType(static_cast<std::uint8_t>(column.type)) || !lengthOk)
            return Unexpected { invalid("column length does not suit its type") };
    }
    if (table.realIndexes.size() > maxIndexes || table.logicalIndexes.size() > maxIndexes)
        return Unexpected { invalid("a table has at most 32 indexes") };
    for (const RealIndexDefinition& index : table.realIndexes) {
        if (index.columns.empty() || index.columns.size() > format::index::columnSlots)
            return Unexpected { invalid("a real index has 1 to 10 columns") };
        for (std::uint16_t column : index.columns) {
            if (column >= table.columns.size())
                return Unexpected { invalid("index column out of range") };
        }
    }
    for (const LogicalIndexDefinition& index : table.logicalIndexes) {
        if (index.realIndex >= table.realIndexes.size() || index.name.size() > maxNameLength)
            return Unexpected { invalid("logical index refers to no real index") };
    }
    for (const LongValueMapReference& reference : table.longValueMaps) {
        if (reference.column >= table.columns.size())
            return Unexpected { invalid("long-value map of a missing column") };
    }
    return {};
}

std::size_t tableDefLength(const TableDefinition& table)
{
    std::size_t length = t::headerSize + t::realIndexCountSize * table.realIndexes.size()
        + t::columnBlockSize * table.columns.size();
    for (const ColumnDefinition& column : table.columns)
        length += nameBytes(column.name);
    length += t::realIndexSize * table.realIndexes.size();
    for (const LogicalIndexDefinition& index : table.logicalIndexes)
        length += t::logicalIndexSize + nameBytes(index.name);
    length += t::longValueRefSize * table.longValueMaps.size();
    return length + 2;
}

std::uint32_t tableDefPageCount(std::size_t streamLength)
{
    if (streamLength <= format::pageSize)
        return 1;
    const std::size_t perPage = format::pageSize - t::pageHeaderSize;
    return static_cast<std::uint32_t>(
        1 + (streamLength - format::pageSize + perPage - 1) / perPage);
}

std::vector<std::uint16_t> columnBlockOrder(const TableDefinition& table)
{
    std::vector<std::uint16_t> order(table.columns.size());
    std::iota(order.begin(), order.end(), std::uint16_t { 0 });
    if (table.system) {
        std::stable_sort(order.begin(), order.end(), [&table](std::uint16_t a, std::uint16_t b) {
            return foldAscii(table.columns[a].name) < foldAscii(table.columns[b].name);
        });
    }
    return order;
}

Result<void, FormatError> writeTableDef(
    const TableDefinition& table, std::span<const std::uint32_t> pages, PageStore& store)
{
    if (auto checked = checkTableDefinition(table); !checked)
        return checked;
    const std::size_t length = tableDefLength(table);
    if (pages.size() != tableDefPageCount(length))
        return Unexpected { invalid("TDEF page plan does not match its length") };

    const TableLayout layout = layoutColumns(table.columns);
    const std::vector<std::uint16_t> order = columnBlockOrder(table);
    std::vector<std::uint8_t> stream(length, 0);
    PageWriter w(stream);
    w.u8(static_cast<std::uint8_t>(format::PageType::TableDef)).u8(0x01);
    w.at(t::length).u32le(static_cast<std::uint32_t>(length));
    w.u32le(t::magic).u32le(table.rowCount).u32le(0).u8(0x01);
    w.at(t::tableType).u8(table.system ? t::typeSystem : t::typeUser);
    const auto columnCount = static_cast<std::uint16_t>(table.columns.size());
    w.u16le(columnCount).u16le(layout.varCount).u16le(columnCount);
    w.u32le(static_cast<std::uint32_t>(table.logicalIndexes.size()));
    w.u32le(static_cast<std::uint32_t>(table.realIndexes.size()));
    w.u32le(table.ownedMap).u32le(table.freeMap);
    for (const RealIndexDefinition& index : table.realIndexes)
        w.u32le(0).u32le(index.entryCount).u32le(0);
    for (std::uint16_t number : order)
        writeColumnBlock(w, table, layout, number);
    for (std::uint16_t number : order) {
        const std::u16string& name = table.columns[number].name;
        w.u16le(static_cast<std::uint16_t>(2 * name.size())).utf16le(name);
    }
    for (const RealIndexDefinition& index : table.realIndexes)
        writeRealIndex(w, index);
    for (const LogicalIndexDefinition& index : table.logicalIndexes)
        writeLogicalIndex(w, index);
    for (const LogicalIndexDefinition& index : table.logicalIndexes)
        w.u16le(static_cast<std::uint16_t>(2 * index.name.size())).utf16le(index.name);
    for (std::uint16_t number : order) {
        for (const LongValueMapReference& reference : table.longValueMaps) {
            if (reference.column == number)
                w.u16le(reference.column).u32le(reference.ownedMap).u32le(reference.freeMap);
        }
    }
    w.u16le(t::terminator);
    if (auto status = w.status(); !status)
        return status;
    if (w.offset() != length)
        return Unexpected { invalid("TDEF stream length differs from its plan") };

    // Cut the stream into pages: the first carries 4096 bytes of it, each
    // continuation an 8-byte page header and the next 4088.
    std::size_t consumed = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        PageSpan page = store.page(pages[i]);
        std::fill(page.begin(), page.end(), std::uint8_t { 0 });
        const std::size_t headerBytes = i == 0 ? 0 : t::pageHeaderSize;
        const std::size_t take = std::min(length - consumed, format::pageSize - headerBytes);
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(consumed), take,
            page.begin() + static_cast<std::ptrdiff_t>(headerBytes));
        consumed += take;
        const bool last = i + 1 == pages.size();
        // The engine counts free space 8 bytes short on the last page.
        const std::size_t used = headerBytes + take + t::pageHeaderSize;
        const std::size_t free = last && used < format::pageSize ? format::pageSize - used : 0;
        PageWriter pw(page);
        pw.u8(static_cast<std::uint8_t>(format::PageType::TableDef)).u8(0x01);
        pw.u16le(static_cast<std::uint16_t>(free));
        pw.u32le(last ? 0 : pages[i + 1]);
        if (auto status = pw.status(); !status)
            return status;
    }
    return {};
}

} // namespace bastara::jet
