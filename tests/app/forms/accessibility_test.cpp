#include "form1_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace bastara::app {
namespace {

    struct Presented {
        const char* control;
        std::optional<int> index;
        QAccessible::Role role;
        const char* name;
    };

    QAccessibleInterface& accessibleOf(QWidget* widget)
    {
        EXPECT_NE(widget, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(accessible, nullptr);
        return *accessible;
    }

    void expectPresented(const toolkit::Form& form, const Presented& row)
    {
        QWidget* widget = form.control(QString::fromLatin1(row.control), row.index);
        // An editable combo box is reached through its edit field.
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            widget = combo->lineEdit();
        QAccessibleInterface& accessible = accessibleOf(widget);
        EXPECT_EQ(accessible.role(), row.role) << row.control;
        EXPECT_EQ(accessible.text(QAccessible::Name), QString::fromUtf8(row.name)) << row.control;
    }

    class AppAccessibilityTest : public Form1Test
    {
    protected:
        void press(const QString& name)
        {
            QAccessibleInterface& accessible = accessibleOf(form1->control(name));
            ASSERT_NE(accessible.actionInterface(), nullptr);
            accessible.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QApplication::processEvents();
        }
        void key(int k, Qt::Key which)
        {
            list(k).setFocus();
            QTest::keyClick(&list(k), which);
        }
    };

    TEST_F(AppAccessibilityTest, TheMainWindowsControlsAreNamedAsTheyAreShown)
    {
        const Presented rows[] = {
            { "Text1", {}, QAccessible::EditableText, "نام جدول" },
            { "List1", 0, QAccessible::List, "نام" },
            { "List1", 1, QAccessible::List, "نوع" },
            { "List1", 2, QAccessible::List, "سايز" },
            { "Image1", {}, QAccessible::Button, "افزودن" },
            { "Image2", {}, QAccessible::Button, "حذف کردن" },
            { "kzButtons_H1", {}, QAccessible::Button, "ساخت بانک اطلاعاتي" },
        };
        for (const Presented& row : rows)
            expectPresented(*form1, row);
    }

    TEST_F(AppAccessibilityTest, TheEntryDialogsControlsAreNamedAsTheyAreShown)
    {
        press(QStringLiteral("Image1"));
        ASSERT_NE(form1->entryDialog(), nullptr);
        const Presented rows[] = {
            { "Text1", {}, QAccessible::EditableText, "نام فيلد" },
            { "Combo1", {}, QAccessible::EditableText, "نوع" },
            { "Text2", {}, QAccessible::EditableText, "سايز" },
            { "kzButtons_H1", {}, QAccessible::Button, "تاييد" },
            { "kzButtons_H2", {}, QAccessible::Button, "اتمام" },
        };
        for (const Presented& row : rows)
            expectPresented(*form1->entryDialog(), row);
    }

    TEST_F(AppAccessibilityTest, TheEditDialogsBoxesAreNamedByWhatTheyHold)
    {
        addRows({ { "A", "Text", "50" } });
        select(0, 0);
        form1->openEditDialog(0);
        ASSERT_NE(form1->editDialog(), nullptr);
        const Presented rows[] = {
            { "Text1", {}, QAccessible::EditableText, "متن رديف" },
            { "Text2", {}, QAccessible::EditableText, "موقعيت رديف" },
            { "Command1", {}, QAccessible::Button, "ok" },
        };
        for (const Presented& row : rows)
            expectPresented(*form1->editDialog(), row);
    }

    // Insert and Delete on any of the three lists; Delete takes the row
    // selected in the list that has the focus.
    TEST_F(AppAccessibilityTest, InsertOpensTheEntryDialogAndDeleteRemovesTheSelectedRow)
    {
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(k);
            addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" } });
            select(k, 1);
            key(k, Qt::Key_Delete);
            EXPECT_EQ(items(0), QStringList({ "A", "C" }));
            EXPECT_EQ(items(1), QStringList({ "Text", "Date" }));
            EXPECT_EQ(items(2), QStringList({ "50", "8" }));

            // Nothing selected: nothing goes.
            key(k, Qt::Key_Delete);
            EXPECT_EQ(items(0), QStringList({ "A", "C" }));

            key(k, Qt::Key_Insert);
            ASSERT_NE(form1->entryDialog(), nullptr);
            form1->entryDialog()->close();
            QApplication::processEvents();
            ASSERT_EQ(form1->entryDialog(), nullptr);
            for (int j = 0; j < 3; ++j)
                list(j).clear();
        }
    }

} // namespace
} // namespace bastara::app
