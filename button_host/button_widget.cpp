#include "button_host/button_widget.h"

#include "button/property_table.h"
#include "platform/toolkit/qt_values.h"

#include <QBuffer>
#include <QByteArray>
#include <QEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <cmath>

namespace bastara::button_host {

namespace {

    using button::PublicValue;

    // The widget's enumerations carry the control's numbers.
    static_assert(int(ButtonWidget::Look::RoundedDark) == int(button::Look::RoundedDark));
    static_assert(int(ButtonWidget::ButtonMode::OptionButton) == int(button::ButtonMode::Option));
    static_assert(int(ButtonWidget::AlignCenter) == int(button::CaptionAlignment::Center));
    static_assert(
        int(ButtonWidget::CaptionEffect::Engraved) == int(button::CaptionEffect::Engraved));
    static_assert(int(ButtonWidget::MoveLeft) == int(button::ClickMovement::Left));
    static_assert(int(ButtonWidget::Shape::PictureRimmed) == int(button::Shape::PictureRimmed));
    static_assert(int(ButtonWidget::PicturePlacement::BottomCenter)
        == int(button::PicturePlacement::BottomCenter));
    static_assert(
        int(ButtonWidget::PictureSizing::FitButton) == int(button::PictureSizing::FitButton));
    static_assert(int(ButtonWidget::CustomPointer) == button::kPointerCustomIcon);
    static_assert(int(ButtonWidget::GradientDirection::BottomToTop)
        == int(button::GradientDirection::BottomToTop));
    static_assert(int(ButtonWidget::HoverLock::NeitherLocked) == int(button::HoverLock::Neither));

    // Captions of push buttons are at least this wide, as Qt's styles make them.
    constexpr int kMinimumCaptionedWidth = 75;
    // Room around the tight layout that a button at rest shows.
    constexpr int kHintPaddingWidth = 8;
    constexpr int kHintPaddingHeight = 4;

    QPixmap toPixmap(const button::PictureRef& picture)
    {
        QPixmap pixmap;
        if (!picture)
            return pixmap;
        const button::PictureValue stored = button::PictureValue::fromPicture(picture);
        const std::span<const std::uint8_t> bytes = stored.fileBytes();
        pixmap.loadFromData(bytes.data(), uint(bytes.size()));
        return pixmap;
    }

    // The control takes bitmaps, JPEGs and icons as files: a pixmap becomes
    // one of them. A null pixmap is no picture.
    button::PictureRef toPicture(const QPixmap& pixmap, const char* format)
    {
        if (pixmap.isNull())
            return {};
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!pixmap.save(&buffer, format))
            return {};
        return button::PictureValue::fromFileBytes(
            std::vector<std::uint8_t>(bytes.begin(), bytes.end()))
            .picture();
    }

    int toLogical(std::int32_t devicePixels, qreal ratio)
    {
        return int(std::ceil(qreal(devicePixels) / ratio - 1e-9));
    }

