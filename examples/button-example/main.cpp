// A window with one Bastara button: properties set through the setters, Click
// handled.
//
//   button-example                     shows the window
//   button-example --offscreen-check   headless: clicks the button with the
//                                      mouse events Qt would deliver, exits 0
//                                      when Click ran

#include "button_host/control_host.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

using bastara::button_host::AmbientSettings;
using bastara::button_host::ControlHost;
namespace button = bastara::button;

namespace {

// A left press and release at the middle of the widget, as the mouse gives them.
void clickWithTheMouse(QWidget& widget)
{
    const QPointF local = QRectF(widget.rect()).center();
    const QPointF global = widget.mapToGlobal(local);
    QMouseEvent press(
        QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

} // namespace

int main(int argc, char** argv)
{
    const bool check = argc > 1 && std::strcmp(argv[1], "--offscreen-check") == 0;
    if (check && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bastara button"));
    window.resize(260, 120);
    auto* clicks = new QLabel(QStringLiteral("Not clicked yet"), &window);
    clicks->move(20, 80);
    clicks->resize(220, 20);

    // The window owns the button. The ambient settings are the container's:
    // a running program (user mode) and the font the button starts with.
    auto* host = new ControlHost(&window);
    host->setAmbient(AmbientSettings { .userMode = true,
        .displayName = u"OkButton",
        .parentFont = { .name = u"DejaVu Sans", .points = 10 } });
    host->move(20, 20);
    host->setSizePixels(137, 41);
    // An empty stored set: every property starts at its default.
    host->control().onHostReadProperties();

    button::Button& ok = host->control();
    ok.setButtonStyle(button::Look::RoundedLight);
    ok.setCaption(u"&Greet");
    ok.setBackColor(button::OleColor(0x00F0E0D0)); // 0x00BBGGRR
    ok.setHoverBackColor(button::OleColor(0x00FFF0E0));
    (void)ok.setFontStyle(button::kFontStyleBold); // the window has the form's font

    int clickCount = 0;
    ok.events().Click = [&] {
        ++clickCount;
        clicks->setText(QStringLiteral("Clicked %1 time(s)").arg(clickCount));
    };

    window.show();
    if (!check)
        return QApplication::exec();

    QApplication::processEvents();
    clickWithTheMouse(*host);
    QApplication::processEvents();
    host->terminate();
    if (clickCount != 1) {
        std::fprintf(stderr, "button-example: Click ran %d times, not once\n", clickCount);
        return 1;
    }
    std::puts("button-example: Click ran");
    return 0;
}
