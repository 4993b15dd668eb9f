#include "platform/jet/catalog.h"

#include "platform/jet/sort_key.h"
#include "platform/jet/system_tables.h"
#include "platform/jet/text.h"

namespace bastara::jet {

namespace {

    // MSysObjects column numbers.
    enum ObjectColumn : std::size_t {
        Id,
        ParentId,
        Name,
        Type,
        DateCreate,
        DateUpdate,
        Owner,
        Flags
    };
    // MSysACEs column numbers.
    enum AceColumn : std::size_t { ObjectId, SidColumn, Acm, FInheritable };

    const TableLayout& objectsLayout()
    {
        static const TableLayout layout = layoutColumns(msysObjectsDefinition(0).columns);
        return layout;
    }

    const TableLayout& acesLayout()
    {
        static const TableLayout layout = layoutColumns(msysAcesDefinition(0).columns);
        return layout;
    }

    std::uint8_t rowNumber(std::size_t index)
    {
        return static_cast<std::uint8_t>(index);
    }

    FormatError tooManyRows()
    {
        return FormatError { FormatError::Kind::CatalogFull, "more than 256 rows on one page" };
    }

} // namespace

std::vector<CatalogObject> baseCatalogObjects(double created)
{
    using namespace objects;
    auto object = [created](std::int32_t id, std::int32_t parent, std::u16string name,
                      std::int16_t type, Sid owner) {
        return CatalogObject { id, parent, std::move(name), type, created, created, owner,
            flagSystem };
    };
    return {
        object(tables, root, u"Tables", typeContainer, sids::engine),
        object(databases, root, u"Databases", typeContainer, sids::engine),
        object(relationships, root, u"Relationships", typeContainer, sids::engine),
        object(database, databases, u"MSysDb", typeDatabase, sids::admin),
        object(static_cast<std::int32_t>(pages::objectsTable), tables, u"MSysObjects", typeTable,
            sids::engine),
        object(static_cast<std::int32_t>(pages::acesTable), tables, u"MSysACEs", typeTable,
            sids::engine),
        object(static_cast<std::int32_t>(pages::queriesTable), tables, u"MSysQueries", typeTable,
            sids::engine),
        object(static_cast<std::int32_t>(pages::relationshipsTable), tables, u"MSysRelationships",
            typeTable, sids::engine),
    };
}

CatalogObject userTableObject(std::uint32_t tdefPage, std::u16string name, double created)
{
    return { static_cast<std::int32_t>(tdefPage), objects::tables, std::move(name),
        objects::typeTable, created, created, sids::admin, 0 };
}

std::vector<AccessEntry> baseAccessEntries()
{
    using namespace objects;
    using namespace sids;
    return {
        { 2, admin, 393216, false },
        { 3, admin, 393216, false },
        { 4, admin, 393216, false },
        { 5, admin, 917504, false },
        { tables, creator, 983294, true },
        { tables, admin, 393217, false },
        { relationships, creator, 983294, true },
        { relationships, admin, 393217, false },
        { databases, admin, 393216, false },
        { database, admin, 393230, false },
        { database, users, 14, false },
        { 4, users, 20, false },
        { 5, users, 20, false },
        { 2, users, 20, false },
        { tables, users, 1048319, true },
        { relationships, users, 1048575, true },
    };
}

std::vector<AccessEntry> userTableAccessEntries(std::int32_t tableId)
{
    return { { tableId, sids::users, 1048319, false }, { tableId, sids::admin, 983294, false } };
}

Result<std::vector<std::uint8_t>, FormatError> encodeCatalogRow(const CatalogObject& object)
{
    std::vector<CellValue> values(objectsLayout().columns.size());
    values[Id] = longCell(object.id);
    values[ParentId] = longCell(object.parentId);
    values[Name] = textCell(object.name);
    values[Type] = integerCell(object.type);
    values[DateCreate] = dateCell(object.dateCreate);
    values[DateUpdate] = dateCell(object.dateUpdate);
    values[Owner] = binaryCell(object.owner);
    values[Flags] = longCell(static_cast<std::int32_t>(object.flags));
    return encodeRow(objectsLayout(), values);
}

Result<std::vector<std::uint8_t>, FormatError> encodeAccessRow(const AccessEntry& entry)
{
    std::vector<CellValue> values(acesLayout().columns.size());
    values[ObjectId] = longCell(entry.objectId);
    values[SidColumn] = binaryCell(entry.sid);
    values[Acm] = longCell(entry.accessMask);
    values[FInheritable] = entry.inheritable;
    return encodeRow(acesLayout(), values);
}

Result<std::vector<IndexEntry>, FormatError> parentIdNameEntries(
    const std::vector<CatalogObject>& rows, std::uint32_t dataPage)
{
    if (rows.size() > 256)
        return Unexpected { tooManyRows() };
    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto sortKey = generalSortKey(rows[i].name);
        if (!sortKey)
            return Unexpected { FormatError { FormatError::Kind::NameWithoutSortKey,
                "no General sort key for '" + toUtf8(rows[i].name) + "'" } };
        std::vector<std::uint8_t> key = longKey(rows[i].parentId);
        const auto nameKey = textKey(*sortKey);
        key.insert(key.end(), nameKey.begin(), nameKey.end());
        entries.push_back({ std::move(key), dataPage, rowNumber(i) });
    }
    return entries;
}

std::vector<IndexEntry> idEntries(const std::vector<CatalogObject>& rows, std::uint32_t dataPage)
{
    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < rows.size() && i < 256; ++i)
        entries.push_back({ longKey(rows[i].id), dataPage, rowNumber(i) });
    return entries;
}

std::vector<IndexEntry> objectIdEntries(
    const std::vector<AccessEntry>& rows, std::uint32_t dataPage)
{
    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < rows.size() && i < 256; ++i)
        entries.push_back({ longKey(rows[i].objectId), dataPage, rowNumber(i) });
    return entries;
}

} // namespace bastara::jet
