#include "button/renderers/renderer.h"

#include "button/renderers/looks.h"

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
    RendererTable table;
    table.install(Look::Classic, RenderClassic);
    table.install(Look::FramedBevel, RenderFramedBevel);
    table.install(Look::RoundedLight, RenderRoundedLight);
    table.install(Look::Etched, RenderEtched);
    table.install(Look::ThinEdge, RenderThinEdge);
    table.install(Look::FlatHover, RenderFlatHover);
    table.install(Look::SoftBevel, RenderSoftBevel);
    table.install(Look::RoundedDark, RenderRoundedDark);
    return table;
}

} // namespace bastara::button
