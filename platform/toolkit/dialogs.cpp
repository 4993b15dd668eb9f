#include "platform/toolkit/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace bastara::toolkit {

namespace {

    QMessageBox::Icon toQtIcon(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }

} // namespace

void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> askSaveFileName(QWidget* parent, const QString& filter)
{
    const QString chosen = QFileDialog::getSaveFileName(
        parent, QString(), QString(), filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace bastara::toolkit
