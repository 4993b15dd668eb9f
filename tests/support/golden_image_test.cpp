// The golden-image comparison itself: a comparison that passed on any
// drawing would pin nothing.

#include "support/golden_image.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace bastara::test {
namespace {

    class GoldenImageCompareTest : public ::testing::Test
    {
    protected:
        void SetUp() override { setUpdateSwitch(false); }
        void TearDown() override { setUpdateSwitch(false); }

        static void setUpdateSwitch(bool on)
        {
            if (on)
                ::setenv("BASTARA_UPDATE_GOLDENS", "1", 1);
            else
                ::unsetenv("BASTARA_UPDATE_GOLDENS");
        }

        gdi::BitmapRef whiteBitmap() const
        {
            gdi::BitmapRef bitmap = gdi::createDibSection(5, 3);
            bitmap->fill(0xFFFFFF);
            return bitmap;
        }

        bastara::testing::TempDir m_dir;
        GoldenFolders m_folders { m_dir / "golden", m_dir / "out" };
    };

    TEST_F(GoldenImageCompareTest, AMismatchNamesItsFirstPixelAndLeavesTheActualAndDiffImages)
    {
        gdi::BitmapRef drawn = whiteBitmap();
        setUpdateSwitch(true);
        ASSERT_TRUE(matchesGolden(*drawn, "face", m_folders));
        setUpdateSwitch(false);

        drawn->setColorAt(3, 1, 0x0000FF);
        drawn->setColorAt(1, 2, 0x808080);
        const ::testing::AssertionResult result = matchesGolden(*drawn, "face", m_folders);
        EXPECT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find("2 pixels differ"), std::string::npos);
        EXPECT_NE(std::string(result.message()).find("(3, 1): expected 0xFFFFFF, actual 0x0000FF"),
            std::string::npos)
            << result.message();
        EXPECT_TRUE(std::filesystem::exists(m_folders.output / "face.actual.png"));
        EXPECT_TRUE(std::filesystem::exists(m_folders.output / "face.diff.png"));

        // Drawn right again: the pass clears what the failure left.
        EXPECT_TRUE(matchesGolden(*whiteBitmap(), "face", m_folders));
        EXPECT_FALSE(std::filesystem::exists(m_folders.output / "face.actual.png"));
        EXPECT_FALSE(std::filesystem::exists(m_folders.output / "face.diff.png"));
    }

    TEST_F(GoldenImageCompareTest, OnlyTheUpdateSwitchWritesGoldenImages)
    {
        gdi::BitmapRef drawn = whiteBitmap();
        const ::testing::AssertionResult missing = matchesGolden(*drawn, "face", m_folders);
        EXPECT_FALSE(missing);
        EXPECT_NE(std::string(missing.message()).find("update-goldens.sh"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(m_folders.golden / "face.png"));

        setUpdateSwitch(true);
        EXPECT_TRUE(matchesGolden(*drawn, "face", m_folders));
        drawn->setColorAt(0, 0, 0x000000);
        EXPECT_TRUE(matchesGolden(*drawn, "face", m_folders));
        setUpdateSwitch(false);

        EXPECT_TRUE(matchesGolden(*drawn, "face", m_folders));
        EXPECT_FALSE(matchesGolden(*whiteBitmap(), "face", m_folders));
    }

} // namespace
} // namespace bastara::test
