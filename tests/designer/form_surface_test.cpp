#include "designer_test_support.h"
#include "platform/toolkit/form_file.h"
#include "tools/designer/form_surface.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::designer {
namespace {

    using button_host::ControlHost;
    using namespace test;

    class FormSurfaceTest : public testing::Test
    {
    protected:
        FormSurfaceTest()
        {
            m_form.resize(400, 300);
            m_form.show();
        }

        // Presses at one point of the form, drags to another and releases.
        void drag(QPoint from, QPoint to)
        {
            QTest::mousePress(&m_form, Qt::LeftButton, {}, from);
            QTest::mouseMove(&m_form, to);
            QTest::mouseRelease(&m_form, Qt::LeftButton, {}, to);
        }

        FormSurface m_form;
    };

    TEST_F(FormSurfaceTest, PlacingAButtonRunsInitialiseNewInDesignMode)
    {
        std::vector<QString> notified;
        QObject::connect(&m_form, &FormSurface::buttonPropertyChanged,
            [&](ControlHost*, const QString& key) { notified.push_back(key); });
        ControlHost& first = m_form.placeButton({ 10, 10, 137, 41 });
        EXPECT_EQ(notified,
            (std::vector<QString> {
                "Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font" }));
        ControlHost& second = m_form.placeButton({ 10, 60, 137, 41 });

        EXPECT_EQ(FormSurface::nameOf(first), "kzButtons_H1");
        EXPECT_EQ(FormSurface::nameOf(second), "kzButtons_H2");
        EXPECT_EQ(second.control().Caption(), u"kzButtons_H2");
        EXPECT_FALSE(first.ambient().userMode);
        EXPECT_EQ(m_form.selected(), &second);
        EXPECT_TRUE(m_form.isModified());

        // What a save stores: the keys that differ from their defaults, the
        // form's font, and the size in HIMETRIC (137 x 41 pixels).
        const toolkit::FormLayout saved = m_form.saveLayout();
        const properties::PropertySet& set = saved.controls.at(0).properties;
        EXPECT_EQ(keysOf(set),
            (std::vector<std::u16string> { u"Caption", u"Font", u"cGradient", u"Mode", u"Value",
                u"ImgSize", u"cBack", u"_extentx", u"_extenty" }));
        EXPECT_EQ(set.read(u"Font", {}), properties::PropertyValue(m_form.formFont()));
        EXPECT_EQ(set.read(u"cBack", {}), properties::PropertyValue(button::kSystemButtonFace));
        EXPECT_EQ(set.read(u"_extentx", {}), properties::PropertyValue(std::int32_t(3625)));
        EXPECT_EQ(set.read(u"_extenty", {}), properties::PropertyValue(std::int32_t(1085)));
        EXPECT_EQ(saved.controls.at(0).geometry, (toolkit::TwipsRect { 150, 150, 2055, 615 }));
    }

    // The mouse selects, moves and resizes; the control's resize handling
    // decides the final size (a slanted shape makes room for its slant).
    TEST_F(FormSurfaceTest, TheMouseSelectsMovesAndResizesButtons)
    {
        ControlHost& plain = m_form.placeButton({ 20, 20, 100, 40 });
        ControlHost& slanted = m_form.placeButton({ 20, 100, 100, 40 });
        slanted.control().setButtonShape(button::Shape::Parallelogram);

        struct Row {
            const char* what;
            ControlHost* button;
            QPoint from;
            QPoint to;
            QRect expected;
        };
        const Row rows[] = {
            { "a drag moves", &plain, { 60, 40 }, { 90, 50 }, { 50, 30, 100, 40 } },
            { "the right handle widens", &plain, { 151, 50 }, { 171, 50 }, { 50, 30, 120, 40 } },
            { "the top-left handle keeps the far corner", &plain, { 48, 28 }, { 38, 18 },
                { 40, 20, 130, 50 } },
            { "a slanted button moves", &slanted, { 50, 120 }, { 50, 130 }, { 20, 110, 100, 40 } },
        };
        for (const Row& row : rows) {
            drag(row.from, row.to);
            EXPECT_EQ(m_form.selected(), row.button) << row.what;
            EXPECT_EQ(row.button->geometry(), row.expected) << row.what;
        }
        // Narrowing the slanted one to 29 pixels from its right handle: its
        // slants need more than 4 pixels beside their 41-pixel run, so its
        // resize handling widens it in steps of five, to 49.
        const QRect before = slanted.geometry();
        drag({ before.right() + 2, before.center().y() },
            { before.left() + 30, before.center().y() });
        EXPECT_EQ(slanted.geometry(), QRect(20, 110, 49, 40));
        EXPECT_EQ(slanted.control().scaleWidth(), 49.0f);
        // From its left handle the widening grows to the left: the right
        // side stays where it was.
        drag({ 18, 130 }, { 48, 130 });
        EXPECT_EQ(slanted.geometry(), QRect(20, 110, 49, 40));

        drag({ 390, 290 }, { 390, 290 });
        EXPECT_EQ(m_form.selected(), nullptr);
    }

    TEST_F(FormSurfaceTest, TheFormsSettingsReachTheButtonsAsAmbientChanges)
    {
        ControlHost& a = m_form.placeButton({ 10, 10, 100, 30 });
        ControlHost& b = m_form.placeButton({ 10, 50, 100, 30 });
        runEventsFor(20);
        m_form.setDefaultButton(&b);
        EXPECT_TRUE(b.control().state().isDefaultLook());
        EXPECT_FALSE(a.control().state().isDefaultLook());
        m_form.setDefaultButton(nullptr);
        EXPECT_FALSE(b.control().state().isDefaultLook());

        m_form.setBackColor(button::OleColor(0x00336699));
        for (ControlHost* host : { &a, &b })
            EXPECT_EQ(host->control().state().parentBackColor, button::Rgb(0x336699));
        EXPECT_EQ(m_form.saveLayout().backColour, button::OleColor(0x00336699));
    }

