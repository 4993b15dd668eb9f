// Every scene of the shared table (support/button_scenes.h) drawn through the
// whole control and compared with its golden image in golden/. The gallery
// sheet of the same scenes is the README's picture, docs/gallery.png,
// and is kept current the same way.

#include "platform/gdi/qt_image.h"
#include "support/button_scenes.h"
#include "support/golden_image.h"
#include "support/pinned_rendering.h"
#include "tools/gallery/gallery_sheet.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace bastara::button::test {

namespace {

    std::filesystem::path outputFolder()
    {
        return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString())
            / "golden-output";
    }

    void expectPinnedEnvironment()
    {
        static const std::string problem = bastara::test::renderingEnvironmentProblem();
        ASSERT_EQ(problem, "") << "golden images are drawn in a pinned environment";
    }

    class GoldenTest : public testing::TestWithParam<ButtonScene>
    { };

    TEST_P(GoldenTest, MatchesItsImage)
    {
        ASSERT_NO_FATAL_FAILURE(expectPinnedEnvironment());
        const ButtonScene& scene = GetParam();

        const gdi::BitmapRef image = renderScene(scene);
        EXPECT_TRUE(bastara::test::matchesGolden(
            *image, scene.name, { BASTARA_GOLDEN_DIR, outputFolder() }));
    }

    INSTANTIATE_TEST_SUITE_P(Buttons, GoldenTest, testing::ValuesIn(buttonScenes()),
        [](const testing::TestParamInfo<ButtonScene>& row) { return row.param.name; });

    // On a screen of two device pixels per logical one: the looks at rest and
    // a slanted and an oval shape, drawn at twice the size with a caption font
    // made at 192 dpi (lines stay one pixel wide).
    std::vector<ButtonScene> scenesAtDoubleDensity()
    {
        std::vector<ButtonScene> chosen;
        for (const ButtonScene& scene : buttonScenes()) {
            const bool lookAtRest = scene.state == SceneState::Normal
                && scene.shape == Shape::Rectangle && scene.gradient == GradientDirection::None;
            const bool shape = scene.shape == Shape::SlantedLeft || scene.shape == Shape::Oval;
            if (lookAtRest || shape)
                chosen.push_back(scene);
        }
        return chosen;
    }

    class DoubleDensityGoldenTest : public GoldenTest
    { };

    TEST_P(DoubleDensityGoldenTest, MatchesItsImage)
    {
        ASSERT_NO_FATAL_FAILURE(expectPinnedEnvironment());
        const ButtonScene& scene = GetParam();

        const gdi::BitmapRef image = renderScene(scene, 2.0);
        EXPECT_TRUE(bastara::test::matchesGolden(
            *image, scene.name + "_2x", { BASTARA_GOLDEN_DIR, outputFolder() }));
    }

    INSTANTIATE_TEST_SUITE_P(Buttons, DoubleDensityGoldenTest,
        testing::ValuesIn(scenesAtDoubleDensity()),
        [](const testing::TestParamInfo<ButtonScene>& row) { return row.param.name; });

    TEST(GoldenGalleryTest, IsTheReadmePicture)
    {
        ASSERT_NO_FATAL_FAILURE(expectPinnedEnvironment());
        const QImage sheet = gallery::drawGallerySheet();
        const gdi::BitmapRef bitmap = gdi::bitmapFromQImage(sheet);
        EXPECT_TRUE(
            bastara::test::matchesGolden(*bitmap, "gallery", { BASTARA_DOCS_DIR, outputFolder() }));
    }

} // namespace
} // namespace bastara::button::test
