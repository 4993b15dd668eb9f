#include "tools/designer/property_catalog.h"

#include <array>
#include <cstdio>

namespace bastara::designer {

namespace {

    using button::Button;
    using button::HostResult;
    using button::OleColor;

    // Reading and setting by the value's type; another type is ignored.
    template <typename Enum, Enum (Button::*Getter)() const> DesignValue getEnumeration(Button& b)
    {
        return button::storedNumber((b.*Getter)());
    }
    template <typename Enum, void (Button::*Setter)(Enum)>
    HostResult setEnumeration(Button& b, const DesignValue& value)
    {
        if (const auto* number = std::get_if<std::int32_t>(&value))
            (b.*Setter)(Enum(*number));
        return {};
    }
    template <button::Bool16 (Button::*Getter)() const> DesignValue getBoolean(Button& b)
    {
        return (b.*Getter)().isSet();
    }
    template <void (Button::*Setter)(button::Bool16)>
    HostResult setBoolean(Button& b, const DesignValue& value)
    {
        if (const auto* flag = std::get_if<bool>(&value))
            (b.*Setter)(button::Bool16(*flag));
        return {};
    }
    template <OleColor (Button::*Getter)() const> DesignValue getColour(Button& b)
    {
        return (b.*Getter)();
    }
    template <void (Button::*Setter)(OleColor)>
    HostResult setColour(Button& b, const DesignValue& value)
    {
        if (const auto* colour = std::get_if<OleColor>(&value))
            (b.*Setter)(*colour);
        return {};
    }
    template <button::PictureRef (Button::*Getter)() const> DesignValue getPicture(Button& b)
    {
        return (b.*Getter)();
    }

    constexpr std::array kLookNames { ValueName { 0, u"0 - Classic" },
        ValueName { 1, u"1 - Framed bevel" }, ValueName { 2, u"2 - Rounded light" },
        ValueName { 3, u"3 - Etched" }, ValueName { 4, u"4 - Thin edge" },
        ValueName { 5, u"5 - Flat until hovered" }, ValueName { 6, u"6 - Soft bevel" },
        ValueName { 7, u"7 - Rounded dark" } };
    constexpr std::array kModeNames { ValueName { 0, u"0 - Command button" },
        ValueName { 1, u"1 - Check box" }, ValueName { 2, u"2 - Option button" } };
    constexpr std::array kCaptionAlignNames { ValueName { 0, u"0 - Left" },
        ValueName { 1, u"1 - Right" }, ValueName { 2, u"2 - Center" } };
    constexpr std::array kCaptionStyleNames { ValueName { 0, u"0 - Flat" },
        ValueName { 1, u"1 - Embossed" }, ValueName { 2, u"2 - Engraved" } };
    constexpr std::array kCustomClickNames { ValueName { 0, u"0 - None" },
        ValueName { 1, u"1 - Up" }, ValueName { 2, u"2 - Up right" },
        ValueName { 3, u"3 - Up left" }, ValueName { 4, u"4 - Down right" },
        ValueName { 5, u"5 - Down left" }, ValueName { 6, u"6 - Right" },
        ValueName { 7, u"7 - Down" }, ValueName { 8, u"8 - Left" } };
    constexpr std::array kShapeNames { ValueName { 0, u"0 - Rectangular" },
        ValueName { 1, u"1 - Slanted left" }, ValueName { 2, u"2 - Slanted right" },
        ValueName { 3, u"3 - Slanted both sides" }, ValueName { 4, u"4 - Oval" },
        ValueName { 5, u"5 - Oval, caption when checked" }, ValueName { 6, u"6 - Oval, framed" },
        ValueName { 7, u"7 - Picture, framed" }, ValueName { 8, u"8 - Picture, rimmed" } };
    constexpr std::array kPictureAlignNames { ValueName { 0, u"0 - Left edge" },
        ValueName { 1, u"1 - Left of caption" }, ValueName { 2, u"2 - Right edge" },
        ValueName { 3, u"3 - Right of caption" }, ValueName { 4, u"4 - Top center" },
        ValueName { 5, u"5 - Bottom center" } };
    constexpr std::array kPictureSizeNames { ValueName { 0, u"0 - 16 x 16" },
        ValueName { 1, u"1 - 24 x 24" }, ValueName { 2, u"2 - 32 x 32" },
        ValueName { 3, u"3 - Fill the button" }, ValueName { 4, u"4 - Fit the button" } };
    // The platform's pointer codes; 99 takes MouseIcon.
    constexpr std::array kPointerNames { ValueName { 0, u"0 - Default" },
        ValueName { 1, u"1 - Arrow" }, ValueName { 2, u"2 - Cross" },
        ValueName { 3, u"3 - I-Beam" }, ValueName { 4, u"4 - Icon" }, ValueName { 5, u"5 - Size" },
        ValueName { 6, u"6 - Size NE SW" }, ValueName { 7, u"7 - Size N S" },
        ValueName { 8, u"8 - Size NW SE" }, ValueName { 9, u"9 - Size W E" },
        ValueName { 10, u"10 - Up Arrow" }, ValueName { 11, u"11 - Hourglass" },
        ValueName { 12, u"12 - No Drop" }, ValueName { 13, u"13 - Arrow and Hourglass" },
        ValueName { 14, u"14 - Arrow and Question" }, ValueName { 15, u"15 - Size All" },
        ValueName { 99, u"99 - Custom" } };
    constexpr std::array kFontStyleNames { ValueName { 0, u"0 - Regular" },
        ValueName { 2, u"2 - Bold" }, ValueName { 4, u"4 - Italic" },
        ValueName { 6, u"6 - Bold italic" }, ValueName { 8, u"8 - Underline" },
        ValueName { 10, u"10 - Bold underline" }, ValueName { 12, u"12 - Italic underline" },
        ValueName { 14, u"14 - Bold italic underline" } };
    constexpr std::array kGradientNames { ValueName { 0, u"0 - None" },
        ValueName { 1, u"1 - Left to right" }, ValueName { 2, u"2 - Right to left" },
        ValueName { 3, u"3 - Top to bottom" }, ValueName { 4, u"4 - Bottom to top" } };
    constexpr std::array kHoverLockNames { ValueName { 0, u"0 - Both locked" },
        ValueName { 1, u"1 - Text colour locked" }, ValueName { 2, u"2 - Face colour locked" },
        ValueName { 3, u"3 - Neither locked" } };

