#include "platform/jet/system_tables.h"

#include "platform/jet/format.h"

namespace bastara::jet {

namespace {

    using format::pageRowPointer;

    // System columns: fixed 0x13, variable 0x12, Owner/SID 0x32.
    constexpr std::uint8_t fixedFlags
        = format::column::flagFixed | format::column::flagUpdatable | format::column::flagSystem;
    constexpr std::uint8_t varFlags = format::column::flagUpdatable | format::column::flagSystem;
    constexpr std::uint8_t sidFlags = varFlags | format::column::flagSid;
    constexpr std::uint16_t varLength = 510;

    ColumnDefinition fixedColumn(std::u16string name, ColumnType type)
    {
        return { std::move(name), type, *fixedLength(type), fixedFlags };
    }
    ColumnDefinition varColumn(std::u16string name, ColumnType type, std::uint8_t flags = varFlags)
    {
        return { std::move(name), type, isLongValue(type) ? std::uint16_t { 0 } : varLength,
            flags };
    }

    // Owned/free rows of each long-value column, in column order, from `firstRow`.
    std::vector<LongValueMapReference> longValueMaps(
        const TableDefinition& table, std::uint32_t mapPage, std::uint8_t firstRow)
    {
        std::vector<LongValueMapReference> maps;
        std::uint8_t row = firstRow;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (!isLongValue(table.columns[c].type))
                continue;
            maps.push_back({ static_cast<std::uint16_t>(c), pageRowPointer(mapPage, row),
                pageRowPointer(mapPage, static_cast<std::uint8_t>(row + 1)) });
            row = static_cast<std::uint8_t>(row + 2);
        }
        return maps;
    }

    constexpr std::uint8_t uniqueFlags = format::index::flagJet4 | format::index::flagUnique;

} // namespace

TableDefinition msysObjectsDefinition(std::uint32_t rowCount)
{
    TableDefinition table;
    table.system = true;
    table.columns = {
        fixedColumn(u"Id", ColumnType::Long),
        fixedColumn(u"ParentId", ColumnType::Long),
        varColumn(u"Name", ColumnType::Text),
        fixedColumn(u"Type", ColumnType::Integer),
        fixedColumn(u"DateCreate", ColumnType::DateTime),
        fixedColumn(u"DateUpdate", ColumnType::DateTime),
        varColumn(u"Owner", ColumnType::Binary, sidFlags),
        fixedColumn(u"Flags", ColumnType::Long),
        varColumn(u"Database", ColumnType::Memo),
        varColumn(u"Connect", ColumnType::Memo),
        varColumn(u"ForeignName", ColumnType::Text),
        varColumn(u"RmtInfoShort", ColumnType::Binary),
        varColumn(u"RmtInfoLong", ColumnType::Ole),
        varColumn(u"Lv", ColumnType::Ole),
        varColumn(u"LvProp", ColumnType::Ole),
        varColumn(u"LvModule", ColumnType::Ole),
        varColumn(u"LvExtra", ColumnType::Ole),
    };
    table.rowCount = rowCount;
    table.ownedMap = pageRowPointer(pages::objectsMaps, 0);
    table.freeMap = pageRowPointer(pages::objectsMaps, 1);
    table.realIndexes = {
        { { 1, 2 }, uniqueFlags, pageRowPointer(pages::objectsMaps, 16),
            pages::objectsParentIdNameLeaf, rowCount },
        { { 0 }, uniqueFlags, pageRowPointer(pages::objectsMaps, 17), pages::objectsIdLeaf,
            rowCount },
    };
    table.logicalIndexes = {
        { u"Id", 1, 1, format::index::kindPrimaryKey },
        { u"ParentIdName", 0, 0, format::index::kindOther },
    };
    table.longValueMaps = longValueMaps(table, pages::objectsMaps, 2);
    return table;
}

