#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/engine_state.h"
#include "platform/dao/field_rules.h"
#include "platform/dao/object_names.h"

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
