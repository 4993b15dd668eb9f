#pragma once

// Index keys of user-table rows. A key is one group per indexed column, in
// the index's column order; groups sort by plain unsigned byte comparison,
// so the bytes of a group are the value turned into something that compares
// the way the engine orders the type:
//
//   start   7F ascending, 80 descending; a Null is the single byte 00
//           (descending FF) with nothing after it
//   Byte    the byte
//   Integer, Long, Currency
//           big-endian, sign bit flipped (Currency: the amount × 10,000)
//   Single, Double, Date/Time
//           big-endian IEEE: non-negative values flip the sign bit, negative
//           ones invert every byte; -0 is keyed as 0, which it equals
//   Boolean one byte, True 00 and False FF (never Null)
//   Text    the General sort key (sort_key.h)
//
// A descending group inverts (XOR FF) every byte after its start byte; a
// descending Text group then ends in one more byte, 00.
//
//     Long 5000 ascending          7F 80 00 13 88
//     Long 0 descending            80 7F FF FF FF
//     Text "a" descending          80 B5 FE FF 00

#include "platform/jet/row_encoder.h"
#include "platform/jet/table_layout.h"

#include <cstdint>
#include <vector>

namespace bastara::jet {

// Types an index can key; Binary, Memo, OLE and GUID columns cannot be keyed
// here.
bool isKeyableType(ColumnType type);

enum class KeyProblem : std::uint8_t {
    None,
    NoSortKey, // a Text value with a character the General sort order has no code for
    WrongKind, // a value the column cannot hold (the row encoder refuses it too)
};

// Appends the group of `cell` (as the row encoder takes it) to `key`. On a
// problem, `key` may hold part of the group.
[[nodiscard]] KeyProblem appendKeyGroup(
    std::vector<std::uint8_t>& key, ColumnType type, bool descending, const FieldCell& cell);

} // namespace bastara::jet
