#include "button/property_keys.h"
#include "designer_test_support.h"
#include "support/modal_watcher.h"
#include "tools/designer/designer_window.h"
#include "tools/designer/form_surface.h"
#include "tools/designer/property_browser.h"
#include "tools/designer/property_editors.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace bastara::designer {
namespace {

    using button_host::ControlHost;
    using test_support::MessageRecord;
    using test_support::ModalWatcher;
    using namespace test;

    class PropertyBrowserTest : public testing::Test
    {
    protected:
        PropertyBrowserTest()
        {
            m_window.show();
            m_window.addButton();
        }

        ControlHost& selected() { return *m_window.surface().selected(); }
        PropertyBrowser& browser() { return m_window.browser(); }
        // What the row's editor reports when the person picks the value.
        void edit(std::string_view property, const button::PublicValue& value)
        {
            browser().editorOf(property).edited(value);
        }

        DesignerWindow m_window;
    };

    // Every persisted property has its row, and each row says what it is for.
    TEST_F(PropertyBrowserTest, EveryPropertyIsListedWithItsDescription)
    {
        QTableWidget& table = browser().table();
        ASSERT_EQ(table.rowCount(), int(button::publicProperties().size()));
        for (const button::PersistedProperty& persisted : button::persistedProperties())
            EXPECT_GE(browser().rowOf(persisted.property), 0) << persisted.property;
        for (int row = 0; row < table.rowCount(); ++row) {
            const button::PublicProperty& property = button::publicProperties()[std::size_t(row)];
            const QString description = QString::fromUtf8(property.description.data());
            EXPECT_EQ(table.item(row, 0)->text(), QString::fromUtf8(property.name.data()));
            EXPECT_EQ(table.item(row, 0)->toolTip(), description);
            table.setCurrentCell(row, 1);
            EXPECT_EQ(browser().shownDescription(), description);
        }
    }

    // Picking a name in an enumeration's combo box runs the setter: the
    // control changes, the form is modified, the rows show the new values.
    TEST_F(PropertyBrowserTest, EditingAValueRunsTheControlsSetter)
    {
        auto& modeEditor = browser().editorOf("Mode");
        auto* combo = modeEditor.findChild<QComboBox*>();
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentText(), "0 - Command button");
        const int checkBox = combo->findText("1 - Check box");
        combo->setCurrentIndex(checkBox);
        emit combo->activated(checkBox);
        EXPECT_EQ(selected().control().Mode(), button::ButtonMode::CheckBox);
        EXPECT_TRUE(m_window.surface().isModified());

