#pragma once

// Data pages (format.h, namespace data) and the Jet 4 row format.
//
// Row layout:
//
//   ncols        u16      number of columns of the table
//   fixed area   n bytes  fixed-length columns at their fixed offsets
//   var data     n bytes  non-null variable columns, in var-index order
//   eod          u16      offset of the byte after the var data
//   var offsets  u16 × V  start of var column V-1, ..., 1, 0 (reversed)
//   var count    u16      V
//   null mask    ⌈ncols/8⌉ bit c set: column c is not null (Boolean: true)
//
// Without variable columns the row is just ncols, fixed area, null mask.

#include "platform/jet/errors.h"
#include "platform/jet/page_codec.h"
#include "platform/jet/table_layout.h"
#include "platform/support/result.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace bastara::jet {

// A column's value in a row: null, a Boolean, or its stored bytes (fixed
// columns: exactly their length).
using CellValue = std::variant<std::monostate, bool, std::vector<std::uint8_t>>;

CellValue longCell(std::int32_t value);
CellValue integerCell(std::int16_t value);
CellValue dateCell(double oleDate);
CellValue textCell(std::u16string_view text);
CellValue binaryCell(std::span<const std::uint8_t> bytes);

// `values` is indexed by column number and must have one entry per column.
[[nodiscard]] Result<std::vector<std::uint8_t>, FormatError> encodeRow(
    const TableLayout& layout, const std::vector<CellValue>& values);

// The inverse of encodeRow, for rows read from a file.
[[nodiscard]] Result<std::vector<CellValue>, FormatError> decodeRow(
    const TableLayout& layout, std::span<const std::uint8_t> row);

// Bytes a page has left after these rows; negative when they do not fit.
std::int64_t dataPageFreeSpace(const std::vector<std::vector<std::uint8_t>>& rows);

// Packs `rows` down from the end of the page, in order.
[[nodiscard]] Result<void, FormatError> writeDataPage(
    PageSpan page, std::uint32_t ownerPage, const std::vector<std::vector<std::uint8_t>>& rows);

// The rows of a data page read from a file, by row number; a deleted row is
// an empty span.
[[nodiscard]] Result<std::vector<std::span<const std::uint8_t>>, FormatError> readDataPageRows(
    std::span<const std::uint8_t, format::pageSize> page);

} // namespace bastara::jet

namespace bastara::jet {

// A data page filled one row at a time, rows packed down from the end as
// writeDataPage packs them, at most 255 (a row pointer has one byte for the
// row number).
class DataPageBuilder
{
public:
    static constexpr std::size_t maxRows = 255;
    // The largest row an empty page takes.
    static constexpr std::size_t maxRowSize
        = format::pageSize - format::data::headerSize - format::data::rowOffsetSize;

    explicit DataPageBuilder(std::uint32_t owner = 0);

    // Starts an empty page for `owner` (a TDEF page, or the LVAL marker).
    void reset(std::uint32_t owner);
    std::size_t rowCount() const { return m_rows; }
    bool fits(std::size_t rowSize) const;
    // Room for one more row of at least one byte.
    bool hasRoom() const { return fits(1); }
    // The new row's number; the caller checked fits().
    std::uint8_t append(std::span<const std::uint8_t> row);
    // The page with its header filled in.
    std::span<const std::uint8_t, format::pageSize> page();

private:
    Page m_page {};
    std::uint32_t m_owner = 0;
    std::size_t m_rows = 0;
    std::size_t m_top = format::pageSize; // start of the lowest row
};

// The owner field of a long-value page: "LVAL" in ASCII.
inline constexpr std::uint32_t longValueOwner = 0x4C41564C;

} // namespace bastara::jet
