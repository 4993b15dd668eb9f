// What a full redraw of the main window's create button costs: 137 x 41, its
// Persian caption in 12-point bold, engraved (three text passes), drawn
// through the control's whole pipeline into the window's surface, in each of
// the eight looks at rest (the other benchmarks use the classic look).
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

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace bastara;
using namespace bastara::button;

// The caption as the main window's form stores it.
const std::u16string kCreateCaption = u"ساخت بانک اطلاعاتي";
const std::u16string kOtherCaption = u"Create the database";

constexpr const char* kLookNames[kLookCount] = { "classic", "framed bevel", "rounded light",
    "etched", "thin edge", "flat hover", "soft bevel", "rounded dark" };

struct CreateButton {
    test::FakeHost host { 137, 41 };
    Button button { host };

    explicit CreateButton(Look look = Look::Classic)
    {
        host.windowFont = test::formFont(12, 700);
        ButtonState& s = button.state();
        s.buttonStyle = look;
        s.captionText = kCreateCaption;
        s.captionAlign = CaptionAlignment::Center;
        s.captionStyle = CaptionEffect::Engraved;
        s.backColor = OleColor(0xFFFFFF);
        s.hoverBackColor = s.backColor;
        s.hoverForeColor = PropertyDefaults::hoverForeColor;
        s.showFocusRect = PropertyDefaults::showFocusRect;
        button.UpdateResources("BackColor");
        button.onHostResize();
    }
};

void BM_RedrawCachedText(benchmark::State& state)
{
    const auto look = Look(state.range(0));
    CreateButton b(look);
    state.SetLabel(kLookNames[state.range(0)]);
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

// Every look at rest.
BENCHMARK(BM_RedrawCachedText)->DenseRange(0, kLookCount - 1);
BENCHMARK(BM_RedrawPressedAndReleased);
BENCHMARK(BM_CaptionChange);
BENCHMARK(BM_RedrawWithoutCaption);

} // namespace
