#include "platform/jet/database.h"

#include "platform/jet/catalog.h"
#include "platform/jet/format.h"
#include "platform/jet/header_page.h"
#include "platform/jet/sort_key.h"
#include "platform/jet/system_tables.h"
#include "platform/jet/table_def.h"
#include "platform/jet/text.h"
#include "platform/jet/usage_map.h"

#include <algorithm>
#include <set>

namespace bastara::jet {

namespace {

    using format::pageRowPointer;

    FormatError invalid(std::string why)
    {
        return FormatError { FormatError::Kind::InvalidDefinition, std::move(why) };
    }

    // User columns: fixed 0x03, variable 0x02.
    std::uint8_t userColumnFlags(ColumnType type)
    {
        return fixedLength(type) ? format::column::flagFixed | format::column::flagUpdatable
                                 : format::column::flagUpdatable;
    }

    std::size_t longValueColumnCount(const UserTable& table)
    {
        return static_cast<std::size_t>(std::count_if(table.columns.begin(), table.columns.end(),
            [](const UserColumn& column) { return isLongValue(column.type); }));
    }

    // Row 2p and 2p+1 of the table's map pages: pair 0 is the table's own
    // owned/free maps, pair k the k-th long-value column's.
    std::uint32_t mapPointer(const TablePages& pages, std::size_t pair, std::size_t half)
    {
        const std::size_t pairsPerPage = userMapRowsPerPage / 2;
        const std::uint32_t page = pages.usageMaps[pair / pairsPerPage];
        return pageRowPointer(page, static_cast<std::uint8_t>(2 * (pair % pairsPerPage) + half));
    }

    TableDefinition userTableDefinition(const UserTable& table, const TablePages* pages)
    {
        TableDefinition definition;
        for (const UserColumn& column : table.columns)
            definition.columns.push_back(
                { column.name, column.type, column.length, userColumnFlags(column.type) });
        std::size_t pair = 0;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (isLongValue(table.columns[c].type)) {
                ++pair;
                definition.longValueMaps.push_back(
                    { static_cast<std::uint16_t>(c), pages ? mapPointer(*pages, pair, 0) : 0,
                        pages ? mapPointer(*pages, pair, 1) : 0 });
            }
        }
        if (pages) {
            definition.ownedMap = mapPointer(*pages, 0, 0);
            definition.freeMap = mapPointer(*pages, 0, 1);
        }
        return definition;
    }

    Result<void, FormatError> writeMapPage(
        PageStore& store, std::uint32_t page, const std::vector<PageSet>& rows)
    {
        std::vector<std::vector<std::uint8_t>> encoded;
        for (const PageSet& set : rows)
            encoded.push_back(inlineMapRow(set));
        return writeDataPage(store.page(page), 0, encoded);
    }

    Result<void, FormatError> checkTables(const DatabaseContents& contents)
    {
        std::set<std::vector<std::uint8_t>> keys;
        for (const char16_t* name :
            { u"MSysObjects", u"MSysACEs", u"MSysQueries", u"MSysRelationships" })
            keys.insert(*generalSortKey(name));
        for (const UserTable& table : contents.tables) {
            if (table.name.empty() || table.name.size() > maxNameLength)
                return Unexpected { invalid("a table name has 1 to 64 code units") };
            const auto key = generalSortKey(table.name);
            if (!key)
                return Unexpected { FormatError { FormatError::Kind::NameWithoutSortKey,
                    "no General sort key for '" + toUtf8(table.name) + "'" } };
            // ParentIdName is a unique index.
            if (!keys.insert(*key).second)
                return Unexpected { invalid("table name '" + toUtf8(table.name) + "' is taken") };
            if (auto checked = checkTableDefinition(userTableDefinition(table, nullptr)); !checked)
                return Unexpected { checked.error() };
        }
        return {};
    }

    template <typename T> Result<T, FormatError> fail(Result<void, FormatError>&& failed)
    {
        return Unexpected { failed.error() };
    }

} // namespace

Result<DatabasePlan, FormatError> planDatabase(const DatabaseContents& contents)
{
    if (auto checked = checkTables(contents); !checked)
        return fail<DatabasePlan>(std::move(checked));
    DatabasePlan plan;
    std::uint32_t next = pages::firstUserPage;
    for (const UserTable& table : contents.tables) {
        TablePages tablePages;
        const std::uint32_t tdefPages
            = tableDefPageCount(tableDefLength(userTableDefinition(table, nullptr)));
        const std::size_t mapRows = 2 + 2 * longValueColumnCount(table);
        const auto mapPages
            = static_cast<std::uint32_t>((mapRows + userMapRowsPerPage - 1) / userMapRowsPerPage);
        for (std::uint32_t i = 0; i < tdefPages; ++i)
            tablePages.tableDef.push_back(next++);
        for (std::uint32_t i = 0; i < mapPages; ++i)
            tablePages.usageMaps.push_back(next++);
        plan.tables.push_back(std::move(tablePages));
    }
    if (next > format::maxPages)
        return Unexpected { FormatError { FormatError::Kind::TooManyPages,
            "the database would need " + std::to_string(next) + " pages" } };
    plan.pageCount = next;
    return plan;
}

