#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/object_names.h"

#include <algorithm>

namespace bastara::dao {

namespace {

    // Jet keys at most this many fields in one index.
    constexpr std::size_t maxIndexFields = 10;

} // namespace

Index::Index(std::u16string name)
    : m_name(std::move(name))
{ }

EngineResult<void> Index::changeable() const
{
    if (m_appended)
        return Unexpected { errors::invalidOperation() };
    return {};
}

EngineResult<void> Index::SetPrimary(bool primary)
{
    if (auto open = changeable(); !open)
        return open;
    m_primary = primary;
    return {};
}

EngineResult<void> Index::SetUnique(bool unique)
{
    if (auto open = changeable(); !open)
        return open;
    m_unique = unique;
    return {};
}

EngineResult<void> Index::SetIgnoreNulls(bool ignoreNulls)
{
    if (auto open = changeable(); !open)
        return open;
    m_ignoreNulls = ignoreNulls;
    return {};
}

EngineResult<std::shared_ptr<Field>> Index::CreateField(std::u16string name)
{
    // Only the name and the attributes count; the table's field has the type.
    return std::make_shared<Field>(std::move(name), 0, 0);
}

Index::FieldCollection::FieldCollection(Index& owner)
    : m_owner(owner)
{ }

std::size_t Index::FieldCollection::Count() const
{
    return m_owner.m_fields.size();
}

EngineResult<void> Index::FieldCollection::Append(const std::shared_ptr<Field>& field)
{
    if (!field)
        return Unexpected { errors::objectInvalid() };
    if (auto open = m_owner.changeable(); !open)
        return open;
    if (!isValidObjectName(field->Name()))
        return Unexpected { errors::invalidName(field->Name()) };
    const auto key = fieldNameMatchKey(field->Name());
    if (std::any_of(m_owner.m_fields.begin(), m_owner.m_fields.end(),
            [&key](const KeyField& f) { return fieldNameMatchKey(f.name) == key; }))
        return Unexpected { errors::alreadyInCollection() };
    if (m_owner.m_fields.size() >= maxIndexFields)
        return Unexpected { errors::tooManyIndexFields() };
    m_owner.m_fields.push_back({ field->Name(), (field->Attributes() & dbDescending) != 0 });
    return {};
}

} // namespace bastara::dao
