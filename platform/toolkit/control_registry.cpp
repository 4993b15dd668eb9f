#include "platform/toolkit/control_registry.h"

namespace bastara::toolkit {

void ControlRegistry::add(const QString& kind, ControlFactory factory)
{
    m_factories[kind] = std::move(factory);
}

const ControlFactory* ControlRegistry::find(const QString& kind) const
{
    const auto it = m_factories.find(kind);
    return it == m_factories.end() ? nullptr : &it->second;
}

} // namespace bastara::toolkit
