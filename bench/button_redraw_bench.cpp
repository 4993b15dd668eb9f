// What a full redraw of the main window's create button costs: 137 x 41, its
// Persian caption in 12-point bold, engraved (three text passes), drawn by
// the sample look through the control's whole pipeline into the window's
// surface.
//
//   build/dev/bench/button_redraw_bench --benchmark_repetitions=10
//       --benchmark_report_aggregates_only=true   (one command line)
//
// Cached: nothing but the state changed since the last redraw, so the text
// comes laid out. Caption change: the caption is new to the text layer every
// time (layouts dropped), so it is measured and shaped again.

#include "button/button.h"
#include "platform/gdi/text.h"
#include "support/fake_host.h"
#include "support/sample_renderer.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace bastara;
using namespace bastara::button;

// The caption as the main window's form stores it.
const std::u16string kCreateCaption = u"ساخت بانک اطلاعاتي";
const std::u16string kOtherCaption = u"Create the database";

struct CreateButton {
    test::FakeHost host { 137, 41 };
    Button button { host };

    CreateButton()
    {
        host.windowFont = test::formFont(12, 700);
        button.renderers().install(Look::Classic, test::renderSample);
        ButtonState& s = button.state();
        s.captionText = kCreateCaption;
        s.captionAlign = CaptionAlignment::Center;
        s.captionStyle = CaptionEffect::Engraved;
        s.backColor = OleColor(0xFFFFFF);
        s.hoverBackColor = s.backColor;
        button.UpdateResources("BackColor");
        button.onHostResize();
    }
};

void BM_RedrawCachedText(benchmark::State& state)
{
    CreateButton b;
    for (auto _ : state) {
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
    state.counters["refreshes"] = double(b.host.refreshes);
}

void BM_RedrawPressedAndReleased(benchmark::State& state)
{
    // The caption moves by a pixel: still the same laid-out text.
    CreateButton b;
    bool pressed = false;
    for (auto _ : state) {
        pressed = !pressed;
        b.button.state().stateFlags = pressed ? kFlagsPressed : 0;
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

void BM_CaptionChange(benchmark::State& state)
{
    CreateButton b;
    bool other = false;
    for (auto _ : state) {
        gdi::clearTextCache(gdi::TextCacheClear::Layouts);
        other = !other;
        b.button.state().captionText = other ? kOtherCaption : kCreateCaption;
        b.button.CalculateLayout(kFalse);
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

void BM_RedrawWithoutCaption(benchmark::State& state)
{
    // The raster work alone: face, edges and the copy to the window.
    CreateButton b;
    b.button.state().captionText.clear();
    b.button.CalculateLayout(kFalse);
    for (auto _ : state) {
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_RedrawCachedText);
BENCHMARK(BM_RedrawPressedAndReleased);
BENCHMARK(BM_CaptionChange);
BENCHMARK(BM_RedrawWithoutCaption);

} // namespace