    // The persisted keys whose change can change the size hint.
    bool changesSizeHint(const QString& key)
    {
        static const char* const kKeys[]
            = { "Caption", "Font", "CapStyle", "Shape", "Image", "ImgSize", "ImgAlign" };
        for (const char* k : kKeys)
            if (key.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

} // namespace

ButtonWidget::ButtonWidget(QWidget* parent)
    : ButtonWidget(QString(), parent)
{ }

ButtonWidget::ButtonWidget(const QString& caption, QWidget* parent)
    : ControlHost(parent)
{
    AmbientSettings ambient;
    ambient.userMode = true;
    ambient.displayName = objectName().toStdU16String();
    ambient.parentFont = toolkit::toFontDescription(parent ? parent->font() : QWidget::font());
    setAmbient(ambient);
    // A font the window refuses (a parent without a usable one) leaves the
    // control without a font: the caption then draws in the default one.
    (void)control().onHostInitProperties();
    if (!caption.isEmpty())
        control().setCaption(caption.toStdU16String());
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    connect(
        this, &ControlHost::controlPropertyChanged, this, &ButtonWidget::onControlPropertyChanged);
    // The caption is measured in the back buffer, which the first size makes.
    setSizePixels(kMinimumCaptionedWidth, 23);
    const QSize hint = sizeHint();
    setSizePixels(hint.width(), hint.height());
}

QSize ButtonWidget::minimumSizeHint() const
{
    const gdi::Size face = control().preferredSize();
    const qreal ratio = surfacePixelRatio();
    return { toLogical(face.width, ratio), toLogical(face.height, ratio) };
}

QSize ButtonWidget::sizeHint() const
{
    QSize hint = minimumSizeHint();
    auto& self = const_cast<ButtonWidget*>(this)->control();
    const bool pictureShape = self.ButtonShape() == button::Shape::PictureFramed
        || self.ButtonShape() == button::Shape::PictureRimmed;
    if (pictureShape && self.Picture())
        return hint;
    hint += QSize(kHintPaddingWidth, kHintPaddingHeight);
    if (!self.Caption().empty())
        hint.setWidth(std::max(hint.width(), kMinimumCaptionedWidth));
    return hint;
}

void ButtonWidget::setPublic(const char* name, const PublicValue& value)
{
    const button::PublicProperty* property = button::findPublicProperty(name);
    Q_ASSERT(property);
    const button::HostResult result = property->set(control(), value);
    m_lastRefusal = result ? QString() : QString::fromStdU16String(result.error().description);
}

PublicValue ButtonWidget::getPublic(const char* name) const
{
    const button::PublicProperty* property = button::findPublicProperty(name);
    Q_ASSERT(property);
    return property->get(const_cast<ButtonWidget*>(this)->control());
}

namespace {

    template <typename T> T as(const PublicValue& value)
    {
        const T* held = std::get_if<T>(&value);
        return held ? *held : T();
    }

} // namespace

#define BASTARA_ENUM_PROPERTY(Type, getter, setter, Name)                                          \
    ButtonWidget::Type ButtonWidget::getter() const                                                \
    {                                                                                              \
        return Type(as<std::int32_t>(getPublic(Name)));                                            \
    }                                                                                              \
    void ButtonWidget::setter(Type value)                                                          \
    {                                                                                              \
        setPublic(Name, std::int32_t(value));                                                      \
    }

BASTARA_ENUM_PROPERTY(Look, buttonStyle, setButtonStyle, "ButtonStyle")
BASTARA_ENUM_PROPERTY(ButtonMode, mode, setMode, "Mode")
BASTARA_ENUM_PROPERTY(CaptionAlignment, captionAlign, setCaptionAlign, "CaptionAlign")
BASTARA_ENUM_PROPERTY(CaptionEffect, captionStyle, setCaptionStyle, "CaptionStyle")
BASTARA_ENUM_PROPERTY(ClickMovement, customClick, setCustomClick, "CustomClick")
BASTARA_ENUM_PROPERTY(Shape, buttonShape, setButtonShape, "ButtonShape")
BASTARA_ENUM_PROPERTY(PicturePlacement, pictureAlign, setPictureAlign, "PictureAlign")
BASTARA_ENUM_PROPERTY(PictureSizing, pictureSize, setPictureSize, "PictureSize")
BASTARA_ENUM_PROPERTY(Pointer, mousePointer, setMousePointer, "MousePointer")
BASTARA_ENUM_PROPERTY(GradientDirection, gradientMode, setGradientMode, "GradientMode")
BASTARA_ENUM_PROPERTY(HoverLock, hoverColorLocks, setHoverColorLocks, "HoverColorLocks")
#undef BASTARA_ENUM_PROPERTY

#define BASTARA_BOOL_PROPERTY(getter, setter, Name)                                                \
    bool ButtonWidget::getter() const                                                              \
    {                                                                                              \
        return as<bool>(getPublic(Name));                                                          \
    }                                                                                              \
    void ButtonWidget::setter(bool value)                                                          \
    {                                                                                              \
        setPublic(Name, value);                                                                    \
    }

BASTARA_BOOL_PROPERTY(buttonEnabled, setButtonEnabled, "Enabled")
BASTARA_BOOL_PROPERTY(showFocusRect, setShowFocusRect, "ShowFocusRect")
BASTARA_BOOL_PROPERTY(value, setValue, "Value")
#undef BASTARA_BOOL_PROPERTY

#define BASTARA_COLOUR_PROPERTY(getter, setter, Name)                                              \
    QColor ButtonWidget::getter() const                                                            \
    {                                                                                              \
        return toColour(as<button::OleColor>(getPublic(Name)));                                    \
    }                                                                                              \
    void ButtonWidget::setter(const QColor& colour)                                                \
    {                                                                                              \
        if (colour.isValid())                                                                      \
            setPublic(Name, toolkit::toOleColor(colour));                                          \
    }

BASTARA_COLOUR_PROPERTY(foreColor, setForeColor, "ForeColor")
BASTARA_COLOUR_PROPERTY(backColor, setBackColor, "BackColor")
BASTARA_COLOUR_PROPERTY(gradientColor, setGradientColor, "GradientColor")
BASTARA_COLOUR_PROPERTY(hoverForeColor, setHoverForeColor, "HoverForeColor")
BASTARA_COLOUR_PROPERTY(hoverBackColor, setHoverBackColor, "HoverBackColor")
#undef BASTARA_COLOUR_PROPERTY

QString ButtonWidget::caption() const
{
    return QString::fromStdU16String(as<std::u16string>(getPublic("Caption")));
}

void ButtonWidget::setCaption(const QString& caption)
{
    setPublic("Caption", caption.toStdU16String());
}

QPixmap ButtonWidget::picture() const
{
    return toPixmap(as<button::PictureRef>(getPublic("Picture")));
}

void ButtonWidget::setPicture(const QPixmap& picture)
{
    setPublic("Picture", toPicture(picture, "BMP"));
}

QPixmap ButtonWidget::mouseIcon() const
{
    return toPixmap(as<button::PictureRef>(getPublic("MouseIcon")));
}

void ButtonWidget::setMouseIcon(const QPixmap& icon)
{
    setPublic("MouseIcon", toPicture(icon, "ICO"));
}

QFont ButtonWidget::captionFont() const
{
    const auto font = as<button::FontDescription>(getPublic("Font"));
    return font.name.empty() ? QWidget::font() : toolkit::toQFont(font);
}

void ButtonWidget::setCaptionFont(const QFont& font)
{
    setPublic("Font", toolkit::toFontDescription(font));
}

int ButtonWidget::fontStyle() const
{
    return as<std::int32_t>(getPublic("FontStyle"));
}

void ButtonWidget::setFontStyle(int style)
{
    setPublic("FontStyle", std::int32_t(style));
}

void ButtonWidget::setResetDefaultColors(bool reset)
{
    setPublic("ResetDefaultColors", reset);
    if (reset)
        emit defaultColorsReset();
}

QColor ButtonWidget::toColour(button::OleColor colour) const
{
    return toolkit::toQColor(colour, palette());
}

void ButtonWidget::onControlPropertyChanged(const QString& key)
{
    const QPointer<ButtonWidget> self(this);
    const std::u16string changed = key.toStdU16String();
    for (const button::PublicProperty& property : button::publicProperties()) {
        if (!property.storedUnder)
            continue;
        const std::u16string_view stored = button::keyOf(*property.storedUnder);
        if (QString::fromUtf16(stored.data(), qsizetype(stored.size()))
                .compare(key, Qt::CaseInsensitive)
            != 0)
            continue;
        const int index = metaObject()->indexOfProperty(property.name.data());
        if (index < 0)
            continue;
        const QMetaMethod notify = metaObject()->property(index).notifySignal();
        // Value's is toggled(bool), raised below when it really changed;
        // FontStyle shares Font's.
        if (notify.parameterCount() != 0 || property.name == "FontStyle")
            continue;
        notify.invoke(this, Qt::DirectConnection);
        if (!self)
            return;
    }
    if (key.compare(QLatin1String("Value"), Qt::CaseInsensitive) == 0) {
        const bool now = value();
        if (now != m_lastValue) {
            m_lastValue = now;
            emit toggled(now);
            if (!self)
                return;
        }
    }
    if (key.compare(QLatin1String("Font"), Qt::CaseInsensitive) == 0) {
        // Qt's idea of the widget's font follows the caption's.
        m_mirroring = true;
        QWidget::setFont(captionFont());
        m_mirroring = false;
    }
    if (changesSizeHint(key))
        updateGeometry();
}

void ButtonWidget::controlClicked()
{
    emit clicked();
}

void ButtonWidget::changeEvent(QEvent* event)
{
    ControlHost::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        if (!m_mirroring) {
            const button::FontDescription font = toolkit::toFontDescription(QWidget::font());
            if (control().Font() != font)
                setPublic("Font", font);
        }
        break;
    case QEvent::EnabledChange: {
        // Only the widget's own flag: a disabled parent disables it in Qt's
        // eyes without changing its Enabled.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != control().Enabled().isSet())
            setPublic("Enabled", own);
        break;
    }
    default:
        break;
    }
}

void ButtonWidget::mousePressEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    const QPointer<ButtonWidget> self(this);
    ControlHost::mousePressEvent(event);
    if (self && left && !m_leftDown) {
        m_leftDown = true;
        emit pressed();
    }
}

void ButtonWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    const QPointer<ButtonWidget> self(this);
    ControlHost::mouseReleaseEvent(event);
    if (self && left && m_leftDown) {
        m_leftDown = false;
        emit released();
    }
}

void ButtonWidget::keyPressEvent(QKeyEvent* event)
{
    const bool space = event->key() == Qt::Key_Space && !event->isAutoRepeat();
    const QPointer<ButtonWidget> self(this);
    ControlHost::keyPressEvent(event);
    if (self && space && !m_spaceDown) {
        m_spaceDown = true;
        emit pressed();
    }
}

void ButtonWidget::keyReleaseEvent(QKeyEvent* event)
{
    const bool space = event->key() == Qt::Key_Space && !event->isAutoRepeat();
    const QPointer<ButtonWidget> self(this);
    ControlHost::keyReleaseEvent(event);
    if (self && space && m_spaceDown) {
        m_spaceDown = false;
        emit released();
    }
}

} // namespace bastara::button_host