        // A change that moves another property shows there too.
        edit("PictureAlign", std::int32_t(4));
        auto* align = browser().editorOf("CaptionAlign").findChild<QComboBox*>();
        EXPECT_EQ(align->currentText(), "2 - Center");
        // The action: back to the system's colours.
        edit("BackColor", button::OleColor(0x000000FF));
        edit("ResetDefaultColors", true);
        EXPECT_EQ(selected().control().BackColor(), button::kSystemButtonFace);
        auto* back = browser().editorOf("BackColor").findChild<QComboBox*>();
        EXPECT_EQ(back->currentText(), "Button Face");
    }

    // Each refusal explains itself, word for word, while the form is being
    // designed; at run time the same request is silent.
    TEST_F(PropertyBrowserTest, DesignMessagesAppearWithTheirExactTextInDesignModeOnly)
    {
        using Setup = std::function<void(button::Button&)>;
        struct Row {
            const char* what;
            Setup setup;
            std::string_view property;
            button::PublicValue value;
            QString text;
            QString title;
        };
        const QString appTitle = QApplication::applicationDisplayName();
        const Row rows[] = {
            { "caption alignment under a centred picture",
                [](button::Button& b) {
                    b.setPicture(bitmapPicture(16, 16, 0xFF));
                    b.setPictureAlign(button::PicturePlacement::BottomCenter);
                },
                "CaptionAlign", std::int32_t(0),
                "When button images are aligned top/bottom center, \nbutton captions can only "
                "be center aligned",
                appTitle },
            { "custom click on a rectangle", [](button::Button&) {}, "CustomClick", std::int32_t(3),
                "This property has no effect unless the Button Shape is a custom shape.",
                appTitle },
            { "a picture shape without a picture", [](button::Button&) {}, "ButtonShape",
                std::int32_t(7),
                "The Picture Property must be assigned first and must be a bitmap or JPEG.",
                appTitle },
            { "an icon on a picture shape",
                [](button::Button& b) {
                    b.setPicture(bitmapPicture(24, 24, 0xFF));
                    b.setButtonShape(button::Shape::PictureFramed);
                },
                "Picture", iconPicture(),
                "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\nButton was "
                "changed to Rectangular shaped.",
                appTitle },
            { "hiding the focus rectangle of the default button", [](button::Button&) {},
                "ShowFocusRect", false,
                "The focus rectangle may appear on default buttons ONLY while in design mode, "
                "\nbut will not appear when the form is running.",
                appTitle },
            { "Value on a command button", [](button::Button&) {}, "Value", true,
                "This property is not applicable for command button modes.", appTitle },
            { "the picture size of a picture shape",
                [](button::Button& b) {
                    b.setPicture(bitmapPicture(24, 24, 0xFF));
                    b.setButtonShape(button::Shape::PictureRimmed);
                },
                "PictureSize", std::int32_t(1),
                "The picture size cannot be changed for Shaped buttons", appTitle },
            { "a bitmap as the mouse icon", [](button::Button&) {}, "MouseIcon",
                bitmapPicture(16, 16, 0), "Invalid picture", "Select .ico Or .cur Files Only" },
        };
        FormSurface& form = m_window.surface();
        for (const bool run : { false, true }) {
            for (const Row& row : rows) {
                SCOPED_TRACE(std::string(row.what) + (run ? " (run mode)" : ""));
                form.clear();
                ControlHost& host = form.placeButton({ 10, 10, 137, 41 });
                form.setDefaultButton(&host);
                row.setup(host.control());
                runEventsFor(10); // messages of the setup
                form.setRunMode(run);
                MessageRecord message;
                ModalWatcher watcher({ test_support::acceptMessage(message) });
                const button::PublicProperty& property = *button::findPublicProperty(row.property);
                if (run)
                    (void)property.set(host.control(), row.value); // the browser is off
                else
                    edit(row.property, row.value);
                runEventsUntil([&] { return message.seen; }, run ? 100 : 2000);
                EXPECT_EQ(message.seen, !run);
                if (!run) {
                    EXPECT_EQ(message.text, row.text);
                    EXPECT_EQ(message.title, row.title);
                    EXPECT_EQ(message.icon, QMessageBox::Information);
                }
                form.setRunMode(false);
            }
        }
    }

    // Persian typed into the caption's line arrives whole and is drawn.
    // The font dialog opens on the button's font (the installed family its
    // name resolves to); OK without a change leaves the font as stored.
    TEST_F(PropertyBrowserTest, TheFontDialogOpensOnTheButtonsFontAndOkKeepsIt)
    {
        button::FontDescription stored;
        stored.name = u"Times New Roman";
        stored.points = 12;
        stored.weight = 700;
        ASSERT_TRUE(selected().services().setFont(stored).ok());
        browser().refresh();
        QString openedOn;
        ModalWatcher watcher({ [&](QWidget& dialog) {
            auto& fonts = dynamic_cast<QFontDialog&>(dialog);
            openedOn = fonts.currentFont().family();
            fonts.accept();
        } });
        auto* pick = browser().editorOf("Font").findChild<QPushButton*>();
        ASSERT_NE(pick, nullptr);
        pick->click();
        EXPECT_EQ(watcher.unexpected(), 0);
        EXPECT_EQ(openedOn, QFontInfo(QFont(QStringLiteral("Times New Roman"))).family());
        EXPECT_EQ(selected().services().font(), stored);
    }

    // The description is about the value clicked, and a refusal shown under
    // the table leaves the rows where they were.
    TEST_F(PropertyBrowserTest, TheDescriptionFollowsTheClickedValueAndRefusalsMoveNoRow)
    {
        QTableWidget& table = browser().table();
        table.setCurrentCell(0, 0);
        auto* back = browser().editorOf("BackColor").findChild<QComboBox*>();
        ASSERT_NE(back, nullptr);
        QTest::mouseClick(back, Qt::LeftButton);
        QApplication::processEvents();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        EXPECT_EQ(table.currentRow(), browser().rowOf("BackColor"));
        EXPECT_EQ(browser().shownDescription(),
            QString::fromUtf8(button::publicProperties()[std::size_t(browser().rowOf("BackColor"))]
                                  .description.data()));

        const QRect rowsBefore = table.geometry();
        button::FontDescription nameless;
        nameless.points = 12;
        edit("Font", nameless);
        ASSERT_NE(browser().shownError(), QString());
        QApplication::processEvents();
        EXPECT_EQ(table.geometry(), rowsBefore);
    }

    TEST_F(PropertyBrowserTest, APersianCaptionIsTypedAndShown)
    {
        const QString persian = QString::fromUtf8("ساخت بانک اطلاعاتي");
        auto* line = browser().editorOf("Caption").findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        line->setFocus();
        line->selectAll();
        QInputMethodEvent typed;
        typed.setCommitString(persian);
        QApplication::sendEvent(line, &typed);
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(QString::fromStdU16String(selected().control().Caption()), persian);

        // The caption's rectangle is no longer plain face.
        runEventsFor(10);
        const gdi::Bitmap& surface = selected().surface();
        const gdi::Rect caption = selected().control().state().captionRect;
        ASSERT_FALSE(caption.isEmpty());
        const gdi::ColorRef face = selected().control().state().faceColor.colorRef();
        int inked = 0;
        for (int y = caption.top; y < caption.bottom; ++y)
            for (int x = caption.left; x < caption.right; ++x)
                inked += surface.colorAt(x, y) != face;
        EXPECT_GT(inked, 100);
    }

} // namespace
} // namespace bastara::designer
