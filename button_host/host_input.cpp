// The control's input as its Qt window receives it: mouse, keys, focus and
// drag-and-drop turned into the control's notifications (button/input.h),
// with the numbers the control and its events use.

#include "button/data_formats.h"
#include "button_host/control_host.h"
#include "button_host/drag_source.h"
#include "button_host/window_buttons.h"
#include "platform/window/messages.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>
#include <memory>
#include <optional>

namespace bastara::button_host {

namespace {

    std::int16_t mouseButtonCode(Qt::MouseButton button)
    {
        switch (button) {
        case Qt::LeftButton:
            return button::kMouseLeft;
        case Qt::RightButton:
            return button::kMouseRight;
        case Qt::MiddleButton:
            return button::kMouseMiddle;
        default:
            return 0;
        }
    }

    // A move reports every button held: 1 is the left button alone.
    std::int16_t mouseButtonMask(Qt::MouseButtons buttons)
    {
        return std::int16_t((buttons & Qt::LeftButton ? button::kMouseLeft : 0)
            | (buttons & Qt::RightButton ? button::kMouseRight : 0)
            | (buttons & Qt::MiddleButton ? button::kMouseMiddle : 0));
    }

    std::int16_t shiftState(Qt::KeyboardModifiers modifiers)
    {
        return std::int16_t((modifiers & Qt::ShiftModifier ? 1 : 0)
            | (modifiers & Qt::ControlModifier ? 2 : 0) | (modifiers & Qt::AltModifier ? 4 : 0));
    }

    button::MouseData mouseData(
        std::int16_t buttons, Qt::KeyboardModifiers modifiers, QPointF position)
    {
        return { buttons, shiftState(modifiers), float(position.x()), float(position.y()) };
    }

    bool isEnterOrEscape(const QKeyEvent& event)
    {
        const int key = event.key();
        return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
            && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }

    // KeyAscii: the one code unit a key types, control characters included.
    std::optional<std::int16_t> keyAsciiOf(const QKeyEvent& event)
    {
        const QString text = event.text();
        if (text.size() != 1)
            return std::nullopt;
        return std::int16_t(text[0].unicode());
    }

    class MimeDataObject final : public button::DataObject
    {
    public:
        explicit MimeDataObject(const QMimeData* data)
            : m_data(data)
        { }

        std::vector<std::u16string> formats() const override
        {
            std::vector<std::u16string> names;
            if (m_data)
                for (const QString& format : m_data->formats())
                    names.push_back(format.toStdU16String());
            return names;
        }
        std::vector<std::uint8_t> data(std::u16string_view format) const override
        {
            if (!m_data)
                return {};
            const QByteArray bytes
                = m_data->data(QString::fromUtf16(format.data(), qsizetype(format.size())));
            return { bytes.begin(), bytes.end() };
        }

    private:
        const QMimeData* m_data;
    };

    // Drop effects have the same low bits on both sides: 1 copy, 2 move,
    // 4 link.
    std::int32_t effectsOf(Qt::DropActions actions)
    {
        return std::int32_t(actions.toInt() & 7);
    }

