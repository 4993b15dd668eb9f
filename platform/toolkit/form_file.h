#pragma once

// Reads and writes form files: the JSON description of one window and its
// controls.
//
//     {
//       "bastaraForm": 1,
//       "name": "Form3", "caption": "Form3",
//       "clientWidth": 4335, "clientHeight": 2535,          // twips
//       "backColour": "0x00FFFFFF",                           // optional
//       "frame": "fixedToolWindow",                           // or "fixedDialog"
//       "icon": ":/bastara/images/bastara.ico",               // optional
//       "defaultButton": "kzButtons_H1",                      // optional
//       "controls": [
//         { "kind": "label", "name": "Label2",
//           "left": 3360, "top": 120, "width": 735, "height": 375,
//           "text": "...", "alignment": "right", "rightToLeft": true,
//           "font": { "face": "Times New Roman", "size": 12, "weight": 700,
//                     "italic": false, "charset": 178 } },
//         { "kind": "customButton", "name": "kzButtons_H1", "tabIndex": 3, ...,
//           "properties": { "caption": { "string": "..." }, "mode": { "int32": 0 },
//                           "value": { "bool": 0 }, "cback": { "colour": "0x8000000F" },
//                           "image": { "picture": "Qk0..." } } }
//       ]
//     }
//
// Optional control members: index, text, font, picture, toolTip, tabIndex,
// alignment ("left", "right", "centre"), rightToLeft, backColour, properties.
// Property values name their type: string, int16, int32, bool (-1 True, 0
// False), colour, font, picture (the picture file's bytes in base64). Font
// members underline and strikethrough are optional too.
//
// Anything else is refused with a message that says where the fault is:
// unknown members, wrong types, numbers out of range or not whole, duplicate
// control names or property keys (keys compare without regard to case).

#include "platform/support/result.h"
#include "platform/toolkit/form_layout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace bastara::toolkit {

// Geometry limits, in twips: what fits a 16-bit pixel coordinate.
inline constexpr int32_t maxFormTwips = 32767 * twipsPerPixel;

struct FormFileError {
    QString message; // English, for the developer: names the file position
};

[[nodiscard]] Result<FormLayout, FormFileError> parseFormFile(QByteArrayView bytes);

// Far above any real form, pictures included: a larger file is refused
// before it is read, rather than read whole into memory.
inline constexpr qint64 maxFormFileBytes = 64 * 1024 * 1024;

// Reads the file (a Qt resource path such as ":/forms/form1.json" works too).
[[nodiscard]] Result<FormLayout, FormFileError> loadFormFile(const QString& path);

// The layout as a form file that parseFormFile reads back to an equal layout,
// for any layout within the limits the reader checks. Property keys are
// written in lower case and members at their defaults are left out.
QByteArray formFileBytes(const FormLayout& form);

// Writes the file whole or not at all: a failure leaves any earlier file as
// it was.
[[nodiscard]] Result<void, FormFileError> saveFormFile(const FormLayout& form, const QString& path);

} // namespace bastara::toolkit
