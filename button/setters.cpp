// The property setters: validate, store, recompute what depends on the
// property, redraw, and tell the host which persisted property changed.
//
// What depends on what:
//   look            -> regions (rectangles and slants; ovals and the flat look) + layout + colours
//   shape           -> window size + regions + layout (the caption is centred)
//   caption, fonts, alignment, picture size -> layout
//   picture         -> picture metrics + layout (a prepared copy)
//   colours         -> face colours; the hover colours follow under their locks
//   anything        -> one redraw
//
// Refusals explain themselves only while a designer edits the form; the
// messages break their lines with "\n". Setters call each other only in one
// direction (ResetDefaultColors -> ForeColor -> HoverForeColor and the like),
// never back, so every change ends.

#include "button/button.h"
#include "button/option_group.h"

#include <cassert>
#include <limits>

namespace bastara::button {

// Counts setters inside setters for one control.
class SetterDepth
{
public:
    explicit SetterDepth(Button& button)
        : m_depth(button.m_setterDepth)
    {
        ++m_depth;
        assert(m_depth < 8);
    }
    ~SetterDepth() { --m_depth; }
    SetterDepth(const SetterDepth&) = delete;
    SetterDepth& operator=(const SetterDepth&) = delete;

private:
    int& m_depth;
};

namespace {

    // Enumerations are compared by the numbers they are stored as: a loaded
    // value may lie outside the named ones.
    bool inRange(auto enumeration, std::int32_t low, std::int32_t high)
    {
        return storedNumber(enumeration) >= low && storedNumber(enumeration) <= high;
    }

    // HoverColorLocks: 0 both follow, 1 only the text, 2 only the face; any
    // other value neither.
    bool hoverFaceFollows(HoverLock locks)
    {
        return locks == HoverLock::Both || locks == HoverLock::BackOnly;
    }
    bool hoverTextFollows(HoverLock locks)
    {
        return locks == HoverLock::Both || locks == HoverLock::ForeOnly;
    }

    constexpr std::int32_t kFirstPictureShape = 7;

} // namespace

void Button::designMessage(std::u16string text, std::u16string title)
{
    if (!m_host.userMode())
        m_host.showDesignMessage(std::move(text), std::move(title));
}

void Button::propertyChanged(PersistedKey key)
{
    if (!m_readingProperties)
        m_host.propertyChanged(keyOf(key));
}

void Button::resizeForShape()
{
    onHostResize();
    if (m_state.delayDrawing.isTrue()) {
        BuildShapeRegions();
        CalculateLayout(kFalse);
    }
}

void Button::setButtonStyle(Look Style)
{
    const SetterDepth depth(*this);
    if (!inRange(Style, 0, 7))
        return;
    ButtonState& s = m_state;
    const Look old = s.buttonStyle;
    s.buttonStyle = Style;
    // The looks cut different corners; the flat look draws no oval rim.
    const std::int32_t shape = storedNumber(s.buttonShape);
    const bool flatLookInvolved = old == Look::FlatHover || Style == Look::FlatHover;
    if (shape < 4 || (flatLookInvolved && shape < kFirstPictureShape))
        BuildShapeRegions();
    CalculateLayout(kFalse);
    UpdateResources("BackColor");
    RedrawButton();
    propertyChanged(PersistedKey::BackStyle);
}

void Button::setMode(ButtonMode nMode)
{
    const SetterDepth depth(*this);
    if (!inRange(nMode, 0, 2))
        return;
    const std::int32_t value = storedNumber(nMode);
    const std::int32_t old = storedNumber(m_state.buttonMode);
    if (old == 2 && value < 2)
        OptionToggle(*this, OptionAction::Leave);
    if (value == 2 && old < 2)
        OptionToggle(*this, OptionAction::Join);
    if (value == 0 && old > 0)
        setValue(kFalse);
    m_state.buttonMode = nMode;
    RedrawButton();
    propertyChanged(PersistedKey::Mode);
}

// Read as the caption is drawn: "&&" is a literal "&", so pairs are skipped and
// the key is the character after the last "&" left over. A caption whose every
// "&" is paired, or that ends in an unpaired "&", marks no key.
std::optional<std::u16string> Button::accessKeyOf(std::u16string_view caption)
{
    if (caption.find(u'&') == std::u16string_view::npos)
        return std::nullopt;
    std::u16string key;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        key.clear();
        if (i + 1 < caption.size()) {
            // A character outside the basic plane is a pair of code units.
            const bool pair
                = i + 2 < caption.size() && caption[i + 1] >= 0xD800 && caption[i + 1] <= 0xDBFF;
            key = caption.substr(i + 1, pair ? 2 : 1);
        }
    }
    return key;
}

