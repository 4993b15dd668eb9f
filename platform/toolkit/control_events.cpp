#include "platform/toolkit/control_events.h"

#include <QWidget>
#include <memory>

namespace bastara::toolkit {

namespace {
    const QString eventsObjectName = QStringLiteral("bastara_control_events");
}

struct ControlEvents::Key { };

ControlEvents::ControlEvents(const Key&, QWidget& widget)
    : QObject(&widget)
{
    setObjectName(eventsObjectName);
}

ControlEvents& ControlEvents::attachTo(QWidget& widget)
{
    if (ControlEvents* existing = of(widget))
        return *existing;
    // Owned by the widget through Qt's parent link, set in the constructor.
    auto events = std::make_unique<ControlEvents>(Key {}, widget);
    return *events.release();
}

ControlEvents* ControlEvents::of(const QWidget& widget)
{
    return widget.findChild<ControlEvents*>(eventsObjectName, Qt::FindDirectChildrenOnly);
}

} // namespace bastara::toolkit
