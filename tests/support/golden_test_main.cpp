// Entry point of the golden-image tests: fonts, platform and screen are
// pinned before the QApplication starts, since Qt reads them only then.

#include "support/pinned_rendering.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    bastara::test::pinRenderingEnvironment();
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
