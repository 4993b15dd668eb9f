#include "platform/toolkit/image_control.h"

#include "platform/toolkit/control_events.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPointer>

namespace bastara::toolkit {

namespace {

    class AccessibleImage final : public QAccessibleWidget
    {
    public:
        explicit AccessibleImage(ImageControl& image)
            : QAccessibleWidget(&image, QAccessible::Button)
        { }

        QString text(QAccessible::Text kind) const override
        {
            if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
                return widget()->toolTip();
            return QAccessibleWidget::text(kind);
        }
        QStringList actionNames() const override
        {
            if (!widget()->isEnabled())
                return {};
            return QStringList { pressAction() } + QAccessibleWidget::actionNames();
        }
        void doAction(const QString& actionName) override
        {
            if (actionName != pressAction()) {
                QAccessibleWidget::doAction(actionName);
                return;
            }
            if (!widget()->isEnabled())
                return;
            // After the reader has its answer: the handler may open a window
            // or a modal dialog.
            QMetaObject::invokeMethod(
                widget(),
                [image = QPointer<ImageControl>(static_cast<ImageControl*>(widget()))] {
                    if (image && image->isEnabled())
                        image->click();
                },
                Qt::QueuedConnection);
        }
    };

    QAccessibleInterface* accessibleFor(const QString& /*className*/, QObject* object)
    {
        auto* image = qobject_cast<ImageControl*>(object);
        return image ? new AccessibleImage(*image) : nullptr;
    }

} // namespace

ImageControl::ImageControl(QWidget* parent)
    : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    (void)installed;
    ControlEvents::attachTo(*this);
}

void ImageControl::click()
{
    emit ControlEvents::attachTo(*this).Click();
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_pressed = false;
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (clicked)
        click();
}

} // namespace bastara::toolkit
