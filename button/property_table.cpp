#include "button/property_table.h"

#include <array>
#include <cstdio>
#include <type_traits>

namespace bastara::button {

namespace {

    // Reading and setting by the value's type; another type is ignored.
    template <typename Enum, Enum (Button::*Getter)() const> PublicValue getEnumeration(Button& b)
    {
        return storedNumber((b.*Getter)());
    }
    template <typename Enum, void (Button::*Setter)(Enum)>
    HostResult setEnumeration(Button& b, const PublicValue& value)
    {
        if (const auto* number = std::get_if<std::int32_t>(&value))
            (b.*Setter)(Enum(*number));
        return {};
    }
    template <Bool16 (Button::*Getter)() const> PublicValue getBoolean(Button& b)
    {
        return (b.*Getter)().isSet();
    }
    template <void (Button::*Setter)(Bool16)>
    HostResult setBoolean(Button& b, const PublicValue& value)
    {
        if (const auto* flag = std::get_if<bool>(&value))
            (b.*Setter)(Bool16(*flag));
        return {};
    }
    template <OleColor (Button::*Getter)() const> PublicValue getColour(Button& b)
    {
        return (b.*Getter)();
    }
    template <void (Button::*Setter)(OleColor)>
    HostResult setColour(Button& b, const PublicValue& value)
    {
        if (const auto* colour = std::get_if<OleColor>(&value))
            (b.*Setter)(*colour);
        return {};
    }
    template <PictureRef (Button::*Getter)() const> PublicValue getPicture(Button& b)
    {
        return (b.*Getter)();
    }

    // --- Stored forms -----------------------------------------------------
    // Each loads its key from the host's set, with the form's default for an
    // absent key, and saves what the control holds.

    // The stored value of a key as T, or nullopt when it is of another type.
    template <typename T>
    std::optional<T> readValue(const Button& b, std::u16string_view key, T fallback)
    {
        auto value = properties::valueAs<T>(b.host().readProperty(key, std::move(fallback)));
        if (!value)
            return std::nullopt;
        return std::move(*value);
    }

    template <typename T> T defaultOf(const StoredForm& form)
    {
        return std::get<T>(form.defaultValue);
    }

    // The enumerations: stored as 32-bit integers, kept as read (drawing
    // treats values outside the named ones as none of them).
    template <auto Field> bool loadEnumeration(Button& b, const StoredForm& form)
    {
        using Enum = std::remove_reference_t<decltype(b.state().*Field)>;
        const std::optional<std::int32_t> value
            = readValue(b, form.key, defaultOf<std::int32_t>(form));
        if (value)
            b.state().*Field = Enum(*value);
        return value.has_value();
    }
    template <auto Field> PropertyValue saveEnumeration(const Button& b)
    {
        return storedNumber(b.state().*Field);
    }

    template <auto Field> bool loadField(Button& b, const StoredForm& form)
    {
        using T = std::remove_reference_t<decltype(b.state().*Field)>;
        std::optional<T> value = readValue(b, form.key, defaultOf<T>(form));
        if (value)
            b.state().*Field = std::move(*value);
        return value.has_value();
    }
    template <auto Field> PropertyValue saveField(const Button& b)
    {
        return b.state().*Field;
    }

