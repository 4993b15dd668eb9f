#include "platform/jet/table_rows.h"

namespace bastara::jet {

TableRowWriter::TableRowWriter(std::uint32_t tableDefPage,
    std::span<const ColumnDefinition> columns, PageSpool& spool, TableRows soFar)
    : m_owner(tableDefPage)
    , m_spool(spool)
    , m_encoder(columns, spool)
    , m_rows(std::move(soFar))
    , m_page(tableDefPage)
{
    m_rows.longValues.resize(m_encoder.longValues().size());
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

Result<void, RowError> TableRowWriter::add(std::span<const FieldCell> cells)
{
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
    m_page.append(*row);
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
    return std::move(m_rows);
}

} // namespace bastara::jet
