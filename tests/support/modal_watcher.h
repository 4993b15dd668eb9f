#pragma once

// Answers the modal dialogs that code under test opens, so a test can drive
// code that blocks in exec(). Polls QApplication::activeModalWidget().
//
//     MessageRecord message;
//     ModalWatcher watcher({ chooseFile(path), acceptMessage(message) });
//     form.createButton().click();          // returns once both are answered
//     EXPECT_EQ(watcher.unexpected(), 0);
//
// Each new modal widget gets the next answer; one more than the answers
// given is rejected and counted as unexpected, so a surprise never hangs
// the test.

#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

namespace bastara::test_support {

using ModalAnswer = std::function<void(QWidget& dialog)>;

class ModalWatcher
{
public:
    explicit ModalWatcher(std::vector<ModalAnswer> answers);

    int answered() const { return m_next; }
    int unexpected() const { return m_unexpected; }

private:
    void poll();

    std::vector<ModalAnswer> m_answers;
    int m_next = 0;
    int m_unexpected = 0;
    QPointer<QWidget> m_current;
    QTimer m_timer;
};

struct MessageRecord {
    bool seen = false;
    bool wasMessageBox = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

struct FileDialogRecord {
    bool seen = false;
    QStringList nameFilters;
    QString defaultSuffix;
    bool confirmsOverwrite = true;
    bool saves = false;
};

// Records a message box and presses its first button.
ModalAnswer acceptMessage(MessageRecord& record);
// Records a file dialog, types the path into its name box and accepts it.
ModalAnswer chooseFile(const QString& path, FileDialogRecord& record);
// Records a file dialog and cancels it.
ModalAnswer cancelFileDialog(FileDialogRecord& record);

} // namespace bastara::test_support