    // A picture key: absent is no picture; bytes that are no picture fail.
    std::optional<PictureRef> readPicture(const Button& b, const StoredForm& form)
    {
        const std::optional<PictureValue> value = readValue(b, form.key, PictureValue());
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

    bool loadForeColor(Button& b, const StoredForm& form)
    {
        const std::optional<OleColor> colour = readValue(b, form.key, defaultOf<OleColor>(form));
        if (colour)
            b.host().setForeColor(*colour);
        return colour.has_value();
    }
    PropertyValue saveForeColor(const Button& b)
    {
        return b.host().foreColor();
    }

    bool loadFont(Button& b, const StoredForm& form)
    {
        const std::optional<FontDescription> font
            = readValue(b, form.key, defaultOf<FontDescription>(form));
        if (!font)
            return false;
        // Absent: the window keeps its font.
        return *font == defaultOf<FontDescription>(form) || b.host().setFont(*font).ok();
    }
    PropertyValue saveFont(const Button& b)
    {
        return b.host().font().value_or(FontDescription());
    }

    bool loadImage(Button& b, const StoredForm& form)
    {
        std::optional<PictureRef> picture = readPicture(b, form);
        if (picture)
            b.state().picture = std::move(*picture);
        return picture.has_value();
    }
    PropertyValue saveImage(const Button& b)
    {
        return PictureValue::fromPicture(b.state().picture);
    }

    // In pixels, not the PictureSize enumeration: 16 is PictureSize 0.
    bool loadImageSize(Button& b, const StoredForm& form)
    {
        const std::optional<std::int16_t> px
            = readValue(b, form.key, defaultOf<std::int16_t>(form));
        if (!px || !isPictureSizePx(*px))
            return false;
        b.state().pictureSizePx = *px;
        return true;
    }

    bool loadEnabled(Button& b, const StoredForm& form)
    {
        const std::optional<Bool16> enabled = readValue(b, form.key, defaultOf<Bool16>(form));
        if (enabled)
            b.host().setEnabled(enabled->isSet());
        return enabled.has_value();
    }
    PropertyValue saveEnabled(const Button& b)
    {
        return Bool16(b.host().enabled());
    }

    // Absent: the form's colour.
    bool loadBackColor(Button& b, const StoredForm& form)
    {
        std::optional<OleColor> colour = readValue(b, form.key, b.host().parentBackColor());
        if (colour)
            b.state().backColor = *colour;
        return colour.has_value();
    }

    // Absent: the back colour just read.
    bool loadHoverBackColor(Button& b, const StoredForm& form)
    {
        std::optional<OleColor> colour = readValue(b, form.key, b.state().backColor);
        if (colour)
            b.state().hoverBackColor = *colour;
        return colour.has_value();
    }

    bool loadMouseIcon(Button& b, const StoredForm& form)
    {
        std::optional<PictureRef> icon = readPicture(b, form);
        return icon && b.setMouseIcon(std::move(*icon)).ok();
    }
    PropertyValue saveMouseIcon(const Button& b)
    {
        return PictureValue::fromPicture(b.host().mouseIcon());
    }

    bool loadMousePointer(Button& b, const StoredForm& form)
    {
        const std::optional<std::int16_t> pointer
            = readValue(b, form.key, defaultOf<std::int16_t>(form));
        return pointer && b.setMousePointer(*pointer).ok();
    }
    PropertyValue saveMousePointer(const Button& b)
    {
        return b.host().mousePointer();
    }

    using S = ButtonState;
    using enum DefaultRule;

    constexpr std::array kLookNames { ValueName { 0, u"0 - Classic", "Classic" },
        ValueName { 1, u"1 - Framed bevel", "FramedBevel" },
        ValueName { 2, u"2 - Rounded light", "RoundedLight" },
        ValueName { 3, u"3 - Etched", "Etched" }, ValueName { 4, u"4 - Thin edge", "ThinEdge" },
        ValueName { 5, u"5 - Flat until hovered", "FlatUntilHovered" },
        ValueName { 6, u"6 - Soft bevel", "SoftBevel" },
        ValueName { 7, u"7 - Rounded dark", "RoundedDark" } };
    constexpr std::array kModeNames { ValueName { 0, u"0 - Command button", "CommandButton" },
        ValueName { 1, u"1 - Check box", "CheckBox" },
        ValueName { 2, u"2 - Option button", "OptionButton" } };
    constexpr std::array kCaptionAlignNames { ValueName { 0, u"0 - Left", "AlignLeft" },
        ValueName { 1, u"1 - Right", "AlignRight" },
        ValueName { 2, u"2 - Center", "AlignCenter" } };
    constexpr std::array kCaptionStyleNames { ValueName { 0, u"0 - Flat", "Flat" },
        ValueName { 1, u"1 - Embossed", "Embossed" },
        ValueName { 2, u"2 - Engraved", "Engraved" } };
    constexpr std::array kCustomClickNames { ValueName { 0, u"0 - None", "MoveNone" },
        ValueName { 1, u"1 - Up", "MoveUp" }, ValueName { 2, u"2 - Up right", "MoveUpRight" },
        ValueName { 3, u"3 - Up left", "MoveUpLeft" },
        ValueName { 4, u"4 - Down right", "MoveDownRight" },
        ValueName { 5, u"5 - Down left", "MoveDownLeft" },
        ValueName { 6, u"6 - Right", "MoveRight" }, ValueName { 7, u"7 - Down", "MoveDown" },
        ValueName { 8, u"8 - Left", "MoveLeft" } };
    constexpr std::array kShapeNames { ValueName { 0, u"0 - Rectangular", "Rectangular" },
        ValueName { 1, u"1 - Slanted left", "SlantedLeft" },
        ValueName { 2, u"2 - Slanted right", "SlantedRight" },
        ValueName { 3, u"3 - Slanted both sides", "SlantedBothSides" },
        ValueName { 4, u"4 - Oval", "Oval" },
        ValueName { 5, u"5 - Oval, caption when checked", "OvalCaptionWhenChecked" },
        ValueName { 6, u"6 - Oval, framed", "OvalFramed" },
        ValueName { 7, u"7 - Picture, framed", "PictureFramed" },
        ValueName { 8, u"8 - Picture, rimmed", "PictureRimmed" } };
    constexpr std::array kPictureAlignNames { ValueName { 0, u"0 - Left edge", "LeftEdge" },
        ValueName { 1, u"1 - Left of caption", "LeftOfCaption" },
        ValueName { 2, u"2 - Right edge", "RightEdge" },
        ValueName { 3, u"3 - Right of caption", "RightOfCaption" },
        ValueName { 4, u"4 - Top center", "TopCenter" },
        ValueName { 5, u"5 - Bottom center", "BottomCenter" } };
    constexpr std::array kPictureSizeNames { ValueName { 0, u"0 - 16 x 16", "Px16" },
        ValueName { 1, u"1 - 24 x 24", "Px24" }, ValueName { 2, u"2 - 32 x 32", "Px32" },
        ValueName { 3, u"3 - Fill the button", "FillButton" },
        ValueName { 4, u"4 - Fit the button", "FitButton" } };
    // The platform's pointer codes; 99 takes MouseIcon.
    constexpr std::array kPointerNames { ValueName { 0, u"0 - Default", "DefaultPointer" },
        ValueName { 1, u"1 - Arrow", "ArrowPointer" },
        ValueName { 2, u"2 - Cross", "CrossPointer" },
        ValueName { 3, u"3 - I-Beam", "IBeamPointer" }, ValueName { 4, u"4 - Icon", "IconPointer" },
        ValueName { 5, u"5 - Size", "SizePointer" },
        ValueName { 6, u"6 - Size NE SW", "SizeNESWPointer" },
        ValueName { 7, u"7 - Size N S", "SizeNSPointer" },
        ValueName { 8, u"8 - Size NW SE", "SizeNWSEPointer" },
        ValueName { 9, u"9 - Size W E", "SizeWEPointer" },
        ValueName { 10, u"10 - Up Arrow", "UpArrowPointer" },
        ValueName { 11, u"11 - Hourglass", "HourglassPointer" },
        ValueName { 12, u"12 - No Drop", "NoDropPointer" },
        ValueName { 13, u"13 - Arrow and Hourglass", "ArrowAndHourglassPointer" },
        ValueName { 14, u"14 - Arrow and Question", "ArrowAndQuestionPointer" },
        ValueName { 15, u"15 - Size All", "SizeAllPointer" },
        ValueName { 99, u"99 - Custom", "CustomPointer" } };
    constexpr std::array kFontStyleNames { ValueName { 0, u"0 - Regular", "Regular" },
        ValueName { 2, u"2 - Bold", "Bold" }, ValueName { 4, u"4 - Italic", "Italic" },
        ValueName { 6, u"6 - Bold italic", "BoldItalic" },
        ValueName { 8, u"8 - Underline", "Underline" },
        ValueName { 10, u"10 - Bold underline", "BoldUnderline" },
        ValueName { 12, u"12 - Italic underline", "ItalicUnderline" },
        ValueName { 14, u"14 - Bold italic underline", "BoldItalicUnderline" } };
    constexpr std::array kGradientNames { ValueName { 0, u"0 - None", "Solid" },
        ValueName { 1, u"1 - Left to right", "LeftToRight" },
        ValueName { 2, u"2 - Right to left", "RightToLeft" },
        ValueName { 3, u"3 - Top to bottom", "TopToBottom" },
        ValueName { 4, u"4 - Bottom to top", "BottomToTop" } };
    constexpr std::array kHoverLockNames { ValueName { 0, u"0 - Both locked", "BothLocked" },
        ValueName { 1, u"1 - Text colour locked", "TextColourLocked" },
        ValueName { 2, u"2 - Face colour locked", "FaceColourLocked" },
        ValueName { 3, u"3 - Neither locked", "NeitherLocked" } };

    constexpr std::array kSystemColours { ValueName { 0, u"Scroll Bars", "ScrollBars" },
        ValueName { 1, u"Desktop", "Desktop" },
        ValueName { 2, u"Active Title Bar", "ActiveTitleBar" },
        ValueName { 3, u"Inactive Title Bar", "InactiveTitleBar" },
        ValueName { 4, u"Menu Bar", "MenuBar" },
        ValueName { 5, u"Window Background", "WindowBackground" },
        ValueName { 6, u"Window Frame", "WindowFrame" }, ValueName { 7, u"Menu Text", "MenuText" },
        ValueName { 8, u"Window Text", "WindowText" },
        ValueName { 9, u"Active Title Bar Text", "ActiveTitleBarText" },
        ValueName { 10, u"Active Border", "ActiveBorder" },
        ValueName { 11, u"Inactive Border", "InactiveBorder" },
        ValueName { 12, u"Application Workspace", "ApplicationWorkspace" },
        ValueName { 13, u"Highlight", "Highlight" },
        ValueName { 14, u"Highlight Text", "HighlightText" },
        ValueName { 15, u"Button Face", "ButtonFace" },
        ValueName { 16, u"Button Shadow", "ButtonShadow" },
        ValueName { 17, u"Disabled Text", "DisabledText" },
        ValueName { 18, u"Button Text", "ButtonText" },
        ValueName { 19, u"Inactive Title Bar Text", "InactiveTitleBarText" },
        ValueName { 20, u"Button Highlight", "ButtonHighlight" },
        ValueName { 21, u"Button Dark Shadow", "ButtonDarkShadow" },
        ValueName { 22, u"Button Light Shadow", "ButtonLightShadow" },
        ValueName { 23, u"ToolTip Text", "ToolTipText" }, ValueName { 24, u"ToolTip", "ToolTip" } };

    using E = ValueKind;
    using D = PropertyDefaults;

    const std::array<PublicProperty, 25>& table()
    {
        static const std::array<PublicProperty, 25> rows { {
            { "ButtonStyle", E::Enumeration, "Various operating system button styles", kLookNames,
                PersistedKey::BackStyle,
                StoredForm { u"BackStyle", Fixed, storedNumber(D::buttonStyle), 2,
                    loadEnumeration<&S::buttonStyle>, saveEnumeration<&S::buttonStyle> },
                NewValue::Listed, storedNumber(D::buttonStyle),
                getEnumeration<Look, &Button::ButtonStyle>,
                setEnumeration<Look, &Button::setButtonStyle> },
            { "Mode", E::Enumeration, "Command button, check box or option button mode", kModeNames,
                PersistedKey::Mode,
                StoredForm { u"Mode", AlwaysWritten, storedNumber(D::mode), 9,
                    loadEnumeration<&S::buttonMode>, saveEnumeration<&S::buttonMode> },
                NewValue::Listed, storedNumber(D::mode), getEnumeration<ButtonMode, &Button::Mode>,
                setEnumeration<ButtonMode, &Button::setMode> },
            { "Caption", E::Text, "The caption of the button. Double pipe (||) is a line break.",
                {}, PersistedKey::Caption,
                StoredForm { u"Caption", Fixed, std::u16string(), 0, loadField<&S::captionText>,
                    saveField<&S::captionText> },
                NewValue::DisplayName, std::u16string(),
                [](Button& b) -> PublicValue { return b.Caption(); },
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* text = std::get_if<std::u16string>(&v))
                        b.setCaption(*text);
                    return {};
                } },
            { "CaptionAlign", E::Enumeration, "Horizontal alignment of caption on the button.",
                kCaptionAlignNames, PersistedKey::CapAlign,
                StoredForm { u"CapAlign", Fixed, storedNumber(D::captionAlign), 1,
                    loadEnumeration<&S::captionAlign>, saveEnumeration<&S::captionAlign> },
                NewValue::Listed, storedNumber(D::captionAlign),
                getEnumeration<CaptionAlignment, &Button::CaptionAlign>,
                setEnumeration<CaptionAlignment, &Button::setCaptionAlign> },
            { "CaptionStyle", E::Enumeration, "Flat, Embossed or Engraved effects",
                kCaptionStyleNames, PersistedKey::CapStyle,
                StoredForm { u"CapStyle", Fixed, storedNumber(D::captionStyle), 20,
                    loadEnumeration<&S::captionStyle>, saveEnumeration<&S::captionStyle> },
                NewValue::Listed, storedNumber(D::captionStyle),
                getEnumeration<CaptionEffect, &Button::CaptionStyle>,
                setEnumeration<CaptionEffect, &Button::setCaptionStyle> },
            { "CustomClick", E::Enumeration,
                "Custom shaped buttons only. Moves the button vs the traditional click effect.",
                kCustomClickNames, PersistedKey::CustomClick,
                StoredForm { u"CustomClick", Fixed, storedNumber(D::customClick), 11,
                    loadEnumeration<&S::customClick>, saveEnumeration<&S::customClick> },
                NewValue::Listed, storedNumber(D::customClick),
                getEnumeration<ClickMovement, &Button::CustomClick>,
                setEnumeration<ClickMovement, &Button::setCustomClick> },
            { "ButtonShape", E::Enumeration, "Rectangular or various diagonal shapes", kShapeNames,
                PersistedKey::Shape,
                StoredForm { u"Shape", Fixed, storedNumber(D::buttonShape), 3,
                    loadEnumeration<&S::buttonShape>, saveEnumeration<&S::buttonShape> },
                NewValue::Listed, storedNumber(D::buttonShape),
                getEnumeration<Shape, &Button::ButtonShape>,
                setEnumeration<Shape, &Button::setButtonShape> },
            { "Picture", E::Picture, "The image used to display on the button.", {},
                PersistedKey::Image,
                StoredForm { u"Image", Fixed, PictureValue(), 12, loadImage, saveImage },
                NewValue::Listed, PictureRef(), getPicture<&Button::Picture>,
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* picture = std::get_if<PictureRef>(&v))
                        b.setPicture(*picture);
                    return {};
                } },
            { "PictureAlign", E::Enumeration,
                "Alignment of the button image in relation to the caption and/or button.",
                kPictureAlignNames, PersistedKey::ImgAlign,
                StoredForm { u"ImgAlign", Fixed, storedNumber(D::pictureAlign), 14,
                    loadEnumeration<&S::pictureAlign>, saveEnumeration<&S::pictureAlign> },
                NewValue::Listed, storedNumber(D::pictureAlign),
                getEnumeration<PicturePlacement, &Button::PictureAlign>,
                setEnumeration<PicturePlacement, &Button::setPictureAlign> },
            { "Enabled", E::Boolean, "Determines if events are fired for this button.", {},
                PersistedKey::Enabled,
                StoredForm { u"Enabled", Fixed, D::enabled, 16, loadEnabled, saveEnabled },
                NewValue::Listed, D::enabled.isSet(), getBoolean<&Button::Enabled>,
                setBoolean<&Button::setEnabled> },
            { "ShowFocusRect", E::Boolean,
                "Allows or prevents a focus rectangle from being displayed. In design mode, "
                "this may always be displayed for button set as Default.",
                {}, PersistedKey::Focus,
                StoredForm { u"Focus", Fixed, D::showFocusRect, 8, loadField<&S::showFocusRect>,
                    saveField<&S::showFocusRect> },
                NewValue::Listed, D::showFocusRect.isSet(), getBoolean<&Button::ShowFocusRect>,
                setBoolean<&Button::setShowFocusRect> },
            { "Value", E::Boolean,
                "Applicable to only check box or option button modes: True or False", {},
                PersistedKey::Value,
                StoredForm { u"Value", AlwaysWritten, D::value, 10, loadField<&S::buttonValue>,
                    saveField<&S::buttonValue> },
                NewValue::Listed, D::value.isSet(), getBoolean<&Button::Value>,
                setBoolean<&Button::setValue> },
            { "PictureSize", E::Enumeration,
                "Various sizes for images used on buttons. Last 2 options center image "
                "automatically.",
                kPictureSizeNames, PersistedKey::ImgSize,
                StoredForm { u"ImgSize", Fixed, std::int16_t(16), 13, loadImageSize,
                    saveField<&S::pictureSizePx> },
                NewValue::Listed, storedNumber(D::pictureSize),
                [](Button& b) -> PublicValue { return storedNumber(b.PictureSize()); },
                setEnumeration<PictureSizing, &Button::setPictureSize> },
            { "MousePointer", E::Enumeration,
                "Various optional mouse pointers to use when mouse is over the button",
                kPointerNames, PersistedKey::MousePointer,
                StoredForm {
                    u"mPointer", Fixed, D::mousePointer, 22, loadMousePointer, saveMousePointer },
                NewValue::Listed, std::int32_t(D::mousePointer),
                [](Button& b) -> PublicValue { return b.MousePointer(); },
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* number = std::get_if<std::int32_t>(&v))
                        return b.setMousePointer(*number);
                    return {};
                } },
            { "MouseIcon", E::Picture,
                "Icon or cursor used to display when mouse is over the button. MousePointer "
                "must be set to Custom.",
                {}, PersistedKey::MouseIcon,
                StoredForm { u"mIcon", Fixed, PictureValue(), 21, loadMouseIcon, saveMouseIcon },
                NewValue::Listed, PictureRef(), getPicture<&Button::MouseIcon>,
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* picture = std::get_if<PictureRef>(&v))
                        return b.setMouseIcon(*picture);
                    return {};
                } },
            { "Font", E::Font, "Font used to display the caption.", {}, PersistedKey::Font,
                StoredForm { u"Font", Fixed, FontDescription(), 7, loadFont, saveFont },
                NewValue::ParentFont, FontDescription(),
                [](Button& b) -> PublicValue { return b.Font().value_or(FontDescription()); },
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* font = std::get_if<FontDescription>(&v))
                        return b.setFont(*font);
                    return {};
                } },
            { "FontStyle", E::Enumeration, "Various font attributes that can be changed directly.",
                kFontStyleNames, PersistedKey::Font, std::nullopt, NewValue::FromFont,
                std::int32_t(0), [](Button& b) -> PublicValue { return b.FontStyle(); },
                [](Button& b, const PublicValue& v) -> HostResult {
                    if (const auto* number = std::get_if<std::int32_t>(&v))
                        return b.setFontStyle(*number);
                    return {};
                } },
            { "ForeColor", E::Colour, "The color of the caption's font .", {},
                PersistedKey::ForeColor,
                StoredForm { u"cFore", Fixed, D::foreColor, 6, loadForeColor, saveForeColor },
                NewValue::Listed, D::foreColor, getColour<&Button::ForeColor>,
                setColour<&Button::setForeColor> },
            { "BackColor", E::Colour, "Button back color. See also ResetDefaultColors", {},
                PersistedKey::BackColor,
                StoredForm { u"cBack", ParentBackColor, OleColor(), 17, loadBackColor,
                    saveField<&S::backColor> },
                NewValue::Listed, D::backColor, getColour<&Button::BackColor>,
                setColour<&Button::setBackColor> },
            { "GradientColor", E::Colour,
                "Secondary color used for gradient shades. The BackColor property is the "
                "primary color.",
                {}, PersistedKey::GradientColor,
                // A stored form without the key has the face colour; a new control
                // starts with black and so writes it.
                StoredForm { u"cGradient", Fixed, kSystemButtonFace, 5,
                    loadField<&S::gradientColor>, saveField<&S::gradientColor> },
                NewValue::Listed, D::gradientColor, getColour<&Button::GradientColor>,
                setColour<&Button::setGradientColor> },
            { "GradientMode", E::Enumeration, "Various directions to draw the gradient shading.",
                kGradientNames, PersistedKey::Gradient,
                StoredForm { u"Gradient", Fixed, storedNumber(D::gradientMode), 4,
                    loadEnumeration<&S::gradientMode>, saveEnumeration<&S::gradientMode> },
                NewValue::Listed, storedNumber(D::gradientMode),
                getEnumeration<GradientDirection, &Button::GradientMode>,
                setEnumeration<GradientDirection, &Button::setGradientMode> },
            { "ResetDefaultColors", E::Action,
                "Resets button's back color and text color to Window's standard. The hover "
                "properties are also reset.",
                {}, std::nullopt, std::nullopt, NewValue::Listed, false,
                getBoolean<&Button::ResetDefaultColors>,
                setBoolean<&Button::setResetDefaultColors> },
            { "HoverColorLocks", E::Enumeration,
                "Can ensure the hover colors match the caption and back colors. Click for more "
                "options.",
                kHoverLockNames, PersistedKey::LockHover,
                StoredForm { u"LockHover", Fixed, storedNumber(D::hoverColorLocks), 19,
                    loadEnumeration<&S::hoverLocks>, saveEnumeration<&S::hoverLocks> },
                NewValue::Listed, storedNumber(D::hoverColorLocks),
                getEnumeration<HoverLock, &Button::HoverColorLocks>,
                setEnumeration<HoverLock, &Button::setHoverColorLocks> },
            { "HoverForeColor", E::Colour,
                "Color of button caption's text when mouse is hovering over it. Affects the "
                "HoverLockColors property.",
                {}, PersistedKey::HoverForeColor,
                StoredForm { u"cFHover", Fixed, D::hoverForeColor, 15,
                    loadField<&S::hoverForeColor>, saveField<&S::hoverForeColor> },
                NewValue::Listed, D::hoverForeColor, getColour<&Button::HoverForeColor>,
                setColour<&Button::setHoverForeColor> },
            { "HoverBackColor", E::Colour,
                "Color of button background when mouse is hovering over it. Affects the "
                "HoverLockColors property.",
                {}, PersistedKey::HoverBackColor,
                StoredForm { u"cBHover", ControlBackColor, OleColor(), 18, loadHoverBackColor,
                    saveField<&S::hoverBackColor> },
                NewValue::Listed, D::hoverBackColor, getColour<&Button::HoverBackColor>,
                setColour<&Button::setHoverBackColor> },
        } };
        return rows;
    }

    constexpr std::uint32_t kSystemColourBit = 0x80000000u;

} // namespace

std::span<const PublicProperty> publicProperties()
{
    return table();
}

const PublicProperty* findPublicProperty(std::string_view name)
{
    for (const PublicProperty& property : table())
        if (property.name == name)
            return &property;
    return nullptr;
}

std::u16string valueNameOf(const PublicProperty& property, std::int32_t value)
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

} // namespace bastara::button
