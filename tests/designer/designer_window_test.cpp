#include "designer_test_support.h"
#include "platform/toolkit/form_file.h"
#include "tools/designer/designer_window.h"
#include "tools/designer/form_surface.h"
#include "tools/designer/property_browser.h"
#include "tools/designer/property_editors.h"

#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::designer {
namespace {

    class DesignerWindowTest : public testing::Test
    {
    protected:
        DesignerWindowTest() { m_window.addButton(); }

        QString pathOf(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

        QTemporaryDir m_dir;
        DesignerWindow m_window;
    };

    // A save that fails leaves the form unsaved, so that closing it still
    // asks, and keeps the file it was saved to before.
    TEST_F(DesignerWindowTest, AFailedSaveKeepsTheFormModifiedAndItsFile)
    {
        ASSERT_TRUE(m_window.saveFile(pathOf("form.json")).ok());
        m_window.addButton();
        const QString titleBefore = m_window.windowTitle();

        EXPECT_FALSE(m_window.saveFile(pathOf("missing/form.json")).ok());
        EXPECT_TRUE(m_window.surface().isModified());
        EXPECT_EQ(m_window.windowTitle(), titleBefore);
        EXPECT_TRUE(m_window.isWindowModified());
    }

    // A caption typed but not yet confirmed when the form starts running
    // belongs to the design, not to the run.
    TEST_F(DesignerWindowTest, AnEditUnderWayIsKeptWhenTheFormRuns)
    {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        auto* line = m_window.browser().editorOf("Caption").findChild<QLineEdit*>();
        line->setFocus();
        line->setText(QStringLiteral("Typed"));
        m_window.runAction().setChecked(true);
        m_window.runAction().setChecked(false);
        EXPECT_EQ(m_window.surface().selected()->control().Caption(), u"Typed");
    }

    // New and Open leave nothing of the form before: no button in the
    // browser, no status message, the new form's size.
    TEST_F(DesignerWindowTest, NewLeavesNothingOfTheFormBefore)
    {
        const QSize newSize = m_window.surface().size();
        ASSERT_TRUE(m_window.openFile(QStringLiteral(BASTARA_FORMS_DIR "/form1.json")).ok());
        ASSERT_NE(m_window.surface().size(), newSize);
        m_window.surface().select(m_window.surface().buttons().front());
        ASSERT_NE(m_window.statusBar()->currentMessage(), QString());

        ASSERT_TRUE(m_window.openFile(QStringLiteral(BASTARA_FORMS_DIR "/form3.json")).ok());
        EXPECT_EQ(m_window.browser().button(), nullptr);
        EXPECT_EQ(m_window.statusBar()->currentMessage(), QString());

        ASSERT_FALSE(m_window.surface().buttons().empty());
        m_window.surface().select(m_window.surface().buttons().front());
        m_window.newForm();
        EXPECT_EQ(m_window.browser().button(), nullptr);
        EXPECT_EQ(m_window.statusBar()->currentMessage(), QString());
        EXPECT_EQ(m_window.surface().size(), newSize);
    }

    // On the main window's form, full of labels, lists and pictures, each
    // added button finds a free place.
    TEST_F(DesignerWindowTest, AddButtonCoversNoOtherControl)
    {
        const QString path = QStringLiteral(BASTARA_FORMS_DIR "/form1.json");
        ASSERT_TRUE(m_window.openFile(path).ok());
        const auto layout = toolkit::loadFormFile(path);
        ASSERT_TRUE(layout.ok());
        std::vector<QRect> taken;
        for (const toolkit::ControlLayout& control : layout->controls)
            taken.emplace_back(toolkit::pixelsFromTwips(control.geometry.left),
                toolkit::pixelsFromTwips(control.geometry.top),
                toolkit::pixelsFromTwips(control.geometry.width),
                toolkit::pixelsFromTwips(control.geometry.height));
        for (int added = 0; added < 3; ++added) {
            m_window.addButton();
            const QRect placed = m_window.surface().selected()->geometry();
            EXPECT_TRUE(m_window.surface().rect().contains(placed));
            for (const QRect& other : taken)
                EXPECT_FALSE(placed.intersects(other)) << added;
            taken.push_back(placed);
        }
    }

} // namespace
} // namespace bastara::designer
