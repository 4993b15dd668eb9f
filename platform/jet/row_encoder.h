#pragma once

// Rows of a user table from field values (data_page.h has the row layout).
// The encoder checks each value against its column and the whole row
// against a page before anything is written, then hands long values that
// do not stay in the row to the column's LongValueWriter.
//
// Text goes in as UTF-16 and is stored as UCS-2LE: the columns this writer
// defines do not ask for Unicode compression, as DAO's do not.

#include "platform/jet/long_values.h"
#include "platform/jet/table_layout.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace bastara::jet {

// One value as the encoder takes it: fixed columns their stored bytes
// (little-endian, exactly the column's length), Text and Memo their text,
// Binary and OLE their bytes, Boolean its flag.
struct FieldCell {
    enum class Kind : std::uint8_t { Null, Boolean, Bytes, Text };
    Kind kind = Kind::Null;
    bool flag = false;
    std::span<const std::uint8_t> bytes;
    std::u16string_view text;
};

struct RowError {
    enum class Kind {
        WrongKind, // a value the column cannot hold at all
        TooLong, // Text over its characters, Binary over its bytes, long value over 16 MB
        ByteOrderMark, // text starting with U+FEFF reads back changed
        RowTooLarge, // the row would not fit a page
        Io, // writing a long value failed
        // Refused by an index (table_rows.h); `column` names the field for
        // the two that concern one.
        DuplicateKey, // a primary or unique index already has the key
        NullInKey, // Null in a field of a primary key
        NoSortKey, // Text the General sort order has no key for
        KeyTooLong, // the row's key would not fit an index page
    };
    Kind kind;
    std::size_t column = 0; // not for RowTooLarge and Io
    IoError io {};
};

// Jackcess refuses rows over this size; the engine's own rows stay under it.
inline constexpr std::size_t maxRowSize = 4060;

class RowEncoder
{
public:
    RowEncoder(std::span<const ColumnDefinition> columns, PageSpool& spool);

    // The encoded row, valid until the next call; long values are already
    // on their pages when it returns.
    [[nodiscard]] Result<std::span<const std::uint8_t>, RowError> encode(
        std::span<const FieldCell> cells);

    std::size_t columnCount() const { return m_layout.columns.size(); }
    const TableLayout& layout() const { return m_layout; }
    // Each Memo/OLE column's writer, in column order.
    std::vector<LongValueWriter>& longValues() { return m_longValues; }

private:
    struct Variable {
        std::size_t column;
        std::span<const std::uint8_t> stored; // what the row or the LVAL pages hold
        bool longValue = false;
        bool inRow = true;
    };

    TableLayout m_layout;
    std::vector<std::size_t> m_longIndex; // column → its LongValueWriter
    std::vector<LongValueWriter> m_longValues;
    std::vector<std::vector<std::uint8_t>> m_textBuffers; // by var index
    std::vector<Variable> m_variables;
    std::vector<LongValueField> m_fields;
    std::vector<std::uint8_t> m_row;
};

} // namespace bastara::jet
