#pragma once

// The command line of bastara-mkdb:
//
//     bastara-mkdb [--encrypt] [--primary-key KEY] [--index [unique:]KEY]...
//                  [--rows CSV [--delimiter D] [--quiet]] FILE TABLE NAME:TYPE:SIZE...
//
// KEY is FIELD[,FIELD...]; a field with a leading '-' is in descending
// order, and a leading '+' (ascending, the default) lets a field name start
// with '-'.
//
// Each field is split at its last two colons, so a field name may itself
// contain colons ("a:b:Long:" is the field "a:b" of type Long, no size).

#include "app/create_table.h"
#include "app/model/field_rows.h"
#include "platform/support/result.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bastara::mkdb {

struct Command {
    bool help = false;
    bool encrypt = false;
    // The CSV file of rows ("-": standard input); empty: no rows.
    std::string rowsFile;
    char delimiter = ',';
    bool quiet = false;
    std::filesystem::path file;
    std::u16string table;
    std::vector<app::FieldRow> rows;
    // The primary key first (named PrimaryKey), then each --index in order.
    std::vector<app::IndexRequest> indexes;
    std::vector<std::string> indexArguments; // each as given, for messages
};

// Indexes a table may have, as the engine allows.
inline constexpr std::size_t maxIndexes = 32;

// Arguments after the program name, UTF-8. The error is a one-line message.
[[nodiscard]] Result<Command, std::string> parseCommandLine(std::span<const std::string_view> args);

// NAME:TYPE:SIZE split at the last two colons; nothing with fewer than two.
std::optional<app::FieldRow> parseFieldArgument(std::u16string_view contents);

// FIELD[,FIELD...] with '-' (descending) or '+' prefixes; nothing for an
// empty list or an empty field.
std::optional<std::vector<app::IndexRequest::KeyField>> parseKeyFields(std::u16string_view list);

std::string helpText();

// A one-line message for a row the field list refuses.
std::string describeRowProblem(
    const app::RowProblem& problem, const std::vector<app::FieldRow>& rows);

} // namespace bastara::mkdb
