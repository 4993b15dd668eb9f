#include "app/model/field_rows.h"

#include "app/model/field_types.h"

namespace bastara::app {

std::optional<RowProblem> checkRows(const std::vector<FieldRow>& rows)
{
    // The count is a problem of the whole list, so it is reported first.
    if (rows.size() > maxFieldRows)
        return RowProblem { RowProblem::Kind::TooManyRows, maxFieldRows };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!typeCodeForName(rows[row].typeName))
            return RowProblem { RowProblem::Kind::UnknownTypeName, row };
    }
    return std::nullopt;
}

} // namespace bastara::app
