#include "platform/jet/data_page.h"

#include "platform/jet/byte_reader.h"
#include "platform/jet/page_writer.h"

#include <algorithm>
#include <bit>

namespace bastara::jet {

namespace {

    FormatError invalid(std::string why)
    {
        return FormatError { FormatError::Kind::InvalidDefinition, std::move(why) };
    }

    FormatError malformed(std::string why)
    {
        return FormatError { FormatError::Kind::Malformed, std::move(why) };
    }

    std::vector<std::uint8_t> littleEndian(std::uint64_t value, std::size_t size)
    {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
        return bytes;
    }

    std::size_t nullMaskSize(std::size_t columnCount)
    {
        return (columnCount + 7) / 8;
    }

} // namespace

CellValue longCell(std::int32_t value)
{
    return littleEndian(static_cast<std::uint32_t>(value), 4);
}

CellValue integerCell(std::int16_t value)
{
    return littleEndian(static_cast<std::uint16_t>(value), 2);
}

CellValue dateCell(double oleDate)
{
    return littleEndian(std::bit_cast<std::uint64_t>(oleDate), 8);
}

CellValue textCell(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

CellValue binaryCell(std::span<const std::uint8_t> bytes)
{
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

Result<std::vector<std::uint8_t>, FormatError> encodeRow(
    const TableLayout& layout, const std::vector<CellValue>& values)
{
    const std::size_t columnCount = layout.columns.size();
    if (values.size() != columnCount)
        return Unexpected { invalid("row has " + std::to_string(values.size()) + " values for "
            + std::to_string(columnCount) + " columns") };

    // Plan the row's size first.
    std::size_t varBytes = 0;
    std::vector<const std::vector<std::uint8_t>*> varValues(layout.varCount, nullptr);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const ColumnSlot& slot = layout.columns[c];
        const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&values[c]);
        const bool isBoolean = slot.type == ColumnType::Boolean;
        if (std::holds_alternative<bool>(values[c]) != isBoolean
            && !std::holds_alternative<std::monostate>(values[c]))
            return Unexpected { invalid(
                "column " + std::to_string(c) + " has a value of the wrong kind") };
        if (!bytes)
            continue;
        if (slot.fixed && bytes->size() != slot.length)
            return Unexpected { invalid("fixed column " + std::to_string(c) + " needs "
                + std::to_string(slot.length) + " bytes") };
        if (!slot.fixed) {
            if (isLongValue(slot.type) || bytes->size() > slot.length)
                return Unexpected { invalid("value too long for column " + std::to_string(c)) };
            varValues[slot.varIndex] = bytes;
            varBytes += bytes->size();
        }
    }
    const std::size_t varTrailer
        = layout.varCount ? 2 + 2 * std::size_t { layout.varCount } + 2 : 0;
    const std::size_t rowSize
        = 2 + layout.fixedSize + varBytes + varTrailer + nullMaskSize(columnCount);
    if (rowSize > format::pageSize - format::data::headerSize - format::data::rowOffsetSize)
        return Unexpected { invalid(
            "row of " + std::to_string(rowSize) + " bytes exceeds a page") };

    std::vector<std::uint8_t> row(rowSize, 0);
    PageWriter w(row);
    w.u16le(static_cast<std::uint16_t>(columnCount));
    std::vector<std::uint8_t> nullMask(nullMaskSize(columnCount), 0);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const ColumnSlot& slot = layout.columns[c];
        bool present = false;
        if (const bool* flag = std::get_if<bool>(&values[c])) {
            present = *flag;
        } else if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&values[c])) {
            present = true;
            if (slot.fixed)
                w.at(2 + std::size_t { slot.fixedOffset }).bytes(*bytes);
        }
        if (present)
            nullMask[c / 8] |= static_cast<std::uint8_t>(1u << (c % 8));
    }
    w.at(2 + std::size_t { layout.fixedSize });
    if (layout.varCount) {
        std::vector<std::uint16_t> starts(layout.varCount);
        for (std::size_t v = 0; v < layout.varCount; ++v) {
            starts[v] = static_cast<std::uint16_t>(w.offset());
            if (varValues[v])
                w.bytes(*varValues[v]);
        }
        w.u16le(static_cast<std::uint16_t>(w.offset()));
        for (std::size_t v = layout.varCount; v-- > 0;)
            w.u16le(starts[v]);
        w.u16le(layout.varCount);
    }
    w.bytes(nullMask);
    if (auto status = w.status(); !status)
        return Unexpected { status.error() };
    return row;
}