void Button::setCaption(std::u16string sCaption)
{
    const SetterDepth depth(*this);
    if (std::optional<std::u16string> key = accessKeyOf(sCaption))
        m_host.setAccessKeys(std::move(*key));
    m_state.captionText = std::move(sCaption);
    CalculateLayout(kFalse);
    RedrawButton();
    propertyChanged(PersistedKey::Caption);
}

void Button::setCaptionAlign(CaptionAlignment nAlign)
{
    const SetterDepth depth(*this);
    if (!inRange(nAlign, 0, 2))
        return;
    ButtonState& s = m_state;
    // A picture above or below the caption keeps the caption centred.
    const bool accepted
        = nAlign == CaptionAlignment::Center || storedNumber(s.pictureAlign) < 4 || !s.hasPicture();
    if (!accepted) {
        designMessage(u"When button images are aligned top/bottom center, \n"
                      u"button captions can only be center aligned");
        return;
    }
    s.captionAlign = nAlign;
    CalculateLayout(kFalse);
    RedrawButton();
    propertyChanged(PersistedKey::CapAlign);
}

void Button::setCaptionStyle(CaptionEffect nStyle)
{
    const SetterDepth depth(*this);
    if (!inRange(nStyle, 0, 2))
        return;
    m_state.captionStyle = nStyle;
    propertyChanged(PersistedKey::CapStyle);
    if (!m_state.captionText.empty()) {
        CalculateLayout(kFalse);
        RedrawButton();
    }
}

void Button::setCustomClick(ClickMovement nOpt)
{
    const SetterDepth depth(*this);
    if (!inRange(nOpt, 0, 8))
        return;
    if (storedNumber(m_state.buttonShape) < kFirstPictureShape && storedNumber(nOpt) > 0)
        designMessage(u"This property has no effect unless the Button Shape is a custom shape.");
    m_state.customClick = nOpt;
    propertyChanged(PersistedKey::CustomClick);
}

void Button::setButtonShape(Shape nShape)
{
    const SetterDepth depth(*this);
    if (!inRange(nShape, 0, 8))
        return;
    ButtonState& s = m_state;
    if (storedNumber(nShape) >= kFirstPictureShape) {
        // Cut from the picture's see-through colour: that needs a bitmap.
        if (!s.hasPicture() || s.pictureIsIcon == 1) {
            designMessage(u"The Picture Property must be assigned first and must be a bitmap or "
                          u"JPEG.");
            return;
        }
        if (PictureSize() != PictureSizing::FitButton) {
            DelayDrawing(kTrue);
            setPictureSize(PictureSizing::FitButton);
            s.delayDrawing = kFalse;
        }
    }
    s.buttonShape = nShape;
    // Every shape leaves the caption centred; the alignment is not reported.
    s.captionAlign = CaptionAlignment::Center;
    resizeForShape();
    DelayDrawing(kFalse);
    propertyChanged(PersistedKey::Shape);
}

void Button::setPicture(PictureRef xPic)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    s.picture = std::move(xPic);
    if (s.pictureSizePx == 0)
        s.pictureSizePx = 16;
    UpdateResources("Picture");
    if (storedNumber(s.buttonShape) < kFirstPictureShape) {
        CalculateLayout(kTrue);
        RedrawButton();
    } else {
        // A picture shape without a bitmap to cut from becomes a rectangle.
        if (!s.picture) {
            setButtonShape(Shape::Rectangle);
        } else if (s.pictureIsIcon == 1) {
            setButtonShape(Shape::Rectangle);
            designMessage(u"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\n"
                          u"Button was changed to Rectangular shaped.");
        }
        resizeForShape();
    }
    propertyChanged(PersistedKey::Image);
}

void Button::setPictureAlign(PicturePlacement ImgAlign)
{
    const SetterDepth depth(*this);
    if (!inRange(ImgAlign, 0, 5))
        return;
    m_state.pictureAlign = ImgAlign;
    if (ImgAlign == PicturePlacement::TopCenter || ImgAlign == PicturePlacement::BottomCenter)
        setCaptionAlign(CaptionAlignment::Center);
    CalculateLayout(kFalse);
    RedrawButton();
    propertyChanged(PersistedKey::ImgAlign);
}

