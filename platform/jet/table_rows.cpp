#include "platform/jet/table_rows.h"

#include "platform/jet/index_key.h"

namespace bastara::jet {

TableRowWriter::TableRowWriter(std::uint32_t tableDefPage,
    std::span<const ColumnDefinition> columns, PageSpool& spool, TableRows soFar,
    std::vector<IndexRules> indexes)
    : m_owner(tableDefPage)
    , m_spool(spool)
    , m_encoder(columns, spool)
    , m_rows(std::move(soFar))
    , m_page(tableDefPage)
    , m_indexRules(std::move(indexes))
{
    m_rows.longValues.resize(m_encoder.longValues().size());
    m_rows.indexes.resize(m_indexRules.size());
    for (const IndexRows& index : m_rows.indexes)
        m_entries.push_back(index.entries ? *index.entries : IndexEntries {});
    m_keys.resize(m_indexRules.size());
    m_keyed.resize(m_indexRules.size());
}

Result<void, IoError> TableRowWriter::flush()
{
    if (!m_current)
        return {};
    m_rows.dataPageWithRoom = m_page.hasRoom() ? m_current : std::nullopt;
    auto written = m_spool.write(*m_current, m_page.page());
    m_current.reset();
    return written;
}

Result<void, RowError> TableRowWriter::keyRow(std::span<const FieldCell> cells)
{
    const TableLayout& layout = m_encoder.layout();
    for (std::size_t i = 0; i < m_indexRules.size(); ++i) {
        const IndexRules& rules = m_indexRules[i];
        std::vector<std::uint8_t>& key = m_keys[i];
        key.clear();
        bool allNull = true;
        for (const IndexColumn& column : rules.columns) {
            const ColumnType type = layout.columns[column.column].type;
            const FieldCell& cell = cells[column.column];
            const bool null = cell.kind == FieldCell::Kind::Null && type != ColumnType::Boolean;
            if (null && rules.required)
                return Unexpected { RowError { RowError::Kind::NullInKey, column.column } };
            allNull = allNull && null;
            switch (appendKeyGroup(key, type, column.descending, cell)) {
            case KeyProblem::None:
                break;
            case KeyProblem::NoSortKey:
                return Unexpected { RowError { RowError::Kind::NoSortKey, column.column } };
            case KeyProblem::WrongKind:
                return Unexpected { RowError { RowError::Kind::WrongKind, column.column } };
            }
        }
        if (key.size() > maxIndexKeyLength)
            return Unexpected { RowError { RowError::Kind::KeyTooLong } };
        m_keyed[i] = !(allNull && rules.ignoreNulls);
        if (rules.unique && !allNull && m_entries[i].containsKey(key))
            return Unexpected { RowError { RowError::Kind::DuplicateKey } };
    }
    return {};
}

Result<void, RowError> TableRowWriter::add(std::span<const FieldCell> cells)
{
    if (cells.size() != m_encoder.columnCount())
        return Unexpected { RowError { RowError::Kind::WrongKind } };
    if (auto keyed = keyRow(cells); !keyed)
        return keyed;
    auto row = m_encoder.encode(cells);
    if (!row)
        return Unexpected { row.error() };
    if (!m_current || !m_page.fits(row->size())) {
        if (auto flushed = flush(); !flushed)
            return Unexpected { RowError { RowError::Kind::Io, 0, flushed.error() } };
        m_current = m_spool.allocate();
        m_rows.dataPages.add(*m_current);
        m_page.reset(m_owner);
    }
    const std::uint8_t rowNumber = m_page.append(*row);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_keyed[i])
            m_entries[i].add(m_keys[i], format::pageRowPointer(*m_current, rowNumber));
    }
    ++m_rows.rowCount;
    return {};
}

Result<TableRows, IoError> TableRowWriter::finish()
{
    if (auto flushed = flush(); !flushed)
        return Unexpected { flushed.error() };
    std::vector<LongValueWriter>& writers = m_encoder.longValues();
    for (std::size_t i = 0; i < writers.size(); ++i) {
        if (auto finished = writers[i].finish(); !finished)
            return Unexpected { finished.error() };
        LongValuePages& pages = m_rows.longValues[i];
        for (const auto& [first, last] : writers[i].ownedPages().runs()) {
            for (std::uint32_t page = first; page <= last; ++page)
                pages.owned.add(page);
        }
        if (!writers[i].ownedPages().empty())
            pages.withRoom = writers[i].pageWithRoom();
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        IndexRows& index = m_rows.indexes[i];
        m_entries[i].sort();
        auto tree = writeIndexTree(m_entries[i], m_owner, m_spool, index.pages);
        if (!tree)
            return Unexpected { tree.error() };
        index.root = tree->root;
        index.pages = std::move(tree->pages);
        index.distinctKeys = m_entries[i].distinctKeys();
        index.entries = std::make_shared<const IndexEntries>(std::move(m_entries[i]));
    }
    return std::move(m_rows);
}

} // namespace bastara::jet
