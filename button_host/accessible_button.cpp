#include "button_host/accessible_button.h"

#include "button/layout.h"
#include "button_host/control_host.h"

#include <QKeySequence>
#include <QPointer>

namespace bastara::button_host {

namespace {

    std::function<void(QAccessibleEvent&)>& readerTap()
    {
        static std::function<void(QAccessibleEvent&)> tap;
        return tap;
    }

    QAccessibleInterface* accessibleFor(const QString& /*className*/, QObject* object)
    {
        // A host being destroyed is a plain QWidget by then, and gets none.
        auto* host = qobject_cast<ControlHost*>(object);
        return host ? new AccessibleControlHost(*host) : nullptr;
    }

} // namespace

void installAccessibleControlHostFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    (void)installed;
}

void tellReaders(QAccessibleEvent& event)
{
    if (readerTap())
        readerTap()(event);
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(&event);
}

ScopedReaderTap::ScopedReaderTap(std::function<void(QAccessibleEvent&)> tap)
{
    readerTap() = std::move(tap);
}

ScopedReaderTap::~ScopedReaderTap()
{
    readerTap() = nullptr;
}

AccessibleControlHost::AccessibleControlHost(ControlHost& host)
    : QAccessibleWidget(&host, QAccessible::Button)
{ }

ControlHost& AccessibleControlHost::host() const
{
    return *static_cast<ControlHost*>(widget());
}

bool AccessibleControlHost::isCheckable() const
{
    return host().control().Mode() != button::ButtonMode::Command;
}

QAccessible::Role AccessibleControlHost::role() const
{
    switch (host().control().Mode()) {
    case button::ButtonMode::CheckBox:
        return QAccessible::CheckBox;
    case button::ButtonMode::Option:
        return QAccessible::RadioButton;
    case button::ButtonMode::Command:
        break;
    }
    return QAccessible::Button;
}

QAccessible::State AccessibleControlHost::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const button::ButtonState& s = host().control().state();
    state.pressed = s.isPressed();
    state.defaultButton = s.isDefaultLook();
    if (isCheckable()) {
        state.checkable = true;
        state.checked = s.buttonValue.isTrue();
    }
    return state;
}

QString AccessibleControlHost::text(QAccessible::Text kind) const
{
    ControlHost& h = host();
    switch (kind) {
    case QAccessible::Name: {
        if (!h.accessibleName().isEmpty())
            return h.accessibleName();
        const QString caption
            = QString::fromStdU16String(button::spokenCaption(h.control().Caption()));
        if (!caption.isEmpty())
            return caption;
        if (!h.toolTip().isEmpty())
            return h.toolTip();
        return QString::fromStdU16String(h.ambient().displayName);
    }
    case QAccessible::Accelerator: {
        const std::u16string keys = h.services().accessKeys();
        if (keys.empty())
            return {};
        return QKeySequence::mnemonic(u'&' + QString::fromStdU16String(keys))
            .toString(QKeySequence::NativeText);
    }
    default:
        return QAccessibleWidget::text(kind);
    }
}

QStringList AccessibleControlHost::actionNames() const
{
    // As Qt's own buttons: nothing to do while disabled.
    QStringList names = QAccessibleWidget::actionNames();
    if (!widget()->isEnabled())
        return names;
    QStringList own { pressAction() };
    if (isCheckable())
        own << toggleAction();
    return own + names;
}

void AccessibleControlHost::doAction(const QString& actionName)
{
    if (actionName != pressAction() && actionName != toggleAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (actionName == toggleAction() && !isCheckable())
        return;
    QMetaObject::invokeMethod(
        &host(),
        [target = QPointer<ControlHost>(&host())] {
            if (target)
                target->activate();
        },
        Qt::QueuedConnection);
}

QStringList AccessibleControlHost::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction()) {
        const QString key = text(QAccessible::Accelerator);
        if (!key.isEmpty())
            return { key };
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace bastara::button_host
