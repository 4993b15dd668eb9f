#pragma once

// Running the built bastara-mkdb from the tests (which define
// BASTARA_MKDB_PATH), and the files they give it.

#include "support/run_process.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bastara::testing {

inline ProcessResult mkdb(std::vector<std::string> args)
{
    args.insert(args.begin(), BASTARA_MKDB_PATH);
    return runProcess(args);
}

inline void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace bastara::testing
