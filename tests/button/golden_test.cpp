// Every scene of the shared table (support/button_scenes.h) drawn through the
// whole control and compared with its golden image in golden/. Scenes whose
// look has no renderer yet are skipped, not pinned to an empty picture.

#include "support/button_scenes.h"
#include "support/golden_image.h"
#include "support/pinned_rendering.h"

#include <QCoreApplication>
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
        if (!hasRenderer(scene))
            GTEST_SKIP() << "look " << static_cast<int>(*scene.look) << " has no renderer yet";

        const gdi::BitmapRef image = renderScene(scene);
        EXPECT_TRUE(bastara::test::matchesGolden(
            *image, scene.name, { BASTARA_GOLDEN_DIR, outputFolder() }));
    }

    INSTANTIATE_TEST_SUITE_P(Buttons, GoldenTest, testing::ValuesIn(buttonScenes()),
        [](const testing::TestParamInfo<ButtonScene>& row) { return row.param.name; });

} // namespace
} // namespace bastara::button::test
