// bastara-mkdb: creates a database with one table from the command line,
// through the same engine calls as the table designer.

#include "app/create_table.h"
#include "platform/jet/text.h"
#include "tools/mkdb/command_line.h"
#include "tools/mkdb/csv_import.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

enum ExitCode : int { Created = 0, EngineRefused = 1, BadInput = 2 };

void printError(const std::string& message)
{
    std::fprintf(stderr, "bastara-mkdb: %s\n", message.c_str());
}

// What the engine refused, named as the command line gave it.
std::string describeEngineFailure(const bastara::app::EngineFailure& failure,
    const std::vector<bastara::app::FieldRow>& rows, const std::u16string& table)
{
    using bastara::jet::toUtf8;
    const std::string error
        = "error " + std::to_string(failure.error.number) + ": " + failure.error.description;
    if (failure.row && *failure.row < rows.size())
        return "field " + std::to_string(*failure.row + 1) + " ('" + toUtf8(rows[*failure.row].name)
            + "'): " + error;
    if (failure.table)
        return "table '" + toUtf8(table) + "': " + error;
    return error;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace bastara;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    auto command = mkdb::parseCommandLine(args);
    if (!command) {
        printError(command.error());
        return BadInput;
    }
    if (command->help) {
        std::fputs(mkdb::helpText().c_str(), stdout);
        return Created;
    }
    // The CSV is opened first: a missing one leaves nothing behind.
    int csvFd = -1;
    if (!command->rowsFile.empty()) {
        csvFd = command->rowsFile == "-" ? STDIN_FILENO
                                         : ::open(command->rowsFile.c_str(), O_RDONLY | O_CLOEXEC);
        if (csvFd < 0) {
            printError("cannot open '" + command->rowsFile + "': " + std::strerror(errno));
            return BadInput;
        }
    }
    app::FillTable fill;
    if (csvFd >= 0) {
        fill = [&](dao::Database& database) -> Result<void, std::string> {
            mkdb::CsvReader csv(csvFd, command->delimiter);
            mkdb::ProgressLine progress(stderr, !command->quiet && ::isatty(STDERR_FILENO));
            auto imported = mkdb::importRows(database, command->table, csv, progress);
            if (!imported)
                return Unexpected { command->rowsFile + ": " + imported.error() };
            return {};
        };
    }
    const auto created = app::createTable(command->file, command->table, command->rows,
        command->encrypt ? dao::dbEncrypt : 0, fill, command->indexes);
    if (csvFd > STDIN_FILENO)
        ::close(csvFd);
    if (created)
        return Created;
    if (const auto* problem = std::get_if<app::RowProblem>(&created.error())) {
        printError(mkdb::describeRowProblem(*problem, command->rows));
        return BadInput;
    }
    if (const auto* index = std::get_if<app::IndexFailure>(&created.error())) {
        printError(command->indexArguments.at(index->index) + ": error "
            + std::to_string(index->error.number) + ": " + index->error.description);
        return EngineRefused;
    }
    if (const auto* filled = std::get_if<app::FillFailure>(&created.error())) {
        printError(filled->message);
        return EngineRefused;
    }
    printError(describeEngineFailure(
        std::get<app::EngineFailure>(created.error()), command->rows, command->table));
    return EngineRefused;
}
