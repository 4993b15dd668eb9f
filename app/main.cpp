// Bastara: opens the main window; the program ends when it is closed.

#include "app/create_table.h"
#include "app/forms/app_setup.h"
#include "app/forms/form1.h"
#include "app/forms/messages.h"
#include "app/startup_report.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/toolkit/dialogs.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    using namespace bastara;
    QApplication application(argc, argv);
    QApplication::setApplicationName(app::applicationTitle);
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
        return 1;
    }
    app::reportStartupWhenPainted(**form1);
    (*form1)->show();
    return QApplication::exec();
}
