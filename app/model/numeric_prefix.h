#pragma once

// How a typed size or list position becomes a number.
//
// Blanks, tabs and line feeds are ignored wherever they stand ("1 2" is 12).
// The longest leading run that forms a decimal number gives the value: an
// optional sign, digits, an optional full stop followed by digits, and an
// optional exponent introduced by E or e ("12abc" is 12, "2.5E1" is 25).
// "&H" or "&O" (either case) followed by digits reads a hexadecimal or octal
// integer instead. Text with no leading number gives 0. The decimal point is
// always the full stop, whatever the user's locale.
//
// Besides ASCII digits, the Persian (U+06F0..U+06F9) and Arabic-Indic
// (U+0660..U+0669) digits count as digits: they are what a Persian keyboard
// types.
//
// The result may be infinite when the exponent is huge; callers that need a
// bounded number check it.

#include <string_view>

namespace bastara::app {

double numericPrefix(std::u16string_view text);

} // namespace bastara::app
