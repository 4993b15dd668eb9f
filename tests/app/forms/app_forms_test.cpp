// The shipped layouts and the application set-up, as the user meets them.

#include "app/forms/messages.h"
#include "button_host/control_host.h"
#include "form1_fixture.h"
#include "platform/toolkit/form_file.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QTextLayout>
#include <QTranslator>

namespace bastara::app {
namespace {

    QStringList fontsUsedFor(const QString& text, const QFont& font)
    {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList families;
        for (const QGlyphRun& run : layout.glyphRuns())
            families << run.rawFont().familyName().toLower();
        return families;
    }

    TEST_F(Form1Test, TheMainWindowIsLaidOutAsDesigned)
    {
        EXPECT_EQ(form1->windowTitle(), "Bastara");
        EXPECT_EQ(form1->size(), QSize(320, 354));
        EXPECT_EQ(form1->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_FALSE(form1->windowFlags() & Qt::WindowMinMaxButtonsHint);
        EXPECT_EQ(form1->windowIcon().availableSizes().size(), 4);
        EXPECT_EQ(list(0).geometry(), QRect(16, 152, 169, 134));
        EXPECT_EQ(
            form1->control(QStringLiteral("kzButtons_H1"))->geometry(), QRect(160, 304, 137, 41));
        EXPECT_EQ(form1->control(QStringLiteral("Image1"))->toolTip().toStdU16String(),
            QString::fromUtf8("افزودن").toStdU16String());
        EXPECT_EQ(form1->control(QStringLiteral("Image2"))->toolTip().toStdU16String(),
            QString::fromUtf8("حذف کردن").toStdU16String());
        EXPECT_EQ(form1->control<QLineEdit>(QStringLiteral("Text1"))->text(), "table");
    }

    TEST_F(Form1Test, PersianCaptionsUseThePinnedFacesAndFitTheirBoxes)
    {
        for (const char* name : { "Label1", "Label2", "Label3", "Label4", "Label5" }) {
            auto* label = form1->control<QLabel>(QString::fromLatin1(name));
            ASSERT_NE(label, nullptr);
            const QStringList faces = fontsUsedFor(label->text(), label->font());
            EXPECT_TRUE(faces.contains("noto naskh arabic")) << name;
            for (const QString& face : faces)
                EXPECT_TRUE(face == "noto naskh arabic" || face == "liberation serif")
                    << name << ": " << face.toStdString();
            EXPECT_TRUE(label->font().bold());
            EXPECT_LE(label->sizeHint().width(), label->width()) << name;
            EXPECT_EQ(label->layoutDirection(), Qt::RightToLeft);
        }
        // The right edges stay where the layout puts them.
        EXPECT_EQ(form1->control(QStringLiteral("Label1"))->geometry().right(), 296);
        EXPECT_EQ(form1->control(QStringLiteral("Label3"))->geometry().right(), 296);
        // The create button is the custom control, and its laid-out caption fits.
        auto* host = form1->control<button_host::ControlHost>(QStringLiteral("kzButtons_H1"));
        ASSERT_NE(host, nullptr);
        const button::ButtonState& button = host->control().state();
        EXPECT_EQ(button.captionText, u"ساخت بانک اطلاعاتي");
        EXPECT_GE(button.captionRect.left, 0);
        EXPECT_LE(button.captionRect.right, host->width());
        EXPECT_GT(button.captionRect.bottom, button.captionRect.top);
    }

    TEST_F(Form1Test, TheKeyboardFocusGoesFromTheTableNameThroughTheListsToTheButton)
    {
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
        QStringList visited;
        for (int step = 0; step < 6; ++step) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(visited,
            QStringList({ "Text1", "List1(0)", "List1(1)", "List1(2)", "kzButtons_H1", "Text1" }));
    }

    TEST_F(Form1Test, TheDialogsAreFixedToolWindowsOfTheMainWindow)
    {
        click(QStringLiteral("Image1"));
        addRows({ { "A", "Text", "50" } });
        doubleClickItem(0, 0);
        for (toolkit::Form* dialog :
            std::initializer_list<toolkit::Form*> { form1->entryDialog(), form1->editDialog() }) {
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowType(), Qt::Tool);
            EXPECT_EQ(dialog->parentWidget(), form1.get());
            EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        }
        EXPECT_EQ(form1->entryDialog()->size(), QSize(289, 169));
        EXPECT_EQ(form1->entryDialog()->windowTitle(), "Form3");
        EXPECT_EQ(form1->entryDialog()->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(form1->editDialog()->size(), QSize(256, 89));
        EXPECT_EQ(form1->editDialog()->windowTitle(), "Form2");
        EXPECT_FALSE(form1->editDialog()->autoFillBackground()); // the default window colour
    }

    // The layouts store exactly the button keys the forms were designed with,
    // and survive being written and read again unchanged.
    TEST(ShippedLayouts, StoreTheirButtonKeysAndReadBackAsWritten)
    {
        std::vector<std::u16string> mainWindow { u"caption", u"backstyle", u"capalign", u"capstyle",
            u"mode", u"value", u"cback", u"font", u"_extentx", u"_extenty" };
        std::vector<std::u16string> entryDialog = mainWindow;
        entryDialog.push_back(u"cgradient");
        std::ranges::sort(mainWindow);
        std::ranges::sort(entryDialog);
        const std::pair<const char*, const std::vector<std::u16string>*> forms[]
            = { { "form1", &mainWindow }, { "form2", nullptr }, { "form3", &entryDialog } };
        for (const auto& [name, keys] : forms) {
            SCOPED_TRACE(name);
            const auto layout = toolkit::loadFormFile(
                QStringLiteral(":/bastara/forms/%1.json").arg(QLatin1String(name)));
            ASSERT_TRUE(layout.ok()) << layout.error().message.toStdString();
            for (const toolkit::ControlLayout& control : layout->controls) {
                if (control.kind != QLatin1String("customButton"))
                    continue;
                ASSERT_TRUE(keys);
                std::vector<std::u16string> stored;
                for (const auto& entry : control.properties.entries())
                    stored.push_back(entry.key);
                std::ranges::sort(stored);
                EXPECT_EQ(stored, *keys);
            }
            const auto reread = toolkit::parseFormFile(toolkit::formFileBytes(*layout));
            ASSERT_TRUE(reread.ok());
            EXPECT_EQ(*reread, *layout);
        }
    }

    TEST(AppSetup, QtsPersianTextsAreInstalled)
    {
        QTranslator translator;
        ASSERT_TRUE(installQtTranslation(*QCoreApplication::instance(), translator));
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "OK"), "OK");
        QCoreApplication::removeTranslator(&translator);
    }

    TEST(Messages, ProblemsNameTheRowFromOneAndTheEngineErrorByNumber)
    {
        const std::vector<FieldRow> rows { { u"a", u"Text", u"1" }, { u"b", u"Varchar", u"2" } };
        const QString unknown = rowProblemMessage({ RowProblem::Kind::UnknownTypeName, 1 }, rows);
        EXPECT_TRUE(unknown.contains(QString::fromUtf8("رديف ۲:")));
        EXPECT_TRUE(unknown.contains(QStringLiteral("Varchar")));
        EXPECT_TRUE(unknown.contains(QStringLiteral("Integer")));
        const QString engine
            = engineFailureMessage({ { 3204, "Database already exists." }, {} }, rows, "t");
        EXPECT_TRUE(engine.contains(QString::fromUtf8("۳۲۰۴")));
        EXPECT_TRUE(engine.contains(QStringLiteral("Database already exists.")));
        EXPECT_TRUE(positionProblemMessage(PositionProblem::OutsideList, QStringLiteral("5"), 3)
                        .contains(QString::fromUtf8("۲")));
    }

} // namespace
} // namespace bastara::app
