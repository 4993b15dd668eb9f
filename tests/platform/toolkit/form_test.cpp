#include "platform/toolkit/form.h"
#include "platform/toolkit/required_controls.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::toolkit {
namespace {

    ControlLayout control(const char* kind, const char* name, TwipsRect geometry)
    {
        ControlLayout layout;
        layout.kind = QString::fromLatin1(kind);
        layout.name = QString::fromLatin1(name);
        layout.geometry = geometry;
        return layout;
    }

    // A custom control kind as a control library registers one: a focusable
    // widget that refuses a caption of the wrong type.
    ControlRegistry registryWithCustomButton(std::u16string* captionSeen = nullptr)
    {
        ControlRegistry registry = standardControlRegistry();
        registry.add(QStringLiteral("customButton"),
            [captionSeen](
                const ControlLayout& layout, QWidget& parent) -> Result<QWidget*, QString> {
                const auto caption = layout.properties.readAs<std::u16string>(u"Caption", u"");
                if (!caption)
                    return Unexpected { QStringLiteral("the caption is not text") };
                if (captionSeen)
                    *captionSeen = *caption;
                auto widget = std::make_unique<QWidget>(&parent);
                widget->setFocusPolicy(Qt::StrongFocus);
                ControlEvents::attachTo(*widget);
                return widget.release();
            });
        return registry;
    }

