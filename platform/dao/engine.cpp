#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/engine_state.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/dao/locale_options.h"
#include "platform/jet/ole_date.h"

#include <random>

namespace bastara::dao {

namespace testing {

    namespace {
        EngineHooks& installedHooks()
        {
            static EngineHooks hooks;
            return hooks;
        }
    } // namespace

    ScopedEngineHooks::ScopedEngineHooks(EngineHooks hooks)
        : m_previous(std::exchange(installedHooks(), std::move(hooks)))
    { }

    ScopedEngineHooks::~ScopedEngineHooks()
    {
        installedHooks() = std::move(m_previous);
    }

    const EngineHooks& engineHooks()
    {
        return installedHooks();
    }

} // namespace testing

namespace {

    std::uint32_t newDatabaseKey()
    {
        if (testing::engineHooks().databaseKey)
            return testing::engineHooks().databaseKey();
        std::random_device random;
        std::uint32_t key = 0;
        while (key == 0)
            key = static_cast<std::uint32_t>(random());
        return key;
    }

    // The engine's default: a name without an extension is a .mdb file.
    std::filesystem::path withDefaultExtension(std::filesystem::path path)
    {
        if (path.has_filename() && !path.has_extension())
            path += ".mdb";
        return path;
    }

} // namespace

jet::ContentWriter contentsOf(const jet::PageStore& store, std::uint32_t databaseKey)
{
    return [&store, databaseKey](jet::PageSink& sink) {
        return jet::emitPages(store, jet::PageCodec(databaseKey), sink);
    };
}

jet::ContentWriter contentsOf(
    const jet::DatabasePages& pages, const jet::PageSpool* spool, std::uint32_t databaseKey)
{
    return [&pages, spool, databaseKey](jet::PageSink& sink) {
        return jet::emitDatabase(pages, spool, jet::PageCodec(databaseKey), sink);
    };
}

double engineNow()
{
    if (testing::engineHooks().clock)
        return testing::engineHooks().clock();
    return jet::localOleDateNow();
}

DBEngine& DBEngine::instance()
{
    static DBEngine engine;
    return engine;
}

EngineResult<std::shared_ptr<Database>> DBEngine::CreateDatabase(
    const std::filesystem::path& name, std::string_view locale, int32_t options)
{
    if (name.empty())
        return Unexpected { errors::invalidFileName() };
    auto settings = parseCreationSettings(locale, options);
    if (!settings)
        return Unexpected { settings.error() };
    // "." and ".." name folders, not files: refuse them before they could
    // gain an extension.
    if (!name.has_filename() || name.filename() == "." || name.filename() == "..")
        return Unexpected { errors::invalidFileName() };
    const std::filesystem::path path = withDefaultExtension(name);

    jet::DatabaseContents contents;
    contents.created = engineNow();
    contents.databaseKey = settings->encrypt ? newDatabaseKey() : 0;
    contents.codePage = settings->codePage;
    auto store = jet::buildDatabase(contents);
    if (!store)
        return Unexpected { errors::fromFormatError(store.error(), {}) };
    auto file = jet::OwnedFile::createNew(
        path, contentsOf(*store, contents.databaseKey), testing::engineHooks().writeOptions);
    if (!file)
        return Unexpected { errors::fromIoError(file.error()) };
    return std::make_shared<Database>(Database::CreationKey {},
        std::make_unique<Database::Impl>(
            Database::Impl { std::move(contents), std::move(*file), std::nullopt, false }));
}

} // namespace bastara::dao
