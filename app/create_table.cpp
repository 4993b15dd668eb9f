#include "app/create_table.h"

#include "app/created_file.h"
#include "app/model/field_types.h"
#include "app/model/numeric_prefix.h"

namespace bastara::app {

namespace {

    // The table and its fields, in row order, in a database just created.
    Result<void, IndexFailure> appendIndex(
        dao::TableDef& tableDef, const IndexRequest& request, std::size_t position)
    {
        auto fail = [position](const dao::EngineError& error) {
            return Unexpected { IndexFailure { error, position } };
        };
        auto index = tableDef.CreateIndex(request.name);
        if (!index)
            return fail(index.error());
        for (const auto& [set, value] : { std::pair { &dao::Index::SetPrimary, request.primary },
                 std::pair { &dao::Index::SetUnique, request.unique } }) {
            if (auto done = ((**index).*set)(value); !done)
                return fail(done.error());
        }
        for (const IndexRequest::KeyField& keyField : request.fields) {
            auto field = (*index)->CreateField(keyField.name);
            if (!field)
                return fail(field.error());
            (*field)->SetAttributes(keyField.descending ? dao::dbDescending : 0);
            if (auto appended = (*index)->Fields.Append(*field); !appended)
                return fail(appended.error());
        }
        if (auto appended = tableDef.Indexes.Append(*index); !appended)
            return fail(appended.error());
        return {};
    }

    Result<void, CreateFailure> defineTable(dao::Database& database,
        const std::u16string& tableName, const std::vector<FieldRow>& rows,
        const std::vector<IndexRequest>& indexes)
    {
        auto tableDef = database.CreateTableDef(tableName);
        if (!tableDef)
            return Unexpected { CreateFailure { EngineFailure { tableDef.error(), {}, true } } };
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const FieldRow& typed = rows[row];
            const int32_t type = *typeCodeForName(typed.typeName);
            auto field = (*tableDef)->CreateField(typed.name, type, numericPrefix(typed.sizeText));
            if (!field)
                return Unexpected { CreateFailure { EngineFailure { field.error(), row } } };
            if (auto appended = (*tableDef)->Fields.Append(*field); !appended)
                return Unexpected { CreateFailure { EngineFailure { appended.error(), row } } };
        }
        for (std::size_t i = 0; i < indexes.size(); ++i) {
            if (auto appended = appendIndex(**tableDef, indexes[i], i); !appended)
                return Unexpected { CreateFailure { appended.error() } };
        }
        if (auto appended = database.TableDefs.Append(*tableDef); !appended)
            return Unexpected { CreateFailure { EngineFailure { appended.error(), {}, true } } };
        return {};
    }

} // namespace

Result<void, CreateFailure> createTable(const std::filesystem::path& path,
    const std::u16string& tableName, const std::vector<FieldRow>& rows, int32_t options,
    const FillTable& fill, const std::vector<IndexRequest>& indexes)
{
    if (auto problem = checkRows(rows))
        return Unexpected { CreateFailure { *problem } };

    auto created = dao::DBEngine::instance().CreateDatabase(path, dao::dbLangGeneral, options);
    if (!created)
        return Unexpected { CreateFailure { EngineFailure { created.error(), {} } } };
    std::shared_ptr<dao::Database> database = std::move(*created);
    // The file holds nothing of the user's yet: if the table cannot be
    // written, the disk goes back to how it was before.
    std::optional<CreatedFile> file = CreatedFile::note(database->Name());

    auto undo = [&]() {
        database.reset(); // closes the file, and its lock, before it goes
        if (file)
            file->remove();
    };
    if (auto defined = defineTable(*database, tableName, rows, indexes); !defined) {
        undo();
        return Unexpected { defined.error() };
    }
    if (fill) {
        // Appending the table replaced the file with a new one of this engine's.
        if (file)
            file = CreatedFile::note(database->Name());
        if (auto filled = fill(*database); !filled) {
            undo();
            return Unexpected { CreateFailure { FillFailure { filled.error() } } };
        }
    }
    return {};
}

} // namespace bastara::app
