// What a full redraw of the main window's create button costs, against Qt's
// own push button drawing the same caption: 137 x 41, the Persian caption in
// 12-point bold, engraved (three text passes), drawn through the control's
// whole pipeline into the window's surface, in each of the eight looks at rest
// and hovered. Qt's button is a QPushButton in the Fusion style with the same
// caption and font, rendered into an image of the same size, in the same
// process. Both run in the golden tests' pinned environment, so they draw the
// same faces with the same rendering settings.
//
//   build/dev/bench/button_redraw_bench --benchmark_repetitions=10
//       --benchmark_report_aggregates_only=true   (one command line)
//
// scripts/bench-ratios.sh runs this program and prints the ratios.
//
// On a screen of two device pixels per logical one both draw twice the
// pixels: the control into a 274 x 82 surface with its font made at 192 dpi,
// Qt's button into an image of that size with a device-pixel ratio of 2.
//
// Nothing but the state changed since the last redraw, so the text comes laid
// out, as it does when the pointer moves over a button. Caption change: the
// caption is new to the text layer every time (layouts dropped), so it is
// measured and shaped again.

#include "button/button.h"
#include "platform/gdi/text.h"
#include "support/fake_host.h"

#include <QImage>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace bastara;
using namespace bastara::button;

// The caption as the main window's form stores it.
const std::u16string kCreateCaption = u"ساخت بانک اطلاعاتي";
const std::u16string kOtherCaption = u"Create the database";
constexpr std::int32_t kWidth = 137;
constexpr std::int32_t kHeight = 41;

constexpr const char* kLookNames[kLookCount] = { "classic", "framed bevel", "rounded light",
    "etched", "thin edge", "flat hover", "soft bevel", "rounded dark" };

enum Pointer : std::int64_t {
    AtRest = 0,
    Hovered = 1,
};

const char* pointerName(std::int64_t pointer)
{
    return pointer == Hovered ? "hovered" : "at rest";
}

struct CreateButton {
    test::FakeHost host;
    Button button { host };

    explicit CreateButton(Look look = Look::Classic, Pointer pointer = AtRest, int pixelRatio = 1)
        : host(kWidth * pixelRatio, kHeight * pixelRatio)
    {
        host.pixelRatio = pixelRatio;
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
        if (pointer == Hovered) {
            s.hoverTracking = kTrue;
            s.stateFlags = kFlagMouseInside;
        }
        button.UpdateResources("BackColor");
        button.onHostResize();
    }
};

// Qt's push button in the Fusion style, with the form's caption font
// ("Times New Roman" 12 pt bold, substituted as the application does).
struct FusionButton {
    std::unique_ptr<QStyle> style { QStyleFactory::create(QStringLiteral("Fusion")) };
    QPushButton button;
    QImage image;

    FusionButton(const std::u16string& caption, Pointer pointer, int pixelRatio = 1)
        : image(kWidth * pixelRatio, kHeight * pixelRatio, QImage::Format_RGB32)
    {
        image.setDevicePixelRatio(pixelRatio);
        button.setStyle(style.get());
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSize(12);
        font.setBold(true);
        button.setFont(font);
        button.setText(QString::fromStdU16String(caption));
        button.setFixedSize(kWidth, kHeight);
        // What the style reads for its hover look.
        button.setAttribute(Qt::WA_UnderMouse, pointer == Hovered);
        button.ensurePolished();
    }
};

