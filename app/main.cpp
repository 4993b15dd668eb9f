// Bastara: opens the main window; the program ends when it is closed.
//
//   bastara            (Qt's own options, such as -reverse, pass through)
//   bastara --help
//   bastara --version

#include "app/create_table.h"
#include "app/forms/app_setup.h"
#include "app/forms/form1.h"
#include "app/forms/messages.h"
#include "app/startup_report.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/display.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

enum ExitCode : int { Closed = 0, Failed = 1, BadUsage = 2 };

constexpr const char* kUsage
    = "usage: bastara [--help | --version]\n"
      "\n"
      "Opens the main window, where a table's fields are listed and a Jet 4 (.mdb)\n"
      "database file holding that table is created. The window needs a display\n"
      "(X11 or Wayland). bastara-mkdb creates the same files from the command line.\n";

} // namespace

int main(int argc, char* argv[])
{
    using namespace bastara;
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return Closed;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::puts("bastara " BASTARA_VERSION);
        return Closed;
    }
    if (const std::string problem = toolkit::displayProblem(); !problem.empty()) {
        std::fprintf(stderr, "bastara: %s\n", problem.c_str());
        return Failed;
    }
    QApplication application(argc, argv);
    // What is left after Qt took its own options is not ours either.
    if (const QStringList rest = QApplication::arguments().mid(1); !rest.isEmpty()) {
        std::fprintf(
            stderr, "bastara: unknown argument '%s'\n%s", qPrintable(rest.front()), kUsage);
        return BadUsage;
    }
    QApplication::setApplicationName(app::applicationTitle);
    // The desktop entry the package installs: its icon and name on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.bastara.Bastara"));
    gdi::installFontSubstitutes();
    // Numbers and dates that Qt writes (the save dialog's sizes and dates)
    // in Persian, as the rest of the program speaks.
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QTranslator qtTexts;
    if (!app::installQtTranslation(application, qtTexts))
        qWarning("Qt's Persian texts (qtbase_fa) are not installed; dialogs speak English");

    auto form1 = app::Form1::create(app::applicationControls(),
        [](const std::filesystem::path& path, const std::u16string& tableName,
            const std::vector<app::FieldRow>& rows) {
            return app::createTable(path, tableName, rows);
        });
    if (!form1) {
        toolkit::showMessage(nullptr, app::applicationTitle,
            app::startFailureMessage(form1.error().message), toolkit::MessageIcon::Critical);
        return Failed;
    }
    app::reportStartupWhenPainted(**form1);
    (*form1)->show();
    return QApplication::exec();
}
