#pragma once

// Memo and OLE values stored out of row, on LVAL pages of their column:
//
// * up to 4076 bytes: one LVAL row holding exactly the value (kind 40);
// * longer: a chain of rows, each a 4-byte pointer to the next piece (0 on
//   the last) and up to 4072 bytes of data (kind 00).
//
// A value or a chain's first piece goes on the column's current page when it
// fits there whole; every later piece starts a fresh page, so a full piece
// fills its page. The row keeps a 12-byte field (longValueField).

#include "platform/jet/data_page.h"
#include "platform/jet/io_error.h"
#include "platform/jet/page_spool.h"
#include "platform/jet/usage_map.h"
#include "platform/support/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace bastara::jet {

inline constexpr std::size_t longValueFieldSize = 12;
// Values up to this many bytes may stay in the row.
inline constexpr std::size_t longValueInlineLimit = 64;
inline constexpr std::size_t longValueRowLimit = 4076;
inline constexpr std::size_t longValuePieceData = longValueRowLimit - 4;
// The u24 length field.
inline constexpr std::size_t longValueMaxBytes = 0xFFFFFF;

using LongValueField = std::array<std::uint8_t, longValueFieldSize>;

// The field of a value kept in the row (the value follows it).
LongValueField inlineLongValueField(std::size_t length);

class LongValueWriter
{
public:
    explicit LongValueWriter(PageSpool& spool);

    // Writes `value` to LVAL pages and returns the row's field.
    [[nodiscard]] Result<LongValueField, IoError> place(std::span<const std::uint8_t> value);
    // Writes the current page; the column's pages are then complete.
    [[nodiscard]] Result<void, IoError> finish();

    const PageRuns& ownedPages() const { return m_owned; }
    // The page that still takes values, if any.
    std::optional<std::uint32_t> pageWithRoom() const { return m_withRoom; }

private:
    [[nodiscard]] Result<void, IoError> startPage();
    [[nodiscard]] Result<void, IoError> flush();
    // Appends to the current page, which must have room; its row pointer.
    std::uint32_t append(std::span<const std::uint8_t> row);

    PageSpool& m_spool;
    DataPageBuilder m_page { longValueOwner };
    std::optional<std::uint32_t> m_current;
    std::optional<std::uint32_t> m_withRoom;
    PageRuns m_owned;
    std::vector<std::uint8_t> m_piece;
};

} // namespace bastara::jet
