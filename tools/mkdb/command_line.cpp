#include "tools/mkdb/command_line.h"

#include "app/model/field_types.h"
#include "platform/jet/text.h"

namespace bastara::mkdb {

namespace {

    Unexpected<std::string> usage(std::string message)
    {
        return Unexpected { std::move(message) + " (see --help)" };
    }

} // namespace

std::optional<app::FieldRow> parseFieldArgument(std::u16string_view contents)
{
    const std::size_t sizeColon = contents.rfind(u':');
    if (sizeColon == std::u16string_view::npos || sizeColon == 0)
        return std::nullopt;
    const std::size_t typeColon = contents.rfind(u':', sizeColon - 1);
    if (typeColon == std::u16string_view::npos)
        return std::nullopt;
    return app::FieldRow { std::u16string(contents.substr(0, typeColon)),
        std::u16string(contents.substr(typeColon + 1, sizeColon - typeColon - 1)),
        std::u16string(contents.substr(sizeColon + 1)) };
}

std::optional<std::vector<app::IndexRequest::KeyField>> parseKeyFields(std::u16string_view list)
{
    std::vector<app::IndexRequest::KeyField> fields;
    for (;;) {
        const std::size_t comma = list.find(u',');
        std::u16string_view item = list.substr(0, comma);
        app::IndexRequest::KeyField field;
        if (!item.empty() && (item[0] == u'-' || item[0] == u'+')) {
            field.descending = item[0] == u'-';
            item.remove_prefix(1);
        }
        if (item.empty())
            return std::nullopt;
        field.name = std::u16string(item);
        fields.push_back(std::move(field));
        if (comma == std::u16string_view::npos)
            return fields;
        list.remove_prefix(comma + 1);
    }
}

namespace {

    // A single-field index is named after its field, a composite one after
    // its fields joined by '_'; a number follows a name already taken.
    std::u16string indexName(
        const std::vector<app::IndexRequest::KeyField>& fields, const Command& command)
    {
        std::u16string base;
        for (const auto& field : fields)
            base += (base.empty() ? u"" : u"_") + field.name;
        base = base.substr(0, 60);
        auto fold = [](std::u16string name) {
            for (char16_t& unit : name) {
                if (unit >= u'A' && unit <= u'Z')
                    unit = static_cast<char16_t>(unit - u'A' + u'a');
            }
            return name;
        };
        std::u16string name = base;
        for (int n = 1;; ++n) {
            bool taken = false;
            for (const app::IndexRequest& other : command.indexes)
                taken = taken || fold(other.name) == fold(name);
            if (!taken)
                return name;
            const std::string digits = std::to_string(n);
            name = base + std::u16string(digits.begin(), digits.end());
        }
    }

