#include "button/property_keys.h"

#include "button/properties.h"

#include <array>
#include <cassert>

namespace bastara::button {

namespace {

    using D = PropertyDefaults;
    using enum DefaultRule;

    const std::array<PersistedProperty, kPersistedKeyCount>& table()
    {
        static const std::array<PersistedProperty, kPersistedKeyCount> rows { {
            { PersistedKey::Caption, u"Caption", "Caption", Fixed, std::u16string() },
            { PersistedKey::CapAlign, u"CapAlign", "CaptionAlign", Fixed,
                storedNumber(D::captionAlign) },
            { PersistedKey::BackStyle, u"BackStyle", "ButtonStyle", Fixed,
                storedNumber(D::buttonStyle) },
            { PersistedKey::Shape, u"Shape", "ButtonShape", Fixed, storedNumber(D::buttonShape) },
            { PersistedKey::Font, u"Font", "Font", Fixed, FontDescription() },
            { PersistedKey::ForeColor, u"cFore", "ForeColor", Fixed, D::foreColor },
            { PersistedKey::HoverForeColor, u"cFHover", "HoverForeColor", Fixed,
                D::hoverForeColor },
            { PersistedKey::HoverBackColor, u"cBHover", "HoverBackColor", ControlBackColor,
                OleColor() },
            { PersistedKey::Focus, u"Focus", "ShowFocusRect", Fixed, D::showFocusRect },
            { PersistedKey::LockHover, u"LockHover", "HoverColorLocks", Fixed,
                storedNumber(D::hoverColorLocks) },
            // A stored form without the key has the face colour; a new control
            // starts with black (PropertyDefaults) and so writes it.
            { PersistedKey::GradientColor, u"cGradient", "GradientColor", Fixed,
                kSystemButtonFace },
            { PersistedKey::Gradient, u"Gradient", "GradientMode", Fixed,
                storedNumber(D::gradientMode) },
            { PersistedKey::CapStyle, u"CapStyle", "CaptionStyle", Fixed,
                storedNumber(D::captionStyle) },
            { PersistedKey::Mode, u"Mode", "Mode", AlwaysWritten, storedNumber(D::mode) },
            { PersistedKey::Value, u"Value", "Value", AlwaysWritten, D::value },
            { PersistedKey::CustomClick, u"CustomClick", "CustomClick", Fixed,
                storedNumber(D::customClick) },
            { PersistedKey::ImgAlign, u"ImgAlign", "PictureAlign", Fixed,
                storedNumber(D::pictureAlign) },
            { PersistedKey::Image, u"Image", "Picture", Fixed, PictureValue() },
            // In pixels, not the PictureSize enumeration: 16 is PictureSize 0.
            { PersistedKey::ImgSize, u"ImgSize", "PictureSize", Fixed, std::int16_t(16) },
            { PersistedKey::Enabled, u"Enabled", "Enabled", Fixed, D::enabled },
            { PersistedKey::BackColor, u"cBack", "BackColor", ParentBackColor, OleColor() },
            { PersistedKey::MousePointer, u"mPointer", "MousePointer", Fixed, D::mousePointer },
            { PersistedKey::MouseIcon, u"mIcon", "MouseIcon", Fixed, PictureValue() },
        } };
        return rows;
    }

    constexpr std::array<PersistedKey, kPersistedKeyCount> kReadingOrder {
        PersistedKey::Caption,
        PersistedKey::CapAlign,
        PersistedKey::BackStyle,
        PersistedKey::Shape,
        PersistedKey::Gradient,
        PersistedKey::GradientColor,
        PersistedKey::ForeColor,
        PersistedKey::Font,
        PersistedKey::Focus,
        PersistedKey::Mode,
        PersistedKey::Value,
        PersistedKey::CustomClick,
        PersistedKey::Image,
        PersistedKey::ImgSize,
        PersistedKey::ImgAlign,
        PersistedKey::HoverForeColor,
        PersistedKey::Enabled,
        PersistedKey::BackColor,
        PersistedKey::HoverBackColor,
        PersistedKey::LockHover,
        PersistedKey::CapStyle,
        PersistedKey::MouseIcon,
        PersistedKey::MousePointer,
    };

} // namespace

std::span<const PersistedProperty> persistedProperties()
{
    return table();
}

const PersistedProperty& persisted(PersistedKey id)
{
    const PersistedProperty& row = table()[std::size_t(id)];
    assert(row.id == id);
    return row;
}

std::u16string_view keyOf(PersistedKey id)
{
    return persisted(id).key;
}

std::span<const PersistedKey> readingOrder()
{
    return kReadingOrder;
}

} // namespace bastara::button