    // The action a handler's Effect chooses among those the drag allows.
    void applyEffect(QDropEvent& event, std::int32_t effect)
    {
        const std::int32_t allowed = effect & effectsOf(event.possibleActions());
        if (allowed == 0) {
            event.ignore();
            return;
        }
        event.setDropAction(allowed & Qt::CopyAction ? Qt::CopyAction
                : allowed & Qt::MoveAction           ? Qt::MoveAction
                                                     : Qt::LinkAction);
        event.accept();
    }

} // namespace

bool ControlHost::hitButton(QPointF position) const
{
    const QPoint device = toDevicePixel(position);
    if (device.x() < 0 || device.y() < 0 || device.x() >= m_reportedSize.width()
        || device.y() >= m_reportedSize.height())
        return false;
    gdi::Region region;
    const window::WindowHandle self = window::handleOf(const_cast<ControlHost*>(this));
    return window::getWindowRegion(self, region) == gdi::RegionKind::Error
        || region.contains(device.x(), device.y());
}

QPoint ControlHost::toDevicePixel(QPointF position) const
{
    return { int(std::floor(position.x() * m_pixelRatio)),
        int(std::floor(position.y() * m_pixelRatio)) };
}

void ControlHost::mousePressEvent(QMouseEvent* event)
{
    const std::int16_t button = mouseButtonCode(event->button());
    if (!controlLives() || button == 0 || !hitButton(event->position())) {
        event->ignore();
        return;
    }
    if (deferWhileBusy(*event))
        return;
    m_pressedButtons = std::int16_t(m_pressedButtons | button);
    button::MouseData mouse
        = mouseData(button, event->modifiers(), event->position() * m_pixelRatio);
    input().press(mouse);
}

void ControlHost::mouseMoveEvent(QMouseEvent* event)
{
    if (!controlLives() || deferWhileBusy(*event))
        return;
    button::MouseData mouse = mouseData(
        mouseButtonMask(event->buttons()), event->modifiers(), event->position() * m_pixelRatio);
    input().move(mouse);
}

void ControlHost::mouseReleaseEvent(QMouseEvent* event)
{
    const std::int16_t button = mouseButtonCode(event->button());
    if (!controlLives() || button == 0 || deferWhileBusy(*event))
        return;
    // A click is a press and a release over the button, but not the release
    // that ends a double-click.
    const bool clicked = (m_pressedButtons & button) != 0 && (m_doubleClickButtons & button) == 0
        && hitButton(event->position());
    m_pressedButtons = std::int16_t(m_pressedButtons & ~button);
    m_doubleClickButtons = std::int16_t(m_doubleClickButtons & ~button);

    button::MouseData mouse
        = mouseData(button, event->modifiers(), event->position() * m_pixelRatio);
    const QPointer<ControlHost> self(this);
    input().release(mouse);
    if (!self || !controlLives() || !clicked)
        return;
    input().click();
}

void ControlHost::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends this in place of the second press.
    const std::int16_t button = mouseButtonCode(event->button());
    if (!controlLives() || button == 0 || deferWhileBusy(*event))
        return;
    m_pressedButtons = std::int16_t(m_pressedButtons | button);
    m_doubleClickButtons = std::int16_t(m_doubleClickButtons | button);
    input().doubleClick();
}

void ControlHost::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape go on to the window's default and cancel buttons.
    if (!controlLives() || isEnterOrEscape(*event)) {
        event->ignore();
        return;
    }
    if (deferWhileBusy(*event))
        return;
    event->accept();
    const QPointer<ControlHost> self(this);
    std::int16_t shift = shiftState(event->modifiers());

    // Alt and some button's access key: that button's, not a key of this one.
    const char16_t character = WindowButtons::accessCharacterOf(*event);
    if ((event->modifiers() & Qt::AltModifier) && character != 0
        && WindowButtons::of(*window()).pressAccessKey(character)) {
        if (self)
            m_accessKeyDown = event->key();
        return;
    }

    // KeyCode 0 after KeyDown swallows the key: arrows went to the container,
    // or the handler took it.
    if (const std::uint32_t virtualKey = window::virtualKeyForQtKey(event->key())) {
        std::int16_t keyCode = std::int16_t(virtualKey);
        input().keyDown(keyCode, shift);
        if (!self || !controlLives() || keyCode == 0)
            return;
    }
    const std::optional<std::int16_t> typed = keyAsciiOf(*event);
    if (!typed)
        return;
    std::int16_t keyAscii = *typed;
    input().keyPress(keyAscii);
    if (!self || !controlLives() || keyAscii == 0)
        return;
    // With the focus on a button, a plain character (as the handler left it)
    // is an access key too.
    (void)WindowButtons::of(*window()).pressAccessKey(char16_t(keyAscii));
}

void ControlHost::keyReleaseEvent(QKeyEvent* event)
{
    // A key held down repeats its presses only (X11 reports release and
    // press pairs).
    if (!controlLives() || event->isAutoRepeat() || isEnterOrEscape(*event)) {
        event->ignore();
        return;
    }
    if (deferWhileBusy(*event))
        return;
    event->accept();
    if (event->key() == m_accessKeyDown) {
        m_accessKeyDown = 0;
        return;
    }
    const std::uint32_t virtualKey = window::virtualKeyForQtKey(event->key());
    if (virtualKey == 0)
        return;
    std::int16_t keyCode = std::int16_t(virtualKey);
    std::int16_t shift = shiftState(event->modifiers());
    input().keyUp(keyCode, shift);
}

