#pragma once

// Rows from CSV into the table of a database being created. The header
// names each of the table's fields exactly once, in any order, matched as
// the engine matches field names; every record has one value per field.

#include "platform/dao/dao.h"
#include "platform/support/result.h"
#include "tools/mkdb/csv_reader.h"
#include "tools/mkdb/progress.h"

#include <cstdint>
#include <string>

namespace bastara::mkdb {

// Adds every record and closes the Recordset, so the rows are in the file.
// The error is one line naming the CSV line and column (or the field).
[[nodiscard]] Result<std::uint64_t, std::string> importRows(
    dao::Database& database, const std::u16string& table, CsvReader& csv, ProgressLine& progress);

} // namespace bastara::mkdb
