#pragma once

// The one operation that turns the field list into a database file through
// the engine. The application and the command-line tool both call it, so
// both make the same engine calls in the same order.

#include "app/model/field_rows.h"
#include "platform/dao/dao.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace bastara::app {

// The engine refused a call. `row` is the field row (0-based) whose field it
// refused; empty when it refused the database or the table. `table` is set
// when it refused the table itself (its name, or a table without fields).
struct EngineFailure {
    dao::EngineError error;
    std::optional<std::size_t> row;
    bool table = false;
};

// An index the new table gets, by field names: appended after the fields
// and before the table.
struct IndexRequest {
    std::u16string name;
    bool primary = false;
    bool unique = false;
    struct KeyField {
        std::u16string name;
        bool descending = false;
    };
    std::vector<KeyField> fields;
};

// The engine refused an index; `index` is its position in the request list.
struct IndexFailure {
    dao::EngineError error;
    std::size_t index;
};

// The caller's fill step refused; its message says why.
struct FillFailure {
    std::string message;
};

using CreateFailure = std::variant<RowProblem, EngineFailure, FillFailure, IndexFailure>;

// Fills the new table (with rows, say) before the call returns; a failure
// undoes the whole creation like any other.
using FillTable = std::function<Result<void, std::string>(dao::Database&)>;

// Checks the rows, then asks the engine for a new database at `path` (general
// sort order, encoded pages unless `options` says otherwise), a table named
// `tableName` and one field per row in row order, and appends the fields and
// the table (with `indexes` appended to it first), then runs `fill` if given. The first failing call ends it. A failure after the database
// was created closes it and removes the file this call made (and only that
// file), so a refused list leaves the disk as it was and the same name can be
// used again. The application passes no options.
[[nodiscard]] Result<void, CreateFailure> createTable(const std::filesystem::path& path,
    const std::u16string& tableName, const std::vector<FieldRow>& rows,
    int32_t options = dao::dbEncrypt, const FillTable& fill = {},
    const std::vector<IndexRequest>& indexes = {});

} // namespace bastara::app
