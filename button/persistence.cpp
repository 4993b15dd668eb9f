// The stored property set: a new control's defaults, loading and saving. The
// keys, their order and their defaults are property_keys.cpp's; this file says
// where each value goes and comes from.

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

    // The stored value of a key as T, or nullopt when it is of another type.
    template <typename T> std::optional<T> readValue(const Host& host, PersistedKey key, T fallback)
    {
        auto value = properties::valueAs<T>(host.readProperty(keyOf(key), std::move(fallback)));
        if (!value)
            return std::nullopt;
        return std::move(*value);
    }

    template <typename T> T tableDefault(PersistedKey key)
    {
        return std::get<T>(persisted(key).defaultValue);
    }

    // The enumerations: stored as 32-bit integers, kept as read (drawing
    // treats values outside the named ones as none of them).
    template <typename Enum> bool readEnumeration(const Host& host, PersistedKey key, Enum& field)
    {
        const std::optional<std::int32_t> value
            = readValue(host, key, tableDefault<std::int32_t>(key));
        if (value)
            field = Enum(*value);
        return value.has_value();
    }

    template <typename T> bool readField(const Host& host, PersistedKey key, T& field, T fallback)
    {
        std::optional<T> value = readValue(host, key, std::move(fallback));
        if (value)
            field = std::move(*value);
        return value.has_value();
    }

    // A picture key: absent is no picture; bytes that are no picture fail.
    std::optional<PictureRef> readPicture(const Host& host, PersistedKey key)
    {
        const std::optional<PictureValue> value = readValue(host, key, PictureValue());
        if (!value || (!value->isNone() && !value->picture()))
            return std::nullopt;
        return value->picture();
    }

    // The picture sizes the control can hold; anything else (a hand-edited or
    // damaged set) would make it prepare a bitmap of any size.
    bool isPictureSizePx(std::int16_t px)
    {
        return px == 0 || px == 16 || px == 24 || px == 32 || px == 40 || px == 48;
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
    for (PersistedKey key : readingOrder())
        (void)readStored(key);
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

bool Button::readStored(PersistedKey key)
{
    ButtonState& s = m_state;
    switch (key) {
    case PersistedKey::Caption:
        return readField(m_host, key, s.captionText, tableDefault<std::u16string>(key));
    case PersistedKey::CapAlign:
        return readEnumeration(m_host, key, s.captionAlign);
    case PersistedKey::BackStyle:
        return readEnumeration(m_host, key, s.buttonStyle);
    case PersistedKey::Shape:
        return readEnumeration(m_host, key, s.buttonShape);
    case PersistedKey::Gradient:
        return readEnumeration(m_host, key, s.gradientMode);
    case PersistedKey::GradientColor:
        return readField(m_host, key, s.gradientColor, tableDefault<OleColor>(key));
    case PersistedKey::ForeColor: {
        const std::optional<OleColor> colour = readValue(m_host, key, tableDefault<OleColor>(key));
        if (colour)
            m_host.setForeColor(*colour);
        return colour.has_value();
    }
    case PersistedKey::Font: {
        const std::optional<FontDescription> font
            = readValue(m_host, key, tableDefault<FontDescription>(key));
        if (!font)
            return false;
        // Absent: the window keeps its font.
        return *font == tableDefault<FontDescription>(key) || m_host.setFont(*font).ok();
    }
    case PersistedKey::Focus:
        return readField(m_host, key, s.showFocusRect, tableDefault<Bool16>(key));
    case PersistedKey::Mode:
        return readEnumeration(m_host, key, s.buttonMode);
    case PersistedKey::Value:
        return readField(m_host, key, s.buttonValue, tableDefault<Bool16>(key));
    case PersistedKey::CustomClick:
        return readEnumeration(m_host, key, s.customClick);
    case PersistedKey::Image: {
        std::optional<PictureRef> picture = readPicture(m_host, key);
        if (picture)
            s.picture = std::move(*picture);
        return picture.has_value();
    }
    case PersistedKey::ImgSize: {
        const std::optional<std::int16_t> px
            = readValue(m_host, key, tableDefault<std::int16_t>(key));
        if (!px || !isPictureSizePx(*px))
            return false;
        s.pictureSizePx = *px;
        return true;
    }
    case PersistedKey::ImgAlign:
        return readEnumeration(m_host, key, s.pictureAlign);
    case PersistedKey::HoverForeColor:
        return readField(m_host, key, s.hoverForeColor, tableDefault<OleColor>(key));
    case PersistedKey::Enabled: {
        const std::optional<Bool16> enabled = readValue(m_host, key, tableDefault<Bool16>(key));
        if (enabled)
            m_host.setEnabled(enabled->isSet());
        return enabled.has_value();
    }
    case PersistedKey::BackColor:
        return readField(m_host, key, s.backColor, m_host.parentBackColor());
    case PersistedKey::HoverBackColor:
        return readField(m_host, key, s.hoverBackColor, s.backColor);
    case PersistedKey::LockHover:
        return readEnumeration(m_host, key, s.hoverLocks);
    case PersistedKey::CapStyle:
        return readEnumeration(m_host, key, s.captionStyle);
    case PersistedKey::MouseIcon: {
        std::optional<PictureRef> icon = readPicture(m_host, key);
        return icon && setMouseIcon(std::move(*icon)).ok();
    }
    case PersistedKey::MousePointer: {
        const std::optional<std::int16_t> pointer
            = readValue(m_host, key, tableDefault<std::int16_t>(key));
        return pointer && setMousePointer(*pointer).ok();
    }
    }
    return false;
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
    const ButtonState& s = m_state;
    switch (key) {
    case PersistedKey::Caption:
        return s.captionText;
    case PersistedKey::CapAlign:
        return storedNumber(s.captionAlign);
    case PersistedKey::BackStyle:
        return storedNumber(s.buttonStyle);
    case PersistedKey::Shape:
        return storedNumber(s.buttonShape);
    case PersistedKey::Font:
        return m_host.font().value_or(FontDescription());
    case PersistedKey::ForeColor:
        return m_host.foreColor();
    case PersistedKey::HoverForeColor:
        return s.hoverForeColor;
    case PersistedKey::HoverBackColor:
        return s.hoverBackColor;
    case PersistedKey::Focus:
        return s.showFocusRect;
    case PersistedKey::LockHover:
        return storedNumber(s.hoverLocks);
    case PersistedKey::GradientColor:
        return s.gradientColor;
    case PersistedKey::Gradient:
        return storedNumber(s.gradientMode);
    case PersistedKey::CapStyle:
        return storedNumber(s.captionStyle);
    case PersistedKey::Mode:
        return storedNumber(s.buttonMode);
    case PersistedKey::Value:
        return s.buttonValue;
    case PersistedKey::CustomClick:
        return storedNumber(s.customClick);
    case PersistedKey::ImgAlign:
        return storedNumber(s.pictureAlign);
    case PersistedKey::Image:
        return PictureValue::fromPicture(s.picture);
    case PersistedKey::ImgSize:
        return s.pictureSizePx;
    case PersistedKey::Enabled:
        return Bool16(m_host.enabled());
    case PersistedKey::BackColor:
        return s.backColor;
    case PersistedKey::MousePointer:
        return m_host.mousePointer();
    case PersistedKey::MouseIcon:
        return PictureValue::fromPicture(m_host.mouseIcon());
    }
    return {};
}

} // namespace bastara::button
