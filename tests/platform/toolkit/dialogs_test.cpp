#include "platform/toolkit/dialogs.h"
#include "support/modal_watcher.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeView>
#include <gtest/gtest.h>

namespace bastara::toolkit {
namespace {

    using namespace test_support;

    // Qt's own texts in Persian and the application right to left, for one test.
    class PersianApplication
    {
    public:
        PersianApplication()
        {
            EXPECT_TRUE(m_translator.load(
                QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            QCoreApplication::installTranslator(&m_translator);
            QGuiApplication::setLayoutDirection(Qt::RightToLeft);
            QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
        }
        ~PersianApplication()
        {
            QCoreApplication::removeTranslator(&m_translator);
            QGuiApplication::setLayoutDirection(m_direction);
            QLocale::setDefault(m_locale);
        }

    private:
        QTranslator m_translator;
        QLocale m_locale;
        Qt::LayoutDirection m_direction = QGuiApplication::layoutDirection();
    };

    // Desktops whose theme puts icons on dialog buttons (as on X11), here
    // on every platform, for one test.
    class ButtonsWithIcons
    {
    public:
        ButtonsWithIcons() { QApplication::setStyle(new Style); }
        ~ButtonsWithIcons() { QApplication::setStyle(m_styleName); }

    private:
        class Style : public QProxyStyle
        {
        public:
            Style()
                : QProxyStyle(QApplication::style()->name())
            { }
            int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override
            {
                if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
                    return 1;
                return QProxyStyle::styleHint(hint, option, widget, data);
            }
        };
        QString m_styleName = QApplication::style()->name();
    };

    struct ButtonPicture {
        QString text;
        QImage image;
    };

    // Pictures of the buttons of a dialog's button box; then closes it.
    ModalAnswer pictureButtons(std::vector<ButtonPicture>& pictures)
    {
        return [&pictures](QWidget& dialog) {
            // A name, so that the save button is available and drawn in full.
            if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("people"));
            for (const auto* box : dialog.findChildren<QDialogButtonBox*>()) {
                for (QAbstractButton* button : box->buttons()) {
                    if (button->isVisible())
                        pictures.push_back({ button->text(), button->grab().toImage() });
                }
            }
            QMetaObject::invokeMethod(&dialog, "reject", Qt::QueuedConnection);
        };
    }

    // The columns of a button's picture that hold its caption (dark
    // pixels inside its frame), leftmost and rightmost.
    std::pair<int, int> captionColumns(const QImage& image)
    {
        constexpr int frame = 3;
        int left = image.width();
        int right = -1;
        for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y) {
            for (int x = frame; x < image.width() - frame; ++x) {
                if (qGray(image.pixel(x, y)) < 96) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return { left, right };
    }

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

    TEST(Dialogs, InPersianTheButtonsFitTheirTexts)
    {
        PersianApplication persian;
        ButtonsWithIcons icons;
        std::vector<ButtonPicture> pictures;
        ModalWatcher watcher({ pictureButtons(pictures), pictureButtons(pictures) });
        showMessage(nullptr, QStringLiteral("Bastara"), QString::fromUtf8("پيام"),
            MessageIcon::Information);
        EXPECT_FALSE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        ASSERT_EQ(pictures.size(), 3u); // OK; save and cancel
        for (const ButtonPicture& picture : pictures) {
            const auto [left, right] = captionColumns(picture.image);
            const int width = picture.image.width();
            ASSERT_LE(left, right) << picture.text.toStdString() << " shows no caption";
            // The style's margin at both ends, and the caption about in the middle.
            EXPECT_GE(left, 6) << picture.text.toStdString();
            EXPECT_LE(right, width - 7) << picture.text.toStdString();
            EXPECT_LE(std::abs((left + right) - (width - 1)), 8) << picture.text.toStdString();
        }
    }

    bool hasPersianDigit(const QString& text)
    {
        return std::any_of(text.begin(), text.end(),
            [](QChar c) { return c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9; });
    }

    bool hasLatinLetter(const QString& text)
    {
        return std::any_of(text.begin(), text.end(),
            [](QChar c) { return c.isLetter() && c.script() == QChar::Script_Latin; });
    }

    TEST(Dialogs, TheSaveDialogOpensWithWholeDetailsInPersian)
    {
        PersianApplication persian;
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("people.mdb")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(86016, '\0'));
        file.close();
        // The first opening goes to the folder of the chosen file, the second shows it.
        FileDialogRecord record;
        QStringList cut; // cells whose text did not fit
        QString size;
        QString date;
        ModalWatcher watcher(
            { chooseFile(dir.filePath(QStringLiteral("x.mdb")), record), [&](QWidget& dialog) {
                 auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
                 if (view
                     && QTest::qWaitFor(
                         [view] { return view->model()->rowCount(view->rootIndex()) > 0; }, 5000)) {
                     const QModelIndex row = view->model()->index(0, 0, view->rootIndex());
                     for (int column = 0; column < 4; ++column) {
                         const QModelIndex cell = row.siblingAtColumn(column);
                         const QString text = cell.data().toString();
                         if (view->visualRect(cell).width()
                             < view->fontMetrics().horizontalAdvance(text) + 8)
                             cut << text;
                     }
                     size = row.siblingAtColumn(1).data().toString();
                     date = row.siblingAtColumn(3).data().toString();
                 }
                 QMetaObject::invokeMethod(&dialog, "reject", Qt::QueuedConnection);
             } });
        ASSERT_TRUE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_FALSE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_FALSE(date.isEmpty()) << "the folder did not show";
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(hasPersianDigit(size))
            << size.toStdString(); // Qt writes "KiB" in Latin letters
        EXPECT_TRUE(hasPersianDigit(date) && !hasLatinLetter(date)) << date.toStdString();
    }

    TEST(Dialogs, TheSaveDialogOpensWhereItWasLastUsed)
    {
        QTemporaryDir chosenIn;
        QTemporaryDir cancelledIn;
        ASSERT_TRUE(chosenIn.isValid() && cancelledIn.isValid());
        QStringList openedIn;
        auto noteFolder = [&](QWidget& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog))
                openedIn << files->directory().absolutePath();
        };
        FileDialogRecord record;
        ModalWatcher watcher({ chooseFile(chosenIn.filePath(QStringLiteral("a.mdb")), record),
            [&](QWidget& dialog) {
                noteFolder(dialog);
                if (auto* files = qobject_cast<QFileDialog*>(&dialog))
                    files->setDirectory(cancelledIn.path());
                QMetaObject::invokeMethod(&dialog, "reject", Qt::QueuedConnection);
            },
            [&](QWidget& dialog) {
                noteFolder(dialog);
                QMetaObject::invokeMethod(&dialog, "reject", Qt::QueuedConnection);
            } });
        ASSERT_TRUE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_FALSE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_FALSE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_EQ(openedIn,
            (QStringList {
                QDir(chosenIn.path()).absolutePath(), QDir(cancelledIn.path()).absolutePath() }));
    }

    TEST(Dialogs, TheSaveDialogLeavesTheUsersSettingsAlone)
    {
        const QString settingsFile
            = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/QtProject.conf");
        auto contents = [&settingsFile] {
            QFile file(settingsFile);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("absent");
        };
        const QByteArray before = contents();
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        FileDialogRecord record;
        ModalWatcher watcher({ chooseFile(dir.filePath(QStringLiteral("s.mdb")), record) });
        ASSERT_TRUE(askSaveFileName(nullptr, QStringLiteral("*.mdb")));
        EXPECT_EQ(contents(), before);
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
