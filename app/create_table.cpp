#include "app/create_table.h"

#include "app/model/field_types.h"
#include "app/model/numeric_prefix.h"

namespace bastara::app {

Result<void, CreateFailure> createTable(const std::filesystem::path& path,
    const std::u16string& tableName, const std::vector<FieldRow>& rows, int32_t options)
{
    if (auto problem = checkRows(rows))
        return Unexpected { CreateFailure { *problem } };

    auto engineFailure
        = [](const dao::EngineError& error) { return Unexpected { CreateFailure { error } }; };

    auto database = dao::DBEngine::instance().CreateDatabase(path, dao::dbLangGeneral, options);
    if (!database)
        return engineFailure(database.error());
    auto tableDef = (*database)->CreateTableDef(tableName);
    if (!tableDef)
        return engineFailure(tableDef.error());

    for (const FieldRow& row : rows) {
        const int32_t type = *typeCodeForName(row.typeName);
        auto field = (*tableDef)->CreateField(row.name, type, numericPrefix(row.sizeText));
        if (!field)
            return engineFailure(field.error());
        if (auto appended = (*tableDef)->Fields.Append(*field); !appended)
            return engineFailure(appended.error());
    }
    if (auto appended = (*database)->TableDefs.Append(*tableDef); !appended)
        return engineFailure(appended.error());
    return {};
}

} // namespace bastara::app
