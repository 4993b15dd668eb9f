#include "platform/toolkit/labelled_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace bastara::toolkit {

namespace {

    QString withoutClosingColon(QString text)
    {
        text = text.trimmed();
        if (text.endsWith(u':'))
            text.chop(1);
        return text.trimmed();
    }

} // namespace

void nameByLabel(QLabel& label, QWidget& box)
{
    const QString name = withoutClosingColon(label.text());
    label.setBuddy(&box);
    box.setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(&box); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

} // namespace bastara::toolkit
