// The custom button as a control of stored forms: built from its stored
// settings, part of the form's events, and safe to destroy from its own Click.

#include "button_host/control_host.h"
#include "button_host/form_button_factory.h"
#include "platform/toolkit/form.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::button_host {
namespace {

    using toolkit::ControlEvents;
    using toolkit::ControlLayout;
    using toolkit::Form;
    using toolkit::FormLayout;

    ControlLayout storedButton(const char* name, int left, std::int32_t mode)
    {
        ControlLayout layout;
        layout.kind = QString::fromLatin1(kFormButtonKind);
        layout.name = QString::fromLatin1(name);
        layout.geometry = { left, 300, 2055, 615 };
        layout.properties.write(u"caption", std::u16string(u"create"));
        layout.properties.write(u"mode", mode);
        layout.properties.write(u"font",
            properties::FontDescription { u"Liberation Serif", 12, 700, false, false, false, 0 });
        return layout;
    }

    std::unique_ptr<Form> loadForm(std::vector<ControlLayout> buttons)
    {
        FormLayout layout;
        layout.name = QStringLiteral("Sample");
        layout.clientWidth = 6000;
        layout.clientHeight = 1500;
        layout.backColour = properties::OleColor { 0x0000FFFF };
        layout.controls = std::move(buttons);
        toolkit::ControlRegistry registry;
        addFormButtonFactory(registry);
        auto form = std::make_unique<Form>();
        const auto loaded = form->load(layout, registry);
        EXPECT_TRUE(loaded.ok()) << loaded.error().message.toStdString();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    ControlHost& hostOf(const Form& form, const char* name)
    {
        auto* host = form.control<ControlHost>(QString::fromLatin1(name));
        EXPECT_NE(host, nullptr) << name;
        return *host;
    }

    TEST(FormButton, IsBuiltFromItsStoredSettingsAndRaisesTheFormsClick)
    {
        const auto form = loadForm({ storedButton("kzButtons_H1", 300, 0) });
        ControlHost& host = hostOf(*form, "kzButtons_H1");
        EXPECT_EQ(host.size(), QSize(137, 41));
        EXPECT_EQ(host.control().state().captionText, u"create");
        EXPECT_EQ(host.ambient().backColor, properties::OleColor { 0x0000FFFF });
        EXPECT_EQ(host.ambient().displayName, u"kzButtons_H1");

        QSignalSpy clicks(form->events(QStringLiteral("kzButtons_H1")), &ControlEvents::Click);
        QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(clicks.count(), 1);
    }

    TEST(FormButton, OptionButtonsOfOneFormAreOneGroup)
    {
        const auto form
            = loadForm({ storedButton("Option1", 300, 2), storedButton("Option2", 3000, 2) });
        ControlHost& first = hostOf(*form, "Option1");
        ControlHost& second = hostOf(*form, "Option2");
        QTest::mouseClick(&first, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_FALSE(first.control().state().buttonValue.isTrue());
        EXPECT_TRUE(second.control().state().buttonValue.isTrue());
    }

    TEST(FormButton, AClickHandlerMayDestroyTheWholeForm)
    {
        auto form = loadForm({ storedButton("kzButtons_H1", 300, 0) });
        QPointer<ControlHost> host = &hostOf(*form, "kzButtons_H1");
        QObject::connect(form->events(QStringLiteral("kzButtons_H1")), &ControlEvents::Click,
            [&form] { form.reset(); });
        QTest::mouseClick(host.data(), Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(form, nullptr);
        EXPECT_TRUE(host.isNull());
    }

} // namespace
} // namespace bastara::button_host
