#include "platform/toolkit/control_events.h"
#include "platform/toolkit/control_registry.h"
#include "platform/toolkit/image_control.h"
#include "platform/toolkit/list_box.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::toolkit {
namespace {

    QAccessibleInterface& accessibleOf(QWidget& widget)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
        EXPECT_NE(accessible, nullptr);
        return *accessible;
    }

    TEST(ImageControlAccessibilityTest, IsAButtonNamedByItsToolTipThatPressClicks)
    {
        QWidget window;
        auto* image = new ImageControl(&window);
        image->setToolTip(QStringLiteral("Add"));
        QSignalSpy clicks(&ControlEvents::attachTo(*image), &ControlEvents::Click);
        QAccessibleInterface& accessible = accessibleOf(*image);
        EXPECT_EQ(accessible.role(), QAccessible::Button);
        EXPECT_EQ(accessible.text(QAccessible::Name), QStringLiteral("Add"));
        ASSERT_NE(accessible.actionInterface(), nullptr);
        EXPECT_EQ(accessible.actionInterface()->actionNames(),
            QStringList { QAccessibleActionInterface::pressAction() });

        accessible.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks.count(), 0); // from the event loop, after the reader's answer
        QApplication::processEvents();
        EXPECT_EQ(clicks.count(), 1);

        image->setEnabled(false);
        EXPECT_TRUE(accessible.actionInterface()->actionNames().isEmpty());
        accessible.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QApplication::processEvents();
        EXPECT_EQ(clicks.count(), 1);
    }

    // An empty list has no current item to show the focus with: it draws a
    // focus frame instead, only while it has the focus.
    TEST(ListBoxControlTest, AnEmptyListShowsTheFocusOnlyWhileItHasIt)
    {
        QWidget window;
        window.resize(200, 100);
        auto* other = new QLineEdit(&window);
        other->setGeometry(0, 0, 100, 20);
        auto* list = new ListBoxControl(&window);
        list->setGeometry(0, 30, 100, 60);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        other->setFocus();
        const QImage unfocused = list->grab().toImage();
        list->setFocus();
        ASSERT_TRUE(list->hasFocus());
        const QImage focused = list->grab().toImage();
        EXPECT_NE(focused, unfocused);

        other->setFocus();
        EXPECT_EQ(list->grab().toImage(), unfocused);
    }

} // namespace
} // namespace bastara::toolkit
