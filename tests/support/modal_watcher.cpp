#include "support/modal_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace bastara::test_support {

ModalWatcher::ModalWatcher(std::vector<ModalAnswer> answers)
    : m_answers(std::move(answers))
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_current)
        return;
    m_current = modal;
    if (static_cast<std::size_t>(m_next) < m_answers.size()) {
        m_answers[static_cast<std::size_t>(m_next++)](*modal);
        return;
    }
    ++m_unexpected;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

ModalAnswer acceptMessage(MessageRecord& record)
{
    return [&record](QWidget& dialog) {
        record.seen = true;
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        record.wasMessageBox = box != nullptr;
        if (!box) {
            dialog.close();
            return;
        }
        record.title = box->windowTitle();
        record.text = box->text();
        record.icon = box->icon();
        record.buttonCount = static_cast<int>(box->buttons().size());
        if (!box->buttons().isEmpty())
            box->buttons().first()->click();
        else
            box->reject();
    };
}

namespace {

    QFileDialog* recordFileDialog(QWidget& dialog, FileDialogRecord& record)
    {
        record.seen = true;
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) {
            dialog.close();
            return nullptr;
        }
        record.nameFilters = files->nameFilters();
        record.defaultSuffix = files->defaultSuffix();
        record.confirmsOverwrite = !files->testOption(QFileDialog::DontConfirmOverwrite);
        record.saves = files->acceptMode() == QFileDialog::AcceptSave;
        return files;
    }

} // namespace

ModalAnswer chooseFile(const QString& path, FileDialogRecord& record)
{
    return [path, &record](QWidget& dialog) {
        QFileDialog* files = recordFileDialog(dialog, record);
        if (!files)
            return;
        // Typing would open the completer when a file with that prefix
        // exists; setting the text and accepting later avoids it.
        if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    };
}

ModalAnswer cancelFileDialog(FileDialogRecord& record)
{
    return [&record](QWidget& dialog) {
        if (QFileDialog* files = recordFileDialog(dialog, record))
            files->reject();
    };
}

} // namespace bastara::test_support
