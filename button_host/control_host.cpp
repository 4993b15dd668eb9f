#include "button_host/control_host.h"

#include "button/property_keys.h"
#include "button_host/accessible_button.h"
#include "button_host/window_buttons.h"
#include "platform/gdi/qt_image.h"
#include "platform/window/geometry.h"
#include "platform/window/widget_bridge.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QShowEvent>
#include <array>

namespace bastara::button_host {

namespace {

    // How many host services that change a widget are running: what Qt
    // reports meanwhile (a focus moved away from a button being disabled) is
    // their side effect, and waits until they return.
    int g_platformCalls = 0;

    class PlatformCall
    {
    public:
        PlatformCall() { ++g_platformCalls; }
        ~PlatformCall() { --g_platformCalls; }
        PlatformCall(const PlatformCall&) = delete;
        PlatformCall& operator=(const PlatformCall&) = delete;
    };

} // namespace

// The host services, kept apart from the widget so that their names (font,
// windowHandle, setEnabled, ...) never meet QWidget's.
class ControlHost::Services final : public button::Host
{
public:
    explicit Services(ControlHost& widget)
        : m_widget(widget)
    { }

    bool userMode() const override { return m_widget.m_ambient.userMode; }
    std::u16string displayName() const override { return m_widget.m_ambient.displayName; }
    button::OleColor ambientBackColor() const override { return m_widget.m_ambient.backColor; }
    bool displayAsDefault() const override { return m_widget.m_displayAsDefault; }
    button::FontDescription parentFont() const override { return m_widget.m_ambient.parentFont; }
    button::OleColor parentBackColor() const override { return m_widget.m_ambient.parentBackColor; }
    window::WindowHandle containerWindow() const override
    {
        return window::handleOf(m_widget.parentWidget());
    }

    window::WindowHandle windowHandle() const override { return window::handleOf(&m_widget); }
    gdi::DeviceContext* windowDC() override { return m_widget.m_surfaceDC.get(); }
    float scaleWidth() const override
    {
        return float(std::max(m_widget.m_reportedSize.width(), 0));
    }
    float scaleHeight() const override
    {
        return float(std::max(m_widget.m_reportedSize.height(), 0));
    }
    double twipsPerPixel() const override { return 15.0 / m_widget.m_pixelRatio; }
    void setSizePixels(std::int32_t width, std::int32_t height) override
    {
        m_widget.setSizeDevicePixels(width, height);
    }
    void refreshWindow() override { m_widget.refreshFromControl(); }

    std::optional<button::FontDescription> font() const override { return m_widget.m_font; }
    button::HostResult setFont(const button::FontDescription& font) override
    {
        if (font.name.empty() || !(font.points > 0))
            return Unexpected { button::HostError { u"Invalid font" } };
        m_widget.m_font = font;
        return {};
    }
    button::OleColor foreColor() const override { return m_widget.m_foreColor; }
    void setForeColor(button::OleColor colour) override { m_widget.m_foreColor = colour; }
    bool enabled() const override { return m_widget.m_enabled; }
    void setEnabled(bool enabled) override
    {
        m_widget.m_enabled = enabled;
        const PlatformCall call;
        m_widget.QWidget::setEnabled(enabled);
    }
    std::u16string accessKeys() const override { return m_widget.m_accessKeys; }
    void setAccessKeys(std::u16string keys) override { m_widget.m_accessKeys = std::move(keys); }
    std::int16_t mousePointer() const override { return m_widget.m_mousePointer; }
    button::HostResult setMousePointer(std::int16_t pointer) override
    {
        const bool known = (pointer >= 0 && pointer <= 15) || pointer == button::kPointerCustomIcon;
        if (!known)
            return Unexpected { button::HostError { u"Invalid property value" } };
        m_widget.m_mousePointer = pointer;
        const PlatformCall call;
        m_widget.applyCursor();
        return {};
    }
    button::PictureRef mouseIcon() const override { return m_widget.m_mouseIcon; }
    button::HostResult setMouseIcon(button::PictureRef icon) override
    {
        if (icon && icon->kind() != gdi::PictureKind::Icon)
            return Unexpected { button::HostError { u"Invalid picture" } };
        m_widget.m_mouseIcon = std::move(icon);
        const PlatformCall call;
        m_widget.applyCursor();
        return {};
    }
    std::u16string tag() const override { return m_widget.m_tag; }
    void setTag(std::u16string tag) override { m_widget.m_tag = std::move(tag); }

