#pragma once

// Everything outside our code that decides a rendered button's pixels, pinned
// for the programs that must draw the same pixels on every machine of this
// kind (the golden-image test and the gallery):
//
// - the platform: offscreen, whose one screen is 800 x 800 at 96 dpi (the
//   screen size decides a gradient's band thickness), with no scale factor;
// - the fonts: a font configuration of our own instead of the system's and
//   the user's, holding only the faces the forms' captions are drawn with
//   (Liberation for Latin, Noto for Arabic script) and fixed rendering
//   settings: greyscale antialiasing, light hinting, no autohinter, no
//   embedded bitmaps. The text layer pins hinting and subpixel order itself;
//   antialiasing can only be pinned here;
// - the caption faces: "Times New Roman" as the forms name it, substituted as
//   the application does (platform/gdi/font_substitutes.h);
// - the system colours are pinned per drawing, with
//   gdi::ScopedSystemColors(gdi::referenceSystemColors()).
//
//     int main(int argc, char** argv)
//     {
//         bastara::test::pinRenderingEnvironment(); // before the application object
//         QApplication app(argc, argv);
//         if (const std::string problem = bastara::test::renderingEnvironmentProblem();
//             !problem.empty()) ...
//     }

#include <string>

namespace bastara::test {

// Sets the process environment and font configuration. Call before the
// QApplication exists: both are read once, when it starts. What fails here
// (fonts not installed) is reported by renderingEnvironmentProblem().
void pinRenderingEnvironment();

// After the QApplication exists: installs the caption font substitutes and
// checks that what was pinned took effect. Empty when it did; otherwise what
// differs, worded for the person who has to fix the machine.
std::string renderingEnvironmentProblem();

} // namespace bastara::test
