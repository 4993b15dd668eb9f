#pragma once

// What the application sets up once, before it builds a window. Tests that
// build the windows do the same, so they see what the user sees.

#include "platform/toolkit/control_registry.h"

#include <QString>

class QCoreApplication;
class QTranslator;

namespace bastara::app {

// The title of message boxes.
inline const QString applicationTitle = QStringLiteral("Bastara");

// Installs Qt's own Persian texts (standard dialogs, message box buttons)
// from Qt's translations folder. False when they are not installed; the
// program then runs with Qt's English texts.
[[nodiscard]] bool installQtTranslation(QCoreApplication& application, QTranslator& translator);

// The control kinds the application's forms use: the standard ones and the
// custom button.
toolkit::ControlRegistry applicationControls();

} // namespace bastara::app
