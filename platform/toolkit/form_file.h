#pragma once

// Reads a form file: the JSON description of one window and its controls.
//
//     {
//       "bastaraForm": 1,
//       "name": "Form3", "caption": "Form3",
//       "clientWidth": 4335, "clientHeight": 2535,          // twips
//       "backColour": "0x00FFFFFF",                           // optional
//       "frame": "fixedToolWindow",                           // or "fixedDialog"
//       "icon": ":/bastara/images/bastara.ico",               // optional
//       "controls": [
//         { "kind": "label", "name": "Label2",
//           "left": 3360, "top": 120, "width": 735, "height": 375,
//           "text": "...", "alignment": "right", "rightToLeft": true,
//           "font": { "face": "Times New Roman", "size": 12, "weight": 700,
//                     "italic": false, "charset": 178 } },
//         { "kind": "customButton", "name": "kzButtons_H1", "tabIndex": 3, ...,
//           "properties": { "caption": { "string": "..." }, "mode": { "int32": 0 },
//                           "value": { "bool": false }, "cback": { "colour": "0x8000000F" } } }
//       ]
//     }
//
// Optional control members: index, text, font, picture, toolTip, tabIndex,
// alignment ("left", "right", "centre"), rightToLeft, backColour, properties.
// Property values name their type: string, int16, int32, bool, colour, font,
// picture. Font members underline and strikethrough are optional too.
//
// Anything else is refused with a message that says where the fault is:
// unknown members, wrong types, numbers out of range or not whole, duplicate
// control names or property keys (keys compare without regard to case).

#include "platform/support/result.h"
#include "platform/toolkit/form_layout.h"

#include <QByteArrayView>
#include <QString>

namespace bastara::toolkit {

// Geometry limits, in twips: what fits a 16-bit pixel coordinate.
inline constexpr int32_t maxFormTwips = 32767 * twipsPerPixel;

struct FormFileError {
    QString message; // English, for the developer: names the file position
};

[[nodiscard]] Result<FormLayout, FormFileError> parseFormFile(QByteArrayView bytes);

// Reads the file (a Qt resource path such as ":/forms/form1.json" works too).
[[nodiscard]] Result<FormLayout, FormFileError> loadFormFile(const QString& path);

} // namespace bastara::toolkit
