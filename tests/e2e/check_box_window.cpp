// A window with one of the custom buttons in check-box mode, for the
// accessibility end-to-end test: a reader toggles it and reads its state.

#include "button_host/control_host.h"
#include "platform/gdi/font_substitutes.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    using namespace bastara;
    QApplication application(argc, argv);
    gdi::installFontSubstitutes();
    QWidget window;
    window.setWindowTitle(QStringLiteral("CheckBoxWindow"));
    window.resize(200, 80);
    auto* box = new button_host::ControlHost(&window);
    button_host::AmbientSettings ambient;
    ambient.displayName = u"Check1";
    box->setAmbient(ambient);
    box->move(20, 20);
    box->setSizePixels(160, 32);
    box->control().onHostReadProperties();
    box->control().setMode(button::ButtonMode::CheckBox);
    box->control().setCaption(u"نمايش جزئيات");
    window.show();
    return QApplication::exec();
}
