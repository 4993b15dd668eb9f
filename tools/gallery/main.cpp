// bastara-gallery: draws every look of the button in every state, the shapes
// and the gradient modes on one sheet and writes it as a PNG. Runs headless.
//
//   build/dev/tools/gallery/bastara-gallery docs/gallery.png

#include "support/pinned_rendering.h"
#include "tools/gallery/gallery_sheet.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

enum ExitCode : int { Written = 0, Failed = 1, BadUsage = 2 };

constexpr const char* kUsage
    = "usage: bastara-gallery OUT.png\n"
      "\n"
      "Draws every look of the button in every state, the shapes and the\n"
      "gradient modes on one sheet and writes it as a PNG (no display needed).\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return Written;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return BadUsage;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    bastara::test::pinRenderingEnvironment();
    QApplication application(argc, argv);
    if (const std::string problem = bastara::test::renderingEnvironmentProblem();
        !problem.empty()) {
        std::fprintf(stderr, "bastara-gallery: %s\n", problem.c_str());
        return Failed;
    }
    if (!bastara::gallery::drawGallerySheet().save(out, "PNG")) {
        std::fprintf(stderr, "bastara-gallery: cannot write %s\n", qPrintable(out));
        return Failed;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return Written;
}
