#include "form1_fixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace bastara::app {
namespace {

    class Form3Test : public Form1Test
    {
    protected:
        void SetUp() override
        {
            Form1Test::SetUp();
            if (HasFatalFailure())
                return;
            click(QStringLiteral("Image1"));
            entry = form1->entryDialog();
            ASSERT_NE(entry, nullptr);
            name = entry->control<QLineEdit>(QStringLiteral("Text1"));
            type = entry->control<QComboBox>(QStringLiteral("Combo1"));
            size = entry->control<QLineEdit>(QStringLiteral("Text2"));
        }

        // Types into the boxes as the keyboard does (insert() is what a key
        // press ends in; QTest's key clicks know ASCII only).
        void type3(const QString& fieldName, const QString& typeName, const QString& sizeText)
        {
            const std::pair<QLineEdit*, QString> boxes[]
                = { { name, fieldName }, { type->lineEdit(), typeName }, { size, sizeText } };
            for (const auto& [box, text] : boxes) {
                box->clear();
                box->insert(text);
            }
        }

        void confirm()
        {
            QTest::mouseClick(entry->control(QStringLiteral("kzButtons_H1")), Qt::LeftButton);
        }

        Form3* entry = nullptr;
        QLineEdit* name = nullptr;
        QComboBox* type = nullptr;
        QLineEdit* size = nullptr;
    };

    TEST_F(Form3Test, ConfirmingAppendsTheRowAndKeepsTypeAndSizeForTheNext)
    {
        entry->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(entry));
        type3(QStringLiteral("id"), QStringLiteral("Long"), QStringLiteral("4"));
        confirm();
        EXPECT_EQ(items(0), QStringList { "id" });
        EXPECT_EQ(items(1), QStringList { "Long" });
        EXPECT_EQ(items(2), QStringList { "4" });
        EXPECT_TRUE(name->text().isEmpty());
        EXPECT_TRUE(name->hasFocus());
        EXPECT_EQ(type->currentText(), "Long");
        EXPECT_EQ(size->text(), "4");

        QTest::keyClicks(name, QStringLiteral("code"));
        confirm();
        EXPECT_EQ(items(0), QStringList({ "id", "code" }));
        EXPECT_EQ(items(1), QStringList({ "Long", "Long" }));
        EXPECT_TRUE(entry->isVisible());
    }

    TEST_F(Form3Test, AnEmptyBoxAddsNothing)
    {
        type3(QStringLiteral("id"), QStringLiteral("Long"), QString());
        confirm();
        type3(QString(), QStringLiteral("Long"), QStringLiteral("4"));
        confirm();
        type3(QStringLiteral("id"), QString(), QStringLiteral("4"));
        confirm();
        EXPECT_EQ(list(0).count(), 0);
        EXPECT_EQ(list(1).count(), 0);
        EXPECT_EQ(list(2).count(), 0);
        EXPECT_EQ(name->text(), "id"); // nothing was cleared either
    }

    TEST_F(Form3Test, TextsAreAddedExactlyAsTyped)
    {
        type3(QStringLiteral(" "), QStringLiteral("text"), QStringLiteral(" 50 "));
        confirm();
        type3(QString::fromUtf8("نام"), QStringLiteral("Varchar"), QStringLiteral("abc"));
        confirm();
        EXPECT_EQ(items(0), QStringList({ " ", QString::fromUtf8("نام") }));
        EXPECT_EQ(items(1), QStringList({ "text", "Varchar" }));
        EXPECT_EQ(items(2), QStringList({ " 50 ", "abc" }));
        EXPECT_EQ(type->count(), 13); // typed names do not join the offered ones
    }

    TEST_F(Form3Test, FinishClosesTheDialogAndTheRowsStay)
    {
        type3(QStringLiteral("id"), QStringLiteral("Long"), QStringLiteral("4"));
        confirm();
        QTest::mouseClick(entry->control(QStringLiteral("kzButtons_H2")), Qt::LeftButton);
        EXPECT_FALSE(entry->isVisible());
        EXPECT_EQ(form1->entryDialog(), nullptr);
        EXPECT_EQ(items(0), QStringList { "id" });
    }

} // namespace
} // namespace bastara::app
