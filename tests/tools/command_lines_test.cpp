// The tools' command lines: --help answers and exits 0; the designer says
// it needs a display rather than failing inside Qt.

#include "support/run_process.h"

#include <gtest/gtest.h>

namespace bastara::testing {
namespace {

    TEST(CommandLines, HelpPrintsUsageAndSucceeds)
    {
        for (const char* program : { BASTARA_DESIGNER_PATH, BASTARA_GALLERY_PATH }) {
            const ProcessResult result = runProcess({ program, "--help" });
            EXPECT_EQ(result.exitCode, 0) << program;
            EXPECT_EQ(result.out.rfind("usage: ", 0), 0u) << program << ": " << result.out;
            EXPECT_EQ(result.err, "") << program;
        }
    }

    TEST(CommandLines, TheDesignerWithoutADisplaySaysSoAndFails)
    {
        const ProcessResult result = runProcess({ "env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY",
            "-u", "QT_QPA_PLATFORM", BASTARA_DESIGNER_PATH });
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("no display"), std::string::npos) << result.err;
    }

} // namespace
} // namespace bastara::testing