    button::PropertyValue readProperty(
        std::u16string_view key, const button::PropertyValue& defaultValue) const override
    {
        return m_widget.m_properties.read(key, defaultValue);
    }
    void writeProperty(std::u16string_view key, const button::PropertyValue& value,
        const std::optional<button::PropertyValue>& defaultValue) override
    {
        m_widget.m_properties.write(key, value, defaultValue);
    }
    void propertyChanged(std::u16string_view key) override
    {
        m_widget.announceToReaders(key);
        emit m_widget.controlPropertyChanged(QString::fromUtf16(key.data(), qsizetype(key.size())));
    }
    void clickRaised() override { m_widget.controlClicked(); }
    void showDesignMessage(std::u16string text, std::u16string title) override
    {
        m_widget.queueDesignMessage(
            QString::fromStdU16String(text), QString::fromStdU16String(title));
    }

private:
    ControlHost& m_widget;
};

ControlHost::ControlHost(QWidget* parent)
    : QWidget(parent)
    , m_surface(gdi::Bitmap::create(0, 0, gdi::PixelFormat::Rgb32))
    , m_surfaceDC(gdi::createDisplayDC(m_surface))
    , m_services(std::make_unique<Services>(*this))
    , m_control(std::make_unique<button::Button>(*m_services))
{
    // Before anything asks Qt how to present this widget.
    installAccessibleControlHostFactory();
    // The surface covers every pixel; Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held start hover tracking; buttons take the
    // focus from Tab and from clicks.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

ControlHost::~ControlHost()
{
    terminate();
    // QWidget's destructor still reports the widget to the accessibility
    // bridge; by then the control is gone, and so must be what reads it.
    if (QAccessible::isActive()) {
        if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(this))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessible));
    }
}

button::Host& ControlHost::services()
{
    return *m_services;
}

void ControlHost::setAmbient(AmbientSettings ambient)
{
    const bool backColorChanged = ambient.backColor != m_ambient.backColor;
    const bool userModeChanged = ambient.userMode != m_ambient.userMode;
    m_ambient = std::move(ambient);
    if (userModeChanged)
        WindowButtons::refresh(*window());
    if (backColorChanged)
        announceAmbientChange(u"BackColor");
}

void ControlHost::setDefault(bool isDefault)
{
    if (isDefault)
        for (ControlHost* other : window()->findChildren<ControlHost*>())
            other->m_default = false;
    m_default = isDefault;
    WindowButtons::refresh(*window());
}

void ControlHost::setCancel(bool isCancel)
{
    if (isCancel)
        for (ControlHost* other : window()->findChildren<ControlHost*>())
            other->m_cancel = false;
    m_cancel = isCancel;
}

void ControlHost::setDisplayAsDefault(bool shown)
{
    if (shown == m_displayAsDefault)
        return;
    m_displayAsDefault = shown;
    announceAmbientChange(u"DisplayAsDefault");
    QAccessible::State changed;
    changed.defaultButton = true;
    QAccessibleStateChangeEvent event(this, changed);
    tellReaders(event);
}

void ControlHost::announceToReaders(std::u16string_view key)
{
    if (key == button::keyOf(button::PersistedKey::Caption)) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        tellReaders(event);
    } else if (key == button::keyOf(button::PersistedKey::Value)) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        tellReaders(event);
    }
}

void ControlHost::announceAmbientChange(std::u16string_view name)
{
    // Before its first size the control has nothing to draw with; it reads
    // the ambient settings when it is set up.
    if (!controlLives() || !m_reportedSize.isValid())
        return;
    if (controlBusy()) {
        QMetaObject::invokeMethod(
            this, [this, key = std::u16string(name)] { announceAmbientChange(key); },
            Qt::QueuedConnection);
        return;
    }
    input().ambientChanged(name);
}

bool ControlHost::controlBusy() const
{
    return g_platformCalls > 0 || m_control->isRedrawing();
}

bool ControlHost::deferWhileBusy(QEvent& event)
{
    if (!controlBusy())
        return false;
    QCoreApplication::postEvent(this, event.clone());
    event.accept();
    return true;
}

void ControlHost::terminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    m_control->onHostTerminate();
}

void ControlHost::setSizePixels(int width, int height)
{
    resize(std::max(width, 0), std::max(height, 0));
    applyDeviceSize();
}

void ControlHost::setSizeDevicePixels(int width, int height)
{
    (void)window::setWindowPos(window::handleOf(this), 0, 0, std::max(width, 0),
        std::max(height, 0), window::SWP_NOMOVE | window::SWP_NOZORDER);
    applyDeviceSize();
}

