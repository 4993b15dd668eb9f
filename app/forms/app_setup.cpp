#include "app/forms/app_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace bastara::app {

void pinFonts()
{
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
        { QStringLiteral("Liberation Serif"), QStringLiteral("Noto Naskh Arabic") });
}

bool installQtTranslation(QCoreApplication& application, QTranslator& translator)
{
    if (!translator.load(
            QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return application.installTranslator(&translator);
}

} // namespace bastara::app
