#pragma once

// The standard dialogs forms use: a message box and the save-file dialog.
// Both are modal and return when the user closes them.

#include <QString>
#include <optional>

class QWidget;

namespace bastara::toolkit {

enum class MessageIcon { None, Information, Warning, Critical };

// A message box with one OK button.
void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon);

// Asks for the name of a file to save, offering the one filter given (for
// example "*.mdb"). The dialog keeps its own title, appends no extension to
// a name typed without one, and asks nothing when the file exists: whoever
// writes the file decides what happens then. It is Qt's own dialog, not the
// desktop's, so that paths, file names and the filter read left to right
// also in a right-to-left application. Empty when cancelled.
[[nodiscard]] std::optional<QString> askSaveFileName(QWidget* parent, const QString& filter);

} // namespace bastara::toolkit
