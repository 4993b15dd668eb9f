// Forms with the Bastara button from Qt Designer:
//   - greeting.ui, compiled by uic into this program;
//   - a form file given on the command line, loaded by QUiLoader, which
//     makes its buttons through the installed Designer plugin.
//
//   button-ui-example --offscreen-check FORM.ui PLUGIN_DIR
//       headless: for each form, checks that the button holds the property
//       the form sets, has a size hint and emits clicked() once for one
//       click; exits 0 when both forms pass.

#include "button_host/button_widget.h"
#include "ui_greeting.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QUiLoader>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

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

class ClickCounter : public QObject
{
    Q_OBJECT
public:
    int clicks = 0;
public slots:
    void count() { ++clicks; }
};

// The button of a shown form: a valid size hint, and one click giving one
// clicked(). The loaded form's button comes from the plugin's copy of the
// class, so it is reached by name and signal, not by its C++ type.
bool checkButton(const char* form, QWidget* button, const char* property, int expected)
{
    if (!button
        || std::strcmp(button->metaObject()->className(), "bastara::button_host::ButtonWidget")
            != 0) {
        std::fprintf(stderr, "%s: no Bastara button in the form\n", form);
        return false;
    }
    if (button->property(property).toInt() != expected) {
        std::fprintf(stderr, "%s: %s is %d, not %d as the form says\n", form, property,
            button->property(property).toInt(), expected);
        return false;
    }
    const QSize hint = button->sizeHint();
    if (!hint.isValid() || hint.height() < button->fontMetrics().height()) {
        std::fprintf(
            stderr, "%s: size hint %dx%d is no button's\n", form, hint.width(), hint.height());
        return false;
    }
    ClickCounter counter;
    if (!QObject::connect(button, SIGNAL(clicked()), &counter, SLOT(count())))
        return false;
    clickWithTheMouse(*button);
    QApplication::processEvents();
    if (counter.clicks != 1) {
        std::fprintf(stderr, "%s: clicked() came %d times, not once\n", form, counter.clicks);
        return false;
    }
    std::printf("%s: size hint %dx%d, clicked() came once\n", form, hint.width(), hint.height());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::strcmp(argv[1], "--offscreen-check") != 0) {
        std::fprintf(stderr, "usage: button-ui-example --offscreen-check FORM.ui PLUGIN_DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QWidget compiled;
    Ui::GreetingForm greeting;
    greeting.setupUi(&compiled);
    compiled.show();
    QApplication::processEvents();
    const bool compiledPasses = checkButton("greeting.ui (uic)", greeting.greet, "ButtonStyle", 2);

    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QString::fromLocal8Bit(argv[3]) + QStringLiteral("/designer"));
    if (!loader.availableWidgets().contains(QStringLiteral("bastara::button_host::ButtonWidget")))
        std::fprintf(stderr, "QUiLoader: the Bastara plugin is not among its widgets\n");
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    std::unique_ptr<QWidget> loaded(loader.load(&file));
    if (!loaded) {
        std::fprintf(stderr, "QUiLoader: %s\n", qPrintable(loader.errorString()));
        return 1;
    }
    loaded->show();
    QApplication::processEvents();
    const bool loadedPasses
        = checkButton("loaded form (QUiLoader)", loaded->findChild<QWidget*>("bold"), "Mode", 1);
    return compiledPasses && loadedPasses ? 0 : 1;
}

#include "main.moc"
