// bastara-designer: places, edits, runs and saves the custom buttons of a
// form.
//
//   bastara-designer [FORM.json]
//   bastara-designer --screenshot OUT.png [--run]   draws a sample form headless
//   bastara-designer --help

#include "platform/toolkit/display.h"
#include "tools/designer/designer_window.h"
#include "tools/designer/form_surface.h"
#include "tools/designer/property_browser.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace bastara;

// Three buttons: a Persian caption, the default button, and a slanted one,
// selected, with the browser on its caption.
void placeSampleButtons(designer::DesignerWindow& window)
{
    designer::FormSurface& form = window.surface();
    button_host::ControlHost& create = form.placeButton({ 24, 24, 180, 44 });
    button::Button& c = create.control();
    c.setCaption(u"ساخت بانک اطلاعاتي");
    c.setButtonStyle(button::Look::RoundedLight);
    c.setCaptionStyle(button::CaptionEffect::Engraved);
    c.setBackColor(button::OleColor(0x00FFFFFF));

    button_host::ControlHost& ok = form.placeButton({ 24, 88, 137, 41 });
    ok.control().setCaption(u"&OK");
    form.setDefaultButton(&ok);

    button_host::ControlHost& slanted = form.placeButton({ 24, 152, 160, 44 });
    button::Button& s = slanted.control();
    s.setCaption(u"Slanted");
    s.setButtonShape(button::Shape::Parallelogram);
    s.setButtonStyle(button::Look::RoundedDark);
    s.setBackColor(button::OleColor(0x00C08040));
    s.setForeColor(button::OleColor(0x00FFFFFF));
    form.select(&slanted);
    window.browser().table().setCurrentCell(window.browser().rowOf("ButtonShape"), 0);
}

int screenshot(const QString& out, bool run)
{
    designer::DesignerWindow window;
    placeSampleButtons(window);
    window.runAction().setChecked(run);
    window.show();
    QApplication::processEvents();
    // Let queued paints and ambient changes run (a local loop: quitting the
    // application would close the window and ask about the unsaved form).
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    if (!window.grab().save(out, "PNG")) {
        std::fprintf(stderr, "bastara-designer: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return 0;
}

constexpr const char* kUsage
    = "usage: bastara-designer [FORM.json]\n"
      "       bastara-designer --screenshot OUT.png [--run]\n"
      "\n"
      "Places, edits, runs and saves the custom buttons of a form. The window\n"
      "needs a display (X11 or Wayland); --screenshot draws a sample form\n"
      "without one and writes it as a PNG (--run: in run mode).\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool shoot = argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0;
    if (!shoot && ((argc >= 2 && argv[1][0] == '-') || argc > 2)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!shoot) {
        if (const std::string problem = toolkit::displayProblem(); !problem.empty()) {
            std::fprintf(
                stderr, "bastara-designer: %s; --screenshot draws without one\n", problem.c_str());
            return 1;
        }
    }
    if (shoot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bastara-designer"));
    if (shoot)
        return screenshot(
            QString::fromLocal8Bit(argv[2]), argc >= 4 && std::strcmp(argv[3], "--run") == 0);

    designer::DesignerWindow window;
    if (argc >= 2) {
        if (auto opened = window.openFile(QString::fromLocal8Bit(argv[1])); !opened)
            QMessageBox::warning(nullptr, QStringLiteral("bastara-designer"), opened.error());
    }
    window.show();
    return QApplication::exec();
}
