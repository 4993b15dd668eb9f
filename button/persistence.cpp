// The stored property set: a new control's defaults, loading and saving. The
// keys, their order, their defaults and how each loads and saves are the rows
// of property_table.cpp; this file runs them.

#include "button/button.h"
#include "button/option_group.h"
#include "platform/window/handles.h"

namespace bastara::button {

namespace {

    // Tag holds the container's window handle as decimal text.
    std::u16string containerTag(const Host& host)
    {
        const std::string text = window::windowHandleText(host.containerWindow());
        return std::u16string(text.begin(), text.end());
    }

} // namespace

HostResult Button::onHostInitProperties()
{
    ButtonState& s = m_state;
    m_host.setTag(containerTag(m_host));
    s.captionText = m_host.displayName();
    s.captionAlign = CaptionAlignment::Center;
    s.showFocusRect = kTrue;
    s.hoverForeColor = PropertyDefaults::hoverForeColor;
    s.hoverBackColor = PropertyDefaults::hoverBackColor;
    // No form here is a multiple-document parent: the form's font always applies.
    if (HostResult font = m_host.setFont(m_host.parentFont()); !font)
        return font;
    s.parentBackColor = TranslateColor(m_host.ambientBackColor());
    s.backColor = PropertyDefaults::backColor;
    UpdateResources("Font");
    UpdateResources("BackColor");
    for (PersistedKey key : { PersistedKey::Caption, PersistedKey::CapAlign, PersistedKey::Focus,
             PersistedKey::HoverForeColor, PersistedKey::HoverBackColor, PersistedKey::Font })
        propertyChanged(key);
    return {};
}

void Button::onHostReadProperties()
{
    ButtonState& s = m_state;
    m_readingProperties = true;
    m_host.setTag(containerTag(m_host));
    s.parentBackColor = TranslateColor(m_host.ambientBackColor());
    DelayDrawing(kTrue);
    // A key that fails to read leaves its property as it was.
    for (PersistedKey key : readingOrder()) {
        const PersistedProperty& row = persisted(key);
        (void)row.load(*this, row);
    }
    UpdateResources("Picture");
    UpdateResources("Font");
    UpdateResources("BackColor");
    setCaption(s.captionText); // the access key; no drawing yet
    if (s.buttonMode == ButtonMode::Option)
        OptionToggle(*this, OptionAction::Join);
    m_readingProperties = false;
    s.delayDrawing = kFalse;
    onHostResize();
}

void Button::onHostWriteProperties()
{
    for (const PersistedProperty& row : persistedProperties()) {
        std::optional<PropertyValue> unlessEqualTo;
        switch (row.rule) {
        case DefaultRule::Fixed:
            unlessEqualTo = row.defaultValue;
            break;
        case DefaultRule::ControlBackColor:
            unlessEqualTo = m_state.backColor;
            break;
        case DefaultRule::AlwaysWritten:
        case DefaultRule::ParentBackColor:
            break;
        }
        m_host.writeProperty(row.key, storedValue(row.id), unlessEqualTo);
    }
}

PropertyValue Button::storedValue(PersistedKey key) const
{
    return persisted(key).save(*this);
}

} // namespace bastara::button