    class FormTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_dir.isValid());
            m_picture = m_dir.filePath(QStringLiteral("add.png"));
            QImage pixels(40, 39, QImage::Format_RGB32);
            pixels.fill(Qt::green);
            ASSERT_TRUE(pixels.save(m_picture));

            m_layout.name = QStringLiteral("Sample");
            m_layout.caption = QStringLiteral("Sample caption");
            m_layout.clientWidth = 4800;
            m_layout.clientHeight = 5310;
            m_layout.backColour = properties::OleColor { 0x0000FFFF }; // yellow: red and green
            m_layout.frame = FrameKind::FixedToolWindow;

            ControlLayout label = control("label", "Label1", { 3360, 240, 1095, 375 });
            label.text = QStringLiteral("name:");
            label.alignment = TextAlignment::Right;
            label.rightToLeft = true;
            label.font = properties::FontDescription { u"Liberation Serif", 11.25, 700, false,
                false, false, 178 };
            ControlLayout text = control("textBox", "Text1", { 240, 600, 4215, 375 });
            text.text = QStringLiteral("table");
            text.tabIndex = 2;
            ControlLayout image = control("image", "Image1", { 3120, 1200, 600, 585 });
            image.picture = m_picture;
            image.toolTip = QStringLiteral("add");
            ControlLayout list = control("listBox", "List1", { 240, 2280, 2535, 2010 });
            list.index = 1;
            list.tabIndex = 0;
            ControlLayout combo = control("comboBox", "Combo1", { 240, 840, 3015, 315 });
            combo.text = QStringLiteral("Text");
            combo.tabIndex = 1;
            ControlLayout button
                = control("customButton", "kzButtons_H1", { 2400, 4560, 2055, 615 });
            button.tabIndex = 3;
            button.properties.write(u"caption", std::u16string(u"create"));
            button.properties.write(u"font",
                properties::FontDescription {
                    u"Liberation Serif", 12, 700, false, false, false, 0 });
            m_layout.controls = { label, text, image, list, combo, button };
        }

        QTemporaryDir m_dir;
        QString m_picture;
        FormLayout m_layout;
        ControlRegistry m_registry = registryWithCustomButton();
    };

    TEST_F(FormTest, TheWindowTakesCaptionFixedSizeFrameAndBackground)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        EXPECT_EQ(form.windowTitle(), "Sample caption");
        EXPECT_EQ(form.minimumSize(), QSize(320, 354));
        EXPECT_EQ(form.maximumSize(), QSize(320, 354));
        EXPECT_EQ(form.windowType(), Qt::Tool);
        EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 255, 0));
        EXPECT_TRUE(form.autoFillBackground());
        EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
    }

    TEST_F(FormTest, ControlsStandWhereTheLayoutPutsThemInPixels)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        auto* label = form.control<QLabel>(QStringLiteral("Label1"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), QRect(224, 16, 73, 25));
        EXPECT_EQ(label->text(), "name:");
        EXPECT_EQ(label->layoutDirection(), Qt::RightToLeft);
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        EXPECT_TRUE(label->alignment() & Qt::AlignAbsolute);
        EXPECT_EQ(label->font().family(), "Liberation Serif");
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 11.25);
        EXPECT_TRUE(label->font().bold());

        auto* image = form.control<QLabel>(QStringLiteral("image1")); // names ignore case
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->geometry(), QRect(208, 80, 40, 39));
        EXPECT_EQ(image->pixmap().size(), QSize(40, 39));
        EXPECT_EQ(image->toolTip(), "add");

        EXPECT_EQ(
            form.control(QStringLiteral("List1")), nullptr); // an array member needs its index
        ASSERT_NE(form.control<QListWidget>(QStringLiteral("List1"), 1), nullptr);
        EXPECT_EQ(form.control(QStringLiteral("List1"), 1)->objectName(), "List1(1)");
        EXPECT_EQ(form.control<QLineEdit>(QStringLiteral("Text1"))->text(), "table");
        auto* combo = form.control<QComboBox>(QStringLiteral("Combo1"));
        ASSERT_NE(combo, nullptr);
        EXPECT_TRUE(combo->isEditable());
        EXPECT_EQ(combo->currentText(), "Text");
        EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
    }

    TEST_F(FormTest, ACaptionWiderThanItsBoxGrowsAwayFromItsAlignedEdge)
    {
        m_layout.controls[0].text = QStringLiteral("a caption far too long for the box:");
        ControlLayout left = control("label", "Label9", { 0, 3000, 300, 375 });
        left.text = m_layout.controls[0].text;
        m_layout.controls.push_back(left);
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        auto* right = form.control<QLabel>(QStringLiteral("Label1"));
        EXPECT_EQ(right->geometry().right(), 296);
        EXPECT_EQ(right->geometry().top(), 16);
        EXPECT_GE(right->width(), right->sizeHint().width());
        auto* leftAligned = form.control<QLabel>(QStringLiteral("Label9"));
        EXPECT_EQ(leftAligned->geometry().left(), 0);
        EXPECT_GE(leftAligned->width(), leftAligned->sizeHint().width());
    }

    TEST_F(FormTest, ImagesRaiseClickAndListsRaiseDblClickOnAnItem)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        form.show();
        QSignalSpy imageClicks(form.events(QStringLiteral("Image1")), &ControlEvents::Click);
        QWidget* image = form.control(QStringLiteral("Image1"));
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(image, Qt::RightButton, {}, QPoint(5, 5));
        EXPECT_EQ(imageClicks.count(), 1);

        auto* list = form.control<QListWidget>(QStringLiteral("List1"), 1);
        list->addItems({ QStringLiteral("a"), QStringLiteral("b") });
        QSignalSpy doubleClicks(form.events(QStringLiteral("List1"), 1), &ControlEvents::DblClick);
        const QPoint second = list->visualItemRect(list->item(1)).center();
        // The view takes a double-click only on the item the press went to.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        EXPECT_EQ(doubleClicks.count(), 1);
    }

    TEST_F(FormTest, ADoubleClickOnAPictureIsOneClick)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QSignalSpy clicks(form.events(QStringLiteral("Image1")), &ControlEvents::Click);
        // Through the window, so that Qt itself turns the second press into a
        // double-click, as it does for the user.
        const QPoint onImage
            = form.control(QStringLiteral("Image1"))->geometry().topLeft() + QPoint(5, 5);
        QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, onImage);
        EXPECT_EQ(clicks.count(), 1);
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, onImage);
        EXPECT_EQ(clicks.count(), 2);
    }

    // The control that has the keyboard focus, counting a combo box's own
    // line edit as the combo box.
    QWidget* focusedControl(const Form& form)
    {
        QWidget* focused = QApplication::focusWidget();
        while (focused && focused->parentWidget() != &form)
            focused = focused->parentWidget();
        return focused;
    }

    TEST_F(FormTest, TheFocusOrderFollowsTabIndexNotFileOrder)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QStringList visited;
        for (int step = 0; step < 5; ++step) {
            QWidget* focused = focusedControl(form);
            ASSERT_NE(focused, nullptr);
            visited << focused->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(
            visited, QStringList({ "List1(1)", "Combo1", "Text1", "kzButtons_H1", "List1(1)" }));
    }

    TEST_F(FormTest, ACustomKindIsBuiltByItsFactoryWhichSeesTheStoredSettings)
    {
        std::u16string captionSeen;
        Form form;
        ASSERT_TRUE(form.load(m_layout, registryWithCustomButton(&captionSeen)).ok());
        EXPECT_EQ(captionSeen, u"create");
        QWidget* button = form.control(QStringLiteral("kzButtons_H1"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), QRect(160, 304, 137, 41));
        EXPECT_NE(form.events(QStringLiteral("kzButtons_H1")), nullptr);

        Form withoutTheKind;
        const auto refused = withoutTheKind.load(m_layout, standardControlRegistry());
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().message.contains(
            "kzButtons_H1 is of the unknown kind \"customButton\""));
    }

    TEST_F(FormTest, LoadingFailsClearlyWhenTheLayoutCannotBeBuilt)
    {
        FormLayout unknownKind = m_layout;
        unknownKind.controls[1].kind = QStringLiteral("slider");
        Form first;
        const auto refused = first.load(unknownKind, m_registry);
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().message.contains("Text1 is of the unknown kind \"slider\""));

        FormLayout missingPicture = m_layout;
        missingPicture.controls[2].picture = m_dir.filePath(QStringLiteral("none.png"));
        Form second;
        const auto noPicture = second.load(missingPicture, m_registry);
        ASSERT_FALSE(noPicture.ok());
        EXPECT_TRUE(noPicture.error().message.contains("Image1: cannot read the picture"));

        FormLayout badSetting = m_layout;
        badSetting.controls[5].properties.write(u"Caption", int32_t { 5 });
        Form third;
        EXPECT_FALSE(third.load(badSetting, m_registry).ok());

        Form twice;
        ASSERT_TRUE(twice.load(m_layout, m_registry).ok());
        EXPECT_FALSE(twice.load(m_layout, m_registry).ok());
    }

    TEST_F(FormTest, RequiredControlsNameTheFirstOneMissingOrOfAnotherKind)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        RequiredControls complete(form);
        EXPECT_NE(complete.control<QLineEdit>(QStringLiteral("Text1")), nullptr);
        EXPECT_NE(complete.events(QStringLiteral("Image1")), nullptr);
        EXPECT_TRUE(complete.check().ok());

        RequiredControls lacking(form);
        EXPECT_EQ(lacking.control<QLineEdit>(QStringLiteral("Label1")), nullptr); // a label
        EXPECT_EQ(lacking.events(QStringLiteral("Text9")), nullptr);
        const auto found = lacking.check();
        ASSERT_FALSE(found.ok());
        EXPECT_EQ(
            found.error().message, "Sample: no control named Label1 of the kind this window needs");
    }

    TEST_F(FormTest, ClosingTheWindowSaysSo)
    {
        Form form;
        ASSERT_TRUE(form.load(m_layout, m_registry).ok());
        form.show();
        QSignalSpy closed(&form, &Form::closed);
        EXPECT_TRUE(form.close());
        EXPECT_EQ(closed.count(), 1);
        EXPECT_FALSE(form.isVisible());
    }

} // namespace
} // namespace bastara::toolkit
