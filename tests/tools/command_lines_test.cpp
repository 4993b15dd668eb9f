// The programs' command lines: --help answers and exits 0 with or without a
// display; the windowed programs say in one line that they need a display
// rather than failing inside Qt; the gallery draws without one.

#include "support/run_process.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bastara::testing {
namespace {

    // argv run with every variable that could name a display removed.
    ProcessResult runWithoutDisplay(std::vector<std::string> argv)
    {
        std::vector<std::string> command { "env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
            "QT_QPA_PLATFORM" };
        command.insert(command.end(), argv.begin(), argv.end());
        return runProcess(command);
    }

    long lineCount(const std::string& text)
    {
        return std::ranges::count(text, '\n');
    }

    TEST(CommandLines, HelpPrintsUsageAndSucceedsWithoutADisplay)
    {
        for (const char* program :
            { BASTARA_APP_PATH, BASTARA_DESIGNER_PATH, BASTARA_GALLERY_PATH }) {
            const ProcessResult result = runWithoutDisplay({ program, "--help" });
            EXPECT_EQ(result.exitCode, 0) << program;
            EXPECT_EQ(result.out.rfind("usage: ", 0), 0u) << program << ": " << result.out;
            EXPECT_EQ(result.err, "") << program;
        }
    }

    TEST(CommandLines, TheWindowedProgramsWithoutADisplaySaySoInOneLineAndFail)
    {
        for (const char* program : { BASTARA_APP_PATH, BASTARA_DESIGNER_PATH }) {
            const ProcessResult result = runWithoutDisplay({ program });
            EXPECT_EQ(result.exitCode, 1) << program; // not 134: Qt's abort
            EXPECT_NE(result.err.find("no display"), std::string::npos) << result.err;
            EXPECT_EQ(lineCount(result.err), 1) << result.err;
            EXPECT_EQ(result.out, "") << program;
        }
    }

    TEST(CommandLines, TheProgramsNameADisplayNoServerAnswersOn)
    {
        // No X server listens on display 4093 (its socket would be /tmp/.X11-unix/X4093).
        ASSERT_FALSE(std::filesystem::exists("/tmp/.X11-unix/X4093"));
        const auto run = [](const char* program) {
            return runProcess({ "env", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                "DISPLAY=:4093", program });
        };
        const ProcessResult app = run(BASTARA_APP_PATH);
        EXPECT_EQ(app.exitCode, 1);
        EXPECT_EQ(app.err, "bastara: cannot open the display :4093 (no X server answers there)\n");
        const ProcessResult designer = run(BASTARA_DESIGNER_PATH);
        EXPECT_EQ(designer.exitCode, 1); // not Qt's abort
        EXPECT_EQ(designer.err,
            "bastara-designer: cannot open the display :4093 (no X server answers there); "
            "--screenshot draws without one\n");
    }

    TEST(CommandLines, TheProgramRefusesArgumentsQtDoesNotTake)
    {
        const ProcessResult result
            = runProcess({ "env", "QT_QPA_PLATFORM=offscreen", BASTARA_APP_PATH, "--frobnicate" });
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(
            result.err.find("bastara: unknown argument '--frobnicate'\nusage: "), std::string::npos)
            << result.err;
    }

    TEST(CommandLines, TheProgramTellsItsVersion)
    {
        const ProcessResult result = runWithoutDisplay({ BASTARA_APP_PATH, "--version" });
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "bastara " BASTARA_VERSION "\n");
    }

    TEST(CommandLines, TheGalleryDrawsWithoutADisplay)
    {
        const std::filesystem::path out = std::filesystem::temp_directory_path()
            / ("bastara-gallery-" + std::to_string(::getpid()) + ".png");
        const ProcessResult result = runWithoutDisplay({ BASTARA_GALLERY_PATH, out.string() });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(readWholeFile(out).rfind("\x89PNG", 0), 0u);
        std::filesystem::remove(out);
    }

} // namespace
} // namespace bastara::testing
