#pragma once

// The Persian texts the application shows in message boxes.

#include "app/create_table.h"
#include "app/model/list_position.h"

#include <QString>
#include <vector>

namespace bastara::app {

// Shown when the database file has been written.
QString successMessage();

// Why the rows were refused; names the row (counted from 1) and, for an
// unknown type, the type as typed and the names that are known.
QString rowProblemMessage(const RowProblem& problem, const std::vector<FieldRow>& rows);

// The engine's error number and its description; when the engine refused a
// field, first the row (counted from 1) with its name, type and size as
// typed, and when it refused the table, first the table name as typed.
QString engineFailureMessage(
    const EngineFailure& failure, const std::vector<FieldRow>& rows, const QString& tableName);

// Why the position typed into the edit dialog was refused.
QString positionProblemMessage(PositionProblem problem, const QString& typed, std::size_t rowCount);

// Why the program cannot open its windows; `detail` is for the developer.
QString startFailureMessage(const QString& detail);

} // namespace bastara::app
