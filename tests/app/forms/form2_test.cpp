#include "form1_fixture.h"
#include "support/modal_watcher.h"

#include <QLineEdit>
#include <QPushButton>

namespace bastara::app {
namespace {

    using namespace test_support;

    class Form2Test : public Form1Test
    {
    protected:
        void SetUp() override
        {
            Form1Test::SetUp();
            if (HasFatalFailure())
                return;
            addRows({ { "A", "Text", "50" }, { "B", "Long", "4" }, { "C", "Date", "8" } });
        }

        void edit(int k, int row)
        {
            doubleClickItem(k, row);
            dialog = form1->editDialog();
            ASSERT_NE(dialog, nullptr);
            itemText = dialog->control<QLineEdit>(QStringLiteral("Text1"));
            position = dialog->control<QLineEdit>(QStringLiteral("Text2"));
        }

        void ok()
        {
            QTest::mouseClick(dialog->control(QStringLiteral("Command1")), Qt::LeftButton);
        }

        Form2* dialog = nullptr;
        QLineEdit* itemText = nullptr;
        QLineEdit* position = nullptr;
    };

    TEST_F(Form2Test, OkWritesTheTextBackIntoTheDoubleClickedListOnly)
    {
        edit(1, 1);
        EXPECT_EQ(itemText->text(), "Long");
        itemText->setText(QStringLiteral("Double"));
        ok();
        EXPECT_EQ(items(1), QStringList({ "Text", "Double", "Date" }));
        EXPECT_EQ(items(0), QStringList({ "A", "B", "C" }));
        EXPECT_EQ(items(2), QStringList({ "50", "4", "8" }));
        EXPECT_EQ(form1->editDialog(), nullptr);
        EXPECT_FALSE(dialog->isVisible());
    }

    TEST_F(Form2Test, TheTypedPositionDecidesWhichEntryIsReplaced)
    {
        edit(1, 1);
        itemText->setText(QStringLiteral("Memo"));
        position->setText(QStringLiteral("0"));
        ok();
        EXPECT_EQ(items(1), QStringList({ "Memo", "Long", "Date" }));
    }

    TEST_F(Form2Test, PositionsRoundHalfToEven)
    {
        const std::pair<const char*, int> cases[] = { { "1.5", 2 }, { "0.5", 0 }, { "2.5", 2 } };
        for (const auto& [typed, expected] : cases) {
            edit(0, 1);
            itemText->setText(QStringLiteral("new"));
            position->setText(QString::fromLatin1(typed));
            ok();
            EXPECT_EQ(list(0).item(expected)->text(), "new") << typed;
            list(0).item(expected)->setText(QStringLiteral("old"));
            EXPECT_EQ(list(0).count(), 3);
        }
    }

    TEST_F(Form2Test, AnEmptyTextLeavesAnEmptyEntry)
    {
        edit(2, 0);
        itemText->clear();
        ok();
        EXPECT_EQ(items(2), QStringList({ "", "4", "8" }));
    }

    TEST_F(Form2Test, APositionThatNamesNoRowIsRefusedAndTheDialogStays)
    {
        const char* refused[] = { "3", "-1", "40000", "1E9" };
        for (const char* typed : refused) {
            edit(1, 1);
            itemText->setText(QStringLiteral("Double"));
            position->setText(QString::fromLatin1(typed));
            MessageRecord message;
            ModalWatcher watcher({ acceptMessage(message) });
            ok();
            EXPECT_TRUE(message.wasMessageBox) << typed;
            EXPECT_EQ(message.icon, QMessageBox::Warning) << typed;
            EXPECT_TRUE(message.text.contains(QString::fromLatin1(typed))) << typed;
            EXPECT_EQ(items(1), QStringList({ "Text", "Long", "Date" })) << typed;
            EXPECT_EQ(form1->editDialog(), dialog) << typed;
            EXPECT_TRUE(dialog->isVisible()) << typed;
        }
    }

    TEST_F(Form2Test, ClosingByTheFrameChangesNothing)
    {
        edit(0, 2);
        itemText->setText(QStringLiteral("Z"));
        EXPECT_TRUE(dialog->close());
        EXPECT_EQ(form1->editDialog(), nullptr);
        EXPECT_EQ(items(0), QStringList({ "A", "B", "C" }));
    }

} // namespace
} // namespace bastara::app
