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

// The caller's fill step refused; its message says why.
struct FillFailure {
    std::string message;
};

using CreateFailure = std::variant<RowProblem, EngineFailure, FillFailure>;

// Fills the new table (with rows, say) before the call returns; a failure
// undoes the whole creation like any other.
using FillTable = std::function<Result<void, std::string>(dao::Database&)>;

// Checks the rows, then asks the engine for a new database at `path` (general
// sort order, encoded pages unless `options` says otherwise), a table named
// `tableName` and one field per row in row order, and appends the fields and
// the table, then runs `fill` if given. The first failing call ends it. A failure after the database
// was created closes it and removes the file this call made (and only that
// file), so a refused list leaves the disk as it was and the same name can be
// used again. The application passes no options.
[[nodiscard]] Result<void, CreateFailure> createTable(const std::filesystem::path& path,
    const std::u16string& tableName, const std::vector<FieldRow>& rows,
    int32_t options = dao::dbEncrypt, const FillTable& fill = {});

} // namespace bastara::app
