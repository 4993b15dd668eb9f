#include "platform/toolkit/dialogs.h"

#include "platform/toolkit/file_dialog_details.h"
#include "platform/toolkit/file_names_left_to_right.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>

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

    // Where the desktop puts icons on dialog buttons, Qt draws the caption
    // of a right-to-left button with an icon against the button's left
    // border. The standard buttons show their captions alone, centred.
    void showCaptionsAlone(QWidget& dialog)
    {
        for (const auto* box : dialog.findChildren<QDialogButtonBox*>()) {
            for (QAbstractButton* button : box->buttons())
                button->setIcon(QIcon());
        }
    }

    // Qt's file dialog keeps its last folder, history and column widths in
    // the user's settings. This program keeps no settings between runs, so
    // the dialog's go to a folder of their own that goes when the program
    // ends.
    struct SettingsOfThisRun {
        QTemporaryDir folder;
        SettingsOfThisRun()
        {
            if (!folder.isValid())
                return;
            for (QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat })
                QSettings::setPath(format, QSettings::UserScope, folder.path());
        }
    };

    void keepFileDialogSettingsForThisRun()
    {
        static const SettingsOfThisRun settings;
    }

    // The folder the save dialog last showed in this run; empty before the first.
    QString& lastFolder()
    {
        static QString folder;
        return folder;
    }

} // namespace

void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Ok, parent);
    showCaptionsAlone(box);
    box.exec();
}

std::optional<QString> askSaveFileName(QWidget* parent, const QString& filter)
{
    keepFileDialogSettingsForThisRun();
    QFileDialog dialog(
        parent, QString(), lastFolder().isEmpty() ? QDir::currentPath() : lastFolder());
    // Qt's own dialog, whatever the desktop offers, so that the parts that
    // show file names can be made to read left to right.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    showFileNamesLeftToRight(dialog);
    showCaptionsAlone(dialog);
    showDetailsInApplicationLanguage(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QString chosen = accepted ? dialog.selectedFiles().value(0) : QString();
    lastFolder()
        = chosen.isEmpty() ? dialog.directory().absolutePath() : QFileInfo(chosen).absolutePath();
    if (!accepted)
        return std::nullopt;
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace bastara::toolkit