Result<std::vector<CellValue>, FormatError> decodeRow(
    const TableLayout& layout, std::span<const std::uint8_t> row)
{
    const std::size_t columnCount = layout.columns.size();
    ByteReader r(row);
    if (r.u16le() != columnCount || !r.ok())
        return Unexpected { malformed("row column count does not match its table") };
    const std::size_t maskSize = nullMaskSize(columnCount);
    const std::size_t fixedEnd = 2 + std::size_t { layout.fixedSize };
    if (row.size() < fixedEnd + maskSize)
        return Unexpected { malformed("row shorter than its fixed part") };
    const auto mask = row.subspan(row.size() - maskSize);
    auto isSet
        = [&mask](std::size_t c) { return ((unsigned { mask[c / 8] } >> (c % 8)) & 1u) != 0; };

    std::vector<std::uint16_t> varStarts;
    std::size_t eod = fixedEnd;
    if (layout.varCount) {
        const std::size_t trailer = 2 + 2 * std::size_t { layout.varCount } + 2;
        if (row.size() < fixedEnd + trailer + maskSize)
            return Unexpected { malformed("row shorter than its variable-column table") };
        const std::size_t countAt = row.size() - maskSize - 2;
        if (r.at(countAt).u16le() != layout.varCount)
            return Unexpected { malformed("row variable-column count does not match its table") };
        for (std::size_t v = 0; v < layout.varCount; ++v)
            varStarts.push_back(r.at(countAt - 2 * (v + 1)).u16le());
        eod = r.at(countAt - 2 * (std::size_t { layout.varCount } + 1)).u16le();
        if (eod > countAt - 2 * std::size_t { layout.varCount } || eod < fixedEnd)
            return Unexpected { malformed("row end-of-data offset out of range") };
    }

    std::vector<CellValue> values(columnCount);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const ColumnSlot& slot = layout.columns[c];
        if (slot.type == ColumnType::Boolean) {
            values[c] = static_cast<bool>(isSet(c));
            continue;
        }
        if (!isSet(c))
            continue;
        if (slot.fixed) {
            const std::size_t begin = 2 + std::size_t { slot.fixedOffset };
            if (begin + slot.length > fixedEnd)
                return Unexpected { malformed("fixed column outside the fixed area") };
            values[c] = binaryCell(row.subspan(begin, slot.length));
        } else {
            if (slot.varIndex >= varStarts.size())
                return Unexpected { malformed("variable column index out of range") };
            const std::size_t begin = varStarts[slot.varIndex];
            const std::size_t end
                = slot.varIndex + 1u < varStarts.size() ? varStarts[slot.varIndex + 1u] : eod;
            if (begin < fixedEnd || begin > end || end > eod)
                return Unexpected { malformed("variable column offsets out of order") };
            values[c] = binaryCell(row.subspan(begin, end - begin));
        }
    }
    return values;
}

std::int64_t dataPageFreeSpace(const std::vector<std::vector<std::uint8_t>>& rows)
{
    std::int64_t free = static_cast<std::int64_t>(format::pageSize - format::data::headerSize);
    for (const auto& row : rows)
        free -= static_cast<std::int64_t>(row.size() + format::data::rowOffsetSize);
    return free;
}

