#include "platform/toolkit/dialogs.h"
#include "support/modal_watcher.h"

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bastara::toolkit {
namespace {

    using namespace test_support;

    TEST(Dialogs, TheSaveDialogOffersOneFilterAndReturnsTheNameAsTyped)
    {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString typed = dir.filePath(QStringLiteral("people"));
        FileDialogRecord record;
        ModalWatcher watcher({ chooseFile(typed, record) });
        const auto chosen = askSaveFileName(nullptr, QStringLiteral("*.mdb"));
        ASSERT_TRUE(record.seen);
        EXPECT_EQ(record.nameFilters, QStringList { QStringLiteral("*.mdb") });
        EXPECT_TRUE(record.defaultSuffix.isEmpty());
        EXPECT_FALSE(record.confirmsOverwrite);
        EXPECT_TRUE(record.saves);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(*chosen, typed); // no extension appended
        EXPECT_EQ(watcher.unexpected(), 0);
    }

    TEST(Dialogs, AnExistingFileIsChosenWithoutAQuestion)
    {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString existing = dir.filePath(QStringLiteral("old.mdb"));
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        FileDialogRecord record;
        ModalWatcher watcher({ chooseFile(existing, record) });
        EXPECT_EQ(askSaveFileName(nullptr, QStringLiteral("*.mdb")), existing);
        EXPECT_EQ(watcher.unexpected(), 0);
    }

    TEST(Dialogs, ACancelledSaveDialogGivesNothing)
    {
        FileDialogRecord record;
        ModalWatcher watcher({ cancelFileDialog(record) });
        EXPECT_FALSE(askSaveFileName(nullptr, QStringLiteral("*.mdb")).has_value());
        EXPECT_TRUE(record.seen);
    }

    TEST(Dialogs, InARightToLeftApplicationPathsAndTheFilterReadLeftToRight)
    {
        struct DirectionRestorer {
            Qt::LayoutDirection saved = QGuiApplication::layoutDirection();
            ~DirectionRestorer() { QGuiApplication::setLayoutDirection(saved); }
        } restorer;
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        // A name that starts with Persian letters would otherwise read right to left.
        const QString typed = QString::fromUtf8("جدول") + ".mdb";
        bool dialogStaysRightToLeft = false;
        QStringList drawnOtherwise; // boxes that look different in a left-to-right application
        ModalWatcher watcher({ [&](QWidget& dialog) {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name)
                name->setText(typed);
            dialogStaysRightToLeft = dialog.isRightToLeft();
            const char* boxes[] = { "lookInCombo", "fileNameEdit", "fileTypeCombo" };
            QImage inRightToLeft[3];
            for (int i = 0; i < 3; ++i) {
                if (auto* box = dialog.findChild<QWidget*>(QLatin1String(boxes[i])))
                    inRightToLeft[i] = box->grab().toImage();
            }
            QGuiApplication::setLayoutDirection(Qt::LeftToRight);
            for (int i = 0; i < 3; ++i) {
                auto* box = dialog.findChild<QWidget*>(QLatin1String(boxes[i]));
                if (!box || inRightToLeft[i].isNull() || box->grab().toImage() != inRightToLeft[i])
                    drawnOtherwise << QLatin1String(boxes[i]);
            }
            QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
        } });
        const auto chosen = askSaveFileName(nullptr, QStringLiteral("*.mdb"));
        ASSERT_TRUE(chosen.has_value());
        EXPECT_TRUE(chosen->endsWith('/' + typed)) << chosen->toStdString();
        EXPECT_TRUE(dialogStaysRightToLeft);
        EXPECT_TRUE(drawnOtherwise.isEmpty()) << drawnOtherwise.join(' ').toStdString();
    }

    TEST(Dialogs, AMessageHasOneOkButtonAndTheIconAsked)
    {
        MessageRecord plain;
        MessageRecord warning;
        ModalWatcher watcher({ acceptMessage(plain), acceptMessage(warning) });
        showMessage(nullptr, QStringLiteral("Title"), QStringLiteral("Text"), MessageIcon::None);
        showMessage(nullptr, QStringLiteral("T2"), QStringLiteral("Careful"), MessageIcon::Warning);
        ASSERT_TRUE(plain.wasMessageBox);
        EXPECT_EQ(plain.title, "Title");
        EXPECT_EQ(plain.text, "Text");
        EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
        EXPECT_EQ(plain.buttonCount, 1);
        EXPECT_EQ(warning.icon, QMessageBox::Warning);
        EXPECT_EQ(warning.text, "Careful");
    }

} // namespace
} // namespace bastara::toolkit