Result<PageStore, FormatError> buildDatabase(const DatabaseContents& contents)
{
    auto plan = planDatabase(contents);
    if (!plan)
        return Unexpected { plan.error() };

    // Catalog rows first: their counts go into the system TDEFs.
    std::vector<CatalogObject> objectRows = baseCatalogObjects(contents.created);
    std::vector<AccessEntry> accessRows = baseAccessEntries();
    for (std::size_t t = 0; t < contents.tables.size(); ++t) {
        const std::uint32_t id = plan->tables[t].tableDef.front();
        objectRows.push_back(
            userTableObject(id, contents.tables[t].name, contents.tables[t].created));
        const auto entries = userTableAccessEntries(static_cast<std::int32_t>(id));
        accessRows.insert(accessRows.end(), entries.begin(), entries.end());
    }
    std::vector<std::vector<std::uint8_t>> objectData;
    for (const CatalogObject& object : objectRows) {
        auto row = encodeCatalogRow(object);
        if (!row)
            return Unexpected { row.error() };
        objectData.push_back(std::move(*row));
    }
    std::vector<std::vector<std::uint8_t>> accessData;
    for (const AccessEntry& entry : accessRows) {
        auto row = encodeAccessRow(entry);
        if (!row)
            return Unexpected { row.error() };
        accessData.push_back(std::move(*row));
    }
    auto nameEntries = parentIdNameEntries(objectRows, pages::objectsData);
    if (!nameEntries)
        return Unexpected { nameEntries.error() };

    PageStore store(plan->pageCount);
    writeHeaderPage(
        store.page(pages::header), { contents.codePage, contents.databaseKey, contents.created });
    writeGlobalMapPage(store.page(pages::globalMap), plan->pageCount);

    const auto objectCount = static_cast<std::uint32_t>(objectRows.size());
    const auto accessCount = static_cast<std::uint32_t>(accessRows.size());
    const std::vector<std::pair<TableDefinition, std::uint32_t>> systemTables {
        { msysObjectsDefinition(objectCount), pages::objectsTable },
        { msysAcesDefinition(accessCount), pages::acesTable },
        { msysQueriesDefinition(), pages::queriesTable },
        { msysRelationshipsDefinition(), pages::relationshipsTable },
    };
    for (const auto& [definition, page] : systemTables) {
        const std::uint32_t single[1] = { page };
        if (auto written = writeTableDef(definition, single, store); !written)
            return fail<PageStore>(std::move(written));
    }

    const std::vector<std::pair<std::uint32_t, std::vector<PageSet>>> systemMaps {
        { pages::objectsMaps, msysObjectsMaps() },
        { pages::acesMaps, msysAcesMaps() },
        { pages::queriesMaps, msysQueriesMaps() },
        { pages::relationshipsMaps, msysRelationshipsMaps() },
    };
    for (const auto& [page, rows] : systemMaps) {
        if (auto written = writeMapPage(store, page, rows); !written)
            return fail<PageStore>(std::move(written));
    }

    struct Leaf {
        std::uint32_t page;
        std::uint32_t table;
        std::vector<IndexEntry> entries;
    };
    const std::vector<Leaf> leaves {
        { pages::objectsParentIdNameLeaf, pages::objectsTable, std::move(*nameEntries) },
        { pages::objectsIdLeaf, pages::objectsTable, idEntries(objectRows, pages::objectsData) },
        { pages::acesObjectIdLeaf, pages::acesTable, objectIdEntries(accessRows, pages::acesData) },
        { pages::queriesLeaf, pages::queriesTable, {} },
        { pages::relationshipsLeaves[0], pages::relationshipsTable, {} },
        { pages::relationshipsLeaves[1], pages::relationshipsTable, {} },
        { pages::relationshipsLeaves[2], pages::relationshipsTable, {} },
    };
    for (const Leaf& leaf : leaves) {
        if (auto written = writeIndexLeaf(store.page(leaf.page), leaf.table, leaf.entries);
            !written)
            return fail<PageStore>(std::move(written));
    }

    if (objectData.size() > 255 || accessData.size() > 255)
        return Unexpected { FormatError {
            FormatError::Kind::CatalogFull, "too many catalog rows" } };
    if (auto written
        = writeDataPage(store.page(pages::objectsData), pages::objectsTable, objectData);
        !written)
        return fail<PageStore>(std::move(written));
    if (auto written = writeDataPage(store.page(pages::acesData), pages::acesTable, accessData);
        !written)
        return fail<PageStore>(std::move(written));

    for (std::size_t t = 0; t < contents.tables.size(); ++t) {
        const TablePages& tablePages = plan->tables[t];
        const TableDefinition definition = userTableDefinition(contents.tables[t], &tablePages);
        if (auto written = writeTableDef(definition, tablePages.tableDef, store); !written)
            return fail<PageStore>(std::move(written));
        // Every map of an empty table is the empty set.
        const std::size_t mapRows = 2 + 2 * definition.longValueMaps.size();
        for (std::size_t p = 0; p < tablePages.usageMaps.size(); ++p) {
            const std::size_t rows = std::min(userMapRowsPerPage, mapRows - p * userMapRowsPerPage);
            if (auto written
                = writeMapPage(store, tablePages.usageMaps[p], std::vector<PageSet>(rows));
                !written)
                return fail<PageStore>(std::move(written));
        }
    }
    return store;
}

} // namespace bastara::jet
