#include "app/forms/app_setup.h"

#include "button_host/form_button_factory.h"

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

toolkit::ControlRegistry applicationControls()
{
    toolkit::ControlRegistry registry = toolkit::standardControlRegistry();
    button_host::addFormButtonFactory(registry);
    return registry;
}

} // namespace bastara::app