    constexpr std::array kSystemColours { ValueName { 0, u"Scroll Bars" },
        ValueName { 1, u"Desktop" }, ValueName { 2, u"Active Title Bar" },
        ValueName { 3, u"Inactive Title Bar" }, ValueName { 4, u"Menu Bar" },
        ValueName { 5, u"Window Background" }, ValueName { 6, u"Window Frame" },
        ValueName { 7, u"Menu Text" }, ValueName { 8, u"Window Text" },
        ValueName { 9, u"Active Title Bar Text" }, ValueName { 10, u"Active Border" },
        ValueName { 11, u"Inactive Border" }, ValueName { 12, u"Application Workspace" },
        ValueName { 13, u"Highlight" }, ValueName { 14, u"Highlight Text" },
        ValueName { 15, u"Button Face" }, ValueName { 16, u"Button Shadow" },
        ValueName { 17, u"Disabled Text" }, ValueName { 18, u"Button Text" },
        ValueName { 19, u"Inactive Title Bar Text" }, ValueName { 20, u"Button Highlight" },
        ValueName { 21, u"Button Dark Shadow" }, ValueName { 22, u"Button Light Shadow" },
        ValueName { 23, u"ToolTip Text" }, ValueName { 24, u"ToolTip" } };

    using E = ValueKind;
    using namespace button;

