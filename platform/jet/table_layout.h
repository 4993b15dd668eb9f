#pragma once

// Column types and where each column of a table sits in a row: fixed columns
// at offsets in the fixed area (in column-number order, Booleans taking no
// bytes), variable columns by their index in the var-offset table.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bastara::jet {

// Jet 4 column type bytes.
enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
};

inline constexpr std::size_t maxColumns = 255;
inline constexpr std::size_t maxNameLength = 64; // UTF-16 code units
// Text and Binary columns hold at most this many bytes (Text: 255 characters).
inline constexpr std::uint16_t maxVariableBytes = 510;

bool isKnownColumnType(std::uint8_t typeByte);
// The stored length of a fixed-width type (Boolean: 1); nothing for
// variable and long-value types.
std::optional<std::uint16_t> fixedLength(ColumnType type);
// Memo and OLE: stored out of row, with usage-map rows of their own.
bool isLongValue(ColumnType type);

struct ColumnDefinition {
    std::u16string name;
    ColumnType type;
    std::uint16_t length; // bytes: fixed size, 2 × Text characters, Binary bytes, 0 for long values
    std::uint8_t flags;
};

struct ColumnSlot {
    ColumnType type;
    std::uint16_t length;
    bool fixed;
    std::uint16_t fixedOffset; // fixed columns (Boolean: 0)
    std::uint16_t varIndex; // variable columns
    std::uint16_t varBefore; // fixed columns: variable columns with a lower number
};

struct TableLayout {
    std::vector<ColumnSlot> columns; // by column number
    std::uint16_t fixedSize = 0;
    std::uint16_t varCount = 0;
};

TableLayout layoutColumns(std::span<const ColumnDefinition> columns);

} // namespace bastara::jet