Result<void, FormatError> writeDataPage(
    PageSpan page, std::uint32_t ownerPage, const std::vector<std::vector<std::uint8_t>>& rows)
{
    const std::int64_t free = dataPageFreeSpace(rows);
    if (free < 0)
        return Unexpected { FormatError { FormatError::Kind::CatalogFull,
            "rows need " + std::to_string(-free) + " bytes more than a data page has" } };
    std::fill(page.begin(), page.end(), std::uint8_t { 0 });
    PageWriter w(page);
    w.u8(static_cast<std::uint8_t>(format::PageType::Data)).u8(0x01);
    w.u16le(static_cast<std::uint16_t>(free)).u32le(ownerPage).u32le(0);
    w.u16le(static_cast<std::uint16_t>(rows.size()));
    std::size_t end = format::pageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t start = end - rows[i].size();
        w.at(format::data::rowOffsets + i * format::data::rowOffsetSize)
            .u16le(static_cast<std::uint16_t>(start));
        w.at(start).bytes(rows[i]);
        end = start;
    }
    return w.status();
}

Result<std::vector<std::span<const std::uint8_t>>, FormatError> readDataPageRows(
    std::span<const std::uint8_t, format::pageSize> page)
{
    ByteReader r(page);
    if (r.u8() != static_cast<std::uint8_t>(format::PageType::Data))
        return Unexpected { malformed("expected a data page") };
    const std::size_t count = r.at(format::data::rowCount).u16le();
    const std::size_t tableEnd = format::data::rowOffsets + count * format::data::rowOffsetSize;
    if (tableEnd > format::pageSize)
        return Unexpected { malformed("data page row table overflows the page") };
    std::vector<std::span<const std::uint8_t>> rows;
    std::size_t end = format::pageSize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t raw
            = r.at(format::data::rowOffsets + i * format::data::rowOffsetSize).u16le();
        const std::size_t start = raw & format::data::rowOffsetMask;
        if (start < tableEnd || start >= end)
            return Unexpected { malformed("data page row offsets out of order") };
        if (raw & format::data::overflowRowFlag)
            return Unexpected { malformed("overflow rows are not supported") };
        if (raw & format::data::deletedRowFlag)
            rows.emplace_back();
        else
            rows.push_back(page.subspan(start, end - start));
        end = start;
    }
    return rows;
}

} // namespace bastara::jet

namespace bastara::jet {

DataPageBuilder::DataPageBuilder(std::uint32_t owner)
{
    reset(owner);
}

void DataPageBuilder::reset(std::uint32_t owner)
{
    m_page.fill(0);
    m_owner = owner;
    m_rows = 0;
    m_top = format::pageSize;
}

bool DataPageBuilder::fits(std::size_t rowSize) const
{
    const std::size_t used = format::data::headerSize + format::data::rowOffsetSize * (m_rows + 1);
    return m_rows < maxRows && rowSize <= m_top && m_top - rowSize >= used;
}

std::uint8_t DataPageBuilder::append(std::span<const std::uint8_t> row)
{
    m_top -= row.size();
    std::copy(row.begin(), row.end(), m_page.begin() + static_cast<std::ptrdiff_t>(m_top));
    const std::size_t at = format::data::rowOffsets + format::data::rowOffsetSize * m_rows;
    m_page[at] = static_cast<std::uint8_t>(m_top);
    m_page[at + 1] = static_cast<std::uint8_t>(m_top >> 8);
    return static_cast<std::uint8_t>(m_rows++);
}

std::span<const std::uint8_t, format::pageSize> DataPageBuilder::page()
{
    const std::size_t free
        = m_top - format::data::headerSize - format::data::rowOffsetSize * m_rows;
    PageWriter w(m_page);
    w.u8(static_cast<std::uint8_t>(format::PageType::Data)).u8(0x01);
    w.u16le(static_cast<std::uint16_t>(free)).u32le(m_owner).u32le(0);
    w.u16le(static_cast<std::uint16_t>(m_rows));
    return m_page;
}

} // namespace bastara::jet
