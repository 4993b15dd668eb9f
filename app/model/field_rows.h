#pragma once

// The field list as the user typed it, and the checks made before anything
// is written.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bastara::app {

// One row of the field list, as typed: nothing is trimmed or converted.
struct FieldRow {
    std::u16string name;
    std::u16string typeName;
    std::u16string sizeText;
};

// A table holds at most this many fields: one per field slot.
inline constexpr std::size_t maxFieldRows = 101;

// Why the rows were refused before anything was written.
struct RowProblem {
    enum class Kind {
        UnknownTypeName, // row's type name is none of the thirteen
        TooManyRows, // more rows than field slots; row is the first one over
    };
    Kind kind;
    std::size_t row; // 0-based
};

// The first problem in the rows, or nothing when they can be written.
std::optional<RowProblem> checkRows(const std::vector<FieldRow>& rows);

} // namespace bastara::app