// RedrawButton of the create button: args (look, pointer).
void BM_RedrawButton(benchmark::State& state)
{
    CreateButton b(Look(state.range(0)), Pointer(state.range(1)));
    state.SetLabel(std::string(kLookNames[state.range(0)]) + " " + pointerName(state.range(1)));
    for (auto _ : state) {
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

// The Fusion button with the same caption: args (pointer).
void BM_FusionPushButton(benchmark::State& state)
{
    FusionButton b(kCreateCaption, Pointer(state.range(0)));
    state.SetLabel(pointerName(state.range(0)));
    for (auto _ : state) {
        b.button.render(&b.image);
        benchmark::ClobberMemory();
    }
}

// The same at a device-pixel ratio of 2: args (look).
void BM_RedrawButtonAt2x(benchmark::State& state)
{
    CreateButton b(Look(state.range(0)), AtRest, 2);
    state.SetLabel(std::string(kLookNames[state.range(0)]) + " at rest, ratio 2");
    for (auto _ : state) {
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

void BM_FusionPushButtonAt2x(benchmark::State& state)
{
    FusionButton b(kCreateCaption, AtRest, 2);
    state.SetLabel("at rest, ratio 2");
    for (auto _ : state) {
        b.button.render(&b.image);
        benchmark::ClobberMemory();
    }
}

// The raster work alone: face, edges and the copy to the window.
void BM_RedrawWithoutCaption(benchmark::State& state)
{
    CreateButton b;
    b.button.state().captionText.clear();
    b.button.CalculateLayout(kFalse);
    for (auto _ : state) {
        b.button.RedrawButton();
        benchmark::ClobberMemory();
    }
}

// Its counterpart: a Fusion button without a caption.
void BM_FusionPushButtonEmpty(benchmark::State& state)
{
    FusionButton b(u"", AtRest);
    for (auto _ : state) {
        b.button.render(&b.image);
        benchmark::ClobberMemory();
    }
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

// A program changing a caption: the Caption setter, which lays out and
// redraws, alternating between two captions as a button that says what it
// will do next does. Against QPushButton::setText and a render of the Fusion
// button, alternating between the same two.
void BM_CaptionSetter(benchmark::State& state)
{
    CreateButton b;
    bool other = false;
    for (auto _ : state) {
        other = !other;
        b.button.setCaption(other ? kOtherCaption : kCreateCaption);
        benchmark::ClobberMemory();
    }
}

void BM_FusionSetText(benchmark::State& state)
{
    FusionButton b(kCreateCaption, AtRest);
    const QString create = QString::fromStdU16String(kCreateCaption);
    const QString otherCaption = QString::fromStdU16String(kOtherCaption);
    bool other = false;
    for (auto _ : state) {
        other = !other;
        b.button.setText(other ? otherCaption : create);
        b.button.render(&b.image);
        benchmark::ClobberMemory();
    }
}

// Every caption new, as a counter on a button shows: "Copied 1 file", ...
std::u16string countedCaption(std::uint64_t n)
{
    const std::string number = std::to_string(n);
    return u"Copied " + std::u16string(number.begin(), number.end()) + u" files";
}

void BM_CaptionSetterNewText(benchmark::State& state)
{
    CreateButton b;
    std::uint64_t n = 0;
    for (auto _ : state) {
        b.button.setCaption(countedCaption(++n));
        benchmark::ClobberMemory();
    }
}

void BM_FusionSetNewText(benchmark::State& state)
{
    FusionButton b(kCreateCaption, AtRest);
    std::uint64_t n = 0;
    for (auto _ : state) {
        b.button.setText(QString::fromStdU16String(countedCaption(++n)));
        b.button.render(&b.image);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_RedrawButton)
    ->ArgsProduct({ benchmark::CreateDenseRange(0, kLookCount - 1, 1), { AtRest, Hovered } })
    ->ArgNames({ "look", "hovered" });
BENCHMARK(BM_FusionPushButton)->Arg(AtRest)->Arg(Hovered)->ArgName("hovered");
BENCHMARK(BM_RedrawButtonAt2x)->DenseRange(0, kLookCount - 1, 1)->ArgName("look");
BENCHMARK(BM_FusionPushButtonAt2x);
BENCHMARK(BM_RedrawWithoutCaption);
BENCHMARK(BM_FusionPushButtonEmpty);
BENCHMARK(BM_RedrawPressedAndReleased);
BENCHMARK(BM_CaptionChange);
BENCHMARK(BM_CaptionSetter);
BENCHMARK(BM_FusionSetText);
BENCHMARK(BM_CaptionSetterNewText);
BENCHMARK(BM_FusionSetNewText);

} // namespace
