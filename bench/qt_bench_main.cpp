// Entry point of the benchmarks that draw: a Qt application on the offscreen
// platform, the forms' fonts and the reference system colours, so that runs
// on different machines measure the same text and the same pixels.

#include "platform/gdi/font_substitutes.h"
#include "platform/gdi/sys_colors.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    bastara::gdi::installFontSubstitutes();
    const bastara::gdi::ScopedSystemColors pinned(bastara::gdi::referenceSystemColors());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
