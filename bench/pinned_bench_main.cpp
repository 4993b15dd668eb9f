// Entry point of the benchmarks that compare our drawing with Qt's widgets:
// the same pinned platform, fonts and rendering settings as the golden-image
// tests (tests/support/pinned_rendering.h), a QApplication for the widgets,
// and the reference system colours. A run on a machine where the pins do not
// hold would time other glyphs, so it stops with the reason instead.

#include "platform/gdi/sys_colors.h"
#include "support/pinned_rendering.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

int main(int argc, char** argv)
{
    bastara::test::pinRenderingEnvironment();
    QApplication application(argc, argv);
    if (const std::string problem = bastara::test::renderingEnvironmentProblem();
        !problem.empty()) {
        std::fprintf(stderr, "not a pinned rendering environment: %s\n", problem.c_str());
        return 2;
    }
    const bastara::gdi::ScopedSystemColors pinned(bastara::gdi::referenceSystemColors());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
