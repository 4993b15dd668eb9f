#include "platform/jet/database.h"

#include "platform/jet/catalog.h"
#include "platform/jet/format.h"
#include "platform/jet/header_page.h"
#include "platform/jet/index_key.h"
#include "platform/jet/index_page.h"
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
    std::uint32_t mapRowPointer(const TablePages& pages, std::size_t row)
    {
        return pageRowPointer(pages.usageMaps[row / userMapRowsPerPage],
            static_cast<std::uint8_t>(row % userMapRowsPerPage));
    }

    std::uint32_t mapPointer(const TablePages& pages, std::size_t pair, std::size_t half)
    {
        return mapRowPointer(pages, 2 * pair + half);
    }

    // After the pairs: one owned-pages row per index.
    std::size_t indexMapRow(const UserTable& table, std::size_t index)
    {
        return 2 + 2 * longValueColumnCount(table) + index;
    }

    std::uint8_t realIndexFlags(const UserIndex& index)
    {
        namespace f = format::index;
        return static_cast<std::uint8_t>(f::flagJet4 | (index.rules.unique ? f::flagUnique : 0)
            | (index.rules.ignoreNulls ? f::flagIgnoreNulls : 0)
            | (index.rules.required ? f::flagRequired : 0));
    }

    TableDefinition userTableDefinition(
        const UserTable& table, const TablePages* pages, const TableRows* rows = nullptr)
    {
        TableDefinition definition;
        definition.columns = userColumnDefinitions(table);
        definition.rowCount = rows ? rows->rowCount : 0;
        for (std::size_t i = 0; i < table.indexes.size(); ++i) {
            const UserIndex& index = table.indexes[i];
            RealIndexDefinition real { {}, realIndexFlags(index),
                pages ? mapRowPointer(*pages, indexMapRow(table, i)) : 0,
                pages ? pages->indexRoots[i] : 0,
                rows && i < rows->indexes.size() ? rows->indexes[i].distinctKeys : 0, 0 };
            for (std::size_t c = 0; c < index.rules.columns.size(); ++c) {
                real.columns.push_back(index.rules.columns[c].column);
                if (index.rules.columns[c].descending)
                    real.descending = static_cast<std::uint16_t>(real.descending | (1u << c));
            }
            definition.realIndexes.push_back(std::move(real));
            const auto number = static_cast<std::uint32_t>(i);
            definition.logicalIndexes.push_back({ index.name, number, number,
                index.primary ? format::index::kindPrimaryKey : format::index::kindOther });
        }
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

    PageRuns single(const std::optional<std::uint32_t>& page)
    {
        PageRuns runs;
        if (page)
            runs.add(*page);
        return runs;
    }

    // The map rows of a table with rows: owned and free for the table, then
    // for each long-value column. Maps too wide for a row get bitmap pages
    // after the rows' pages.
    Result<std::vector<std::vector<std::uint8_t>>, FormatError> tableMapRows(const UserTable& table,
        const TablePages& tablePages, const TableRows& tableRows, DatabasePages& pages)
    {
        std::vector<std::pair<PageRuns, PageRuns>> sets;
        sets.emplace_back(tableRows.dataPages, single(tableRows.dataPageWithRoom));
        const std::size_t longColumns = longValueColumnCount(table);
        for (std::size_t i = 0; i < longColumns; ++i) {
            if (i < tableRows.longValues.size())
                sets.emplace_back(
                    tableRows.longValues[i].owned, single(tableRows.longValues[i].withRoom));
            else
                sets.emplace_back();
        }
        std::vector<std::vector<std::uint8_t>> rows;
        for (const auto& [owned, withRoom] : sets) {
            std::array<std::uint32_t, referenceMapSlots> bitmapPages {};
            for (std::uint32_t slot : bitmapSlotsFor(owned)) {
                if (slot >= referenceMapSlots)
                    return Unexpected { FormatError { FormatError::Kind::TooManyPages,
                        "a table's pages lie beyond what its usage map can name" } };
                bitmapPages[slot]
                    = pages.trailingStart + static_cast<std::uint32_t>(pages.trailing.size());
                writeBitmapPage(pages.trailing.emplace_back(), owned, slot);
            }
            rows.push_back(mapRow(owned, bitmapPages));
            rows.push_back(mapRow(withRoom, bitmapPages));
        }
        for (std::size_t i = 0; i < table.indexes.size(); ++i) {
            PageRuns owned;
            owned.add(tablePages.indexRoots[i]);
            if (i < tableRows.indexes.size()) {
                for (std::uint32_t page : tableRows.indexes[i].pages)
                    owned.add(page);
            }
            std::array<std::uint32_t, referenceMapSlots> bitmapPages {};
            for (std::uint32_t slot : bitmapSlotsFor(owned)) {
                if (slot >= referenceMapSlots)
                    return Unexpected { FormatError { FormatError::Kind::TooManyPages,
                        "an index's pages lie beyond what its usage map can name" } };
                bitmapPages[slot]
                    = pages.trailingStart + static_cast<std::uint32_t>(pages.trailing.size());
                writeBitmapPage(pages.trailing.emplace_back(), owned, slot);
            }
            rows.push_back(mapRow(owned, bitmapPages));
        }
        return rows;
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
            for (const UserIndex& index : table.indexes) {
                if (index.name.empty() || index.name.size() > maxNameLength)
                    return Unexpected { invalid("an index name has 1 to 64 code units") };
                for (const IndexColumn& column : index.rules.columns) {
                    if (column.column >= table.columns.size()
                        || !isKeyableType(table.columns[column.column].type))
                        return Unexpected { invalid("an index keys a field it cannot key") };
                }
            }
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

std::vector<IndexRules> userIndexRules(const UserTable& table)
{
    std::vector<IndexRules> rules;
    for (const UserIndex& index : table.indexes)
        rules.push_back(index.rules);
    return rules;
}

std::vector<ColumnDefinition> userColumnDefinitions(const UserTable& table)
{
    std::vector<ColumnDefinition> columns;
    for (const UserColumn& column : table.columns)
        columns.push_back(
            { column.name, column.type, column.length, userColumnFlags(column.type) });
    return columns;
}

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
        const std::size_t mapRows = indexMapRow(table, table.indexes.size());
        const auto mapPages
            = static_cast<std::uint32_t>((mapRows + userMapRowsPerPage - 1) / userMapRowsPerPage);
        for (std::uint32_t i = 0; i < tdefPages; ++i)
            tablePages.tableDef.push_back(next++);
        for (std::uint32_t i = 0; i < mapPages; ++i)
            tablePages.usageMaps.push_back(next++);
        for (std::size_t i = 0; i < table.indexes.size(); ++i)
            tablePages.indexRoots.push_back(next++);
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
    auto pages = buildDatabasePages(contents);
    if (!pages)
        return Unexpected { pages.error() };
    return std::move(pages->front);
}

Result<void, IoError> emitDatabase(
    const DatabasePages& pages, const PageSpool* spool, const PageCodec& codec, PageSink& sink)
{
    if (auto written = emitPages(pages.front, codec, sink); !written)
        return written;
    if (spool) {
        if (auto written = emitSpool(*spool, codec, sink); !written)
            return written;
    }
    Page encoded;
    for (std::size_t i = 0; i < pages.trailing.size(); ++i) {
        encoded = pages.trailing[i];
        codec.apply(pages.trailingStart + static_cast<std::uint32_t>(i), PageSpan { encoded });
        if (auto written = sink.write(encoded); !written)
            return written;
    }
    return {};
}

Result<DatabasePages, FormatError> buildDatabasePages(const DatabaseContents& contents)
{
    auto plan = planDatabase(contents);
    if (!plan)
        return Unexpected { plan.error() };
    if (contents.rowPagesEnd != 0 && contents.rowPagesEnd < plan->pageCount)
        return Unexpected { invalid("the rows' pages overlap the tables' pages") };
    DatabasePages result { PageStore(plan->pageCount), 0, {}, 0 };
    result.trailingStart = std::max(plan->pageCount, contents.rowPagesEnd);
    std::vector<std::vector<std::vector<std::uint8_t>>> mapRows;
    const TableRows noRows;
    auto rowsOf = [&](std::size_t t) -> const TableRows& {
        return t < contents.rows.size() ? contents.rows[t] : noRows;
    };
    for (std::size_t t = 0; t < contents.tables.size(); ++t) {
        auto rows = tableMapRows(contents.tables[t], plan->tables[t], rowsOf(t), result);
        if (!rows)
            return Unexpected { rows.error() };
        mapRows.push_back(std::move(*rows));
    }
    result.pageCount = result.trailingStart + static_cast<std::uint32_t>(result.trailing.size());
    if (result.pageCount > referenceMapSlots * pagesPerBitmapPage)
        return Unexpected { FormatError { FormatError::Kind::TooManyPages,
            "the database would need " + std::to_string(result.pageCount) + " pages" } };
    PageStore& store = result.front;

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

    writeHeaderPage(
        store.page(pages::header), { contents.codePage, contents.databaseKey, contents.created });
    writeGlobalMapPage(store.page(pages::globalMap), result.pageCount);

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
            return fail<DatabasePages>(std::move(written));
    }

    const std::vector<std::pair<std::uint32_t, std::vector<PageSet>>> systemMaps {
        { pages::objectsMaps, msysObjectsMaps() },
        { pages::acesMaps, msysAcesMaps() },
        { pages::queriesMaps, msysQueriesMaps() },
        { pages::relationshipsMaps, msysRelationshipsMaps() },
    };
    for (const auto& [page, rows] : systemMaps) {
        if (auto written = writeMapPage(store, page, rows); !written)
            return fail<DatabasePages>(std::move(written));
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
            return fail<DatabasePages>(std::move(written));
    }

    if (objectData.size() > 255 || accessData.size() > 255)
        return Unexpected { FormatError {
            FormatError::Kind::CatalogFull, "too many catalog rows" } };
    if (auto written
        = writeDataPage(store.page(pages::objectsData), pages::objectsTable, objectData);
        !written)
        return fail<DatabasePages>(std::move(written));
    if (auto written = writeDataPage(store.page(pages::acesData), pages::acesTable, accessData);
        !written)
        return fail<DatabasePages>(std::move(written));

    for (std::size_t t = 0; t < contents.tables.size(); ++t) {
        const TablePages& tablePages = plan->tables[t];
        const TableDefinition definition
            = userTableDefinition(contents.tables[t], &tablePages, &rowsOf(t));
        if (auto written = writeTableDef(definition, tablePages.tableDef, store); !written)
            return fail<DatabasePages>(std::move(written));
        for (std::size_t i = 0; i < tablePages.indexRoots.size(); ++i) {
            PageSpan root = store.page(tablePages.indexRoots[i]);
            const TableRows& rows = rowsOf(t);
            if (i < rows.indexes.size() && rows.indexes[i].root) {
                std::copy(rows.indexes[i].root->begin(), rows.indexes[i].root->end(), root.begin());
            } else if (auto written = writeIndexLeaf(root, tablePages.tableDef.front(), {});
                       !written) {
                return fail<DatabasePages>(std::move(written));
            }
        }
        const std::vector<std::vector<std::uint8_t>>& rows = mapRows[t];
        for (std::size_t p = 0; p < tablePages.usageMaps.size(); ++p) {
            const auto first = rows.begin() + static_cast<std::ptrdiff_t>(p * userMapRowsPerPage);
            const auto end = rows.begin()
                + static_cast<std::ptrdiff_t>(std::min(rows.size(), (p + 1) * userMapRowsPerPage));
            if (auto written
                = writeDataPage(store.page(tablePages.usageMaps[p]), 0, { first, end });
                !written)
                return fail<DatabasePages>(std::move(written));
        }
    }
    return result;
}

} // namespace bastara::jet
