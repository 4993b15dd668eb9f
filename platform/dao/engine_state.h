#pragma once

// The state behind the public engine objects; shared by the engine's .cpp
// files only.

#include "platform/dao/dao.h"
#include "platform/jet/database.h"
#include "platform/jet/safe_file.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace bastara::dao {

struct Database::Impl {
    jet::DatabaseContents contents; // what the file holds
    jet::OwnedFile file;
    // The pages of every table's rows, from the first Recordset on.
    std::optional<jet::PageSpool> spool;
    bool recordsetOpen = false;
};

struct TableDef::Columns {
    std::vector<jet::UserColumn> columns; // appended fields, in order
    std::vector<std::vector<std::uint8_t>> matchKeys; // fieldNameMatchKey of each
    std::vector<jet::UserIndex> indexes; // appended indexes, in order
    std::vector<std::vector<std::uint8_t>> indexMatchKeys; // fieldNameMatchKey of each
};

// Encodes and writes a built database through `sink`, rows included.
jet::ContentWriter contentsOf(
    const jet::DatabasePages& pages, const jet::PageSpool* spool, std::uint32_t databaseKey);

// Encodes and writes a built database through `sink`.
jet::ContentWriter contentsOf(const jet::PageStore& store, std::uint32_t databaseKey);

// Now, as the engine stamps it (local time), or the test clock.
double engineNow();

} // namespace bastara::dao
