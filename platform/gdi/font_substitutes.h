#pragma once

// The face names the stored forms use, mapped onto fonts this platform ships.
//
// The forms ask for Times New Roman, which Linux does not ship. Its metric
// twin Liberation Serif takes the Latin text and Noto Naskh Arabic the
// Persian, so captions keep the widths the forms were laid out for (other
// Arabic-script fallbacks run a third wider and wrap).

namespace bastara::gdi {

// Installs the substitutes once per process (later calls do nothing) and
// drops text laid out before, which may have used other faces. Needs the
// Qt application object to exist.
void installFontSubstitutes();

} // namespace bastara::gdi
