#include "platform/toolkit/dialogs.h"

#include "platform/toolkit/file_names_left_to_right.h"

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
    QFileDialog dialog(parent);
    // Qt's own dialog, whatever the desktop offers, so that the parts that
    // show file names can be made to read left to right.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    showFileNamesLeftToRight(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace bastara::toolkit
