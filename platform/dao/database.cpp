#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/engine_state.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/dao/object_names.h"

#include <array>

namespace bastara::dao {

namespace {

    constexpr std::array<std::u16string_view, 4> systemTableNames { u"MSysObjects", u"MSysACEs",
        u"MSysQueries", u"MSysRelationships" };

    bool nameTaken(const jet::DatabaseContents& contents, const std::vector<std::uint8_t>& key)
    {
        for (std::u16string_view name : systemTableNames) {
            if (tableNameKey(name) == key)
                return true;
        }
        for (const jet::UserTable& table : contents.tables) {
            if (tableNameKey(table.name) == key)
                return true;
        }
        return false;
    }

} // namespace

Database::Database(CreationKey, std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{ }

Database::~Database() = default;

const std::filesystem::path& Database::Name() const
{
    return m_impl->file.path();
}

EngineResult<std::shared_ptr<TableDef>> Database::CreateTableDef(std::u16string name)
{
    // The name is checked when the table is appended.
    return std::make_shared<TableDef>(std::move(name));
}

Database::TableDefCollection::TableDefCollection(Database& owner)
    : m_owner(owner)
{ }

std::size_t Database::TableDefCollection::Count() const
{
    return systemTableNames.size() + m_owner.m_impl->contents.tables.size();
}

EngineResult<void> Database::TableDefCollection::Append(const std::shared_ptr<TableDef>& tableDef)
{
    if (!tableDef)
        return Unexpected { errors::objectInvalid() };
    if (tableDef->m_appended)
        return Unexpected { errors::alreadyInCollection() };
    const std::vector<jet::UserColumn>& columns = tableDef->m_columns->columns;
    if (columns.empty())
        return Unexpected { errors::noFieldDefined() };
    const std::u16string& name = tableDef->m_name;
    const auto key = tableNameKey(name);
    if (!isValidObjectName(name) || !key)
        return Unexpected { errors::invalidName(name) };
    Impl& impl = *m_owner.m_impl;
    // Rows' pages follow the last table's; a new table would need their place.
    if (impl.spool)
        return Unexpected { errors::invalidOperation() };
    if (nameTaken(impl.contents, *key))
        return Unexpected { errors::tableExists(name) };
    if (columns.size() > jet::maxColumns)
        return Unexpected { errors::tooManyFields() };

    // Rebuild the whole file with the table, and swap it in only when it is
    // complete: a failure leaves the database as it was.
    jet::DatabaseContents next = impl.contents;
    next.tables.push_back({ name, engineNow(), columns, tableDef->m_columns->indexes });
    auto store = jet::buildDatabase(next);
    if (!store)
        return Unexpected { errors::fromFormatError(store.error(), name) };
    if (auto replaced = impl.file.replaceContents(
            contentsOf(*store, next.databaseKey), testing::engineHooks().writeOptions);
        !replaced)
        return Unexpected { errors::fromIoError(replaced.error()) };
    impl.contents = std::move(next);
    tableDef->m_appended = true;
    return {};
}

} // namespace bastara::dao