TableDefinition msysAcesDefinition(std::uint32_t rowCount)
{
    TableDefinition table;
    table.system = true;
    table.columns = {
        fixedColumn(u"ObjectId", ColumnType::Long),
        varColumn(u"SID", ColumnType::Binary, sidFlags),
        fixedColumn(u"ACM", ColumnType::Long),
        fixedColumn(u"FInheritable", ColumnType::Boolean),
    };
    table.rowCount = rowCount;
    table.ownedMap = pageRowPointer(pages::acesMaps, 0);
    table.freeMap = pageRowPointer(pages::acesMaps, 1);
    table.realIndexes = {
        { { 0 }, format::index::flagJet4 | format::index::flagRequired,
            pageRowPointer(pages::acesMaps, 2), pages::acesObjectIdLeaf, rowCount },
    };
    table.logicalIndexes = { { u"ObjectId", 0, 0, format::index::kindOther } };
    return table;
}

TableDefinition msysQueriesDefinition()
{
    TableDefinition table;
    table.system = true;
    table.columns = {
        fixedColumn(u"ObjectId", ColumnType::Long),
        fixedColumn(u"Attribute", ColumnType::Byte),
        varColumn(u"Order", ColumnType::Binary),
        varColumn(u"Name1", ColumnType::Text),
        varColumn(u"Name2", ColumnType::Text),
        varColumn(u"Expression", ColumnType::Memo),
        fixedColumn(u"Flag", ColumnType::Integer),
        fixedColumn(u"LvExtra", ColumnType::Long),
    };
    table.ownedMap = pageRowPointer(pages::queriesMaps, 0);
    table.freeMap = pageRowPointer(pages::queriesMaps, 1);
    table.realIndexes = {
        { { 0, 1, 2 }, uniqueFlags, pageRowPointer(pages::queriesMaps, 4), pages::queriesLeaf, 0 },
    };
    table.logicalIndexes = { { u"ObjectIdAttribute", 0, 0, format::index::kindPrimaryKey } };
    table.longValueMaps = longValueMaps(table, pages::queriesMaps, 2);
    return table;
}

TableDefinition msysRelationshipsDefinition()
{
    TableDefinition table;
    table.system = true;
    table.columns = {
        varColumn(u"szRelationship", ColumnType::Text),
        fixedColumn(u"grbit", ColumnType::Long),
        fixedColumn(u"ccolumn", ColumnType::Long),
        fixedColumn(u"icolumn", ColumnType::Long),
        varColumn(u"szObject", ColumnType::Text),
        varColumn(u"szColumn", ColumnType::Text),
        varColumn(u"szReferencedObject", ColumnType::Text),
        varColumn(u"szReferencedColumn", ColumnType::Text),
    };
    table.ownedMap = pageRowPointer(pages::relationshipsMaps, 0);
    table.freeMap = pageRowPointer(pages::relationshipsMaps, 1);
    constexpr std::uint8_t flags = format::index::flagJet4 | format::index::flagIgnoreNulls;
    const std::uint16_t indexedColumns[3] = { 0, 4, 6 };
    for (std::uint8_t i = 0; i < 3; ++i) {
        table.realIndexes.push_back({ { indexedColumns[i] }, flags,
            pageRowPointer(pages::relationshipsMaps, static_cast<std::uint8_t>(2 + i)),
            pages::relationshipsLeaves[i], 0 });
    }
    table.logicalIndexes = {
        { u"szObject", 1, 1, format::index::kindOther },
        { u"szReferencedObject", 2, 2, format::index::kindOther },
        { u"szRelationship", 0, 0, format::index::kindOther },
    };
    return table;
}

std::vector<PageSet> msysObjectsMaps()
{
    std::vector<PageSet> rows(18);
    rows[0] = { pages::objectsData };
    rows[1] = { pages::objectsData };
    rows[16] = { pages::objectsParentIdNameLeaf };
    rows[17] = { pages::objectsIdLeaf };
    return rows;
}

std::vector<PageSet> msysAcesMaps()
{
    return { { pages::acesData }, { pages::acesData }, { pages::acesObjectIdLeaf } };
}

std::vector<PageSet> msysQueriesMaps()
{
    return { {}, {}, {}, {}, { pages::queriesLeaf } };
}

std::vector<PageSet> msysRelationshipsMaps()
{
    return { {}, {}, { pages::relationshipsLeaves[0] }, { pages::relationshipsLeaves[1] },
        { pages::relationshipsLeaves[2] } };
}

} // namespace bastara::jet
