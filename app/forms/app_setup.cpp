#include "app/forms/app_setup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace bastara::app {

bool installQtTranslation(QCoreApplication& application, QTranslator& translator)
{
    if (!translator.load(
            QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return application.installTranslator(&translator);
}

} // namespace bastara::app
