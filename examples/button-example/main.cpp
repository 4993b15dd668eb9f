// A window with one Bastara button, written as any Qt program is: the button
// in a layout, its properties set by name, its clicked() signal connected.
//
//   button-example                     shows the window
//   button-example --offscreen-check   headless: checks the size hint, clicks
//                                      the button with the mouse events Qt
//                                      would deliver, exits 0 when clicked()
//                                      came once

#include "button_host/button_widget.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

using bastara::button_host::ButtonWidget;

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
    auto* layout = new QVBoxLayout(&window);

    auto* greet = new ButtonWidget(QStringLiteral("&Greet"), &window);
    greet->setProperty("ButtonStyle", "RoundedLight");
    greet->setProperty("BackColor", QColor(0xD0, 0xE0, 0xF0));
    greet->setProperty("HoverBackColor", QColor(0xE0, 0xF0, 0xFF));
    greet->setProperty("FontStyle", 2); // bold
    layout->addWidget(greet);

    auto* clicks = new QLabel(QStringLiteral("Not clicked yet"), &window);
    layout->addWidget(clicks);

    int clickCount = 0;
    QObject::connect(greet, &ButtonWidget::clicked, clicks, [&] {
        ++clickCount;
        clicks->setText(QStringLiteral("Clicked %1 time(s)").arg(clickCount));
    });

    window.show();
    if (!check)
        return QApplication::exec();

    QApplication::processEvents();
    const QSize hint = greet->sizeHint();
    if (!hint.isValid() || hint.height() < greet->fontMetrics().height()) {
        std::fprintf(stderr, "button-example: size hint %dx%d is no button's\n", hint.width(),
            hint.height());
        return 1;
    }
    clickWithTheMouse(*greet);
    QApplication::processEvents();
    if (clickCount != 1) {
        std::fprintf(stderr, "button-example: clicked() came %d times, not once\n", clickCount);
        return 1;
    }
    std::printf(
        "button-example: size hint %dx%d, clicked() came once\n", hint.width(), hint.height());
    return 0;
}
