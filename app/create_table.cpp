#include "app/create_table.h"

#include "app/created_file.h"
#include "app/model/field_types.h"
#include "app/model/numeric_prefix.h"

namespace bastara::app {

namespace {

    // The table and its fields, in row order, in a database just created.
    dao::EngineResult<void> defineTable(
        dao::Database& database, const std::u16string& tableName, const std::vector<FieldRow>& rows)
    {
        auto tableDef = database.CreateTableDef(tableName);
        if (!tableDef)
            return Unexpected { tableDef.error() };
        for (const FieldRow& row : rows) {
            const int32_t type = *typeCodeForName(row.typeName);
            auto field = (*tableDef)->CreateField(row.name, type, numericPrefix(row.sizeText));
            if (!field)
                return Unexpected { field.error() };
            if (auto appended = (*tableDef)->Fields.Append(*field); !appended)
                return appended;
        }
        return database.TableDefs.Append(*tableDef);
    }

} // namespace

Result<void, CreateFailure> createTable(const std::filesystem::path& path,
    const std::u16string& tableName, const std::vector<FieldRow>& rows, int32_t options)
{
    if (auto problem = checkRows(rows))
        return Unexpected { CreateFailure { *problem } };

    auto created = dao::DBEngine::instance().CreateDatabase(path, dao::dbLangGeneral, options);
    if (!created)
        return Unexpected { CreateFailure { created.error() } };
    std::shared_ptr<dao::Database> database = std::move(*created);
    // The file holds nothing of the user's yet: if the table cannot be
    // written, the disk goes back to how it was before.
    const std::optional<CreatedFile> file = CreatedFile::note(database->Name());

    if (auto defined = defineTable(*database, tableName, rows); !defined) {
        database.reset(); // closes the file, and its lock, before it goes
        if (file)
            file->remove();
        return Unexpected { CreateFailure { defined.error() } };
    }
    return {};
}

} // namespace bastara::app
