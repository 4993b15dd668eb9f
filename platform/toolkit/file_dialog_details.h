#pragma once

// The detail columns of Qt's file dialog for a user of the application's
// language: sizes and dates written the way the application's locale writes
// them (Persian digits and the Persian calendar in a Persian application,
// where Qt would use the system's locale), and columns that show their whole
// texts from the moment the dialog opens.

class QFileDialog;

namespace bastara::toolkit {

// Before the dialog is shown.
void showDetailsInApplicationLanguage(QFileDialog& dialog);

} // namespace bastara::toolkit
