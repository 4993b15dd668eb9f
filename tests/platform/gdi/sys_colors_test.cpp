#include "platform/gdi/sys_colors.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace bastara::gdi {
namespace {

    TEST(SysColorsTest, PinnedTableGivesThePlatformDefaults)
    {
        ScopedSystemColors pinned(referenceSystemColors());
        EXPECT_EQ(getSysColor(COLOR_BTNFACE), 0xF0F0F0u);
        EXPECT_EQ(getSysColor(COLOR_BTNTEXT), 0x000000u);
        EXPECT_EQ(getSysColor(COLOR_3DHIGHLIGHT), 0xFFFFFFu);
        EXPECT_EQ(getSysColor(COLOR_3DSHADOW), 0xA0A0A0u);
        EXPECT_EQ(getSysColor(COLOR_3DDKSHADOW), 0x696969u);
        EXPECT_EQ(getSysColor(COLOR_3DLIGHT), 0xE3E3E3u);
        EXPECT_EQ(getSysColor(COLOR_WINDOW), 0xFFFFFFu);
        EXPECT_EQ(getSysColor(COLOR_GRAYTEXT), 0x6D6D6Du);
        EXPECT_EQ(getSysColor(COLOR_HIGHLIGHT), 0xD77800u);
        EXPECT_EQ(getSysColor(COLOR_INFOBK), 0xE1FFFFu);
        EXPECT_EQ(getSysColor(-1), 0u);
        EXPECT_EQ(getSysColor(31), 0u);
        EXPECT_EQ(getSysColor(255), 0u);
    }

    TEST(SysColorsTest, PinsNestAndComeOff)
    {
        SystemColorTable custom = referenceSystemColors();
        custom[COLOR_BTNFACE] = 0x123456;
        {
            ScopedSystemColors outer(referenceSystemColors());
            {
                ScopedSystemColors inner(custom);
                EXPECT_EQ(getSysColor(COLOR_BTNFACE), 0x123456u);
            }
            EXPECT_EQ(getSysColor(COLOR_BTNFACE), 0xF0F0F0u);
        }
    }

    TEST(SysColorsTest, UnpinnedColoursFollowTheApplicationPalette)
    {
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(4, 5, 6));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(7, 8, 9));
        palette.setColor(QPalette::Active, QPalette::Shadow, QColor(10, 11, 12));
        QApplication::setPalette(palette);
        EXPECT_EQ(getSysColor(COLOR_BTNFACE), rgb(1, 2, 3));
        EXPECT_EQ(getSysColor(COLOR_BTNTEXT), rgb(4, 5, 6));
        EXPECT_EQ(getSysColor(COLOR_GRAYTEXT), rgb(7, 8, 9));
        EXPECT_EQ(getSysColor(COLOR_3DDKSHADOW), rgb(10, 11, 12));
        // No palette role: the default table.
        EXPECT_EQ(getSysColor(COLOR_ACTIVECAPTION), 0xD1B499u);
        QApplication::setPalette(saved);
    }

} // namespace
} // namespace bastara::gdi
