// What a caption redraw costs with and without the text layout cache.
//
//   build/dev/bench/gdi_text_bench --benchmark_repetitions=10
//       --benchmark_report_aggregates_only=true   (one command line)
//
// Each iteration does what a button redraw does with its caption: fill the
// 137 x 41 face, then draw the wrapped, centred caption.

#include "platform/gdi/blit.h"
#include "platform/gdi/text.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace bastara::gdi;

const std::u16string kPersianCaption = u"\u0633\u0627\u062E\u062A \u0628\u0627\u0646\u06A9 "
                                       u"\u0627\u0637\u0644\u0627\u0639\u0627\u062A\u064A";
const std::u16string kLatinCaption = u"Create the database";

struct Face {
    std::unique_ptr<DeviceContext> dc = createCompatibleDC(nullptr);
    Rect caption;

    explicit Face(const std::u16string& text)
    {
        dc->selectObject(createBitmap(137, 41, 1, 32));
        LogFont font;
        font.height = -16;
        font.weight = 700;
        font.faceName = u"Times New Roman";
        dc->selectObject(createFontIndirect(font));
        dc->selectObject(createSolidBrush(0xF0F0F0));
        dc->setBkMode(3);
        caption = { 0, 0, 129, 0 };
        drawText(*dc, text, caption, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        caption = caption.translated(4, (41 - caption.height()) / 2);
    }

    void redraw(const std::u16string& text)
    {
        patBlt(*dc, 0, 0, 137, 41, PATCOPY);
        Rect r = caption;
        drawText(*dc, text, r, DT_WORDBREAK | DT_CENTER);
    }
};

void drawCaption(benchmark::State& state, const std::u16string& text, bool cached)
{
    Face face(text);
    for (auto _ : state) {
        if (!cached)
            clearTextCache(TextCacheClear::Layouts);
        face.redraw(text);
        benchmark::ClobberMemory();
    }
}

void BM_PersianCaptionCached(benchmark::State& state)
{
    drawCaption(state, kPersianCaption, true);
}
void BM_PersianCaptionUncached(benchmark::State& state)
{
    drawCaption(state, kPersianCaption, false);
}
void BM_LatinCaptionCached(benchmark::State& state)
{
    drawCaption(state, kLatinCaption, true);
}
void BM_LatinCaptionUncached(benchmark::State& state)
{
    drawCaption(state, kLatinCaption, false);
}

void BM_MeasureCaptionCached(benchmark::State& state)
{
    Face face(kPersianCaption);
    for (auto _ : state) {
        Rect r { 0, 0, 129, 0 };
        benchmark::DoNotOptimize(
            drawText(*face.dc, kPersianCaption, r, DT_CALCRECT | DT_WORDBREAK | DT_CENTER));
    }
}

// The raster alone: the face fill without any text.
void BM_FaceFillOnly(benchmark::State& state)
{
    Face face(kLatinCaption);
    for (auto _ : state) {
        patBlt(*face.dc, 0, 0, 137, 41, PATCOPY);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_PersianCaptionCached);
BENCHMARK(BM_PersianCaptionUncached);
BENCHMARK(BM_LatinCaptionCached);
BENCHMARK(BM_LatinCaptionUncached);
BENCHMARK(BM_MeasureCaptionCached);
BENCHMARK(BM_FaceFillOnly);

} // namespace