void Button::setEnabled(Bool16 bEnabled)
{
    const SetterDepth depth(*this);
    const bool enabled = bEnabled.isSet();
    if (enabled == m_host.enabled())
        return;
    m_host.setEnabled(enabled);
    const ButtonState& s = m_state;
    // The etched look squares its corners while disabled.
    if (s.buttonStyle == Look::Etched && s.buttonMode == ButtonMode::Command
        && storedNumber(s.buttonShape) < 4) {
        DelayDrawing(kTrue);
        BuildShapeRegions();
        CalculateLayout(kFalse);
        DelayDrawing(kFalse);
    } else {
        RedrawButton();
    }
    propertyChanged(PersistedKey::Enabled);
}

void Button::setShowFocusRect(Bool16 bShow)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    s.showFocusRect = Bool16(bShow.isSet());
    // Hiding the focus rectangle of a button shown as the default: a running
    // form drops the default look; a designer keeps showing it and says why.
    if (bShow.isFalse() && s.isDefaultLook()) {
        if (m_host.userMode()) {
            s.stateFlags &= std::uint16_t(~kFlagDefaultLook);
            RedrawButton();
        } else {
            designMessage(
                u"The focus rectangle may appear on default buttons ONLY while in design mode, \n"
                u"but will not appear when the form is running.");
        }
    } else {
        RedrawButton();
    }
    propertyChanged(PersistedKey::Focus);
}

void Button::setValue(Bool16 bValue)
{
    const SetterDepth depth(*this);
    if (bValue.isSet() && m_state.buttonMode == ButtonMode::Command) {
        designMessage(u"This property is not applicable for command button modes.");
        return;
    }
    // Stored as -1 or 0, whatever non-zero value came in.
    m_state.buttonValue = Bool16(bValue.isSet());
    if (m_state.buttonValue.isTrue() && m_state.buttonMode == ButtonMode::Option)
        OptionToggle(*this, OptionAction::Selected);
    RedrawButton();
    propertyChanged(PersistedKey::Value);
}

void Button::setPictureSize(PictureSizing nSize)
{
    const SetterDepth depth(*this);
    if (!inRange(nSize, 0, 4))
        return;
    ButtonState& s = m_state;
    // A picture shape is sized by its picture.
    if (storedNumber(s.buttonShape) >= kFirstPictureShape) {
        designMessage(u"The picture size cannot be changed for Shaped buttons");
        return;
    }
    s.pictureSizePx = std::int16_t((storedNumber(nSize) + 2) * 8);
    CalculateLayout(kTrue);
    RedrawButton();
    propertyChanged(PersistedKey::ImgSize);
}

HostResult Button::setMousePointer(std::int32_t nPointer)
{
    const SetterDepth depth(*this);
    if (nPointer < std::numeric_limits<std::int16_t>::min()
        || nPointer > std::numeric_limits<std::int16_t>::max())
        return Unexpected { HostError { u"Overflow" } };
    if (HostResult set = m_host.setMousePointer(std::int16_t(nPointer)); !set)
        return set;
    propertyChanged(PersistedKey::MousePointer);
    return {};
}

HostResult Button::setMouseIcon(PictureRef nIcon)
{
    const SetterDepth depth(*this);
    const bool clearing = !nIcon;
    if (HostResult set = m_host.setMouseIcon(std::move(nIcon)); !set) {
        designMessage(set.error().description, u"Select .ico Or .cur Files Only");
        return set;
    }
    if (!clearing)
        (void)setMousePointer(kPointerCustomIcon);
    // Clearing the icon is a change to save too.
    propertyChanged(PersistedKey::MouseIcon);
    return {};
}

HostResult Button::setFont(const FontDescription& nFont)
{
    const SetterDepth depth(*this);
    if (HostResult set = m_host.setFont(nFont); !set)
        return set;
    UpdateResources("Font");
    CalculateLayout(kFalse);
    RedrawButton();
    propertyChanged(PersistedKey::Font);
    return {};
}

HostResult Button::setFontStyle(std::int32_t nStyle)
{
    const SetterDepth depth(*this);
    // A loaded control whose set stores no font has none to restyle.
    std::optional<FontDescription> font = m_host.font();
    if (!font)
        return Unexpected { HostError { u"No font to change" } };
    font->weight = (nStyle & kFontStyleBold) != 0 ? 700 : 400;
    font->italic = (nStyle & kFontStyleItalic) != 0;
    font->underline = (nStyle & kFontStyleUnderline) != 0;
    if (HostResult set = m_host.setFont(*font); !set)
        return set;
    UpdateResources("Font");
    CalculateLayout(kFalse);
    propertyChanged(PersistedKey::Font);
    RedrawButton();
    return {};
}