    Result<void, std::string> addIndex(
        Command& command, std::string_view option, std::string_view value, bool primary)
    {
        const std::string shown = std::string(option) + " " + std::string(value);
        bool unique = primary;
        std::string_view list = value;
        if (!primary && list.starts_with("unique:")) {
            unique = true;
            list.remove_prefix(7);
        }
        const auto text = jet::fromUtf8(list);
        if (!text)
            return Unexpected { shown + " is not valid UTF-8" };
        auto fields = parseKeyFields(*text);
        if (!fields)
            return Unexpected { shown + ": expected FIELD[,FIELD...]" };
        if (command.indexes.size() >= maxIndexes)
            return Unexpected { "at most " + std::to_string(maxIndexes)
                + " indexes, the primary key included" };
        app::IndexRequest request;
        request.primary = primary;
        request.unique = unique;
        request.name = primary ? u"PrimaryKey" : indexName(*fields, command);
        request.fields = std::move(*fields);
        // The primary key comes first, as the engine lists it.
        const auto at = primary ? command.indexes.begin() : command.indexes.end();
        command.indexArguments.insert(
            command.indexArguments.begin() + (at - command.indexes.begin()), shown);
        command.indexes.insert(at, std::move(request));
        return {};
    }

} // namespace

Result<Command, std::string> parseCommandLine(std::span<const std::string_view> args)
{
    Command command;
    std::vector<std::string_view> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            command.help = true;
            return command;
        }
        const bool takesValue
            = arg == "--rows" || arg == "--delimiter" || arg == "--primary-key" || arg == "--index";
        if (!optionsEnded && takesValue && i + 1 == args.size())
            return usage(std::string(arg) + " needs a value");
        if (!optionsEnded && arg == "--encrypt") {
            command.encrypt = true;
        } else if (!optionsEnded && arg == "--quiet") {
            command.quiet = true;
        } else if (!optionsEnded && arg == "--rows") {
            command.rowsFile = std::string(args[++i]);
            if (command.rowsFile.empty())
                return usage("--rows needs a file name, or - for standard input");
        } else if (!optionsEnded && arg == "--delimiter") {
            const std::string_view value = args[++i];
            if (value == "tab" || value == "\\t" || value == "\t")
                command.delimiter = '\t';
            else if (value == "," || value == ";" || value == "\t" || value == "|")
                command.delimiter = value[0];
            else
                return usage("--delimiter is one of , ; | or tab");
        } else if (!optionsEnded && (arg == "--primary-key" || arg == "--index")) {
            const bool primary = arg == "--primary-key";
            if (primary && !command.indexes.empty() && command.indexes.front().primary)
                return usage("--primary-key is given once");
            if (auto added = addIndex(command, arg, args[++i], primary); !added)
                return usage(added.error());
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && positional.empty() && arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option '" + std::string(arg) + "'");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() < 2)
        return usage("expected FILE and TABLE");
    if (positional[0].empty())
        return usage("FILE is empty");
    command.file = std::filesystem::path(std::string(positional[0]));
    auto table = jet::fromUtf8(positional[1]);
    if (!table)
        return usage("TABLE is not valid UTF-8");
    command.table = std::move(*table);
    for (std::size_t i = 2; i < positional.size(); ++i) {
        const auto contents = jet::fromUtf8(positional[i]);
        if (!contents)
            return usage("field " + std::to_string(i - 1) + " is not valid UTF-8");
        auto row = parseFieldArgument(*contents);
        if (!row)
            return usage("field " + std::to_string(i - 1) + " ('" + std::string(positional[i])
                + "') is not NAME:TYPE:SIZE");
        command.rows.push_back(std::move(*row));
    }
    return command;
}

std::string helpText()
{
    std::string types;
    for (std::u16string_view name : app::offeredTypeNames)
        types += (types.empty() ? "" : ", ") + jet::toUtf8(name);
    return "Usage: bastara-mkdb [--encrypt] FILE TABLE NAME:TYPE:SIZE...\n"
           "       bastara-mkdb [--encrypt] [KEYS] [--rows CSV [--delimiter D] [--quiet]]\n"
           "                    FILE TABLE NAME:TYPE:SIZE...\n"
           "  KEYS: [--primary-key FIELD[,FIELD...]] [--index [unique:]FIELD[,FIELD...]]...\n"
           "\n"
           "Creates the Jet 4 (.mdb) database FILE holding one table TABLE with one field\n"
           "per NAME:TYPE:SIZE, in the order given, through the same engine calls the\n"
           "Bastara table designer makes. FILE must not exist; a FILE without an\n"
           "extension gets \".mdb\".\n"
           "\n"
           "  NAME   the field name; it may contain colons: each field is split at its\n"
           "         last two colons (\"a:b:Long:\" is field \"a:b\", type Long)\n"
           "  TYPE   one of "
        + types
        + "\n"
          "         (exact case; \"Time\" makes a Date field, \"Float\" a Double)\n"
          "  SIZE   read like the designer's size column: the leading number counts\n"
          "         (\"50\", \"50 chars\" and \"5 0\" are 50; \"&H20\" is 32; empty is 0).\n"
          "         Text sizes are characters (1-255, 0 for 255), Binary sizes bytes\n"
          "         (1-255, 0 for 255); other types ignore it.\n"
          "\n"
          "Options:\n"
          "  --encrypt  encode the database's pages, as the designer always does\n"
          "  --rows CSV fill the table from the CSV file CSV (- reads standard input):\n"
          "             RFC 4180, UTF-8; the first line names every field once, in any\n"
          "             order. Values: Boolean true/false, yes/no, 1/0, -1; numbers as\n"
          "             12, -3.5 or 1e6; Currency at most four decimal places; Date\n"
          "             YYYY-MM-DD or YYYY-MM-DD HH:MM:SS; Binary hexadecimal; an\n"
          "             empty value is Null\n"
          "  --delimiter D  the CSV's field delimiter: , (default), ;, | or tab\n"
          "  --primary-key FIELD[,FIELD...]\n"
          "             the table's primary key (the index PrimaryKey) over these fields,\n"
          "             in this order: no two rows with the same key, no Null in them\n"
          "  --index [unique:]FIELD[,FIELD...]\n"
          "             an index over these fields, named after them (joined by _);\n"
          "             unique: refuses two rows with the same key (rows whose key\n"
          "             fields are all empty do not clash). Repeatable; at most 32\n"
          "             indexes with the primary key. In both, a field written -NAME\n"
          "             is in descending order, +NAME (the default) in ascending; no\n"
          "             name can hold a comma. Keys take Boolean, number, Date/Time and\n"
          "             Text fields; Text is ordered as the engine's General sort order\n"
          "             orders it (so a unique Text key ignores case)\n"
          "  --quiet    no progress line (it shows only on a terminal anyway)\n"
          "  --help     show this text\n"
          "  --         end of options (for a FILE starting with '-')\n"
          "\n"
          "At most 101 fields. Exit status: 0 created; 1 the engine refused a field,\n"
          "an index, the table or a row (a duplicate key, a Null in the primary key),\n"
          "or the CSV is malformed (the message names the field or index, or the CSV\n"
          "line and column; a FILE already created for this run is removed again);\n"
          "2 bad command line or field list, in which case nothing is written.\n";
}

std::string describeRowProblem(
    const app::RowProblem& problem, const std::vector<app::FieldRow>& rows)
{
    switch (problem.kind) {
    case app::RowProblem::Kind::TooManyRows:
        return "too many fields: " + std::to_string(rows.size()) + " given, at most "
            + std::to_string(app::maxFieldRows);
    case app::RowProblem::Kind::UnknownTypeName:
        break;
    }
    const app::FieldRow& row = rows.at(problem.row);
    return "field " + std::to_string(problem.row + 1) + " ('" + jet::toUtf8(row.name)
        + "'): unknown type '" + jet::toUtf8(row.typeName) + "' (see --help for the type names)";
}

} // namespace bastara::mkdb
