#include "tools/designer_plugin/button_plugin.h"

#include "button_host/button_widget.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace bastara::designer_plugin {

ButtonPlugin::ButtonPlugin(QObject* parent)
    : QObject(parent)
{ }

QString ButtonPlugin::name() const
{
    return QStringLiteral("bastara::button_host::ButtonWidget");
}

QString ButtonPlugin::group() const
{
    return QStringLiteral("Bastara");
}

QString ButtonPlugin::toolTip() const
{
    return QStringLiteral("Custom-drawn push button");
}

QString ButtonPlugin::whatsThis() const
{
    return QStringLiteral("A push button in eight looks, with command, check-box and option "
                          "modes, custom shapes, gradients, hover colours and pictures.");
}

QString ButtonPlugin::includeFile() const
{
    return QStringLiteral("button_host/button_widget.h");
}

// A raised face in a black frame, as the classic look draws a default button.
QIcon ButtonPlugin::icon() const
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect face(1, 5, 20, 12);
    painter.fillRect(face, QColor(0xD4, 0xD0, 0xC8));
    painter.setPen(Qt::white);
    painter.drawLine(face.left() + 1, face.top() + 1, face.right() - 1, face.top() + 1);
    painter.drawLine(face.left() + 1, face.top() + 1, face.left() + 1, face.bottom() - 1);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(face.left() + 2, face.bottom() - 1, face.right() - 1, face.bottom() - 1);
    painter.drawLine(face.right() - 1, face.top() + 2, face.right() - 1, face.bottom() - 1);
    painter.setPen(Qt::black);
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    painter.fillRect(QRect(7, 10, 8, 2), Qt::black); // the caption
    return QIcon(pixmap);
}

QWidget* ButtonPlugin::createWidget(QWidget* parent)
{
    return new button_host::ButtonWidget(parent);
}

// A new button on a form: the size a new control takes, its caption its name.
QString ButtonPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++">
 <widget class="bastara::button_host::ButtonWidget" name="button">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>100</width><height>30</height></rect>
  </property>
  <property name="Caption">
   <string>Button</string>
  </property>
 </widget>
</ui>
)");
}

void ButtonPlugin::initialize(QDesignerFormEditorInterface* /*core*/)
{
    m_initialized = true;
}

} // namespace bastara::designer_plugin
