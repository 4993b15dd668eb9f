#include "form1_fixture.h"
#include "support/modal_watcher.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

namespace bastara::app {
namespace {

    using namespace test_support;

    std::u16string u16(const char* utf8)
    {
        return QString::fromUtf8(utf8).toStdU16String();
    }

    TEST_F(Form1Test, RemovingTheSelectedRowTakesItFromAllThreeLists)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" } });
        select(0, 1);
        click(QStringLiteral("Image2"));
        EXPECT_EQ(items(0), QStringList({ "A", "C" }));
        EXPECT_EQ(items(1), QStringList({ "Text", "Date" }));
        EXPECT_EQ(items(2), QStringList({ "50", "8" }));
    }

    TEST_F(Form1Test, OnlyTheNameListsSelectionSaysWhichRowGoes)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" } });
        select(1, 1);
        select(0, 0);
        click(QStringLiteral("Image2"));
        EXPECT_EQ(items(0), QStringList({ "B", "C" }));
        EXPECT_EQ(items(1), QStringList({ "Long", "Date" }));

        // A selection in the other lists alone removes nothing (the removal
        // left the name list with none).
        select(2, 0);
        click(QStringLiteral("Image2"));
        EXPECT_EQ(items(0), QStringList({ "B", "C" }));
        EXPECT_EQ(items(2), QStringList({ "4", "8" }));
    }

    TEST_F(Form1Test, AfterAnEditOrARemovalNoRowIsSelectedOrCurrent)
    {
        const auto expectNoRowChosen = [this](const char* after) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_TRUE(list(k).selectedItems().isEmpty()) << after << ", list " << k;
                EXPECT_EQ(list(k).currentRow(), -1) << after << ", list " << k;
            }
        };
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" },
            { "D", "Memo", "0" } });

        // An edit written over another row than the one double-clicked.
        doubleClickItem(1, 2);
        Form2* edit = form1->editDialog();
        ASSERT_NE(edit, nullptr);
        edit->control<QLineEdit>(QStringLiteral("Text2"))->setText("1");
        edit->control<QLineEdit>(QStringLiteral("Text1"))->setText("Double");
        QTest::mouseClick(edit->control(QStringLiteral("Command1")), Qt::LeftButton);
        EXPECT_EQ(items(1), QStringList({ "Text", "Double", "Date", "Memo" }));
        // The edited list takes the focus when the main window is active again.
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
        EXPECT_TRUE(list(1).hasFocus());
        expectNoRowChosen("an edit");

        select(0, 1);
        click(QStringLiteral("Image2"));
        EXPECT_EQ(items(0), QStringList({ "A", "C", "D" }));
        expectNoRowChosen("a removal");
        click(QStringLiteral("Image2"));
        EXPECT_EQ(items(0), QStringList({ "A", "C", "D" }));
    }

    TEST_F(Form1Test, DoubleClickingAnEntryOpensTheEditDialogOnIt)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" } });
        doubleClickItem(2, 2);
        Form2* edit = form1->editDialog();
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->isVisible());
        EXPECT_EQ(edit->control<QLineEdit>(QStringLiteral("Text2"))->text(), "2");
        EXPECT_EQ(edit->control<QLineEdit>(QStringLiteral("Text1"))->text(), "8");
        EXPECT_EQ(form1->EditedList(), 2);

        // A second double-click fills the same dialog anew.
        doubleClickItem(0, 1);
        EXPECT_EQ(form1->editDialog(), edit);
        EXPECT_EQ(edit->control<QLineEdit>(QStringLiteral("Text2"))->text(), "1");
        EXPECT_EQ(edit->control<QLineEdit>(QStringLiteral("Text1"))->text(), "B");
        EXPECT_EQ(form1->EditedList(), 0);
    }

    TEST_F(Form1Test, ADoubleClickWithNoSelectedItemOpensNothing)
    {
        addRows({ { "A", "Text", "50" } });
        emit form1->events(QStringLiteral("List1"), 1)->DblClick();
        EXPECT_EQ(form1->editDialog(), nullptr);
        EXPECT_EQ(form1->EditedList(), 0);
    }

    TEST_F(Form1Test, TheAddPictureShowsAnOpenEntryDialogWithoutRefillingIt)
    {
        click(QStringLiteral("Image1"));
        Form3* entry = form1->entryDialog();
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->isVisible());
        auto* name = entry->control<QLineEdit>(QStringLiteral("Text1"));
        name->setText(QStringLiteral("typed"));
        click(QStringLiteral("Image1"));
        EXPECT_EQ(form1->entryDialog(), entry);
        EXPECT_EQ(entry->control<QComboBox>(QStringLiteral("Combo1"))->count(), 13);
        EXPECT_EQ(name->text(), "typed");
    }

    TEST_F(Form1Test, AnEntryDialogOpenedAfterFinishStartsAfresh)
    {
        click(QStringLiteral("Image1"));
        Form3* first = form1->entryDialog();
        ASSERT_NE(first, nullptr);
        first->control<QLineEdit>(QStringLiteral("Text2"))->setText(QStringLiteral("7"));
        QTest::mouseClick(first->control(QStringLiteral("kzButtons_H2")), Qt::LeftButton);
        EXPECT_EQ(form1->entryDialog(), nullptr);

        click(QStringLiteral("Image1"));
        Form3* second = form1->entryDialog();
        ASSERT_NE(second, nullptr);
        auto* types = second->control<QComboBox>(QStringLiteral("Combo1"));
        ASSERT_EQ(types->count(), 13);
        EXPECT_EQ(types->itemText(0), "Text");
        EXPECT_EQ(types->itemText(7), "Time");
        EXPECT_EQ(types->itemText(12), "Memo");
        EXPECT_EQ(types->currentIndex(), -1);
        EXPECT_EQ(types->currentText(), "Text");
        EXPECT_EQ(second->control<QLineEdit>(QStringLiteral("Text1"))->text(), "field");
        EXPECT_EQ(second->control<QLineEdit>(QStringLiteral("Text2"))->text(), "50");
    }

    TEST_F(Form1Test, ClosingTheMainWindowClosesBothDialogs)
    {
        addRows({ { "A", "Text", "50" } });
        click(QStringLiteral("Image1"));
        doubleClickItem(0, 0);
        ASSERT_NE(form1->entryDialog(), nullptr);
        ASSERT_NE(form1->editDialog(), nullptr);
        QPointer<QWidget> entry = form1->entryDialog();
        QPointer<QWidget> edit = form1->editDialog();
        EXPECT_TRUE(form1->close());
        EXPECT_EQ(form1->entryDialog(), nullptr);
        EXPECT_EQ(form1->editDialog(), nullptr);
        EXPECT_FALSE(entry->isVisible());
        EXPECT_FALSE(edit->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(entry.isNull());
        EXPECT_TRUE(edit.isNull());
    }

    TEST_F(Form1Test, CreatingWritesTheRowsInOrderToTheChosenPathAndSaysSo)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Time", "x" } });
        form1->control<QLineEdit>(QStringLiteral("Text1"))->setText(QStringLiteral("people"));
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString typed = dir.filePath(QStringLiteral("people")); // no extension
        FileDialogRecord saveDialog;
        MessageRecord message;
        ModalWatcher watcher({ chooseFile(typed, saveDialog), acceptMessage(message) });
        click(QStringLiteral("kzButtons_H1"));

        EXPECT_EQ(saveDialog.nameFilters, QStringList { QStringLiteral("*.mdb") });
        ASSERT_EQ(engine.calls.size(), 1u);
        const CreateCall& call = engine.calls.front();
        EXPECT_EQ(QString::fromStdString(call.path.string()), typed);
        EXPECT_EQ(call.tableName, u"people");
        ASSERT_EQ(call.rows.size(), 3u);
        EXPECT_EQ(call.rows[0].name, u"A");
        EXPECT_EQ(call.rows[1].name, u"B");
        EXPECT_EQ(call.rows[2].name, u"C");
        EXPECT_EQ(call.rows[1].typeName, u"Long");
        EXPECT_EQ(call.rows[2].typeName, u"Time");
        EXPECT_EQ(call.rows[0].sizeText, u"50");
        EXPECT_EQ(call.rows[2].sizeText, u"x");

        ASSERT_TRUE(message.wasMessageBox);
        EXPECT_EQ(message.title, "Bastara");
        EXPECT_EQ(message.text.toStdU16String(), u16("بانک اطلاعاتي با موفقيت ساخته شد"));
        EXPECT_EQ(message.icon, QMessageBox::NoIcon);
        EXPECT_EQ(message.buttonCount, 1);
        EXPECT_EQ(watcher.unexpected(), 0);
        // The list stays, so it can be written again to another file.
        EXPECT_EQ(items(0), QStringList({ "A", "B", "C" }));
    }

    TEST_F(Form1Test, ACancelledSaveDialogCreatesNothingAndSaysNothing)
    {
        addRows({ { "A", "Text", "50" } });
        FileDialogRecord saveDialog;
        ModalWatcher watcher({ cancelFileDialog(saveDialog) });
        click(QStringLiteral("kzButtons_H1"));
        EXPECT_TRUE(saveDialog.seen);
        EXPECT_TRUE(engine.calls.empty());
        QTest::qWait(50); // time for a message box that must not come
        EXPECT_EQ(watcher.unexpected(), 0);
    }

    TEST_F(Form1Test, TabOntoTheCreateButtonAndTheSpaceBarClicksIt)
    {
        addRows({ { "A", "Text", "50" } });
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
        list(2).setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), form1->control(QStringLiteral("kzButtons_H1")));
        FileDialogRecord saveDialog;
        ModalWatcher watcher({ cancelFileDialog(saveDialog) });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(saveDialog.seen);
        EXPECT_EQ(watcher.unexpected(), 0);
    }

    TEST_F(Form1Test, AnEmptyListStillGoesToTheEngineAndItsErrorIsShown)
    {
        engine.failure = CreateFailure { EngineFailure {
            { 3264, "No field defined--cannot append TableDef or Index." }, {} } };
        QTemporaryDir dir;
        FileDialogRecord saveDialog;
        MessageRecord message;
        ModalWatcher watcher({ chooseFile(dir.filePath(QStringLiteral("empty.mdb")), saveDialog),
            acceptMessage(message) });
        click(QStringLiteral("kzButtons_H1"));
        ASSERT_EQ(engine.calls.size(), 1u);
        EXPECT_TRUE(engine.calls.front().rows.empty());
        EXPECT_EQ(message.icon, QMessageBox::Critical);
        EXPECT_EQ(message.title, "Bastara");
        EXPECT_TRUE(message.text.contains(QString::fromUtf8("۳۲۶۴"))) << message.text.toStdString();
        EXPECT_TRUE(message.text.contains("No field defined--cannot append TableDef or Index."));
    }

    TEST_F(Form1Test, AfterAnEngineFailureTheListIsIntactAndCanBeWrittenAgain)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Long", "4" } });
        engine.failure
            = CreateFailure { EngineFailure { { 3204, "Database already exists." }, {} } };
        QTemporaryDir dir;
        FileDialogRecord firstDialog, secondDialog;
        MessageRecord failure, success;
        ModalWatcher watcher({ chooseFile(dir.filePath(QStringLiteral("a.mdb")), firstDialog),
            acceptMessage(failure), chooseFile(dir.filePath(QStringLiteral("b.mdb")), secondDialog),
            acceptMessage(success) });
        click(QStringLiteral("kzButtons_H1"));
        EXPECT_EQ(failure.icon, QMessageBox::Critical);
        EXPECT_EQ(items(0), QStringList({ "A", "B" }));
        EXPECT_EQ(items(1), QStringList({ "Text", "Long" }));
        EXPECT_TRUE(form1->isVisible());

        engine.failure.reset();
        click(QStringLiteral("kzButtons_H1"));
        ASSERT_EQ(engine.calls.size(), 2u);
        EXPECT_EQ(engine.calls[1].rows.size(), 2u);
        EXPECT_EQ(success.icon, QMessageBox::NoIcon);
        EXPECT_EQ(watcher.unexpected(), 0);
    }

    TEST_F(Form1Test, AnUnknownTypeNameIsRefusedNamingTheRowAndNothingIsWritten)
    {
        addRows({ { "A", "Text", "50" }, { "B", "Text ", "4" }, { "C", "text", "8" } });
        MessageRecord message;
        ModalWatcher watcher({ acceptMessage(message) });
        form1->CreateDb(QStringLiteral("/tmp/never-written.mdb"));
        EXPECT_TRUE(engine.calls.empty());
        EXPECT_EQ(message.icon, QMessageBox::Warning);
        // Row 2, counted from 1, in Persian digits, with the type as typed.
        EXPECT_TRUE(message.text.contains(QString::fromUtf8("رديف ۲:")))
            << message.text.toStdString();
        EXPECT_TRUE(message.text.contains(QStringLiteral("Text ")));
        EXPECT_EQ(items(0), QStringList({ "A", "B", "C" }));
    }

    TEST_F(Form1Test, MoreRowsThanFieldSlotsAreRefusedAndNothingIsWritten)
    {
        for (std::size_t row = 0; row <= maxFieldRows; ++row)
            addRows({ { "f", "Long", "4" } });
        MessageRecord message;
        ModalWatcher watcher({ acceptMessage(message) });
        form1->CreateDb(QStringLiteral("/tmp/never-written.mdb"));
        EXPECT_TRUE(engine.calls.empty());
        EXPECT_TRUE(message.text.contains(QString::fromUtf8("رديف ۱۰۲:")))
            << message.text.toStdString();
        EXPECT_TRUE(message.text.contains(QString::fromUtf8("۱۰۱")));
        EXPECT_EQ(list(0).count(), 102);
    }

} // namespace
} // namespace bastara::app
