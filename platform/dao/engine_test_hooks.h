#pragma once

// Seams for tests: what the engine writes through, what time it is, and the
// key of an encoded database. The application never sets these.
//
//     dao::testing::ScopedEngineHooks hooks({ failingWriteOptions(), {}, {} });
//     auto db = DBEngine::instance().CreateDatabase(...);   // fails like a full disk

#include "platform/jet/safe_file.h"

#include <cstdint>
#include <functional>

namespace bastara::dao::testing {

struct EngineHooks {
    jet::FileWriteOptions writeOptions;
    std::function<double()> clock; // OLE date of "now"; local time when empty
    std::function<std::uint32_t()> databaseKey; // random when empty
};

// Installs hooks for its lifetime, then restores the previous ones.
class ScopedEngineHooks
{
public:
    explicit ScopedEngineHooks(EngineHooks hooks);
    ~ScopedEngineHooks();
    ScopedEngineHooks(const ScopedEngineHooks&) = delete;
    ScopedEngineHooks& operator=(const ScopedEngineHooks&) = delete;

private:
    EngineHooks m_previous;
};

// The hooks in force (default-constructed when none are installed).
const EngineHooks& engineHooks();

} // namespace bastara::dao::testing
