// Counts what a button redraws while the pointer rests on it: the control with
// its own looks in its Qt window, real timers and the event loop, for one
// second after the pointer came onto it. Prints one line:
//
//   redraws 0 paints 0 ms 1000 period 50
//
// redraws: the control's renderer runs after the first (the hover look on
// entering); paints: Qt paint events of its window in that time. The offscreen
// platform has no pointer of its own, so the pointer is placed through the
// pointer seam. Exits 1 when the hover tracking did not run the whole time
// (it did not start, or leaving was not noticed within two periods).

#include "button/hover.h"
#include "button_host/control_host.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/window/pointer.h"
#include "platform/window/widget_bridge.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

using namespace bastara;

constexpr int kRestingMs = 1000;

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void runEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    gdi::installFontSubstitutes();

    QWidget form;
    form.resize(300, 120);
    auto* host = new button_host::ControlHost(&form);
    host->move(10, 10);
    button::Button& control = host->control();
    int redraws = 0;
    for (int look = 0; look < button::kLookCount; ++look) {
        const button::Renderer* own = control.renderers().find(button::Look(look));
        if (!own)
            continue;
        control.renderers().install(button::Look(look),
            [&redraws, draw = *own](button::Painter& painter, button::RenderResult& result) {
                ++redraws;
                draw(painter, result);
            });
    }
    host->setSizePixels(137, 41);
    PaintCounter counter;
    host->installEventFilter(&counter);
    form.show();
    QElapsedTimer shown;
    shown.start();
    while (!form.windowHandle()->isExposed() && shown.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    runEventLoopFor(100); // the first paints

    window::FakePointer pointer;
    const window::ScopedPointerProvider usePointer(pointer);
    pointer.setWindowAt(
        [](gdi::Point p) { return window::handleOf(QApplication::widgetAt(QPoint(p.x, p.y))); });
    const QPoint centre = host->rect().center();
    const QPoint global = host->mapToGlobal(centre);
    pointer.setPosition({ global.x(), global.y() });
    QMouseEvent move(QEvent::MouseMove, centre, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(host, &move);
    if (!control.state().hoverTracking.isTrue()) {
        std::fprintf(stderr, "hover_redraws: the pointer on the button started no tracking\n");
        return 1;
    }
    runEventLoopFor(20); // the hover look's own paint
    const int redrawsAfterEntering = redraws;
    const int paintsAfterEntering = counter.paints;

    runEventLoopFor(kRestingMs);
    const int restingRedraws = redraws - redrawsAfterEntering;
    const int restingPaints = counter.paints - paintsAfterEntering;

    // The ticks ran all along: leaving is noticed within a period.
    pointer.setPosition({ -1000, -1000 });
    runEventLoopFor(int(2 * button::kHoverPeriodMs));
    if (control.state().hoverTracking.isTrue()) {
        std::fprintf(stderr, "hover_redraws: leaving the button was not noticed\n");
        return 1;
    }
    std::printf("redraws %d paints %d ms %d period %u\n", restingRedraws, restingPaints, kRestingMs,
        unsigned(button::kHoverPeriodMs));
    return 0;
}
