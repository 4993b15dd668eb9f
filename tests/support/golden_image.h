#pragma once

// Golden images: a whole bitmap (a back buffer, a window's surface) compared
// pixel for pixel with a checked-in PNG.
//
//     EXPECT_TRUE(matchesGolden(*image, "look0_classic_pressed", folders));
//
// On a mismatch the failure names the number of differing pixels and the
// first one, and writes two images to the output folder (in the build tree):
// <name>.actual.png, what was drawn, and <name>.diff.png, the differing
// pixels red on a dimmed copy of the golden image. A missing golden image
// fails the same way and says how to create it. A comparison that passes
// removes what an earlier failure left there.
//
// With BASTARA_UPDATE_GOLDENS=1 in the environment, a missing or different
// golden image is written from the bitmap instead, and the comparison passes;
// scripts/update-goldens.sh runs the golden tests so. Look at every image it
// changes before committing.

#include "platform/gdi/bitmap.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace bastara::test {

struct GoldenFolders {
    std::filesystem::path golden; // the checked-in <name>.png files
    std::filesystem::path output; // where failures leave their images
};

::testing::AssertionResult matchesGolden(
    const gdi::Bitmap& actual, const std::string& name, const GoldenFolders& folders);

} // namespace bastara::test
