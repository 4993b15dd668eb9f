#pragma once

// The database engine as the application sees it: the five calls that create
// a database, a table definition and its fields, in the object model of the
// engine's automation interface (the names are that model's names).
//
//     auto db = DBEngine::instance().CreateDatabase(path, dbLangGeneral, dbEncrypt);
//     auto tdf = (*db)->CreateTableDef(u"table");
//     auto fld = (*tdf)->CreateField(u"id", dbLong, 4);
//     (*tdf)->Fields.Append(*fld);
//     (*db)->TableDefs.Append(*tdf);
//
// Every call either succeeds or returns an EngineError whose number and
// description are worded as the real engine words them. Objects are reference
// counted, like the automation objects they mirror: the database file is
// closed when the last reference to its Database goes.
//
// Nothing here knows the file format; platform/jet writes the bytes.

#include "platform/support/result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bastara::dao {

// DataTypeEnum codes the application passes to CreateField.
enum DataType : int32_t {
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbBinary = 9,
    dbText = 10,
    dbMemo = 12,
    dbFloat = 21,
};

// CreateDatabase options.
enum DatabaseOption : int32_t {
    dbEncrypt = 2,
    dbDecrypt = 4,
    dbVersion40 = 64,
};

// The "General" sort order for English and western European languages.
inline constexpr std::string_view dbLangGeneral = ";LANGID=0x0409;CP=1252;COUNTRY=0";

struct EngineError {
    int32_t number = 0;
    std::string description; // UTF-8
};

template <typename T>
using EngineResult = Result<T, EngineError>;

class Database;
class TableDef;
class Field;

// One per process, created on first use and kept until the program ends.
class DBEngine
{
public:
    static DBEngine& instance();

    // Creates a new database file at `name` and returns it open. Refuses an
    // existing file (and never touches it).
    [[nodiscard]] EngineResult<std::shared_ptr<Database>> CreateDatabase(
        const std::filesystem::path& name, std::string_view locale, int32_t options);

private:
    DBEngine() = default;
};

} // namespace bastara::dao
