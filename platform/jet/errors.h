#pragma once

// Why a database image could not be built or read. I/O failures are IoError
// (io_error.h); these are failures of the content itself.

#include <string>

namespace bastara::jet {

struct FormatError {
    enum class Kind {
        // A write or read fell outside its page or buffer: a planning bug
        // when writing, a damaged file when reading.
        OutOfBounds,
        // A table name holds a character without a General sort key.
        NameWithoutSortKey,
        // The definition breaks a limit of the format (column count, name
        // length, column length, type).
        InvalidDefinition,
        // A catalog page (rows or index entries) has no room left.
        CatalogFull,
        // The file would need more pages than the usage maps can describe.
        TooManyPages,
        // The bytes read are not a database this reader understands.
        Malformed,
    };
    Kind kind;
    std::string detail;
};

} // namespace bastara::jet
