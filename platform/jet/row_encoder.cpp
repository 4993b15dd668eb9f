#include "platform/jet/row_encoder.h"

#include "platform/jet/format.h"

#include <algorithm>

namespace bastara::jet {

RowEncoder::RowEncoder(std::span<const ColumnDefinition> columns, PageSpool& spool)
    : m_layout(layoutColumns(columns))
    , m_longIndex(columns.size(), 0)
    , m_textBuffers(m_layout.varCount)
    , m_fields(columns.size())
{
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (isLongValue(columns[c].type)) {
            m_longIndex[c] = m_longValues.size();
            m_longValues.emplace_back(spool);
        }
    }
}

namespace {

    void put16(std::uint8_t* at, std::size_t value)
    {
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
    }

    void storeText(std::u16string_view text, std::vector<std::uint8_t>& out)
    {
        out.resize(text.size() * 2);
        std::uint8_t* at = out.data();
        for (char16_t unit : text) {
            *at++ = static_cast<std::uint8_t>(unit);
            *at++ = static_cast<std::uint8_t>(unit >> 8);
        }
    }

} // namespace

Result<std::span<const std::uint8_t>, RowError> RowEncoder::encode(std::span<const FieldCell> cells)
{
    using Kind = FieldCell::Kind;
    const std::size_t columnCount = m_layout.columns.size();
    auto refuse = [](RowError::Kind kind, std::size_t column) {
        return Unexpected { RowError { kind, column, {} } };
    };
    if (cells.size() != columnCount)
        return refuse(RowError::Kind::WrongKind, std::min(cells.size(), columnCount));

    // Check every value and size the row first.
    m_variables.clear();
    std::size_t varBytes = 0;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const ColumnSlot& slot = m_layout.columns[c];
        const FieldCell& cell = cells[c];
        if (slot.type == ColumnType::Boolean) {
            if (cell.kind != Kind::Boolean)
                return refuse(RowError::Kind::WrongKind, c);
            continue;
        }
        if (cell.kind == Kind::Null)
            continue;
        const bool textual = slot.type == ColumnType::Text || slot.type == ColumnType::Memo;
        if (cell.kind != (textual ? Kind::Text : Kind::Bytes))
            return refuse(RowError::Kind::WrongKind, c);
        if (slot.fixed) {
            if (cell.bytes.size() != slot.length)
                return refuse(RowError::Kind::WrongKind, c);
            continue;
        }
        std::span<const std::uint8_t> stored = cell.bytes;
        if (textual) {
            if (slot.type == ColumnType::Text && cell.text.size() * 2 > slot.length)
                return refuse(RowError::Kind::TooLong, c);
            if (!cell.text.empty() && cell.text.front() == u'\xFEFF')
                return refuse(RowError::Kind::ByteOrderMark, c);
            std::vector<std::uint8_t>& buffer = m_textBuffers[slot.varIndex];
            storeText(cell.text, buffer);
            stored = buffer;
        } else if (slot.type == ColumnType::Binary && stored.size() > slot.length) {
            return refuse(RowError::Kind::TooLong, c);
        }
        const bool longValue = isLongValue(slot.type);
        if (longValue && stored.size() > longValueMaxBytes)
            return refuse(RowError::Kind::TooLong, c);
        Variable variable { c, stored, longValue,
            !longValue || stored.size() <= longValueInlineLimit };
        varBytes += longValue ? longValueFieldSize + (variable.inRow ? stored.size() : 0)
                              : stored.size();
        m_variables.push_back(variable);
    }
    const std::size_t varTrailer
        = m_layout.varCount ? 2 + 2 * std::size_t { m_layout.varCount } + 2 : 0;
    const std::size_t fixedPart = 2 + m_layout.fixedSize + varTrailer + (columnCount + 7) / 8;
    // A wide row sends its inline long values out, largest first.
    while (fixedPart + varBytes > maxRowSize) {
        Variable* largest = nullptr;
        for (Variable& variable : m_variables) {
            if (variable.longValue && variable.inRow
                && (!largest || variable.stored.size() > largest->stored.size()))
                largest = &variable;
        }
        if (!largest || largest->stored.empty())
            return refuse(RowError::Kind::RowTooLarge, 0);
        largest->inRow = false;
        varBytes -= largest->stored.size();
    }

    for (const Variable& variable : m_variables) {
        if (!variable.longValue)
            continue;
        if (variable.inRow) {
            m_fields[variable.column] = inlineLongValueField(variable.stored.size());
            continue;
        }
        auto placed = m_longValues[m_longIndex[variable.column]].place(variable.stored);
        if (!placed)
            return Unexpected { RowError { RowError::Kind::Io, variable.column, placed.error() } };
        m_fields[variable.column] = *placed;
    }

    m_row.assign(fixedPart + varBytes, 0);
    std::uint8_t* row = m_row.data();
    put16(row, columnCount);
    std::uint8_t* mask = row + m_row.size() - (columnCount + 7) / 8;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const ColumnSlot& slot = m_layout.columns[c];
        const FieldCell& cell = cells[c];
        bool present = cell.kind != Kind::Null;
        if (slot.type == ColumnType::Boolean)
            present = cell.flag;
        else if (slot.fixed && present)
            std::copy(cell.bytes.begin(), cell.bytes.end(), row + 2 + slot.fixedOffset);
        if (present)
            mask[c / 8] |= static_cast<std::uint8_t>(1u << (c % 8));
    }
    if (m_layout.varCount) {
        std::size_t at = 2 + std::size_t { m_layout.fixedSize };
        std::uint8_t* offsets = mask - 2; // var count, then starts downwards
        put16(offsets, m_layout.varCount);
        auto next = m_variables.begin();
        for (std::size_t v = 0; v < m_layout.varCount; ++v) {
            put16(offsets - 2 * (v + 1), at);
            if (next == m_variables.end() || m_layout.columns[next->column].varIndex != v)
                continue;
            if (next->longValue) {
                const LongValueField& field = m_fields[next->column];
                std::copy(field.begin(), field.end(), row + at);
                at += field.size();
            }
            if (next->inRow) {
                std::copy(next->stored.begin(), next->stored.end(), row + at);
                at += next->stored.size();
            }
            ++next;
        }
        put16(offsets - 2 * (std::size_t { m_layout.varCount } + 1), at);
    }
    return std::span<const std::uint8_t>(m_row);
}

} // namespace bastara::jet
