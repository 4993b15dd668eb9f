#pragma once

// What the application sets up once, before it builds a window. Tests that
// build the windows do the same, so they see what the user sees.

#include <QString>

class QCoreApplication;
class QTranslator;

namespace bastara::app {

// The title of message boxes.
inline const QString applicationTitle = QStringLiteral("Bastara");

// The forms ask for Times New Roman, which Linux does not ship. Its metric
// twin Liberation Serif takes the Latin text and Noto Naskh Arabic the
// Persian, so captions keep the widths the forms were laid out for (other
// Arabic-script fallbacks run a third wider and wrap).
void pinFonts();

// Installs Qt's own Persian texts (standard dialogs, message box buttons)
// from Qt's translations folder. False when they are not installed; the
// program then runs with Qt's English texts.
[[nodiscard]] bool installQtTranslation(QCoreApplication& application, QTranslator& translator);

} // namespace bastara::app
