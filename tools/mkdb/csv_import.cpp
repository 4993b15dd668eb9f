#include "tools/mkdb/csv_import.h"

#include "platform/jet/text.h"
#include "tools/mkdb/value_parser.h"

#include <algorithm>

namespace bastara::mkdb {

namespace {

    std::string engineError(const dao::EngineError& error)
    {
        return "error " + std::to_string(error.number) + ": " + error.description;
    }

    std::string at(std::uint64_t line, std::size_t column, const std::u16string& name)
    {
        return "line " + std::to_string(line) + ", column " + std::to_string(column + 1) + " ('"
            + jet::toUtf8(name) + "')";
    }

    std::string csvError(const CsvError& error)
    {
        return "line " + std::to_string(error.line)
            + (error.column ? ", column " + std::to_string(error.column) : std::string {}) + ": "
            + error.reason;
    }

} // namespace

Result<std::uint64_t, std::string> importRows(
    dao::Database& database, const std::u16string& table, CsvReader& csv, ProgressLine& progress)
{
    std::vector<std::string_view> fields;
    auto header = csv.next(fields);
    if (!header)
        return Unexpected { csvError(header.error()) };
    if (!*header)
        return Unexpected { std::string(
            "the CSV input is empty: its first line names the fields") };
    auto opened = database.OpenRecordset(table);
    if (!opened)
        return Unexpected { engineError(opened.error()) };
    dao::Recordset& rows = **opened;

    // Column c of the CSV is field fieldOf[c].
    std::vector<std::size_t> fieldOf;
    std::vector<std::u16string> names;
    std::vector<bool> named(rows.FieldCount(), false);
    for (std::size_t c = 0; c < fields.size(); ++c) {
        auto name = jet::fromUtf8(fields[c]);
        if (!name)
            return Unexpected { "line 1, column " + std::to_string(c + 1) + ": not valid UTF-8" };
        const auto field = rows.FieldIndex(*name);
        if (!field)
            return Unexpected { at(1, c, *name) + ": the table has no such field" };
        if (named[*field])
            return Unexpected { at(1, c, *name) + ": names field '"
                + jet::toUtf8(rows.FieldName(*field)) + "' a second time" };
        named[*field] = true;
        fieldOf.push_back(*field);
        names.push_back(std::move(*name));
    }
    const auto missing = std::find(named.begin(), named.end(), false);
    if (missing != named.end())
        return Unexpected { "line 1: the header does not name field '"
            + jet::toUtf8(rows.FieldName(static_cast<std::size_t>(missing - named.begin())))
            + "'" };

    std::vector<int32_t> types;
    for (std::size_t field : fieldOf)
        types.push_back(rows.FieldType(field));
    for (;;) {
        auto more = csv.next(fields);
        if (!more)
            return Unexpected { csvError(more.error()) };
        if (!*more)
            break;
        const std::uint64_t line = csv.recordLine();
        if (fields.size() != fieldOf.size())
            return Unexpected { "line " + std::to_string(line) + ": "
                + std::to_string(fields.size()) + " values for " + std::to_string(fieldOf.size())
                + " fields" };
        if (auto added = rows.AddNew(); !added)
            return Unexpected { "line " + std::to_string(line) + ": "
                + engineError(added.error()) };
        for (std::size_t c = 0; c < fields.size(); ++c) {
            auto value = parseValue(fields[c], types[c]);
            if (!value)
                return Unexpected { at(line, c, names[c]) + ": " + value.error() };
            if (auto set = rows.SetValue(fieldOf[c], std::move(*value)); !set)
                return Unexpected { at(line, c, names[c]) + ": " + engineError(set.error()) };
        }
        if (auto updated = rows.Update(); !updated)
            return Unexpected { "line " + std::to_string(line) + ": "
                + engineError(updated.error()) };
        progress.update(rows.RecordCount(), csv.bytesRead());
    }
    const std::uint64_t count = rows.RecordCount();
    if (auto closed = rows.Close(); !closed)
        return Unexpected { engineError(closed.error()) };
    progress.finish(count, csv.bytesRead());
    return count;
}

} // namespace bastara::mkdb
