#include "platform/jet/table_def.h"

#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/engine_state.h"
#include "platform/dao/field_rules.h"
#include "platform/dao/object_names.h"
#include "platform/jet/index_key.h"

#include <algorithm>

namespace bastara::dao {

Field::Field(std::u16string name, int32_t type, double size)
    : m_name(std::move(name))
    , m_type(type)
    , m_size(size)
{ }

TableDef::TableDef(std::u16string name)
    : m_name(std::move(name))
    , m_columns(std::make_unique<Columns>())
{ }

TableDef::~TableDef() = default;

EngineResult<std::shared_ptr<Field>> TableDef::CreateField(
    std::u16string name, int32_t type, double size)
{
    // Name, type and size are checked when the field is appended.
    return std::make_shared<Field>(std::move(name), type, size);
}

EngineResult<std::shared_ptr<Index>> TableDef::CreateIndex(std::u16string name)
{
    // Name and fields are checked when the index is appended.
    return std::make_shared<Index>(std::move(name));
}

TableDef::FieldCollection::FieldCollection(TableDef& owner)
    : m_owner(owner)
{ }

std::size_t TableDef::FieldCollection::Count() const
{
    return m_owner.m_columns->columns.size();
}

EngineResult<void> TableDef::FieldCollection::Append(const std::shared_ptr<Field>& field)
{
    if (!field)
        return Unexpected { errors::objectInvalid() };
    // This engine cannot change a table once it is in the file.
    if (m_owner.m_appended)
        return Unexpected { errors::invalidOperation() };
    if (!isValidObjectName(field->Name()))
        return Unexpected { errors::invalidName(field->Name()) };
    Columns& columns = *m_owner.m_columns;
    auto key = fieldNameMatchKey(field->Name());
    if (std::find(columns.matchKeys.begin(), columns.matchKeys.end(), key)
        != columns.matchKeys.end())
        return Unexpected { errors::alreadyInCollection() };
    auto column = columnForField(field->Name(), field->Type(), field->Size());
    if (!column)
        return Unexpected { column.error() };
    if (columns.columns.size() >= jet::maxColumns)
        return Unexpected { errors::tooManyFields() };
    columns.columns.push_back(std::move(*column));
    columns.matchKeys.push_back(std::move(key));
    return {};
}

} // namespace bastara::dao

namespace bastara::dao {

TableDef::IndexCollection::IndexCollection(TableDef& owner)
    : m_owner(owner)
{ }

std::size_t TableDef::IndexCollection::Count() const
{
    return m_owner.m_columns->indexes.size();
}

EngineResult<void> TableDef::IndexCollection::Append(const std::shared_ptr<Index>& index)
{
    if (!index)
        return Unexpected { errors::objectInvalid() };
    if (m_owner.m_appended)
        return Unexpected { errors::invalidOperation() };
    if (index->m_appended)
        return Unexpected { errors::alreadyInCollection() };
    if (!isValidObjectName(index->Name()))
        return Unexpected { errors::invalidName(index->Name()) };
    Columns& columns = *m_owner.m_columns;
    auto key = fieldNameMatchKey(index->Name());
    if (std::find(columns.indexMatchKeys.begin(), columns.indexMatchKeys.end(), key)
        != columns.indexMatchKeys.end())
        return Unexpected { errors::alreadyInCollection() };
    if (index->m_fields.empty())
        return Unexpected { errors::noFieldDefined() };

    jet::UserIndex definition { index->Name(), {}, index->Primary() };
    definition.rules.unique = index->Unique();
    definition.rules.required = index->Primary();
    definition.rules.ignoreNulls = index->IgnoreNulls();
    for (const Index::KeyField& field : index->m_fields) {
        const auto fieldKey = fieldNameMatchKey(field.name);
        const auto found = std::find(columns.matchKeys.begin(), columns.matchKeys.end(), fieldKey);
        if (found == columns.matchKeys.end())
            return Unexpected { errors::itemNotFound() };
        const auto column = static_cast<std::uint16_t>(found - columns.matchKeys.begin());
        if (!jet::isKeyableType(columns.columns[column].type))
            return Unexpected { errors::invalidFieldType() };
        definition.rules.columns.push_back({ column, field.descending });
    }
    if (index->Primary()
        && std::any_of(columns.indexes.begin(), columns.indexes.end(),
            [](const jet::UserIndex& other) { return other.primary; }))
        return Unexpected { errors::primaryKeyExists() };
    if (columns.indexes.size() >= jet::maxIndexes)
        return Unexpected { errors::tooManyIndexes() };
    columns.indexes.push_back(std::move(definition));
    columns.indexMatchKeys.push_back(std::move(key));
    index->m_appended = true;
    return {};
}

} // namespace bastara::dao