    const std::array<DesignProperty, 25>& table()
    {
        static const std::array<DesignProperty, 25> rows { {
            { "ButtonStyle", E::Enumeration, "Various operating system button styles", kLookNames,
                getEnumeration<Look, &Button::ButtonStyle>,
                setEnumeration<Look, &Button::setButtonStyle> },
            { "Mode", E::Enumeration, "Command button, check box or option button mode", kModeNames,
                getEnumeration<ButtonMode, &Button::Mode>,
                setEnumeration<ButtonMode, &Button::setMode> },
            { "Caption", E::Text, "The caption of the button. Double pipe (||) is a line break.",
                {}, [](Button& b) -> DesignValue { return b.Caption(); },
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* text = std::get_if<std::u16string>(&v))
                        b.setCaption(*text);
                    return {};
                } },
            { "CaptionAlign", E::Enumeration, "Horizontal alignment of caption on the button.",
                kCaptionAlignNames, getEnumeration<CaptionAlignment, &Button::CaptionAlign>,
                setEnumeration<CaptionAlignment, &Button::setCaptionAlign> },
            { "CaptionStyle", E::Enumeration, "Flat, Embossed or Engraved effects",
                kCaptionStyleNames, getEnumeration<CaptionEffect, &Button::CaptionStyle>,
                setEnumeration<CaptionEffect, &Button::setCaptionStyle> },
            { "CustomClick", E::Enumeration,
                "Custom shaped buttons only. Moves the button vs the traditional click effect.",
                kCustomClickNames, getEnumeration<ClickMovement, &Button::CustomClick>,
                setEnumeration<ClickMovement, &Button::setCustomClick> },
            { "ButtonShape", E::Enumeration, "Rectangular or various diagonal shapes", kShapeNames,
                getEnumeration<Shape, &Button::ButtonShape>,
                setEnumeration<Shape, &Button::setButtonShape> },
            { "Picture", E::Picture, "The image used to display on the button.", {},
                getPicture<&Button::Picture>,
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* picture = std::get_if<PictureRef>(&v))
                        b.setPicture(*picture);
                    return {};
                } },
            { "PictureAlign", E::Enumeration,
                "Alignment of the button image in relation to the caption and/or button.",
                kPictureAlignNames, getEnumeration<PicturePlacement, &Button::PictureAlign>,
                setEnumeration<PicturePlacement, &Button::setPictureAlign> },
            { "Enabled", E::Boolean, "Determines if events are fired for this button.", {},
                getBoolean<&Button::Enabled>, setBoolean<&Button::setEnabled> },
            { "ShowFocusRect", E::Boolean,
                "Allows or prevents a focus rectangle from being displayed. In design mode, "
                "this may always be displayed for button set as Default.",
                {}, getBoolean<&Button::ShowFocusRect>, setBoolean<&Button::setShowFocusRect> },
            { "Value", E::Boolean,
                "Applicable to only check box or option button modes: True or False", {},
                getBoolean<&Button::Value>, setBoolean<&Button::setValue> },
            { "PictureSize", E::Enumeration,
                "Various sizes for images used on buttons. Last 2 options center image "
                "automatically.",
                kPictureSizeNames,
                [](Button& b) -> DesignValue { return storedNumber(b.PictureSize()); },
                setEnumeration<PictureSizing, &Button::setPictureSize> },
            { "MousePointer", E::Enumeration,
                "Various optional mouse pointers to use when mouse is over the button",
                kPointerNames, [](Button& b) -> DesignValue { return b.MousePointer(); },
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* number = std::get_if<std::int32_t>(&v))
                        return b.setMousePointer(*number);
                    return {};
                } },
            { "MouseIcon", E::Picture,
                "Icon or cursor used to display when mouse is over the button. MousePointer "
                "must be set to Custom.",
                {}, getPicture<&Button::MouseIcon>,
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* picture = std::get_if<PictureRef>(&v))
                        return b.setMouseIcon(*picture);
                    return {};
                } },
            { "Font", E::Font, "Font used to display the caption.", {},
                [](Button& b) -> DesignValue { return b.Font().value_or(FontDescription()); },
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* font = std::get_if<FontDescription>(&v))
                        return b.setFont(*font);
                    return {};
                } },
            { "FontStyle", E::Enumeration, "Various font attributes that can be changed directly.",
                kFontStyleNames, [](Button& b) -> DesignValue { return b.FontStyle(); },
                [](Button& b, const DesignValue& v) -> HostResult {
                    if (const auto* number = std::get_if<std::int32_t>(&v))
                        return b.setFontStyle(*number);
                    return {};
                } },
            { "ForeColor", E::Colour, "The color of the caption's font .", {},
                getColour<&Button::ForeColor>, setColour<&Button::setForeColor> },
            { "BackColor", E::Colour, "Button back color. See also ResetDefaultColors", {},
                getColour<&Button::BackColor>, setColour<&Button::setBackColor> },
            { "GradientColor", E::Colour,
                "Secondary color used for gradient shades. The BackColor property is the "
                "primary color.",
                {}, getColour<&Button::GradientColor>, setColour<&Button::setGradientColor> },
            { "GradientMode", E::Enumeration, "Various directions to draw the gradient shading.",
                kGradientNames, getEnumeration<GradientDirection, &Button::GradientMode>,
                setEnumeration<GradientDirection, &Button::setGradientMode> },
            { "ResetDefaultColors", E::Action,
                "Resets button's back color and text color to Window's standard. The hover "
                "properties are also reset.",
                {}, getBoolean<&Button::ResetDefaultColors>,
                setBoolean<&Button::setResetDefaultColors> },
            { "HoverColorLocks", E::Enumeration,
                "Can ensure the hover colors match the caption and back colors. Click for more "
                "options.",
                kHoverLockNames, getEnumeration<HoverLock, &Button::HoverColorLocks>,
                setEnumeration<HoverLock, &Button::setHoverColorLocks> },
            { "HoverForeColor", E::Colour,
                "Color of button caption's text when mouse is hovering over it. Affects the "
                "HoverLockColors property.",
                {}, getColour<&Button::HoverForeColor>, setColour<&Button::setHoverForeColor> },
            { "HoverBackColor", E::Colour,
                "Color of button background when mouse is hovering over it. Affects the "
                "HoverLockColors property.",
                {}, getColour<&Button::HoverBackColor>, setColour<&Button::setHoverBackColor> },
        } };
        return rows;
    }

    constexpr std::uint32_t kSystemColourBit = 0x80000000u;

} // namespace

std::span<const DesignProperty> designProperties()
{
    return table();
}

const DesignProperty* findDesignProperty(std::string_view name)
{
    for (const DesignProperty& property : table())
        if (property.name == name)
            return &property;
    return nullptr;
}

std::u16string valueNameOf(const DesignProperty& property, std::int32_t value)
{
    for (const ValueName& named : property.valueNames)
        if (named.value == value)
            return std::u16string(named.name);
    const std::string number = std::to_string(value);
    return std::u16string(number.begin(), number.end());
}

std::span<const ValueName> systemColourNames()
{
    return kSystemColours;
}

std::u16string colourName(OleColor colour)
{
    if (colour.isSystemColor()) {
        for (const ValueName& named : kSystemColours)
            if (colour.value == (kSystemColourBit | std::uint32_t(named.value)))
                return std::u16string(named.name);
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", colour.value);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

} // namespace bastara::designer
