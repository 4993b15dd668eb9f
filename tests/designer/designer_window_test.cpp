#include "designer_test_support.h"
#include "tools/designer/designer_window.h"
#include "tools/designer/form_surface.h"

#include <QFile>
#include <QTemporaryDir>
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

} // namespace
} // namespace bastara::designer
