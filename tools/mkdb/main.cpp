// bastara-mkdb: creates a database with one table from the command line,
// through the same engine calls as the table designer.

#include "app/create_table.h"
#include "tools/mkdb/command_line.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

enum ExitCode : int { Created = 0, EngineRefused = 1, BadInput = 2 };

void printError(const std::string& message)
{
    std::fprintf(stderr, "bastara-mkdb: %s\n", message.c_str());
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
    const auto created = app::createTable(
        command->file, command->table, command->rows, command->encrypt ? dao::dbEncrypt : 0);
    if (created)
        return Created;
    if (const auto* problem = std::get_if<app::RowProblem>(&created.error())) {
        printError(mkdb::describeRowProblem(*problem, command->rows));
        return BadInput;
    }
    const auto& error = std::get<app::EngineFailure>(created.error()).error;
    printError("error " + std::to_string(error.number) + ": " + error.description);
    return EngineRefused;
}