    // Save, open, save: the same property sets, and the same bytes.
    TEST_F(FormSurfaceTest, SavingAndOpeningKeepsEveryButtonsPropertySet)
    {
        ControlHost& a = m_form.placeButton({ 10, 10, 137, 41 });
        a.control().setCaption(u"ساخت بانک اطلاعاتي");
        a.control().setButtonStyle(button::Look::RoundedLight);
        a.control().setPicture(bitmapPicture(16, 16, 0x00FF00));
        a.control().setPictureAlign(button::PicturePlacement::TopCenter);
        ControlHost& b = m_form.placeButton({ 10, 60, 137, 41 });
        b.control().setMode(button::ButtonMode::Option);
        b.control().setValue(button::kTrue);
        b.control().setHoverBackColor(button::OleColor(0x00FFEEDD));
        ASSERT_TRUE(
            b.control().setFontStyle(button::kFontStyleBold | button::kFontStyleItalic).ok());
        ControlHost& c = m_form.placeButton({ 10, 110, 137, 41 });
        c.properties().write(
            u"Comment", std::u16string(u"kept")); // a key the control does not know
        m_form.setDefaultButton(&b);
        m_form.setBackColor(button::OleColor(0x00FFFFFF));

        const toolkit::FormLayout first = m_form.saveLayout();
        const QByteArray firstBytes = toolkit::formFileBytes(first);
        const auto reread = toolkit::parseFormFile(firstBytes);
        ASSERT_TRUE(reread.ok()) << reread.error().message.toStdString();
        m_form.openLayout(*reread);
        EXPECT_FALSE(m_form.isModified());
        ASSERT_EQ(m_form.buttons().size(), 3u);
        EXPECT_EQ(m_form.defaultButton(), m_form.buttons()[1]);
        EXPECT_EQ(m_form.buttons()[0]->control().Caption(), u"ساخت بانک اطلاعاتي");

        const toolkit::FormLayout second = m_form.saveLayout();
        for (std::size_t i = 0; i < first.controls.size(); ++i)
            EXPECT_EQ(second.controls[i].properties, first.controls[i].properties) << i;
        EXPECT_EQ(second.controls[2].properties.read(u"comment", {}),
            properties::PropertyValue(std::u16string(u"kept")));
        EXPECT_EQ(toolkit::formFileBytes(second), firstBytes);
        // A new button continues the numbering.
        EXPECT_EQ(FormSurface::nameOf(m_form.placeButton({ 200, 10, 50, 20 })), "kzButtons_H4");
    }

    // The application's own form: its labels and lists are not buttons, and
    // come back out as they went in.
    TEST_F(FormSurfaceTest, OtherControlsOfAnOpenedFormAreWrittenBackUnchanged)
    {
        const auto form1 = toolkit::loadFormFile(QStringLiteral(BASTARA_FORMS_DIR "/form1.json"));
        ASSERT_TRUE(form1.ok()) << form1.error().message.toStdString();
        m_form.openLayout(*form1);
        ASSERT_EQ(m_form.buttons().size(), 1u);
        const toolkit::FormLayout saved = m_form.saveLayout();
        ASSERT_EQ(saved.controls.size(), form1->controls.size());
        for (std::size_t i = 0; i < saved.controls.size(); ++i) {
            if (saved.controls[i].kind != "customButton")
                EXPECT_EQ(saved.controls[i], form1->controls[i]) << i;
            else
                EXPECT_EQ(saved.controls[i].geometry, form1->controls[i].geometry);
        }
        EXPECT_EQ(saved.name, form1->name);
        EXPECT_EQ(saved.icon, form1->icon);
        EXPECT_EQ(saved.backColour, form1->backColour);
    }

    // In run mode the buttons take the mouse and the focus and act as for
    // users; back in design mode every property is what it was.
    TEST_F(FormSurfaceTest, RunModeAndBackKeepsEveryProperty)
    {
        ControlHost& check = m_form.placeButton({ 10, 10, 100, 30 });
        check.control().setMode(button::ButtonMode::CheckBox);
        ControlHost& command = m_form.placeButton({ 10, 50, 100, 30 });
        command.control().setButtonStyle(button::Look::FlatHover);
        const toolkit::FormLayout before = m_form.saveLayout();
        m_form.markSaved();
        int clicks = 0;
        command.control().events().Click = [&] { ++clicks; };

        // Design mode: the click selects, it does not reach the control.
        QTest::mouseClick(&m_form, Qt::LeftButton, {}, { 50, 65 });
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(m_form.selected(), &command);

        m_form.setRunMode(true);
        EXPECT_TRUE(check.ambient().userMode);
        QTest::mouseClick(m_form.windowHandle(), Qt::LeftButton, {}, { 50, 25 });
        QTest::mouseClick(m_form.windowHandle(), Qt::LeftButton, {}, { 50, 65 });
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(check.control().Value().isTrue());
        EXPECT_FALSE(m_form.isModified());

        m_form.setRunMode(false);
        EXPECT_FALSE(check.ambient().userMode);
        EXPECT_TRUE(check.control().Value().isFalse());
        const toolkit::FormLayout after = m_form.saveLayout();
        EXPECT_EQ(toolkit::formFileBytes(after), toolkit::formFileBytes(before));
    }

} // namespace
} // namespace bastara::designer