void Button::setForeColor(OleColor nColor)
{
    const SetterDepth depth(*this);
    if (nColor == m_host.foreColor())
        return;
    m_host.setForeColor(nColor);
    if (hoverTextFollows(m_state.hoverLocks))
        setHoverForeColor(m_host.foreColor());
    m_state.delayDrawing = kFalse;
    RedrawButton();
    propertyChanged(PersistedKey::ForeColor);
}

void Button::setBackColor(OleColor nColor)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    s.backColor = nColor;
    if (hoverFaceFollows(s.hoverLocks))
        setHoverBackColor(s.gradientMode != GradientDirection::None ? s.gradientColor : nColor);
    UpdateResources("BackColor");
    RedrawButton();
    propertyChanged(PersistedKey::BackColor);
}

void Button::setGradientColor(OleColor nColor)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    // The hover face of a gradient follows its second colour, lock unchanged.
    if (hoverFaceFollows(s.hoverLocks) && storedNumber(s.gradientMode) > 0)
        s.hoverBackColor = nColor;
    s.gradientColor = nColor;
    UpdateResources("BackColor");
    if (s.gradientMode != GradientDirection::None)
        RedrawButton();
    propertyChanged(PersistedKey::GradientColor);
}

void Button::setGradientMode(GradientDirection nOpt)
{
    const SetterDepth depth(*this);
    if (!inRange(nOpt, 0, 4))
        return;
    ButtonState& s = m_state;
    s.gradientMode = nOpt;
    if (hoverFaceFollows(s.hoverLocks)) {
        s.hoverBackColor = nOpt == GradientDirection::None ? s.backColor : s.gradientColor;
        UpdateResources("BackColor");
    }
    RedrawButton();
    propertyChanged(PersistedKey::Gradient);
}

void Button::setResetDefaultColors(Bool16 nDefault)
{
    const SetterDepth depth(*this);
    if (m_host.userMode() || nDefault.isFalse())
        return;
    DelayDrawing(kTrue);
    m_state.backColor = kSystemButtonFace;
    setForeColor(kSystemButtonText);
    setGradientColor(kSystemButtonFace);
    setGradientMode(GradientDirection::None);
    setHoverColorLocks(HoverLock::Both);
    UpdateResources("BackColor");
    DelayDrawing(kFalse);
    propertyChanged(PersistedKey::GradientColor);
    propertyChanged(PersistedKey::BackColor);
}

void Button::setHoverColorLocks(HoverLock nLock)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    s.hoverLocks = nLock;
    if (hoverFaceFollows(nLock)) {
        s.hoverBackColor
            = s.gradientMode != GradientDirection::None ? s.gradientColor : s.backColor;
        propertyChanged(PersistedKey::HoverBackColor);
    }
    if (hoverTextFollows(nLock)) {
        s.hoverForeColor = m_host.foreColor();
        propertyChanged(PersistedKey::HoverForeColor);
    }
    UpdateResources("BackColor");
    propertyChanged(PersistedKey::LockHover);
}

// A hover colour of its own unlocks it from the colour it followed.
void Button::setHoverForeColor(OleColor nColor)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    if (nColor == s.hoverForeColor)
        return;
    s.hoverForeColor = nColor;
    if (nColor != m_host.foreColor()) {
        if (s.hoverLocks == HoverLock::Both)
            s.hoverLocks = HoverLock::BackOnly;
        else if (s.hoverLocks == HoverLock::ForeOnly)
            s.hoverLocks = HoverLock::Neither;
    }
    propertyChanged(PersistedKey::HoverForeColor);
}

void Button::setHoverBackColor(OleColor nColor)
{
    const SetterDepth depth(*this);
    ButtonState& s = m_state;
    if (nColor == s.hoverBackColor)
        return;
    s.hoverBackColor = nColor;
    if (nColor != s.backColor) {
        if (s.hoverLocks == HoverLock::Both)
            s.hoverLocks = HoverLock::ForeOnly;
        else if (s.hoverLocks == HoverLock::BackOnly)
            s.hoverLocks = HoverLock::Neither;
    }
    UpdateResources("BackColor");
    propertyChanged(PersistedKey::HoverBackColor);
}

} // namespace bastara::button
