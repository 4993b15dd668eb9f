#include "platform/gdi/sys_colors.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

namespace bastara::gdi {

namespace {

    std::optional<SystemColorTable>& pinnedTable()
    {
        static std::optional<SystemColorTable> table;
        return table;
    }

    struct PaletteSource {
        int index;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };

    constexpr PaletteSource kPaletteSources[] = {
        { COLOR_WINDOW, QPalette::Active, QPalette::Base },
        { COLOR_WINDOWTEXT, QPalette::Active, QPalette::WindowText },
        { COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight },
        { COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText },
        { COLOR_BTNFACE, QPalette::Active, QPalette::Button },
        { COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark },
        { COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text },
        { COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText },
        { COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light },
        { COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow },
        { COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight },
        { COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText },
        { COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase },
        { COLOR_HOTLIGHT, QPalette::Active, QPalette::Link },
    };

} // namespace

const SystemColorTable& referenceSystemColors()
{
    static const SystemColorTable table = {
        0xC8C8C8, // 0 SCROLLBAR
        0x000000, // 1 BACKGROUND
        0xD1B499, // 2 ACTIVECAPTION
        0xDBCDBF, // 3 INACTIVECAPTION
        0xF0F0F0, // 4 MENU
        0xFFFFFF, // 5 WINDOW
        0x646464, // 6 WINDOWFRAME
        0x000000, // 7 MENUTEXT
        0x000000, // 8 WINDOWTEXT
        0x000000, // 9 CAPTIONTEXT
        0xB4B4B4, // 10 ACTIVEBORDER
        0xFCF7F4, // 11 INACTIVEBORDER
        0xABABAB, // 12 APPWORKSPACE
        0xD77800, // 13 HIGHLIGHT
        0xFFFFFF, // 14 HIGHLIGHTTEXT
        0xF0F0F0, // 15 BTNFACE
        0xA0A0A0, // 16 BTNSHADOW
        0x6D6D6D, // 17 GRAYTEXT
        0x000000, // 18 BTNTEXT
        0x000000, // 19 INACTIVECAPTIONTEXT
        0xFFFFFF, // 20 BTNHIGHLIGHT
        0x696969, // 21 3DDKSHADOW
        0xE3E3E3, // 22 3DLIGHT
        0x000000, // 23 INFOTEXT
        0xE1FFFF, // 24 INFOBK
        0x000000, // 25 (unused)
        0xCC6600, // 26 HOTLIGHT
        0xEAD1B9, // 27 GRADIENTACTIVECAPTION
        0xF2E4D7, // 28 GRADIENTINACTIVECAPTION
        0xD77800, // 29 MENUHILIGHT
        0xF0F0F0, // 30 MENUBAR
    };
    return table;
}

ColorRef getSysColor(int index)
{
    if (index < 0 || index >= kSystemColorCount)
        return 0;
    if (const auto& pinned = pinnedTable())
        return (*pinned)[std::size_t(index)];
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QPalette palette = QGuiApplication::palette();
        for (const PaletteSource& source : kPaletteSources) {
            if (source.index != index)
                continue;
            const QColor c = palette.color(source.group, source.role);
            return rgb(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
        }
    }
    return referenceSystemColors()[std::size_t(index)];
}

ScopedSystemColors::ScopedSystemColors(const SystemColorTable& table)
    : m_previous(pinnedTable())
{
    pinnedTable() = table;
}

ScopedSystemColors::~ScopedSystemColors()
{
    pinnedTable() = m_previous;
}

} // namespace bastara::gdi
