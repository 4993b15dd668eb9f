#pragma once

// File names, paths and file patterns are written left to right, also in a
// right-to-left application, where the bidirectional rules would show
// "*.mdb" as "mdb.*" and move a path's leading "/" to its far end.

class QFileDialog;

namespace bastara::toolkit {

// Makes the parts of Qt's own (non-native) file dialog that show file names,
// paths and the filter read left to right: the folder box and its list, the
// places list, both file views, the completions of a typed name and the
// filter box. The dialog's own texts and its arrangement keep the
// application's direction. A part the dialog does not have is left alone.
void showFileNamesLeftToRight(QFileDialog& dialog);

} // namespace bastara::toolkit
