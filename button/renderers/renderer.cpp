#include "button/renderers/renderer.h"

namespace bastara::button {

namespace {

    bool isLook(Look look)
    {
        const auto value = static_cast<std::int32_t>(look);
        return value >= 0 && value < kLookCount;
    }

} // namespace

void RendererTable::install(Look look, Renderer renderer)
{
    if (isLook(look))
        m_renderers[std::size_t(look)] = std::move(renderer);
}

const Renderer* RendererTable::find(Look look) const
{
    if (!isLook(look))
        return nullptr;
    const Renderer& renderer = m_renderers[std::size_t(look)];
    return renderer ? &renderer : nullptr;
}

RendererTable defaultRenderers()
{
    // FIXME: the eight looks install themselves here once they exist.
    return {};
}

} // namespace bastara::button