void ControlHost::applyDeviceSize()
{
    if (m_terminated)
        return;
    const QSize size = window::deviceSizeOf(*this).expandedTo(QSize(0, 0));
    const qreal ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    const bool ratioChanged = ratio != m_pixelRatio;
    if (size == m_reportedSize && !ratioChanged)
        return;
    const bool firstSize = !m_reportedSize.isValid();
    m_reportedSize = size;
    m_pixelRatio = ratio;
    gdi::BitmapRef surface
        = gdi::Bitmap::create(size.width(), size.height(), gdi::PixelFormat::Rgb32);
    if (!surface)
        return;
    // Until the control draws, the window shows its container's colour.
    surface->fill(button::TranslateColor(m_ambient.backColor).colorRef());
    m_surfaceDC->selectObject(surface);
    m_surface = std::move(surface);
    m_surfaceCurrent = false;
    // The caption font is made for the screen's resolution.
    if (ratioChanged)
        m_control->UpdateResources("Font");
    m_control->onHostResize();
    // A default-button flag that came before the control could draw.
    if (firstSize && m_displayAsDefault)
        announceAmbientChange(u"DisplayAsDefault");
}

void ControlHost::schedulePixelRatioCheck()
{
    if (m_pixelRatioCheckQueued)
        return;
    m_pixelRatioCheckQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pixelRatioCheckQueued = false;
            if (m_reportedSize.isValid())
                applyDeviceSize();
        },
        Qt::QueuedConnection);
}

bool ControlHost::event(QEvent* event)
{
    const bool screenChanged = event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || event->type() == QEvent::DevicePixelRatioChange
#endif
        ;
    if (screenChanged)
        schedulePixelRatioCheck();
    return QWidget::event(event);
}

void ControlHost::queueDesignMessage(const QString& text, const QString& title)
{
    // After the property change that asked has finished: a modal box opened
    // halfway through a setter would run paints and input on half-updated
    // state.
    QMetaObject::invokeMethod(
        this,
        [this, text, title] {
            const QString caption
                = title.isEmpty() ? QApplication::applicationDisplayName() : title;
            QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, this);
            box.exec();
        },
        Qt::QueuedConnection);
}

void ControlHost::refreshFromControl()
{
    m_surfaceCurrent = true;
    // Inside paintEvent the surface is shown right after; elsewhere later,
    // from the event loop.
    if (!m_painting)
        update();
}

void ControlHost::resizeEvent(QResizeEvent* /*event*/)
{
    applyDeviceSize();
}

void ControlHost::showEvent(QShowEvent* event)
{
    if (event->spontaneous() || m_terminated)
        return;
    // Before the window's own show, which sets every default-button flag.
    WindowButtons::of(*window());
    m_control->onHostShow();
}

void ControlHost::paintEvent(QPaintEvent* /*event*/)
{
    m_painting = true;
    if (!m_surfaceCurrent && !m_terminated) {
        ++m_paintsRaised;
        m_control->onHostPaint();
    }
    m_painting = false;
    // Shown as it is: a surface made at the screen's ratio covers the
    // widget's device pixels one for one.
    QImage image = gdi::wrapAsQImage(*m_surface);
    image.setDevicePixelRatio(m_pixelRatio);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image);
    if (devicePixelRatioF() != m_pixelRatio)
        schedulePixelRatioCheck();
}

namespace {

    // The platform's pointer codes 1..15 (0 is the window's default).
    Qt::CursorShape cursorShapeFor(std::int16_t pointer)
    {
        static constexpr std::array<Qt::CursorShape, 16> shapes { Qt::ArrowCursor, Qt::ArrowCursor,
            Qt::CrossCursor, Qt::IBeamCursor, Qt::ArrowCursor, Qt::SizeAllCursor,
            Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor,
            Qt::UpArrowCursor, Qt::WaitCursor, Qt::ForbiddenCursor, Qt::BusyCursor,
            Qt::WhatsThisCursor, Qt::SizeAllCursor };
        return shapes[std::size_t(pointer)];
    }

    // An icon or cursor picture as a Qt cursor: mask bits 1 are see-through.
    QCursor cursorFromIcon(const gdi::Icon& icon)
    {
        if (!icon.color())
            return QCursor(Qt::ArrowCursor);
        QImage image = gdi::toQImage(*icon.color()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (icon.mask()->bitAt(x, y))
                    row[x] = qRgba(0, 0, 0, 0);
            }
        }
        return QCursor(QPixmap::fromImage(image), icon.hotspot().x, icon.hotspot().y);
    }

} // namespace

void ControlHost::applyCursor()
{
    if (m_mousePointer == button::kPointerCustomIcon) {
        if (m_mouseIcon && m_mouseIcon->icon())
            setCursor(cursorFromIcon(*m_mouseIcon->icon()));
        else
            unsetCursor();
    } else if (m_mousePointer == button::kPointerDefault) {
        unsetCursor();
    } else {
        setCursor(cursorShapeFor(m_mousePointer));
    }
}

} // namespace bastara::button_host