void ControlHost::pressAccessKey(std::int16_t character)
{
    if (!controlLives())
        return;
    if (controlBusy()) {
        QMetaObject::invokeMethod(
            this, [this, character] { pressAccessKey(character); }, Qt::QueuedConnection);
        return;
    }
    input().accessKey(character);
}

void ControlHost::activate()
{
    if (!controlLives() || !isEnabled())
        return;
    if (controlBusy()) {
        QMetaObject::invokeMethod(
            this, [this] { activate(); }, Qt::QueuedConnection);
        return;
    }
    input().activate();
}

void ControlHost::focusInEvent(QFocusEvent* event)
{
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        break;
    default:
        // Activating the window or closing a popup gives back the focus the
        // window had; it is no new focus.
        return;
    }
    if (!controlLives() || deferWhileBusy(*event))
        return;
    input().gotFocus();
}

// Drag-and-drop notifications come from the event loop only, never from the
// control's own calls, and their data lives only while they are delivered: they
// are never deferred.
void ControlHost::dragOver(QDragMoveEvent& event, std::int16_t state)
{
    if (!controlLives())
        return;
    MimeDataObject dragged(event.mimeData());
    std::int32_t effect = effectsOf(event.possibleActions());
    button::MouseData mouse = mouseData(
        mouseButtonMask(event.buttons()), event.modifiers(), event.position() * m_pixelRatio);
    const QPointer<ControlHost> self(this);
    input().oleDragOver(dragged, effect, mouse, state);
    if (self)
        applyEffect(event, effect);
}

void ControlHost::dragEnterEvent(QDragEnterEvent* event)
{
    dragOver(*event, 0);
}

void ControlHost::dragMoveEvent(QDragMoveEvent* event)
{
    dragOver(*event, 2);
}

void ControlHost::dragLeaveEvent(QDragLeaveEvent* /*event*/)
{
    if (!controlLives())
        return;
    // Leaving carries no data.
    MimeDataObject dragged(nullptr);
    std::int32_t effect = 0;
    button::MouseData mouse;
    std::int16_t state = 1;
    input().oleDragOver(dragged, effect, mouse, state);
}

void ControlHost::beginDrag()
{
    if (!controlLives() || controlBusy())
        return;
    auto dragged = std::make_unique<DragSourceData>();
    std::int32_t allowed = 1 | 2;
    const QPointer<ControlHost> self(this);
    input().oleStartDrag(dragged->dataObject(), allowed);
    if (!self || !controlLives() || (allowed & 7) == 0)
        return;

    DragSourceData& source = *dragged;
    source.setRender([self, &source](const QString& format) {
        if (!self || !self->controlLives())
            return;
        std::int16_t number = button::dataFormatNumber(format.toStdU16String());
        self->input().oleSetData(source.dataObject(), number);
    });
    auto* drag = new QDrag(this);
    drag->setMimeData(dragged.release());
    connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
        if (!controlLives())
            return;
        std::int32_t effect = effectsOf(action);
        button::Bool16 defaultCursors = button::kTrue;
        input().oleGiveFeedback(effect, defaultCursors);
    });
    const QPointer<QDrag> guardedDrag(drag);
    const Qt::DropAction done = drag->exec(Qt::DropActions::fromInt(allowed & 7));
    // A target may read the data after the drop; the button may be gone by then.
    if (guardedDrag) {
        source.setRender({});
        guardedDrag->deleteLater();
    }
    if (!self || !controlLives())
        return;
    std::int32_t effect = effectsOf(done);
    input().oleCompleteDrag(effect);
}

void ControlHost::dropEvent(QDropEvent* event)
{
    if (!controlLives())
        return;
    MimeDataObject dragged(event->mimeData());
    std::int32_t effect = effectsOf(event->possibleActions());
    button::MouseData mouse = mouseData(
        mouseButtonMask(event->buttons()), event->modifiers(), event->position() * m_pixelRatio);
    const QPointer<ControlHost> self(this);
    input().oleDragDrop(dragged, effect, mouse);
    if (self)
        applyEffect(*event, effect);
}

} // namespace bastara::button_host
