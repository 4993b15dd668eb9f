#pragma once

// GetSysColor over the application palette.
//
// Indices that have a counterpart in Qt's palette follow the desktop theme
// through the QApplication palette (active colour group unless noted):
//
//   COLOR_WINDOW        5  <- Base
//   COLOR_WINDOWTEXT    8  <- WindowText
//   COLOR_HIGHLIGHT    13  <- Highlight
//   COLOR_HIGHLIGHTTEXT 14 <- HighlightedText
//   COLOR_BTNFACE      15  <- Button  (Qt's Window role is the dialog
//                                      background, i.e. also the face)
//   COLOR_BTNSHADOW    16  <- Dark
//   COLOR_GRAYTEXT     17  <- Text of the Disabled group
//   COLOR_BTNTEXT      18  <- ButtonText
//   COLOR_3DHIGHLIGHT  20  <- Light
//   COLOR_3DDKSHADOW   21  <- Shadow
//   COLOR_3DLIGHT      22  <- Midlight
//   COLOR_INFOTEXT     23  <- ToolTipText
//   COLOR_INFOBK       24  <- ToolTipBase
//   COLOR_HOTLIGHT     26  <- Link
//
// Every other index in 0..30 returns the platform's default theme value
// (referenceSystemColors()), and so does every index when no QGuiApplication
// exists. Indices outside 0..30 return 0.
//
// Tests pin the table so that pixels do not depend on the desktop:
//
//     ScopedSystemColors pinned(referenceSystemColors());

#include "platform/gdi/types.h"

#include <array>
#include <optional>

namespace bastara::gdi {

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;

inline constexpr int kSystemColorCount = 31;
using SystemColorTable = std::array<ColorRef, kSystemColorCount>;

// The platform's default theme (Windows 10 defaults, e.g. BTNFACE 0xF0F0F0).
const SystemColorTable& referenceSystemColors();

ColorRef getSysColor(int index);

// Replaces the palette lookup by a fixed table while it lives; nests.
class ScopedSystemColors
{
public:
    explicit ScopedSystemColors(const SystemColorTable& table);
    ~ScopedSystemColors();
    ScopedSystemColors(const ScopedSystemColors&) = delete;
    ScopedSystemColors& operator=(const ScopedSystemColors&) = delete;

private:
    std::optional<SystemColorTable> m_previous;
};

} // namespace bastara::gdi
